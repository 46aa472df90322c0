#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace wvs {

namespace {
MessageScript *g_script = nullptr;
}

MessageScript::MessageScript() : previous_(g_script) { g_script = this; }
MessageScript::~MessageScript() { g_script = previous_; }
MessageScript *MessageScript::current() { return g_script; }

QStringList MessageScript::texts() const
{
    QStringList out;
    for (const auto &m : shown_)
        out << m.text;
    return out;
}

MsgAnswer MessageScript::take(const ShownMessage &m)
{
    shown_.append(m);
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    switch (m.buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    default:
        return MsgAnswer::Yes;
    }
}

MsgAnswer msgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (auto *s = MessageScript::current())
        return s->take({text, buttons, icon, box.windowTitle().trimmed(), box.textFormat()});
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}

} // namespace wvs
