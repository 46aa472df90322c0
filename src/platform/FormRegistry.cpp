#include "platform/FormRegistry.h"
#include "platform/Modal.h"

#include <QDialog>
#include <QMap>
#include <QVariant>

namespace wvs {

namespace {
QMap<QString, FormRegistry::Creator> &creators()
{
    static QMap<QString, FormRegistry::Creator> m;
    return m;
}
} // namespace

void FormRegistry::add(const QString &name, Creator creator) { creators().insert(name, std::move(creator)); }

bool FormRegistry::contains(const QString &name) { return creators().contains(name); }

QDialog *FormRegistry::create(const QString &name, QWidget *parent)
{
    auto it = creators().constFind(name);
    if (it == creators().constEnd())
        return nullptr;
    return (*it)(parent);
}

bool FormRegistry::open(const QString &name, const QString &tag, QWidget *parent)
{
    QDialog *d = create(name, parent);
    if (!d)
        return false;
    d->setProperty("Tag", tag);
    showModal(d);
    delete d;
    return true;
}

QStringList FormRegistry::names() { return creators().keys(); }

} // namespace wvs
