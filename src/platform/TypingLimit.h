#pragma once
#include <QPointer>
#include <QValidator>

class QKeyEvent;
class QLineEdit;

namespace wvs {

class PasteCatcher;

// The most a user may type into a text box. Unlike QLineEdit's own maximum
// length it binds typing and pasting only: a value the program puts into the
// box (a stored value, a reformatted amount) is shown and kept whole, however
// long. An edit may make the text neither longer than the limit nor longer
// than it was, and a pasted text is cut so that no character is split (a
// surrogate pair, an emoji sequence, a letter with its accents).
//
// One rule for the control characters of every text that comes in (a
// paste, a drop, an input method's commit, an import): the separators that
// end a line somewhere (CR, LF, CR LF as one, vertical tab, form feed, NEL,
// the Unicode line and paragraph separators) end a line in a multi-line
// value and are one blank in a one-line value; a tab stays in a multi-line
// value and is a blank in a one-line one; every other control character (C0,
// NUL among them, DEL and C1) is dropped. A one-line value also loses its
// trailing line breaks. The limit applies to what is left.
//
// A paste (Ctrl+V, Shift+Insert, the middle button, the context menu), a
// drop or an input method's commit that must be mended goes in mended, as
// one step of the box's undo history, as any paste does: Ctrl+Z takes it
// back and the box is modified.
//
// A key held with a key that is not a typing one types nothing (see
// isCommandCharacter and guardCommandKeys): it goes on to the window, as when
// a greyed button's mnemonic is pressed.
class TypingLimit : public QValidator {
    Q_OBJECT
public:
    // Puts the limit on the box (in UTF-16 units, as QString counts); a
    // limit of 0 or less leaves the length free and only mends line breaks.
    static void apply(QLineEdit *box, int limit);

    // The longest start of text within limit units that ends on a whole character.
    static QString cutToLimit(const QString &text, int limit);

    // A separator that ends a line: CR, LF, vertical tab, form feed, NEL
    // (U+0085), the line separator (U+2028) and the paragraph separator (U+2029).
    static bool isLineBreak(QChar c);

    // A control character that no text keeps, in any box: C0 but tab and
    // the line breaks, DEL, and C1 but NEL. A NUL would cut the text short
    // wherever it goes on (the database's text functions, the export
    // files), and the rest show as nothing or as boxes.
    static bool isDroppedControl(QChar c);

    // A character a one-line value never holds as it stands: a line break,
    // a tab or a dropped control character.
    static bool isMended(QChar c);

    // A key that would type a character (a tab too) but is held with a key
    // that is not a typing one: Meta, Alt, or Ctrl on the keypad (Ctrl's
    // other keys type nothing in any box). Such a key is a command of the
    // window, a button's mnemonic, greyed or not, and no box types it.
    // AltGr's characters type: AltGr as its own level (Qt::GroupSwitchModifier,
    // or no key held at all) holds no Alt, and where the window system sends
    // AltGr as Ctrl+Alt (ctrlAltIsAltGr), Ctrl with Alt is AltGr. Elsewhere
    // (the X server, Wayland) Ctrl+Alt with any character is a command.
    // The rule of the window system the program runs on:
    static bool isCommandCharacter(const QKeyEvent *key);
    // The rule of the window system Qt names windowSystem (its platform name).
    static bool isCommandCharacter(const QKeyEvent *key, const QString &windowSystem);
    // Whether the window system Qt names windowSystem sends AltGr as Ctrl+Alt:
    // Windows does (its "windows" and "direct2d" platforms), the X server
    // ("xcb"), Wayland and the ones without a keyboard of their own do not.
    static bool ctrlAltIsAltGr(const QString &windowSystem);
    // Puts the one guard of such keys on the application, once: every text
    // box, multi-line box and combo box (editable or not, whose own letter
    // search would change the choice) hands them on to the window. Each kind
    // of box, and every window, calls it as it is made.
    static void guardCommandKeys();

    // The text a key types into a box where Qt takes it as input: a
    // printable character (a formatting or private-use one too, and a tab
    // where tabTypes), never one held with Ctrl alone or Ctrl and Shift;
    // nothing for any other key.
    static QString typedBy(const QKeyEvent *key, bool tabTypes);

    // A text as one line: trailing line breaks dropped, inner ones and tabs
    // blanks, other control characters dropped.
    static QString onOneLine(const QString &pasted);

    // A text as lines: every line break one "\n" (CR LF counts once), tabs
    // kept, other control characters dropped.
    static QString asLines(const QString &given);

    // Where an edit that turned before into after put its new text: after is
    // before.left(head) + the new text + before.right(tail), and no
    // character is split at either border.
    struct Insertion {
        qsizetype head = 0;
        qsizetype tail = 0;
    };
    static Insertion insertionOf(const QString &before, const QString &after);

    ~TypingLimit() override;

    State validate(QString &input, int &pos) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TypingLimit(QLineEdit *box, int limit);

    // What of an inserted text may go in when kept units of the box's text stay.
    QString fitting(const QString &inserted, qsizetype kept) const;
    // Puts a pasted text that must be mended in at the cursor, over the selection.
    void paste(const QString &pasted);

    QLineEdit *box_;
    int limit_;
    QString last_; // the box's text before the edit being checked
    QPointer<PasteCatcher> catcher_;
};

} // namespace wvs
