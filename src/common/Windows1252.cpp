#include "common/Windows1252.h"

namespace wvs::Windows1252 {

namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes the code page
// leaves undefined keep the control characters Latin-1 gives them, so that
// they read back as they were written. The program keeps its own table: the
// system's converter is not on every machine, and where it is, it rebuilds
// itself for every character it lacks.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of one code point, or -1 when the code page lacks it.
int byteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const int b = byteOf(c);
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

QString firstMissing(const QString &text)
{
    for (const char32_t c : text.toUcs4())
        if (byteOf(c) < 0)
            return QString::fromUcs4(&c, 1);
    return QString();
}

} // namespace wvs::Windows1252
