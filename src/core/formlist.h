#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vantor {

// The program's own list of loaded windows, in the order they were loaded, hidden ones included.
// Windows find each other through it, by type name (the window's class name) where the program
// compares names, and by type where it needs a window's own operations.
namespace FormList {

// Adds a window that has just loaded; it leaves the list when it unloads or is destroyed.
void add(QWidget* form);
// The loaded windows, oldest first.
QList<QWidget*> forms();
// Whether the window is loaded (an unloaded one may linger until its deletion runs).
bool contains(const QWidget* form);
// The loaded windows whose lower-case type name is one of lowerCaseNames, oldest first.
QList<QWidget*> formsOfType(const QStringList& lowerCaseNames);
// The window's type name in lower case, as windows are compared.
QString typeName(const QWidget* form);
// Unloads a loaded window: it leaves the list at once and is closed and destroyed.
void unload(QWidget* form);

// The loaded windows of class T, oldest first.
template <class T> QList<T*> formsOf() {
    QList<T*> result;
    for (QWidget* form : forms())
        if (T* typed = qobject_cast<T*>(form))
            result.append(typed);
    return result;
}

} // namespace FormList

// True while a window whose type name equals name, in any mix of cases, is loaded.
bool IsFormLoaded(const QString& name);

} // namespace vantor
