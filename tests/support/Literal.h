#pragma once
#include <QString>
#include <cstddef>

namespace wvs::test {

// The text of every byte of a literal (as Latin-1), NULs inside it
// included: its length is the literal's own, never counted by hand.
template <std::size_t N>
QString bytesOf(const char (&literal)[N])
{
    return QString::fromLatin1(literal, qsizetype(N - 1));
}

} // namespace wvs::test
