#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vantor {

// The program's own list of loaded windows, in the order they were loaded, hidden ones included.
// Windows find each other through it by type name, which is the window's class name.
namespace FormList {

// Adds a window that has just loaded; it leaves the list when it unloads or is destroyed.
void add(QWidget* form);
// The loaded windows, oldest first.
QList<QWidget*> forms();
// The loaded windows whose lower-case type name is one of lowerCaseNames, oldest first.
QList<QWidget*> formsOfType(const QStringList& lowerCaseNames);
// The window's type name in lower case, as windows are compared.
QString typeName(const QWidget* form);
// Unloads a loaded window: it leaves the list at once and is closed and destroyed.
void unload(QWidget* form);

} // namespace FormList

// True while a window whose type name equals name, in any mix of cases, is loaded.
bool IsFormLoaded(const QString& name);

} // namespace vantor
