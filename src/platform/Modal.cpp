#include "platform/Modal.h"

#include <QCoreApplication>
#include <QVariant>

namespace wvs {

namespace {
ModalScript *g_modal = nullptr;
}

ModalScript::ModalScript() : previous_(g_modal) { g_modal = this; }
ModalScript::~ModalScript() { g_modal = previous_; }
ModalScript *ModalScript::current() { return g_modal; }

QStringList ModalScript::openedNames() const
{
    QStringList out;
    for (const auto &o : opened_)
        out << o.name;
    return out;
}

int ModalScript::run(QDialog *dialog)
{
    const QString name = dialog->objectName();
    opened_.append({name, dialog->property("Tag").toString()});
    Handler handler;
    for (int i = 0; i < handlers_.size(); ++i) {
        if (handlers_[i].name == name) {
            handler = handlers_[i].handler;
            if (handlers_[i].once)
                handlers_.removeAt(i);
            break;
        }
    }
    dialog->setResult(QDialog::Rejected);
    if (!handler)
        return QDialog::Rejected;
    dialog->setModal(true);
    dialog->show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (dialog->isVisible())
        handler(dialog);
    if (dialog->isVisible())
        dialog->close();
    QCoreApplication::processEvents();
    return dialog->result();
}

int showModal(QDialog *dialog)
{
    if (auto *s = ModalScript::current())
        return s->run(dialog);
    return dialog->exec();
}

} // namespace wvs
