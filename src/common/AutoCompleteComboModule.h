#pragma once

class QComboBox;
class QString;

namespace wvs {

// Type-ahead for a combo box whose text must be one of its items: a printable
// key completes the text to the first item (in list order, any case) that
// begins with what was typed, selecting the completed part; Backspace cuts the
// completion, or else the last character as the user sees it (an emoji with
// its modifiers and joined parts, a letter with its accents); Enter passes
// on; any other key that types no printable character does not search.
// keyCode is the character typed (a code point, so an emoji counts as one).
// Returns the key code to deliver (0 swallows the key).
int AutoMatchCBBox(QComboBox *combo, int keyCode);

// The same for a key that types text: all of it is searched at once (an
// input method can give a character of several code points in one key).
int AutoMatchCBBox(QComboBox *combo, const QString &typed);

// Wires AutoMatchCBBox to the key presses of an editable combo box. A key
// pressed with Ctrl, Alt or Meta held never searches: a character held so
// types nothing and is left to the window (TypingLimit::isCommandCharacter),
// and the other keys are the box's own editing keys. AltGr's characters are
// searched as typed, Ctrl+Alt's only where Ctrl+Alt is AltGr (Windows). A
// paste by any way (the keys, the context menu, the middle button, a drop)
// and an input method's commit are searched as if typed, once mended as a
// one-line box takes them (TypingLimit::onOneLine): the box's text is always
// one of its items or the typed part of one.
void installAutoMatch(QComboBox *combo);

} // namespace wvs
