#include "XlsxReadback.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <cmath>

namespace {

bool part(const QString &zip, const QString &name, QByteArray &out)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return false;
    out = unzip.readAllStandardOutput();
    return true;
}

QString attr(const QXmlStreamReader &x, const char *name)
{
    return x.attributes().value(QLatin1String(name)).toString();
}

} // namespace

bool XlsxReadback::load(const QString &path)
{
    QByteArray workbook, styles, sheet, shared;
    if (!part(path, QStringLiteral("xl/workbook.xml"), workbook) ||
        !part(path, QStringLiteral("xl/styles.xml"), styles) ||
        !part(path, QStringLiteral("xl/worksheets/sheet1.xml"), sheet)) {
        error = QStringLiteral("missing part in ") + path;
        return false;
    }
    QStringList sharedStrings;
    if (part(path, QStringLiteral("xl/sharedStrings.xml"), shared)) {
        QXmlStreamReader x(shared);
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"si")
                sharedStrings << x.readElementText(QXmlStreamReader::IncludeChildElements);
    }

    for (QXmlStreamReader x(workbook); !x.atEnd();) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"sheet")
            sheetNames << attr(x, "name");
        else if (x.name() == u"definedName") {
            const QString name = attr(x, "name");
            definedNames.insert(name, x.readElementText());
        }
    }

    // Styles: the parts a cell format points into, then the cell formats themselves.
    QHash<int, QString> numFmts;
    struct Font {
        double size = 11;
        QString color;
    };
    QList<Font> fonts;
    QList<QString> fills;
    QList<std::array<QString, 4>> borders;
    QString section;
    for (QXmlStreamReader x(styles); !x.atEnd();) {
        const auto token = x.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (x.name() == section)
                section.clear();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto n = x.name();
        if (n == u"numFmts" || n == u"fonts" || n == u"fills" || n == u"borders" ||
            n == u"cellXfs" || n == u"cellStyleXfs" || n == u"cellStyles" || n == u"dxfs") {
            section = n.toString();
        } else if (n == u"numFmt") {
            numFmts.insert(attr(x, "numFmtId").toInt(), attr(x, "formatCode"));
        } else if (section == u"fonts") {
            if (n == u"font")
                fonts << Font{};
            else if (n == u"sz")
                fonts.last().size = attr(x, "val").toDouble();
            else if (n == u"color")
                fonts.last().color = attr(x, "rgb");
        } else if (section == u"fills") {
            if (n == u"fill")
                fills << QString();
            else if (n == u"fgColor")
                fills.last() = attr(x, "rgb");
        } else if (section == u"borders") {
            if (n == u"border")
                borders << std::array<QString, 4>{};
            else if (n == u"left" || n == u"right" || n == u"top" || n == u"bottom") {
                const int i = n == u"left" ? 0 : n == u"right" ? 1 : n == u"top" ? 2 : 3;
                borders.last()[static_cast<size_t>(i)] = attr(x, "style");
            }
        } else if (section == u"cellXfs") {
            if (n == u"xf") {
                Format f;
                const int numFmtId = attr(x, "numFmtId").toInt();
                f.numFormat = numFmtId == 49 ? QStringLiteral("@") : numFmts.value(numFmtId);
                const Font font = fonts.value(attr(x, "fontId").toInt());
                f.fontSize = font.size;
                f.fontColor = font.color;
                f.fill = fills.value(attr(x, "fillId").toInt());
                const auto b = borders.value(attr(x, "borderId").toInt());
                f.left = b[0];
                f.right = b[1];
                f.top = b[2];
                f.bottom = b[3];
                formats << f;
            } else if (n == u"alignment") {
                formats.last().horizontal = attr(x, "horizontal");
            }
        }
    }

    for (QXmlStreamReader x(sheet); !x.atEnd();) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto n = x.name();
        if (n == u"row") {
            if (x.attributes().hasAttribute(QLatin1String("s")))
                rowStyles.insert(attr(x, "r").toInt(), attr(x, "s").toInt());
        } else if (n == u"c") {
            Cell c;
            const QString ref = attr(x, "r");
            c.type = attr(x, "t");
            c.style = attr(x, "s").toInt();
            while (!(x.readNext() == QXmlStreamReader::EndElement && x.name() == u"c") &&
                   !x.atEnd()) {
                if (x.isStartElement() && (x.name() == u"v" || x.name() == u"t"))
                    c.value += x.readElementText();
            }
            if (c.type == u"s")
                c.value = sharedStrings.value(c.value.toInt());
            cells.insert(ref, c);
        } else if (n == u"col") {
            cols << std::tuple<int, int, double>{attr(x, "min").toInt(), attr(x, "max").toInt(),
                                                 attr(x, "width").toDouble()};
        } else if (n == u"pageMargins" || n == u"pageSetup") {
            auto &into = n == u"pageMargins" ? pageMargins : pageSetup;
            for (const auto &a : x.attributes())
                into.insert(a.name().toString(), a.value().toString());
        } else if (n == u"oddHeader") {
            oddHeader = x.readElementText();
        } else if (n == u"oddFooter") {
            oddFooter = x.readElementText();
        }
    }
    return true;
}

XlsxReadback::Format XlsxReadback::format(const QString &ref) const
{
    return formats.value(cells.value(ref).style);
}

double XlsxReadback::width(int col1) const
{
    for (const auto &[min, max, w] : cols)
        if (col1 >= min && col1 <= max)
            return w;
    return -1;
}

double storedWidth(double characters)
{
    const double pixels = std::trunc(characters * 7 + 0.5) + 5;
    return std::trunc(pixels / 7 * 256) / 256;
}
