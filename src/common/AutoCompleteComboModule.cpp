#include "common/AutoCompleteComboModule.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace wvs {

int AutoMatchCBBox(QComboBox *combo, int keyCode)
{
    int result = 0;
    guarded("AutoCompleteComboModule", "AutoMatchCBBox", [&] {
        QLineEdit *edit = combo->lineEdit();
        if (!edit)
            return;
        const QString text = edit->text();
        const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int selLength = edit->hasSelectedText() ? edit->selectedText().size() : 0;

        // A key that types no printable character (Delete sends 127) is a
        // control key: it never searches.
        if (keyCode < 32 || !QChar::isPrint(char32_t(keyCode))) {
            switch (keyCode) {
            case 8: {
                QString cut = text;
                if (selLength > 0)
                    cut = text.left(selStart);
                else if (!cut.isEmpty())
                    // The last character goes whole: both halves of a pair.
                    cut.chop(cut.size() >= 2 && cut.back().isLowSurrogate() && cut.at(cut.size() - 2).isHighSurrogate() ? 2 : 1);
                edit->setText(cut);
                edit->setCursorPosition(cut.size());
                result = 0;
                break;
            }
            case 13:
                edit->deselect();
                edit->setCursorPosition(text.size());
                result = 13;
                break;
            default:
                edit->deselect();
                result = 0;
                break;
            }
            return;
        }

        // keyCode is a whole character, so a character beyond the basic
        // plane (an emoji) is searched as one, never as half of its pair.
        const char32_t character = char32_t(keyCode);
        const QString typed = QString::fromUcs4(&character, 1);
        const QString search = (selLength > 0 ? text.left(selStart) : text) + typed;
        for (int i = 0; i < combo->count(); ++i) {
            const QString item = combo->itemText(i);
            if (item.startsWith(search, Qt::CaseInsensitive)) {
                combo->setCurrentIndex(i);
                edit->setText(item);
                edit->setSelection(search.size(), item.size() - search.size());
                if (item.size() == search.size())
                    edit->setCursorPosition(item.size());
                return;
            }
        }
        msgBox(search + QStringLiteral(" not found"));
    });
    return result;
}

namespace {

class AutoMatchFilter : public QObject {
public:
    explicit AutoMatchFilter(QComboBox *combo) : QObject(combo), combo_(combo) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        int code = 0;
        switch (ke->key()) {
        case Qt::Key_Backspace: code = 8; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: code = 13; break;
        case Qt::Key_Escape: code = 27; break;
        default: {
            // Arrows, Tab, Delete, function keys: the combo's own handling.
            const QList<uint> typed = ke->text().toUcs4();
            if (typed.isEmpty() || !QChar::isPrint(char32_t(typed.first())))
                return false;
            code = int(typed.first());
        }
        }
        const int deliver = AutoMatchCBBox(combo_, code);
        if (deliver == 13)
            return false; // Enter goes on to the window (its default button)
        if (code == 27)
            return false; // Escape still closes the window
        return true;
    }

private:
    QComboBox *combo_;
};

} // namespace

void installAutoMatch(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    auto *filter = new AutoMatchFilter(combo);
    combo->installEventFilter(filter);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}

} // namespace wvs
