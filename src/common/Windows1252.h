#pragma once
#include <QByteArray>
#include <QString>

namespace wvs {

// The 8-bit code page of Windows in the countries this program serves: the
// accounting packages write their files in it, and the web portal reads and
// writes its text files in it. It differs from Latin-1 only in the bytes 0x80
// to 0x9F, which carry ’ – € “ ” and the like.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// "?" stands for every character the code page lacks; a character made of a
// surrogate pair becomes one "?".
QByteArray encode(const QString &text);

// The first character of text the code page does not define (one made of a
// surrogate pair whole), empty when it defines them all. The five bytes it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are written for the C1
// control characters of their numbers, which what reads them (the web
// portal) makes replacement characters: text bound for the portal is first
// refused any control character (TypingLimit::isMended), those five included.
QString firstMissing(const QString &text);

// Text as it reads back after being written in the code page.
inline QString asWritten(const QString &text) { return decode(encode(text)); }

} // namespace Windows1252

} // namespace wvs
