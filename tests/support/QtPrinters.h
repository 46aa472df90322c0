#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt values in GoogleTest.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
inline void PrintTo(const QDate &d, std::ostream *os) { *os << d.toString(Qt::ISODate).toStdString(); }
// Bytes as a C string literal would give them: printable ASCII as it is, every other byte as \xNN.
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    static const char hex[] = "0123456789ABCDEF";
    *os << '"';
    for (const char c : b) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '"' || u == '\\')
            *os << '\\' << c;
        else if (u >= 0x20 && u < 0x7F)
            *os << c;
        else
            *os << "\\x" << hex[u >> 4] << hex[u & 0xF];
    }
    *os << '"';
}
