#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt values in GoogleTest.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
inline void PrintTo(const QDate &d, std::ostream *os) { *os << d.toString(Qt::ISODate).toStdString(); }
