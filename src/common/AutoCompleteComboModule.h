#pragma once

class QComboBox;

namespace wvs {

// Type-ahead for a combo box whose text must be one of its items: a printable
// key completes the text to the first item (in list order, any case) that
// begins with what was typed, selecting the completed part; Backspace cuts the
// completion or the last character; Enter passes on; any other key that types
// no printable character does not search. keyCode is the whole character typed
// (a code point, so an emoji counts as one). Returns the key code to deliver
// (0 swallows the key).
int AutoMatchCBBox(QComboBox *combo, int keyCode);

// Wires AutoMatchCBBox to the key presses of an editable combo box.
void installAutoMatch(QComboBox *combo);

} // namespace wvs
