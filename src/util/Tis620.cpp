#include "util/Tis620.h"

#include <array>

namespace tis620 {

namespace {

constexpr char16_t None = 0xFFFD;

// 0x80 to 0xA0: only code page 874 gives these a character.
constexpr std::array<char16_t, 0x21> Upper = {
    0x20AC, None,   None,   None,   None,   0x2026, None,   None,   // 0x80
    None,   None,   None,   None,   None,   None,   None,   None,   // 0x88
    None,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    None,   None,   None,   None,   None,   None,   None,   None,   // 0x98
    0x00A0,                                                         // 0xA0
};

constexpr char16_t character(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte <= 0xA0)
        return Upper[byte - 0x80];
    // The Thai block in the same order: 0xA1 is U+0E01, with the gaps U+0E3B-U+0E3E and
    // U+0E5C-U+0E5F that no byte reaches.
    if (byte <= 0xDA || (byte >= 0xDF && byte <= 0xFB))
        return char16_t(0x0E00 + (byte - 0xA0));
    return None;
}

int byteOf(char16_t c)
{
    if (c < 0x80)
        return c;
    if ((c >= 0x0E01 && c <= 0x0E3A) || (c >= 0x0E3F && c <= 0x0E5B))
        return 0xA0 + (c - 0x0E00);
    for (std::size_t i = 0; i < Upper.size(); ++i) {
        if (Upper[i] == c && c != None)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QString decode(QByteArrayView bytes, qsizetype *badOffset)
{
    if (badOffset)
        *badOffset = -1;
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char16_t c = character(static_cast<unsigned char>(bytes[i]));
        if (c == None && badOffset && *badOffset < 0)
            *badOffset = i;
        out[i] = QChar(c);
    }
    return text;
}

QByteArray encode(QStringView text, qsizetype *badIndex)
{
    if (badIndex)
        *badIndex = -1;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        int b = byteOf(text[i].unicode());
        if (b < 0) {
            if (badIndex && *badIndex < 0)
                *badIndex = i;
            b = '?';
        }
        bytes[i] = char(b);
    }
    return bytes;
}

} // namespace tis620
