#pragma once
#include "accounts/AccountsFileWriter.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

namespace wvs {

// Reads the comma- or tab-separated files that accounting packages export,
// one line at a time, so that what it holds does not grow with the file.
//
// Encoding, by package, never guessed from the whole file:
// - a MYOB file is Windows-1252 unless it begins with a UTF-8 byte-order mark;
// - a Xero file is UTF-8 (with or without the mark); one that is not valid
//   UTF-8 and holds no valid multi-byte UTF-8 sequence is Windows-1252. A file
//   that mixes the two cannot be read safely: reading stops at the line where
//   the mix shows, naming the first line that is not valid UTF-8.
//
// Separators and quotes: the separator is a tab when the heading line holds
// one (where the package allows it), else a comma. In a tab-separated file a
// double quote is a plain character. In a comma-separated file a value is
// quoted only when it begins with a double quote and its closing quote is
// followed by the separator or the end of the line (a doubled quote inside
// stands for one); otherwise its quotes are kept as they stand. A quoted
// value of a Xero file may run over line breaks; one of a MYOB file may not.
class AccountsFileReader {
public:
    enum class Encoding { Utf8, Windows1252 };

    struct Layout {
        AccountsPackage package = AccountsPackage::MYOB;
        int headingLine = 0;        // the heading's line number, from 0
        bool tabsAllowed = false;   // a tab in the heading makes the file tab-separated
    };

    // One record of the file and the line it starts on (from 1).
    struct Record {
        qint64 line = 0;
        QStringList fields;
    };

    // No line, nor a quoted value running over lines, is taken longer than
    // this many characters: no customer's line comes near it.
    static constexpr qsizetype LongestRecord = 1 << 20;

    explicit AccountsFileReader(const Layout &layout) : layout_(layout) {}

    // Opens the file. A file that is missing, a folder, or cannot be opened
    // throws a WvsError that says which.
    void open(const QString &fileName);

    // The file holds nothing at all (a byte-order mark alone is nothing).
    bool isEmpty();

    // The next record from the heading line on (the lines before it are
    // read and passed over); nothing at the end of the file. A line that
    // cannot be read throws a WvsError naming it.
    std::optional<Record> next();

    // The encoding the file has been read in so far.
    Encoding encoding() const;
    static QString encodingName(Encoding e);

private:
    bool readLine(QByteArray &line, QByteArray &ending);
    void fill();
    QString decodeLine(QByteArray line);

    enum class Step { RecordEnds, ValueOpen, Unclosed };
    Step readFields(const QString &line, qsizetype from);
    Step continueValue(const QString &line);

    Layout layout_;
    QString fileName_;
    QFile file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qsizetype scanned_ = 0;   // buffer_ from pos_ to here holds no line end
    bool atEnd_ = false;
    qint64 lineNo_ = 0;       // lines read so far

    bool started_ = false;    // the first line (and its byte-order mark) has been looked at
    bool byteOrderMark_ = false;
    bool sawMultiByte_ = false;
    qint64 firstNotUtf8_ = 0;

    QChar separator_ = QLatin1Char(',');
    // The record being read.
    QStringList fields_;
    QString openValue_;       // a quoted value that runs on to the next line
    bool valueOpen_ = false;
};

} // namespace wvs
