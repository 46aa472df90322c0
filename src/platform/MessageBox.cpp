#include "platform/MessageBox.h"

#include "platform/MultiLineText.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <algorithm>
#include <cmath>

namespace wvs {

namespace {
MessageScript *g_script = nullptr;

// The message as the box shows it: read-only text that breaks a word wider
// than the box (a file's path, a server's reply without a blank) between any
// two characters where it must, and scrolls when it is taller than the
// screen allows. Nothing is put into the text to break it: every way of
// copying (the keys, the context menu, the X selection a mouse selection
// makes) gives the message's own characters, a CR LF that shows as one line
// end copied as CR LF.
class MessageText : public MultiLineText {
public:
    MessageText(const QString &text, QWidget *parent) : MultiLineText(parent), said_(text)
    {
        setObjectName(QStringLiteral("MessageText"));
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        setFocusPolicy(Qt::ClickFocus); // as a label: Tab goes from button to button
        setFrameShape(QFrame::NoFrame);
        viewport()->setAutoFillBackground(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A scroll bar only for a text taller than the screen allows: one
        // that came and went would narrow the text, wrap it anew and hide
        // its last line.
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        document()->setDocumentMargin(0);
        setPlainText(text);
        // Each character of the document stands for one of the message's,
        // but a CR LF is one line end: where each one starts in the message.
        const QString shown = document()->toRawText();
        starts_.reserve(shown.size() + 1);
        qsizetype i = 0;
        for (QChar c : shown) {
            starts_.append(i);
            i += c == QChar::ParagraphSeparator && QStringView(said_).mid(i, 2) == u"\r\n" ? 2 : 1;
        }
        starts_.append(said_.size());
    }

    // What the view takes around its viewport: its frame and margins.
    QSize chrome() const
    {
        const QMargins margins = viewportMargins();
        return size() - contentsRect().size() + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }

    // Makes the view's viewport width pixels wide and has the view lay its
    // text out there, as it does when shown: how many lines, the widest of
    // them, and the height the viewport needs so that nothing is left to
    // scroll (the view counts a line as seen only with a pixel to spare
    // below it).
    struct Lines {
        int count = 0;
        qreal widest = 0;
        int height = 0;
    };
    Lines layOut(int width)
    {
        setFixedWidth(width + chrome().width());
        // The resizes the view and its viewport get when shown: the view
        // places its viewport, and lays its text out at the viewport's width.
        QResizeEvent resized(size(), QSize());
        QCoreApplication::sendEvent(this, &resized);
        QResizeEvent viewportResized(viewport()->size(), QSize());
        QCoreApplication::sendEvent(viewport(), &viewportResized);
        const QAbstractTextDocumentLayout *layout = document()->documentLayout();
        Lines lines;
        qreal height = 0;
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
            height += layout->blockBoundingRect(b).height();
            for (int i = 0; i < b.layout()->lineCount(); ++i, ++lines.count)
                lines.widest = std::max(lines.widest, b.layout()->lineAt(i).naturalTextWidth());
        }
        lines.height = int(std::ceil(height + document()->documentMargin())) + 1;
        return lines;
    }

protected:
    // Copy with nothing selected (after a click into the text) is left to the
    // box, which copies the whole message.
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->matches(QKeySequence::Copy) && !textCursor().hasSelection()) {
            e->ignore();
            return;
        }
        MultiLineText::keyPressEvent(e);
    }

    QMimeData *createMimeDataFromSelection() const override
    {
        const QTextCursor cursor = textCursor();
        const qsizetype from = starts_.value(cursor.selectionStart(), said_.size());
        const qsizetype to = starts_.value(cursor.selectionEnd(), said_.size());
        auto *data = new QMimeData;
        data->setText(said_.mid(from, to - from));
        return data;
    }

private:
    QString said_;
    QList<qsizetype> starts_;
};

// The box answers Copy (Ctrl+C, Ctrl+Insert) where its text does not take it:
// a button has the focus, or nothing of the text is selected. The whole
// message goes to the clipboard, as the program says it.
class Box : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (!e->matches(QKeySequence::Copy)) {
            QMessageBox::keyPressEvent(e);
            return;
        }
        QGuiApplication::clipboard()->setText(text());
        e->accept();
    }
};

// Puts the message's text in place of the box's label and sizes it: the box
// at most half the screen wide (500 pixels at most) unless its buttons ask
// for more, a short message no wider than it needs; the text no taller than
// leaves the box's frame, buttons and all, within the screen's height (the
// box's own title bar as tall as its opener's): a taller text scrolls. The
// label stays, hidden, with the message.
void showTextIn(QMessageBox &box, const QString &text)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!label || !grid || grid->indexOf(label) < 0)
        return;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rows, &columns);
    auto *view = new MessageText(text, &box);
    grid->addWidget(view, row, column, rows, columns);
    label->hide();
    box.ensurePolished();
    QWidget *opener = box.parentWidget();
    const QRect screen = (opener ? opener->screen() : box.screen())->availableGeometry();
    int titleBar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    if (opener)
        titleBar = std::max(titleBar, opener->frameGeometry().height() - opener->geometry().height());

    // What the box takes besides the text: margins, the icon, the buttons.
    constexpr int large = 4000;
    view->setFixedSize(large, large);
    grid->invalidate();
    const QSize around = grid->totalMinimumSize() - QSize(large, large);

    // The text as wide as its widest line when no paragraph wraps at the
    // widest the box allows, else that widest; its height as the view lays
    // it out at that width.
    const int widest = std::max(std::min(screen.width() / 2, 500) - around.width() - view->chrome().width(),
                                view->fontMetrics().averageCharWidth() * 20);
    MessageText::Lines lines = view->layOut(widest);
    const int natural = int(std::ceil(lines.widest)) + view->cursorWidth();
    const int width = lines.count == view->document()->blockCount() ? std::min(natural, widest) : widest;
    if (width != widest)
        lines = view->layOut(width);
    const int needed = lines.height + view->chrome().height();
    const int tallest = std::max(screen.height() - titleBar - around.height(), view->fontMetrics().lineSpacing() * 3);
    if (needed <= tallest) {
        view->setFixedHeight(needed);
    } else {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setFixedSize(width + view->chrome().width()
                               + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view),
                           tallest);
    }
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
    if (whileShown)
        whileShown(m);
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
    Box box(QApplication::activeWindow());
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
    showTextIn(box, text);
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
