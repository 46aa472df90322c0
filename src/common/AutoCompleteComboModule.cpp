#include "common/AutoCompleteComboModule.h"
#include "platform/MessageBox.h"
#include "platform/ErrorHandlingModule.h"

#include <QComboBox>
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

class AutoMatchFilter : public QObject {
public:
    explicit AutoMatchFilter(QComboBox *combo) : QObject(combo), combo_(combo) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->modifiers() & Qt::AltModifier) {
            // A key with Alt held is no typing: the box takes nothing and
            // hands the key on to the window.
            if (!types(ke->text()))
                return false;
            ke->ignore();
            return true;
        }
        if (ke->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false; // the box's own keys: copy, paste, undo, select all
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
