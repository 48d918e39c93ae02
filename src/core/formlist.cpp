#include "core/formlist.h"

#include <QPointer>

namespace vantor {

namespace {
QList<QPointer<QWidget>>& loaded() {
    static QList<QPointer<QWidget>> list;
    return list;
}
} // namespace

void FormList::add(QWidget* form) {
    loaded().append(form);
}

QList<QWidget*> FormList::forms() {
    QList<QWidget*> result;
    for (const QPointer<QWidget>& form : std::as_const(loaded()))
        if (form)
            result.append(form.data());
    return result;
}

bool FormList::contains(const QWidget* form) {
    return form != nullptr && loaded().contains(form);
}

QList<QWidget*> FormList::formsOfType(const QStringList& lowerCaseNames) {
    QList<QWidget*> result;
    for (QWidget* form : forms())
        if (lowerCaseNames.contains(typeName(form)))
            result.append(form);
    return result;
}

QString FormList::typeName(const QWidget* form) {
    // Window classes live in the program's namespace; the type name is the bare class name.
    const QString className = QString::fromLatin1(form->metaObject()->className());
    return className.mid(className.lastIndexOf(QLatin1Char(':')) + 1).toLower();
}

void FormList::unload(QWidget* form) {
    // A window unloads once, even when a shutdown meets it again while it is closing.
    if (loaded().removeAll(form) == 0)
        return;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->close();
}

bool IsFormLoaded(const QString& name) {
    return !FormList::formsOfType({name.toLower()}).isEmpty();
}

} // namespace vantor
