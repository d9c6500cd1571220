#pragma once

// Thai in TIS-620, the single-byte encoding of older Thai exports, with the additions of code
// page 874 (the euro sign, curly quotes, dashes, the bullet, the no-break space), which Windows
// programs write under that name. Qt has no codec for it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tis620 {

// The text of the bytes. A byte that stands for no character (0xDB to 0xDE, 0xFC to 0xFF and
// the unused ones of 0x80 to 0x9F) becomes U+FFFD; badOffset, when given, is set to the first
// such byte's offset, or -1 when there is none.
QString decode(QByteArrayView bytes, qsizetype *badOffset = nullptr);

// The bytes of the text. A character with no byte becomes '?'; badIndex, when given, is set to
// the index of the first such character in the text, or -1 when there is none.
QByteArray encode(QStringView text, qsizetype *badIndex = nullptr);

} // namespace tis620
