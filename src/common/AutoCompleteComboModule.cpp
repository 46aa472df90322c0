#include "common/AutoCompleteComboModule.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/PasteCatcher.h"
#include "platform/TypingLimit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBoundaryFinder>

namespace wvs {

namespace {

// Whether a key's text types something: printable characters, with the
// joiners and marks that format them (the joiner of an emoji sequence), and
// no control character.
bool types(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const char32_t c : text.toUcs4())
        if (!QChar::isPrint(c) && QChar::category(c) != QChar::Other_Format)
            return false;
    return true;
}

// The text without its last character as the user sees it.
QString withoutLastCharacter(const QString &text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.toEnd();
    return text.left(qMax<qsizetype>(0, graphemes.toPreviousBoundary()));
}

} // namespace

int AutoMatchCBBox(QComboBox *combo, int keyCode)
{
    if (keyCode >= 32) {
        const char32_t character = char32_t(keyCode);
        return AutoMatchCBBox(combo, QString::fromUcs4(&character, 1));
    }
    int result = 0;
    guarded("AutoCompleteComboModule", "AutoMatchCBBox", [&] {
        QLineEdit *edit = combo->lineEdit();
        if (!edit)
            return;
        const QString text = edit->text();
        switch (keyCode) {
        case 8: {
            // The completion goes back to what was typed; with none, the
            // last character goes whole.
            const QString cut = edit->hasSelectedText() ? text.left(edit->selectionStart()) : withoutLastCharacter(text);
            edit->setText(cut);
            edit->setCursorPosition(int(cut.size()));
            break;
        }
        case 13:
            edit->deselect();
            edit->setCursorPosition(int(text.size()));
            result = 13;
            break;
        default:
            edit->deselect();
            break;
        }
    });
    return result;
}

int AutoMatchCBBox(QComboBox *combo, const QString &typed)
{
    // A key that types no printable character (Delete sends 127) is a
    // control key: it never searches.
    if (!types(typed))
        return AutoMatchCBBox(combo, 0);
    guarded("AutoCompleteComboModule", "AutoMatchCBBox", [&] {
        QLineEdit *edit = combo->lineEdit();
        if (!edit)
            return;
        const QString text = edit->text();
        const QString search = (edit->hasSelectedText() ? text.left(edit->selectionStart()) : text) + typed;
        for (int i = 0; i < combo->count(); ++i) {
            const QString item = combo->itemText(i);
            if (item.startsWith(search, Qt::CaseInsensitive)) {
                combo->setCurrentIndex(i);
                edit->setText(item);
                edit->setSelection(int(search.size()), int(item.size() - search.size()));
                if (item.size() == search.size())
                    edit->setCursorPosition(int(item.size()));
                return;
            }
        }
        msgBox(search + QStringLiteral(" not found"));
    });
    return 0;
}

namespace {

// A text pasted, dropped or committed by an input method, searched as if
// typed once it is mended as a one-line box would take it.
void searchPasted(QComboBox *combo, const QString &pasted)
{
    const QString typed = TypingLimit::onOneLine(pasted);
    if (!typed.isEmpty())
        AutoMatchCBBox(combo, typed);
}

class AutoMatchFilter : public QObject {
public:
    explicit AutoMatchFilter(QComboBox *combo) : QObject(combo), combo_(combo) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::InputMethod)
            return inputMethod(watched, static_cast<QInputMethodEvent *>(event));
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        // A character held with Alt or Meta, or Ctrl on the keypad, never gets
        // here (TypingLimit::guardCommandKeys). The other keys held with them
        // are the box's own: Ctrl's copy,
        // paste (the paste catcher's, which searches it), undo and select
        // all, Alt+Down's list. A character held with Ctrl and Alt gets here
        // only where Ctrl+Alt is AltGr (Windows): it is searched as typed.
        const Qt::KeyboardModifiers held = ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (held && held != (Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (ke->key()) {
        case Qt::Key_Backspace:
            AutoMatchCBBox(combo_, 8);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            AutoMatchCBBox(combo_, 13);
            return false; // Enter goes on to the window (its default button)
        case Qt::Key_Escape:
            AutoMatchCBBox(combo_, 27);
            return false; // Escape still closes the window
        default:
            // Arrows, Tab, Delete, function keys: the combo's own handling.
            if (!types(ke->text()))
                return false;
            AutoMatchCBBox(combo_, ke->text());
            return true;
        }
    }

private:
    // An input method's commit is searched as typed; its composing text
    // goes on to the box, which shows it until the commit.
    bool inputMethod(QObject *watched, QInputMethodEvent *e)
    {
        if (e->commitString().isEmpty())
            return false;
        searchPasted(combo_, e->commitString());
        QInputMethodEvent composing(e->preeditString(), e->attributes());
        QCoreApplication::sendEvent(watched, &composing);
        e->accept();
        return true;
    }

    QComboBox *combo_;
};

} // namespace

void installAutoMatch(QComboBox *combo)
{
    TypingLimit::guardCommandKeys();
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    auto *filter = new AutoMatchFilter(combo);
    combo->installEventFilter(filter);
    if (QLineEdit *edit = combo->lineEdit()) {
        edit->installEventFilter(filter);
        // Every paste is searched as if typed, never put in as it is. The
        // box's menu is its line edit's own; the catcher shows it whether
        // the pointer (on the line edit) or the menu key (on the combo box,
        // which holds the focus) asks for it.
        edit->setContextMenuPolicy(Qt::DefaultContextMenu);
        new PasteCatcher(edit, PasteCatcher::Where::AsTyped, [](const QString &) { return true; },
                         [combo](const QString &pasted) { searchPasted(combo, pasted); });
    }
}

} // namespace wvs
