#pragma once
#include <QString>
#include <vector>

namespace wvs::test {

// The control characters and separators every kind of entry meets, each
// between "AB" and "CD", with what a one-line value and a comment keep of
// "AB" + it + "CD". The separators end a line in a comment and are one blank
// on one line; a tab stays in a comment and is a blank on one line; every
// other control character (C0, DEL, C1) is dropped. An ID takes none of them.
struct ControlRow {
    const char *name;
    QString character;
    QString oneLine;  // what a one-line box, type-ahead search or one-line field keeps
    QString comment;  // what a comment keeps
    bool endsACard;   // a MYOB card (one line of its file) ends at it: no MYOB value holds it
};

inline const std::vector<ControlRow> &controlRows()
{
    static const std::vector<ControlRow> rows = {
        {"CR", "\r", "AB CD", "AB\nCD", true},
        {"LF", "\n", "AB CD", "AB\nCD", true},
        {"CR LF", "\r\n", "AB CD", "AB\nCD", true},
        {"vertical tab", "\v", "AB CD", "AB\nCD", false},
        {"form feed", "\f", "AB CD", "AB\nCD", false},
        {"next line U+0085", QString(QChar(0x0085)), "AB CD", "AB\nCD", false},
        {"line separator U+2028", QString(QChar(0x2028)), "AB CD", "AB\nCD", false},
        {"paragraph separator U+2029", QString(QChar(0x2029)), "AB CD", "AB\nCD", false},
        {"tab", "\t", "AB CD", "AB\tCD", false},
        {"NUL", QString(QChar(0)), "ABCD", "ABCD", false},
        {"U+0001", QString(QChar(0x01)), "ABCD", "ABCD", false},
        {"escape", QString(QChar(0x1B)), "ABCD", "ABCD", false},
        {"U+001F", QString(QChar(0x1F)), "ABCD", "ABCD", false},
        {"DEL", QString(QChar(0x7F)), "ABCD", "ABCD", false},
        {"U+0080", QString(QChar(0x80)), "ABCD", "ABCD", false},
        {"U+0081", QString(QChar(0x81)), "ABCD", "ABCD", false},
        {"U+008D", QString(QChar(0x8D)), "ABCD", "ABCD", false},
        {"U+008F", QString(QChar(0x8F)), "ABCD", "ABCD", false},
        {"U+0090", QString(QChar(0x90)), "ABCD", "ABCD", false},
        {"U+009D", QString(QChar(0x9D)), "ABCD", "ABCD", false},
        {"U+009F", QString(QChar(0x9F)), "ABCD", "ABCD", false},
    };
    return rows;
}

// "AB", the row's character, "CD".
inline QString withControl(const ControlRow &row) { return "AB" + row.character + "CD"; }

} // namespace wvs::test
