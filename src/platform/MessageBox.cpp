#include "platform/MessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextBoundaryFinder>

namespace wvs {

namespace {
MessageScript *g_script = nullptr;

// The text with a zero-width break opportunity between every two characters
// (whole characters, marks and all) of each word wider than widest pixels in
// fm (a file's path, a server's reply without a blank): such a word breaks
// where it must instead of being clipped at the box's edge, and shows as
// before. Shorter words stay whole.
QString breakableAnywhere(const QString &text, const QFontMetrics &fm, int widest)
{
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        const QString word = text.mid(start, end - start);
        if (fm.horizontalAdvance(word) > widest) {
            QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, word);
            qsizetype from = 0;
            for (qsizetype to = characters.toNextBoundary(); to > 0; to = characters.toNextBoundary()) {
                if (from > 0)
                    out += QChar(0x200B);
                out += word.mid(from, to - from);
                from = to;
            }
        } else {
            out += word;
        }
        for (start = end; start < text.size() && text.at(start).isSpace(); ++start)
            out += text.at(start);
    }
    return out;
}
} // namespace

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
    // A box is at most half the screen wide before it widens for a long word,
    // and never wider than the screen: a word wider than that half breaks.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        const int half = box.screen()->availableGeometry().width() / 2;
        label->setText(breakableAnywhere(text, label->fontMetrics(), std::min(half, 500)));
    }
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
