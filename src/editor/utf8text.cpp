#include "editor/utf8text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// How long a sequence the lead byte b announces, 0 for a byte that cannot
// lead one.
int sequenceLength(unsigned char b)
{
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

// The well-formed sequence of length bytes at pos (checked by the caller to
// lie inside the text), or a character of 0 bytes.
Utf8Char decode(QByteArrayView text, qsizetype pos, int length)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (length == 1)
        return {lead, 1};
    for (int i = 1; i < length; ++i)
        if (!isContinuation(byte(i)))
            return {};
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        code = (code << 6) | (byte(i) & 0x3F);
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are
    // not characters.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return {};
    return {code, length};
}

} // namespace

Utf8Char utf8CharAt(QByteArrayView text, qsizetype pos)
{
    if (pos < 0 || pos >= text.size())
        return {};
    const int length = sequenceLength(static_cast<unsigned char>(text[pos]));
    if (length > 0 && pos + length <= text.size())
        if (const Utf8Char c = decode(text, pos, length); c.bytes > 0)
            return c;
    return {kReplacement, 1};
}

Utf8Char utf8CharBefore(QByteArrayView text, qsizetype pos)
{
    if (pos <= 0 || pos > text.size())
        return {};
    // Back over at most three continuation bytes to the lead byte whose
    // sequence ends exactly at pos.
    qsizetype start = pos - 1;
    while (start > 0 && pos - start < 4 && isContinuation(static_cast<unsigned char>(text[start])))
        --start;
    if (sequenceLength(static_cast<unsigned char>(text[start])) == pos - start)
        if (const Utf8Char c = decode(text, start, int(pos - start)); c.bytes > 0)
            return c;
    return {kReplacement, 1};
}
