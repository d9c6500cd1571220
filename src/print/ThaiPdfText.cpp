#include "print/ThaiPdfText.h"

#include "util/Failure.h"

#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QSaveFile>
#include <QTextLayout>
#include <array>

namespace print {

namespace {

// U+F700 .. U+F71A, the forms Thai fonts share for shaping, and what each draws.
constexpr char16_t First = 0xF700;
constexpr std::array<char16_t, 27> Drawn = {
    0x0E10,                                 // ฐ without its foot
    0x0E34, 0x0E35, 0x0E36, 0x0E37,         // upper vowels, moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, // tone marks, lowered and moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, // tone marks, lowered
    0x0E0D,                                 // ญ without its foot
    0x0E31, 0x0E4D, 0x0E47,                 // mai han-akat, nikhahit, mai taikhu, moved left
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, // tone marks, moved left
    0x0E38, 0x0E39, 0x0E3A,                 // lower vowels and phinthu, lowered
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The code of "<XXXX>" at at, or -1.
int codeAt(const QByteArray &text, qsizetype at)
{
    if (at + 6 > text.size() || text[at] != '<' || text[at + 5] != '>')
        return -1;
    int code = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = hexValue(text[at + i]);
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

quint32 glyphOf(const QRawFont &font, char16_t character)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(QString(QChar(character)));
    return glyphs.isEmpty() ? 0 : glyphs.constFirst();
}

// Shaping puts nikhahit before the tone mark of the syllable and sara aa after it; the font's
// sara am glyph, at sara aa's place, draws both.
void composeSaraAm(QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    const quint32 nikhahit = glyphOf(font, 0x0E4D);
    const quint32 saraAa = glyphOf(font, 0x0E32);
    const quint32 saraAm = glyphOf(font, 0x0E33);
    if (!nikhahit || !saraAa || !saraAm)
        return;
    QList<quint32> glyphs = run.glyphIndexes();
    QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] != nikhahit)
            continue;
        for (qsizetype j = i + 1; j < glyphs.size() && j <= i + 2; ++j) {
            if (glyphs[j] == saraAa) {
                glyphs[j] = saraAm;
                glyphs.removeAt(i);
                positions.removeAt(i);
                break;
            }
        }
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
}

// The canonical combining class of the character a glyph draws, among the Thai marks; 0 for any
// other glyph.
QHash<quint32, int> markClasses(const QRawFont &font)
{
    QHash<quint32, int> classes;
    const auto add = [&](char16_t code) {
        const int combining = QChar(thaiOfPrivateForm(code)).combiningClass();
        const quint32 glyph = glyphOf(font, code);
        if (glyph && combining)
            classes.insert(glyph, combining);
    };
    for (char16_t c = 0x0E31; c <= 0x0E4E; ++c)
        add(c);
    for (char16_t c = First; c < First + Drawn.size(); ++c)
        add(c);
    return classes;
}

// Shaping may give the marks over and under one letter in either order (a tone mark before sara
// uu); each glyph keeps its place on paper, but a PDF reads the text in the order the glyphs were
// drawn. Drawn in Unicode's order, they read back as typed.
void orderMarks(QGlyphRun &run)
{
    const QHash<quint32, int> classes = markClasses(run.rawFont());
    QList<quint32> glyphs = run.glyphIndexes();
    QList<QPointF> positions = run.positions();
    const auto classOf = [&](qsizetype i) { return classes.value(glyphs[i], 0); };
    for (qsizetype start = 0; start < glyphs.size();) {
        qsizetype end = start;
        while (end < glyphs.size() && classOf(end) != 0)
            ++end;
        // Insertion sort, stable, of a run of two or three marks.
        for (qsizetype i = start + 1; i < end; ++i) {
            for (qsizetype j = i; j > start && classOf(j - 1) > classOf(j); --j) {
                glyphs.swapItemsAt(j - 1, j);
                positions.swapItemsAt(j - 1, j);
            }
        }
        start = end == start ? start + 1 : end;
    }
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
}

} // namespace

void drawTextLine(QPainter &painter, const QPointF &topLeft, const QString &text, const QFont &font)
{
    if (text.isEmpty())
        return;
    QTextLayout layout(text, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine().setLineWidth(1e9);
    layout.endLayout();
    const bool hasSaraAm = text.contains(QChar(0x0E33));
    for (QGlyphRun run : layout.glyphRuns()) {
        if (hasSaraAm)
            composeSaraAm(run);
        orderMarks(run);
        painter.drawGlyphRun(topLeft, run);
    }
}

char16_t thaiOfPrivateForm(char16_t code)
{
    if (code >= First && code < First + Drawn.size())
        return Drawn[code - First];
    return code;
}

void mendThaiToUnicode(QByteArray &pdf)
{
    static const QByteArray Begin("begincmap");
    static const QByteArray End("endcmap");
    qsizetype from = 0;
    while ((from = pdf.indexOf(Begin, from)) >= 0) {
        const qsizetype to = pdf.indexOf(End, from);
        if (to < 0)
            return;
        // The maps name glyphs of a subset (a few hundred at most) on the left and characters on
        // the right; only a character can be as high as U+F700.
        for (qsizetype at = pdf.indexOf('<', from); at >= 0 && at < to;
             at = pdf.indexOf('<', at + 1)) {
            const int code = codeAt(pdf, at);
            if (code < 0)
                continue;
            const char16_t drawn = thaiOfPrivateForm(char16_t(code));
            if (drawn != code)
                pdf.replace(at + 1, 4,
                            QByteArray::number(drawn, 16).toUpper().rightJustified(4, '0'));
        }
        from = to;
    }
}

void saveThaiPdf(const QString &file, QByteArray pdf)
{
    mendThaiToUnicode(pdf);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.commit())
        throw Failure(QStringLiteral("บันทึกแฟ้ม PDF %1 ไม่ได้: %2").arg(file, out.errorString()));
}

} // namespace print
