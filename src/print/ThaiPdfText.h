#pragma once

// Thai text drawn so that a PDF made of it reads back as written. Qt's PDF writer tells each
// glyph's character from the font's character map alone, which Thai shaping defeats twice:
// - sara am (ำ) is shaped as two glyphs, nikhahit and sara aa, which read back as "ํา";
// - some marks and letters are drawn with glyphs the font reaches only through private-use code
//   points (a tone mark lowered where no vowel sits above, an upper vowel or tone mark moved left
//   of a tall consonant, ญ and ฐ without their foot), which read back as those code points.

#include <QByteArray>
#include <QPointF>

class QFont;
class QPainter;
class QString;

namespace print {

// Draws one line of text with its line box's top-left corner at topLeft, every sara am as the
// font's own glyph for it (drawn exactly as the two glyphs would be) and the marks of each letter
// in Unicode's order.
void drawTextLine(QPainter &painter, const QPointF &topLeft, const QString &text,
                  const QFont &font);

// The character a private-use Thai form draws; any other code point as it is.
char16_t thaiOfPrivateForm(char16_t code);

// Rewrites the private-use Thai forms in every text map (ToUnicode CMap) of a PDF as the
// characters they draw. Each code keeps its four hex digits, so no offset in the file moves.
void mendThaiToUnicode(QByteArray &pdf);

// Mends the PDF's text maps and writes it to file in one step (QSaveFile): a file already there
// is replaced only by the whole new one. Throws Failure (a Thai message) when it cannot be.
void saveThaiPdf(const QString &file, QByteArray pdf);

} // namespace print
