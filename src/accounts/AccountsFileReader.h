#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace wvs {

// Reads the comma- or tab-separated files that accounting packages export.
namespace AccountsFileReader {

// The file's text: a UTF-8 byte-order mark is dropped; text that is not
// valid UTF-8 is read as Windows-1252, the 8-bit code page such files are
// written in.
QString decode(const QByteArray &bytes);

// The separator of a file whose heading is its line number headingLine
// (from 0): a tab when the heading line holds one, else a comma.
QChar separatorOf(const QString &text, int headingLine);

// One record of the file and the line it starts on (from 1).
struct Record {
    int line = 0;
    QStringList fields;
    // A double quote opened in this record is not closed where a field can
    // end (or, in a file of one record a line, before the line ends): the
    // record has taken in text of other lines and cannot be read.
    bool unclosedQuote = false;
};

// Splits the text into records and fields. Lines end in CR LF, CR or LF. A
// field that starts with a double quote runs to the matching quote: it may
// hold separators (and line breaks when quotesSpanLines), and a doubled quote
// inside stands for one. An empty line is a record of one empty field.
QList<Record> records(const QString &text, QChar separator, bool quotesSpanLines = true);

} // namespace AccountsFileReader

} // namespace wvs
