#include "accounts/AccountsFileReader.h"
#include "common/Windows1252.h"
#include "platform/WvsError.h"

#include <QFileInfo>
#include <utility>

namespace wvs {

namespace {

constexpr qint64 kChunk = 64 * 1024;
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Whether bytes are valid UTF-8, and whether they hold at least one valid
// sequence of two or more bytes. Overlong forms, surrogates and code points
// above U+10FFFF are not valid.
struct Utf8Scan {
    bool valid = true;
    bool multiByte = false;
};

Utf8Scan scanUtf8(const QByteArray &bytes)
{
    Utf8Scan s;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        }
        bool ok = length > 0 && i + length <= n;
        for (int k = 1; ok && k < length; ++k) {
            const unsigned d = p[i + k];
            ok = k == 1 ? (d >= low && d <= high) : (d >= 0x80 && d <= 0xBF);
        }
        if (ok) {
            s.multiByte = true;
            i += length;
        } else {
            s.valid = false;
            ++i;
        }
    }
    return s;
}

[[noreturn]] void neverClosed(qint64 line)
{
    throw WvsError(ErrorNumber::PastEndOfFile,
                   QStringLiteral("Line %1 cannot be read: a double quote in it is never closed").arg(line));
}

} // namespace

void AccountsFileReader::open(const QString &fileName)
{
    fileName_ = fileName;
    const QFileInfo info(fileName);
    if (!info.exists())
        throw WvsError(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (info.isDir())
        throw WvsError(ErrorNumber::FileAccess, QStringLiteral("%1 is a folder, not a file").arg(fileName));
    file_.setFileName(fileName);
    if (!file_.open(QIODevice::ReadOnly)) {
        if (!info.isReadable())
            throw WvsError(ErrorNumber::PermissionDenied,
                           QStringLiteral("Permission denied: %1 cannot be read").arg(fileName));
        throw WvsError(ErrorNumber::FileAccess, QStringLiteral("%1 cannot be opened: %2").arg(fileName, file_.errorString()));
    }
}

void AccountsFileReader::fill()
{
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        scanned_ -= pos_;
        pos_ = 0;
    }
    const qsizetype had = buffer_.size();
    buffer_.resize(had + kChunk);
    const qint64 got = file_.read(buffer_.data() + had, kChunk);
    buffer_.resize(had + qMax<qint64>(got, 0));
    if (got < 0)
        throw WvsError(ErrorNumber::DeviceIO, QStringLiteral("%1 could not be read after line %2: %3")
                                      .arg(fileName_)
                                      .arg(lineNo_)
                                      .arg(file_.errorString()));
    if (got == 0)
        atEnd_ = true;
}

bool AccountsFileReader::isEmpty()
{
    while (!atEnd_ && buffer_.size() - pos_ < kByteOrderMark.size())
        fill();
    const QByteArray start = buffer_.mid(pos_);
    return start.isEmpty() || (atEnd_ && start == kByteOrderMark);
}

// A line ends at CR LF, CR or LF.
bool AccountsFileReader::readLine(QByteArray &line, QByteArray &ending)
{
    for (;;) {
        const char *d = buffer_.constData();
        const qsizetype n = buffer_.size();
        qsizetype j = scanned_;
        while (j < n && d[j] != '\r' && d[j] != '\n')
            ++j;
        scanned_ = j;
        if (j - pos_ > LongestRecord)
            throw WvsError(ErrorNumber::BadFileFormat, QStringLiteral("Line %1 is longer than %2 bytes and cannot be read")
                                               .arg(lineNo_ + 1)
                                               .arg(LongestRecord));
        if (j < n) {
            if (d[j] == '\r' && j + 1 == n && !atEnd_) {
                fill();   // is the CR followed by an LF?
                continue;
            }
            const bool crlf = d[j] == '\r' && j + 1 < n && d[j + 1] == '\n';
            line = buffer_.mid(pos_, j - pos_);
            ending = crlf ? QByteArray("\r\n") : QByteArray(1, d[j]);
            pos_ = scanned_ = j + (crlf ? 2 : 1);
            ++lineNo_;
            return true;
        }
        if (atEnd_) {
            if (pos_ >= n)
                return false;
            line = buffer_.mid(pos_);
            ending.clear();
            pos_ = scanned_ = n;
            ++lineNo_;
            return true;
        }
        fill();
    }
}

QString AccountsFileReader::decodeLine(QByteArray line)
{
    if (!started_) {
        started_ = true;
        if (line.startsWith(kByteOrderMark)) {
            byteOrderMark_ = true;
            line.remove(0, kByteOrderMark.size());
        }
    }
    if (layout_.package == AccountsPackage::MYOB && !byteOrderMark_)
        return Windows1252::decode(line);
    const Utf8Scan scan = scanUtf8(line);
    if (byteOrderMark_) {
        if (!scan.valid)
            throw WvsError(ErrorNumber::BadFileFormat, QStringLiteral("Line %1 is not valid UTF-8, although the file begins with "
                                                          "the UTF-8 byte-order mark")
                                               .arg(lineNo_));
        return QString::fromUtf8(line);
    }
    sawMultiByte_ = sawMultiByte_ || scan.multiByte;
    if (!scan.valid && firstNotUtf8_ == 0)
        firstNotUtf8_ = lineNo_;
    if (firstNotUtf8_ > 0 && sawMultiByte_)
        throw WvsError(ErrorNumber::BadFileFormat, QStringLiteral("Line %1 is not valid UTF-8, but the file also holds UTF-8 "
                                                      "text: a file that mixes two encodings cannot be read safely")
                                           .arg(firstNotUtf8_));
    // Until a line shows otherwise every line read was plain ASCII, which
    // reads the same either way.
    return firstNotUtf8_ > 0 ? Windows1252::decode(line) : QString::fromUtf8(line);
}

AccountsFileReader::Encoding AccountsFileReader::encoding() const
{
    if (layout_.package == AccountsPackage::MYOB)
        return byteOrderMark_ ? Encoding::Utf8 : Encoding::Windows1252;
    return firstNotUtf8_ > 0 ? Encoding::Windows1252 : Encoding::Utf8;
}

QString AccountsFileReader::encodingName(Encoding e)
{
    return e == Encoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252");
}

AccountsFileReader::Step AccountsFileReader::readFields(const QString &line, qsizetype from)
{
    const bool quoting = separator_ == QLatin1Char(',');
    const qsizetype n = line.size();
    qsizetype i = from;
    for (;;) {
        bool taken = false;
        if (quoting && i < n && line.at(i) == QLatin1Char('"')) {
            QString value;
            qsizetype k = i + 1;
            bool closed = false;
            while (k < n) {
                if (line.at(k) == QLatin1Char('"')) {
                    if (k + 1 < n && line.at(k + 1) == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        k += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                value += line.at(k++);
            }
            if (!closed) {
                // A MYOB card is one line.
                if (layout_.package == AccountsPackage::MYOB)
                    return Step::Unclosed;
                openValue_ = value;
                valueOpen_ = true;
                return Step::ValueOpen;
            }
            // Quoted only when the closing quote ends the value; otherwise
            // the quotes are part of it.
            if (k + 1 >= n || line.at(k + 1) == separator_) {
                fields_ << value;
                i = k + 1;
                taken = true;
            }
        }
        if (!taken) {
            qsizetype end = line.indexOf(separator_, i);
            if (end < 0)
                end = n;
            fields_ << line.mid(i, end - i);
            i = end;
        }
        if (i < n) {
            ++i;   // past the separator
            continue;
        }
        return Step::RecordEnds;
    }
}

AccountsFileReader::Step AccountsFileReader::continueValue(const QString &line)
{
    const qsizetype n = line.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = line.at(k);
        if (c != QLatin1Char('"')) {
            openValue_ += c;
            continue;
        }
        if (k + 1 < n && line.at(k + 1) == QLatin1Char('"')) {
            openValue_ += c;
            ++k;
            continue;
        }
        // A quote that took in line breaks closes only where a value ends;
        // anywhere else it was never meant to open.
        if (k + 1 < n && line.at(k + 1) != separator_)
            return Step::Unclosed;
        fields_ << std::exchange(openValue_, QString());
        valueOpen_ = false;
        return k + 1 >= n ? Step::RecordEnds : readFields(line, k + 2);
    }
    return Step::ValueOpen;
}

std::optional<AccountsFileReader::Record> AccountsFileReader::next()
{
    QByteArray raw;
    QByteArray ending;
    qint64 recordLine = lineNo_ + 1;
    for (;;) {
        if (!readLine(raw, ending)) {
            if (valueOpen_)
                neverClosed(recordLine);
            return std::nullopt;
        }
        const QString line = decodeLine(std::move(raw));
        if (lineNo_ <= layout_.headingLine)
            continue;   // before the heading
        if (lineNo_ == layout_.headingLine + 1 && layout_.tabsAllowed && line.contains(QLatin1Char('\t')))
            separator_ = QLatin1Char('\t');
        Step step;
        if (valueOpen_) {
            step = continueValue(line);
        } else {
            recordLine = lineNo_;
            fields_.clear();
            step = readFields(line, 0);
        }
        if (step == Step::ValueOpen)
            openValue_ += QString::fromLatin1(ending);   // the value holds the line break as written
        if (step == Step::Unclosed || (valueOpen_ && openValue_.size() > LongestRecord))
            neverClosed(recordLine);
        if (step == Step::RecordEnds)
            return Record{recordLine, std::exchange(fields_, QStringList())};
    }
}

} // namespace wvs
