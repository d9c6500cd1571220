// The guarantee notice's page: drawn into a PDF and read back as a reader would, and drawn on an
// image to see where ink falls.

#include "PdfReadback.h"
#include "core/GuaranteeNotice.h"
#include "print/NoticePage.h"
#include "print/ThaiPdfText.h"
#include "util/Failure.h"

#include <QFile>
#include <QFontMetricsF>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using print::PlacedElement;

Q_DECLARE_METATYPE(NoticeValues)

namespace {

constexpr int Dpi = 150;

Deployment::Organisation organisation()
{
    Deployment::Organisation o;
    o.name = QStringLiteral("มหาวิทยาลัยทดสอบ");
    o.webAddress = QStringLiteral("www.finance.example.ac.th/cheque");
    o.building = QStringLiteral("อาคารสำนักงานอธิการบดี");
    o.campusProvince = QStringLiteral("วิทยาเขตบางเขน กรุงเทพมหานคร");
    o.contactStaff = QStringLiteral("คุณสมศรี ใจดี, คุณสมชาย รักงาน");
    o.telephones = QStringLiteral("02-579-0113 ต่อ 1234, 1235");
    o.chequeCentrePhone = QStringLiteral("02-777-7777 กด 1 กด 3");
    return o;
}

NoticeValues sample(bool bank = true, double amount = 1234.5)
{
    NoticeValues v;
    v.key = QStringLiteral("2557ส0000042");
    v.amountText = guarantee::noticeAmountText(amount);
    v.chequePlace = guarantee::chequePlaceLines(bank, organisation());
    v.toWho = QStringLiteral("งานการเงิน");
    v.fromSite = QStringLiteral("บริษัท ก่อสร้างไทย จำกัด");
    v.topic = QStringLiteral("คืนเงินประกันสัญญาจ้างซ่อมหลังคา");
    v.fromUnit = QStringLiteral("INV-0098");
    v.vendorFax = QStringLiteral("02-329-8001");
    v.vendorTel = QStringLiteral("081-234-5678");
    v.organisationName = organisation().name;
    v.webAddress = organisation().webAddress;
    return v;
}

// The sheet's pixel of a point in millimetres from the band's corner.
QPoint pixelOf(const QPointF &mm)
{
    const QMarginsF margins = print::noticePageLayout().margins();
    return {qRound((mm.x() + margins.left()) * Dpi / 25.4),
            qRound((mm.y() + margins.top()) * Dpi / 25.4)};
}

QRect pixelsOf(const QRectF &mm)
{
    return QRect(pixelOf(mm.topLeft()), pixelOf(mm.bottomRight()));
}

bool inked(QRgb pixel)
{
    return qGray(pixel) < 200;
}

// The inked pixels of an area of the image, those in the left-out rectangles aside.
int ink(const QImage &image, const QRect &area, const QList<QRect> &leftOut = {})
{
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const bool out = std::any_of(leftOut.begin(), leftOut.end(),
                                         [x, y](const QRect &r) { return r.contains(x, y); });
            n += !out && inked(image.pixel(x, y));
        }
    }
    return n;
}

QMap<QString, PlacedElement> byName(const QList<PlacedElement> &elements)
{
    QMap<QString, PlacedElement> out;
    for (const PlacedElement &e : elements)
        out.insert(e.name, e);
    return out;
}

QList<PlacedElement> placed(const NoticeValues &v)
{
    return print::placeNotice(v, print::noticeImage(NoticeValues(), Dpi));
}

PdfReadback pdfOf(const NoticeValues &v)
{
    static int n = 0;
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("notice%1.pdf").arg(++n));
    print::writeNoticePdf(file, v);
    return readPdf(file);
}

const QStringList PlaceLabels{QStringLiteral("QRLabel6"),  QStringLiteral("QRLabel7"),
                              QStringLiteral("QRLabel8"),  QStringLiteral("QRLabel9"),
                              QStringLiteral("QRLabel13"), QStringLiteral("QRLabel23"),
                              QStringLiteral("QRLabel24"), QStringLiteral("QRLabel25")};

} // namespace

class TestNoticePage : public QObject {
    Q_OBJECT

private slots:
    void isOneA4Page()
    {
        const PdfReadback pdf = pdfOf(sample());
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
        QVERIFY2(pdf.pageSize.endsWith(QLatin1String("(A4)")), qPrintable(pdf.pageSize));
    }

    void carriesKeyAndAmountInBothCopies_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << QStringLiteral("0.00 (บาทถ้วน)");
        QTest::newRow("two hundred") << 200.0 << QStringLiteral("200.00 (สองร้อยบาทถ้วน)");
        QTest::newRow("with satang")
            << 1234.5 << QStringLiteral("1,234.50 (หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์)");
        QTest::newRow("millions") << 3456789.01
                                  << QStringLiteral("3,456,789.01 (สามล้านสี่แสนห้าหมื่นหกพัน"
                                                    "เจ็ดร้อยแปดสิบเก้าบาทหนึ่งสตางค์)");
    }
    void carriesKeyAndAmountInBothCopies()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        const NoticeValues v = sample(true, amount);
        QCOMPARE(v.amountText, text);
        const PdfReadback pdf = pdfOf(v);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(occurrences(pdf.text, text), 2);
        QCOMPARE(occurrences(pdf.text, v.key), 2);
    }

    // Every text reads back as typed, tone marks and vowels in their order, none as a private-use
    // code point or a box (runs of blanks aside: pdftotext gives one).
    void thaiReadsBackAsTyped()
    {
        for (const bool bank : {true, false}) {
            const NoticeValues v = sample(bank);
            const PdfReadback pdf = pdfOf(v);
            QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
            for (const QChar c : pdf.text) {
                QVERIFY2(c.unicode() < 0xE000 || c.unicode() > 0xF8FF, qPrintable(pdf.text));
                QVERIFY(c != QChar::ReplacementCharacter);
            }
            for (const QString &line : v.chequePlace)
                QCOMPARE(occurrences(pdf.text, line), 2);
            const QString text = pdf.text.simplified();
            for (const PlacedElement &e : placed(v)) {
                if (e.kind != PlacedElement::Text || e.text.isEmpty())
                    continue;
                // The receiver's line is on the upper copy alone.
                const int copies = e.name == QLatin1String("QRLabel31") ? 1 : 2;
                QVERIFY2(occurrences(text, e.text.simplified()) >= copies,
                         qPrintable(e.name + QLatin1Char(' ') + e.text));
            }
        }
    }

    void placeSetsDifferOnlyInTheirLines()
    {
        const auto bank = byName(placed(sample(true)));
        const auto finance = byName(placed(sample(false)));
        QCOMPARE(bank.keys(), finance.keys());
        QStringList differing;
        for (const QString &name : bank.keys()) {
            if (bank[name].text != finance[name].text)
                differing << name;
        }
        std::sort(differing.begin(), differing.end());
        QStringList expected = PlaceLabels;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(differing, expected);

        // And on paper: ink changes inside the two place boxes only.
        const QImage a = print::noticeImage(sample(true), Dpi);
        const QImage b = print::noticeImage(sample(false), Dpi);
        const QRect upper = pixelsOf(bank[QStringLiteral("QRShape2")].box);
        const QRect lower = pixelsOf(bank[QStringLiteral("QRShape13")].box);
        int changed = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) == b.pixel(x, y))
                    continue;
                ++changed;
                QVERIFY2(upper.contains(x, y) || lower.contains(x, y),
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(changed > 0);
    }

    void emptyFaxAndTelephoneLeaveTheLines()
    {
        NoticeValues empty = sample();
        empty.vendorFax.clear();
        empty.vendorTel.clear();
        const QImage filledImage = print::noticeImage(sample(), Dpi);
        const QImage emptyImage = print::noticeImage(empty, Dpi);
        const auto elements = byName(placed(sample()));
        const auto emptied = byName(placed(empty));
        QList<QRect> lines;
        for (const PlacedElement &e : elements) {
            if (e.kind == PlacedElement::Rectangle && e.box.height() < 1)
                lines << pixelsOf(e.box).adjusted(-2, -2, 2, 2);
        }
        for (const char *field : {"QRExpr3", "QRExpr4", "QRExpr7", "QRExpr8"}) {
            const QString name = QLatin1String(field);
            QCOMPARE(emptied[name].box.width(), 0.0);
            // Where the number stood, only the lines that pass there are left.
            const QRect where = pixelsOf(elements[name].box);
            QVERIFY2(ink(filledImage, where, lines) > 0, field);
            QCOMPARE(ink(emptyImage, where, lines), 0);
        }
        // The lines to write on are whole.
        for (const char *line :
             {"QRShape9", "QRShape10", "QRShape11", "QRShape17", "QRShape18", "QRShape19"}) {
            const QRect where = pixelsOf(elements[QLatin1String(line)].box).adjusted(0, -1, 0, 1);
            QVERIFY2(ink(emptyImage, where) >= where.width(), line);
        }
    }

    void everyTextStaysInsideItsFrame_data()
    {
        QTest::addColumn<NoticeValues>("values");
        QTest::newRow("ordinary") << sample();
        QTest::newRow("finance") << sample(false);
        NoticeValues longest = sample(false, 99999999.99);
        const QString much = QStringLiteral("บริษัท ก่อสร้างและวิศวกรรมโยธาแห่งประเทศไทย จำกัด (มหาชน) ");
        longest.fromSite = much + much + much;
        longest.topic = much + much + much + much;
        longest.toWho = much + much;
        longest.organisationName = much;
        longest.chequePlace[0] += much;
        longest.key = QStringLiteral("2557ส0000042 2557ส0000042");
        QTest::newRow("overlong") << longest;
    }
    void everyTextStaysInsideItsFrame()
    {
        QFETCH(NoticeValues, values);
        const QImage image = print::noticeImage(values, Dpi);
        const QList<PlacedElement> elements = print::placeNotice(values, image);
        QList<QRectF> frames;
        for (const PlacedElement &e : elements) {
            if (e.penPoints == 3)
                frames << e.box;
        }
        QCOMPARE(frames.size(), 2);
        const qreal framePen = 3 * 25.4 / 72;
        for (const PlacedElement &e : elements) {
            if (e.kind != PlacedElement::Text)
                continue;
            const QRectF frame = frames[e.copy];
            const QRectF inner =
                frame.adjusted(framePen / 2, framePen / 2, -framePen / 2, -framePen / 2);
            QVERIFY2(inner.contains(e.box), qPrintable(e.name));
            QVERIFY2(e.container.contains(e.box) || e.box.width() == 0, qPrintable(e.name));
            // The line fits its box's height too.
            const qreal height = QFontMetricsF(e.font, &image).height() * 25.4 / Dpi;
            QVERIFY2(height <= e.box.height() + 0.2, qPrintable(e.name));
        }
        // On paper: no ink outside the two frames.
        QRegion paper;
        for (const QRectF &f : frames)
            paper += pixelsOf(f.adjusted(-framePen, -framePen, framePen, framePen));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (inked(image.pixel(x, y)))
                    QVERIFY2(paper.contains(QPoint(x, y)),
                             qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
    }

    // The face is AngsanaUPC, or a substitute sized so no fixed text takes more room than the page
    // was laid out with.
    void fixedTextsKeepTheirWidths()
    {
        const print::NoticeFace &face = print::noticeFace();
        QVERIFY(!face.family.isEmpty());
        QVERIFY(face.scale > 0 && face.scale <= 1);
        if (face.family != QLatin1String("AngsanaUPC"))
            QVERIFY2(face.scale < 1, qPrintable(face.family));
        const QImage probe = print::noticeImage(NoticeValues(), Dpi);
        // The designed widths of a few fixed texts.
        const QMap<QString, qreal> designed{{QStringLiteral("QRLabel11"), 21.7},
                                            {QStringLiteral("QRLabel2"), 43.9},
                                            {QStringLiteral("QRLabel19"), 80.4},
                                            {QStringLiteral("QRLabel31"), 70.9},
                                            {QStringLiteral("QRLabel41"), 81.0}};
        const auto elements = byName(print::placeNotice(sample(), probe));
        for (auto it = designed.cbegin(); it != designed.cend(); ++it) {
            QVERIFY2(elements[it.key()].box.width() <= it.value() + 0.2, qPrintable(it.key()));
            QCOMPARE(elements[it.key()].squeeze, 1.0);
        }
    }

    void emblemOrItsStandIn()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("emblem.png"));
        QImage red(59, 59, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(file));
        NoticeValues v = sample();
        v.emblemPath = file;
        const QImage withEmblem = print::noticeImage(v, Dpi);
        v.emblemPath = dir.filePath(QStringLiteral("missing.png"));
        const QImage standIn = print::noticeImage(v, Dpi);
        const auto elements = byName(placed(v));
        for (const char *picture : {"QRImage1", "QRImage2"}) {
            const QRect box = pixelsOf(elements[QLatin1String(picture)].box);
            const QRgb centre = withEmblem.pixel(box.center());
            QVERIFY2(qRed(centre) > 200 && qGreen(centre) < 60, picture);
            QVERIFY2(ink(standIn, box) > 0, picture);
        }
    }

    void unwritableFileIsRefused()
    {
        QTemporaryDir dir;
        for (const QString &file :
             {dir.filePath(QStringLiteral("no/such/folder/n.pdf")), dir.path()})
            QVERIFY_THROWS_EXCEPTION(Failure, print::writeNoticePdf(file, sample()));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void privateThaiFormsReadAsTheirCharacters()
    {
        struct Case {
            char16_t code, drawn;
        };
        for (const Case c : {Case{0xF700, 0x0E10}, Case{0xF704, 0x0E37}, Case{0xF705, 0x0E48},
                             Case{0xF70A, 0x0E48}, Case{0xF70E, 0x0E4C}, Case{0xF70F, 0x0E0D},
                             Case{0xF710, 0x0E31}, Case{0xF713, 0x0E48}, Case{0xF718, 0x0E38},
                             Case{0xF71A, 0x0E3A}, Case{0xF71B, 0xF71B}, Case{0x0E48, 0x0E48}})
            QCOMPARE(int(print::thaiOfPrivateForm(c.code)), int(c.drawn));

        QByteArray pdf("<0F70A> stays\nbegincmap\n<0001> <0003> [<0E15> <F70A> <f71a>]\n"
                       "<0004> <0004> <F70F>\nendcmap\n<F70A> outside stays\n");
        const qsizetype size = pdf.size();
        print::mendThaiToUnicode(pdf);
        QCOMPARE(pdf.size(), size);
        QCOMPARE(pdf, QByteArray("<0F70A> stays\nbegincmap\n<0001> <0003> [<0E15> <0E48> <0E3A>]\n"
                                 "<0004> <0004> <0E0D>\nendcmap\n<F70A> outside stays\n"));
    }
};

QTEST_MAIN(TestNoticePage)
#include "tst_notice_page.moc"
