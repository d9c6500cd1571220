#include "print/NoticePage.h"

#include "print/ThaiPdfText.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace print {

namespace {

enum class Kind { Frame, Box, Line, Picture, Label, Key };

// Where a text's value comes from, after its fixed words.
enum class Field {
    None,
    Key,
    Amount,
    Place1,
    Place2,
    Place3,
    Place4,
    ToWho,
    FromSite,
    Topic,
    FromUnit,
    VendorFax,
    VendorTel,
    OrganisationName,
    WebAddress,
};

struct Element {
    const char *name;
    Kind kind;
    qreal left, top, width, height; // millimetres from the band's corner
    int points = 0;
    bool bold = false;
    QString text; // fixed words
    Field field = Field::None;
};

constexpr qreal MmPerInch = 25.4;
constexpr qreal PointsPerInch = 72;
constexpr qreal FramePen = 3;
constexpr qreal ShapePen = 1;

const QString AngsanaUpc = QStringLiteral("AngsanaUPC");

QString signedAs(const char16_t *role)
{
    return QStringLiteral("(ลงชื่อ) ") + QString(65, u'.') + QString::fromUtf16(role);
}

QString position()
{
    return QStringLiteral("ตำแหน่ง ") + QString(55, u'.');
}

QList<Element> makeElements()
{
    const QString docNo = QStringLiteral("เลขที่เอกสาร");
    const QString appointment = QStringLiteral("นัดรับเช็ควันที่");
    const QString sendTo = QStringLiteral("ส่งไปยัง(การปฎิบัติ)");
    const QString vendor = QStringLiteral("บริษัท/ห้างร้าน/บุคคลธรรมดา");
    const QString matter = QStringLiteral("รายการ");
    const QString invoice = QStringLiteral("เลขที่ใบแจ้งหนี้/ใบส่งของ");
    const QString amount = QStringLiteral("จำนวนเงิน");
    const QString office = QStringLiteral("งานธุรการ  เมื่องานการเงิน กำหนดวันนัดรับเช็คแล้ว");
    const QString email = QStringLiteral("1.ผู้ขาย/ผู้รับจ้าง อีเมล์");
    const QString fax = QStringLiteral("2.ผู้ขาย/ผู้รับจ้าง FAX");
    const QString phone = QStringLiteral("3.ผู้ขาย/ผู้รับจ้าง โทร");
    const QString web = QStringLiteral("ตั้งแต่ เดือน พฤศจิกายน 2553 "
                                       "ท่านสามารถเข้าดูการนัดรับเช็คได้ทางอินเตอร์เน็ตตามเวปไซต์ของ");
    const QString appointer = signedAs(u"ผู้นัดรับเช็ค");
    const QString maker = signedAs(u"ผู้ทำเอกสาร");
    const QString receiver = QStringLiteral("ผู้รับเอกสาร ") + QString(66, u'.');
    using enum Kind;
    using F = Field;
    return {
        // The upper copy.
        {"QRShape1", Frame, 1.1, 0.0, 193.9, 130.4, 0, false, {}, F::None},
        {"QRShape2", Box, 115.4, 2.1, 78.6, 31.0, 0, false, {}, F::None},
        {"QRShape8", Box, 56.1, 3.2, 43.7, 11.9, 0, false, {}, F::None},
        {"QRLabel6", Label, 117.5, 3.2, 75.1, 7.9, 14, false, {}, F::Place1},
        {"QRLabel11", Label, 31.8, 4.2, 21.7, 9.0, 18, true, docNo, F::None},
        {"QRL_DocNo", Key, 57.1, 4.2, 40.5, 10.1, 20, true, {}, F::Key},
        {"QRImage1", Picture, 6.3, 5.3, 16.1, 16.1, 0, false, {}, F::None},
        {"QRLabel7", Label, 117.5, 10.6, 40.0, 7.1, 14, false, {}, F::Place2},
        {"QRLabel1", Label, 31.8, 16.9, 21.7, 7.9, 16, false, appointment, F::None},
        {"QRLabel8", Label, 117.5, 18.0, 37.3, 7.9, 14, false, {}, F::Place3},
        {"QRShape3", Line, 56.1, 22.2, 39.4, 0.3, 0, false, {}, F::None},
        {"QRLabel9", Label, 117.5, 24.3, 43.1, 7.9, 14, false, {}, F::Place4},
        {"QRLabel12", Label, 3.2, 25.4, 29.9, 7.9, 16, false, sendTo, F::None},
        {"QRExpr2", Label, 36.0, 25.4, 15.9, 7.9, 16, false, {}, F::ToWho},
        {"QR_FromSite", Label, 49.7, 34.9, 16.7, 7.9, 16, false, {}, F::FromSite},
        {"QRLabel2", Label, 3.2, 36.0, 43.9, 7.9, 16, false, vendor, F::None},
        {"QRShape4", Line, 49.7, 43.4, 63.8, 0.3, 0, false, {}, F::None},
        {"QRLabel3", Label, 3.2, 44.5, 11.1, 7.9, 16, false, matter, F::None},
        {"QR_Topic", Label, 16.9, 44.5, 10.1, 7.1, 14, false, {}, F::Topic},
        {"QRShape5", Line, 16.9, 51.9, 122.0, 0.3, 0, false, {}, F::None},
        {"QRExpr1", Label, 44.5, 52.9, 19.3, 7.9, 16, false, {}, F::FromUnit},
        {"QRLabel4", Label, 3.2, 54.0, 38.9, 7.9, 16, false, invoice, F::None},
        {"QRShape6", Line, 45.5, 61.4, 39.4, 0.3, 0, false, {}, F::None},
        {"QRLabel5", Label, 3.2, 62.4, 16.4, 7.9, 16, false, amount, F::None},
        {"QRL_No_Money", Label, 25.7, 62.4, 27.0, 7.9, 16, false, {}, F::Amount},
        {"QRShape7", Line, 23.3, 70.9, 153.7, 0.3, 0, false, {}, F::None},
        {"QRLabel19", Label, 102.7, 73.0, 80.4, 7.9, 16, false, appointer, F::None},
        {"QRLabel10", Label, 3.2, 74.1, 77.0, 7.9, 16, false, office, F::None},
        {"QRLabel20", Label, 110.1, 81.5, 57.7, 7.9, 16, false, position(), F::None},
        {"QRLabel14", Label, 3.2, 85.7, 31.5, 7.9, 16, false, email, F::None},
        {"QRShape9", Line, 38.1, 91.0, 50.0, 0.3, 0, false, {}, F::None},
        {"QRExpr3", Label, 39.2, 92.1, 18.8, 7.1, 14, false, {}, F::VendorFax},
        {"QRLabel15", Label, 3.2, 93.1, 31.5, 7.9, 16, false, fax, F::None},
        {"QRLabel21", Label, 101.6, 93.1, 81.0, 7.9, 16, false, maker, F::None},
        {"QRShape10", Line, 38.1, 99.5, 50.0, 0.3, 0, false, {}, F::None},
        {"QRLabel16", Label, 3.2, 100.5, 30.2, 7.9, 16, false, phone, F::None},
        {"QRExpr4", Label, 39.2, 100.5, 18.3, 7.1, 14, false, {}, F::VendorTel},
        {"QRLabel22", Label, 106.9, 101.6, 57.7, 7.9, 16, false, position(), F::None},
        {"QRShape11", Line, 38.1, 108.0, 50.0, 0.3, 0, false, {}, F::None},
        {"QRLabel17", Label, 13.8, 113.2, 167.2, 7.9, 16, false, web, F::OrganisationName},
        {"QRLabel31", Label, 100.5, 120.7, 70.9, 7.9, 16, false, receiver, F::None},
        {"QRLabel18", Label, 13.8, 121.7, 67.7, 7.9, 16, false, {}, F::WebAddress},
        // The lower copy: the same texts in slightly different places, no receiver's line.
        {"QRShape12", Frame, 1.1, 137.6, 193.9, 130.4, 0, false, {}, F::None},
        {"QRShape14", Box, 60.3, 139.7, 43.7, 11.9, 0, false, {}, F::None},
        {"QRShape13", Box, 115.4, 140.0, 78.6, 30.7, 0, false, {}, F::None},
        {"QRL_DocNo1", Key, 61.4, 140.8, 40.5, 10.1, 20, true, {}, F::Key},
        {"QRLabel13", Label, 117.5, 141.0, 75.1, 7.9, 14, false, {}, F::Place1},
        {"QRImage2", Picture, 6.3, 141.8, 16.1, 16.1, 0, false, {}, F::None},
        {"QRLabel26", Label, 34.9, 141.8, 21.7, 9.0, 18, true, docNo, F::None},
        {"QRLabel23", Label, 117.5, 148.4, 40.0, 7.1, 14, false, {}, F::Place2},
        {"QRLabel28", Label, 34.9, 154.5, 21.7, 7.9, 16, false, appointment, F::None},
        {"QRLabel24", Label, 117.5, 155.8, 37.3, 7.1, 14, false, {}, F::Place3},
        {"QRShape15", Line, 57.9, 161.1, 39.4, 0.3, 0, false, {}, F::None},
        {"QRLabel25", Label, 117.5, 162.2, 43.1, 7.1, 14, false, {}, F::Place4},
        {"QRLabel27", Label, 3.2, 165.1, 29.9, 7.9, 16, false, sendTo, F::None},
        {"QRExpr5", Label, 36.0, 165.1, 15.9, 7.9, 16, false, {}, F::ToWho},
        {"QRExpr6", Label, 49.7, 172.5, 16.7, 7.9, 16, false, {}, F::FromSite},
        {"QRLabel29", Label, 3.2, 173.6, 43.9, 7.9, 16, false, vendor, F::None},
        {"QRShape16", Line, 49.7, 181.0, 63.8, 0.3, 0, false, {}, F::None},
        {"QRLabel42", Label, 3.2, 182.0, 11.1, 7.9, 16, false, matter, F::None},
        {"QRExpr9", Label, 16.9, 182.0, 10.1, 7.1, 14, false, {}, F::Topic},
        {"QRShape21", Line, 16.9, 188.4, 122.0, 0.3, 0, false, {}, F::None},
        {"QRExpr10", Label, 44.5, 189.4, 19.3, 7.9, 16, false, {}, F::FromUnit},
        {"QRLabel43", Label, 3.2, 190.5, 38.9, 7.9, 16, false, invoice, F::None},
        {"QRShape22", Line, 45.5, 196.8, 39.4, 0.3, 0, false, {}, F::None},
        {"QRLabel30", Label, 3.2, 200.0, 16.4, 7.9, 16, false, amount, F::None},
        {"QRL_No_Money1", Label, 25.7, 200.0, 27.0, 7.9, 16, false, {}, F::Amount},
        {"QRShape20", Line, 24.3, 207.4, 153.7, 0.3, 0, false, {}, F::None},
        {"QRLabel33", Label, 103.7, 210.6, 80.4, 7.9, 16, false, appointer, F::None},
        {"QRLabel32", Label, 3.2, 211.7, 77.0, 7.9, 16, false, office, F::None},
        {"QRLabel34", Label, 111.1, 219.1, 57.7, 7.9, 16, false, position(), F::None},
        {"QRLabel35", Label, 3.2, 223.3, 31.5, 7.9, 16, false, email, F::None},
        {"QRShape19", Line, 37.0, 229.7, 50.0, 0.3, 0, false, {}, F::None},
        {"QRLabel36", Label, 3.2, 230.7, 31.5, 7.9, 16, false, fax, F::None},
        {"QRExpr7", Label, 38.1, 230.7, 18.8, 7.1, 14, false, {}, F::VendorFax},
        {"QRLabel41", Label, 102.7, 230.7, 81.0, 7.9, 16, false, maker, F::None},
        {"QRLabel37", Label, 3.2, 238.1, 30.2, 7.9, 16, false, phone, F::None},
        {"QRShape18", Line, 37.0, 238.1, 50.0, 0.3, 0, false, {}, F::None},
        {"QRExpr8", Label, 38.1, 239.2, 18.3, 7.1, 14, false, {}, F::VendorTel},
        {"QRLabel40", Label, 108.0, 239.2, 57.7, 7.9, 16, false, position(), F::None},
        {"QRShape17", Line, 37.0, 245.5, 50.0, 0.3, 0, false, {}, F::None},
        {"QRLabel38", Label, 14.8, 250.8, 167.2, 7.9, 16, false, web, F::OrganisationName},
        {"QRLabel39", Label, 61.4, 258.2, 67.7, 7.9, 16, false, {}, F::WebAddress},
    };
}

const QList<Element> &elements()
{
    static const QList<Element> all = makeElements();
    return all;
}

QString valueOf(Field field, const NoticeValues &v)
{
    switch (field) {
    case Field::None:
        return {};
    case Field::Key:
        return v.key;
    case Field::Amount:
        return v.amountText;
    case Field::Place1:
        return v.chequePlace[0];
    case Field::Place2:
        return v.chequePlace[1];
    case Field::Place3:
        return v.chequePlace[2];
    case Field::Place4:
        return v.chequePlace[3];
    case Field::ToWho:
        return v.toWho;
    case Field::FromSite:
        return v.fromSite;
    case Field::Topic:
        return v.topic;
    case Field::FromUnit:
        return v.fromUnit;
    case Field::VendorFax:
        return v.vendorFax;
    case Field::VendorTel:
        return v.vendorTel;
    case Field::OrganisationName:
        return v.organisationName;
    case Field::WebAddress:
        return v.webAddress;
    }
    return {};
}

QRectF boxOf(const Element &e)
{
    return {e.left, e.top, e.width, e.height};
}

bool isText(const Element &e)
{
    return e.kind == Kind::Label || e.kind == Kind::Key;
}

bool isRectangle(const Element &e)
{
    return e.kind == Kind::Frame || e.kind == Kind::Box || e.kind == Kind::Line;
}

QFont fontOf(const Element &e, const NoticeFace &face)
{
    QFont f(face.family);
    f.setPointSizeF(e.points * face.scale);
    f.setBold(e.bold);
    // Unhinted, a text is as wide on the screen as on paper, where it was measured.
    f.setHintingPreference(QFont::PreferNoHinting);
    // Latin letters unshaped: a ligature ("fi") would read back from a PDF as one odd character.
    // Thai is shaped all the same.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

qreal mmPerDot(const QPaintDevice &device)
{
    return MmPerInch / device.logicalDpiX();
}

qreal textWidthMm(const QString &text, const QFont &font, const QPaintDevice &device)
{
    return QFontMetricsF(font, &device).horizontalAdvance(text) * mmPerDot(device);
}

// The scale at which the face sets no fixed text wider than the page gives it.
qreal fittingScale(const QString &family)
{
    QImage probe(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(1200 / MmPerInch * 1000);
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    qreal scale = 1;
    for (const Element &e : elements()) {
        if (!isText(e) || e.field != Field::None)
            continue;
        const qreal width = textWidthMm(e.text, fontOf(e, {family, 1}), probe);
        if (width > 0)
            scale = std::min(scale, e.width / width);
    }
    return scale;
}

NoticeFace chooseFace()
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(AngsanaUpc))
        return {AngsanaUpc, 1};
    // Kinnari has AngsanaUPC's shape; the others are TLWG faces of the same kind.
    QString family;
    for (const char *tlwg : {"Kinnari", "Norasi", "Laksaman", "Garuda"}) {
        if (installed.contains(QLatin1String(tlwg))) {
            family = QLatin1String(tlwg);
            break;
        }
    }
    if (family.isEmpty()) {
        const QStringList thai = QFontDatabase::families(QFontDatabase::Thai);
        family = thai.isEmpty() ? QFont().family() : thai.first();
    }
    return {family, fittingScale(family)};
}

qreal dotsPerMm(const QPaintDevice &device, Qt::Orientation o)
{
    return (o == Qt::Horizontal ? device.logicalDpiX() : device.logicalDpiY()) / MmPerInch;
}

QRectF onDevice(const QRectF &mm, const QPaintDevice &device)
{
    const qreal x = dotsPerMm(device, Qt::Horizontal);
    const qreal y = dotsPerMm(device, Qt::Vertical);
    return {mm.x() * x, mm.y() * y, mm.width() * x, mm.height() * y};
}

qreal penDots(qreal points, const QPaintDevice &device)
{
    return points * device.logicalDpiX() / PointsPerInch;
}

qreal penMm(qreal points)
{
    return points * MmPerInch / PointsPerInch;
}

void drawRectangle(QPainter &p, const PlacedElement &e)
{
    const QPaintDevice &device = *p.device();
    p.setPen(
        QPen(Qt::black, penDots(e.penPoints, device), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(onDevice(e.box, device));
}

// A stand-in for the organisation's emblem: a plain double ring.
void drawSeal(QPainter &p, const QRectF &box)
{
    const qreal side = std::min(box.width(), box.height());
    const QRectF outer(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    p.setPen(QPen(Qt::black, penDots(ShapePen, *p.device())));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(outer);
    p.drawEllipse(outer.adjusted(side / 8, side / 8, -side / 8, -side / 8));
}

void drawPicture(QPainter &p, const PlacedElement &e, const QImage &emblem)
{
    const QRectF box = onDevice(e.box, *p.device());
    if (emblem.isNull()) {
        drawSeal(p, box);
        return;
    }
    // As large as the box allows, undistorted.
    const qreal fit = std::min(box.width() / emblem.width(), box.height() / emblem.height());
    const QSizeF size(emblem.width() * fit, emblem.height() * fit);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                        size.width(), size.height());
    p.drawImage(target, emblem);
}

void drawText(QPainter &p, const PlacedElement &e)
{
    const QRectF box = onDevice(e.box, *p.device());
    if (box.width() <= 0)
        return;
    p.fillRect(box, Qt::white);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(e.font, p.device());
    const qreal width = metrics.horizontalAdvance(e.text) * e.squeeze;
    const qreal left = e.centred ? box.left() + (box.width() - width) / 2 : box.left();
    // The substitute faces are shorter than the boxes made for AngsanaUPC: the line stands at the
    // box's foot, where the original's baseline was.
    p.save();
    p.translate(left, box.bottom() - metrics.height());
    p.scale(e.squeeze, 1);
    drawTextLine(p, QPointF(0, 0), e.text, e.font);
    p.restore();
}

} // namespace

QPageLayout noticePageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(7, 10, 7, 10),
                       QPageLayout::Millimeter);
}

const NoticeFace &noticeFace()
{
    static const NoticeFace face = chooseFace();
    return face;
}

QList<PlacedElement> placeNotice(const NoticeValues &values, const QPaintDevice &device)
{
    const QList<Element> &all = elements();
    // The smallest frame (or box) around an element's corner.
    const auto around = [&all](const Element &e, bool boxes) {
        const Element *best = nullptr;
        for (const Element &c : all) {
            const QRectF box = boxOf(c);
            if ((c.kind == Kind::Frame || (boxes && c.kind == Kind::Box)) &&
                box.contains(e.left, e.top) &&
                (!best || box.width() * box.height() < best->width * best->height))
                best = &c;
        }
        return best;
    };

    QList<PlacedElement> rectangles, pictures, texts;
    for (const Element &e : all) {
        PlacedElement p;
        p.name = QLatin1String(e.name);
        p.copy = around(e, false) == &all.constFirst() ? 0 : 1;
        p.box = boxOf(e);
        if (isRectangle(e)) {
            p.kind = PlacedElement::Rectangle;
            p.penPoints = e.kind == Kind::Frame ? FramePen : ShapePen;
            rectangles.append(p);
            continue;
        }
        if (e.kind == Kind::Picture) {
            p.kind = PlacedElement::Picture;
            pictures.append(p);
            continue;
        }
        p.kind = PlacedElement::Text;
        p.text = e.text + valueOf(e.field, values);
        p.font = fontOf(e, noticeFace());
        p.centred = e.kind == Kind::Key;
        const Element *container = around(e, true);
        p.container = container ? boxOf(*container) : QRectF();
        const qreal width = textWidthMm(p.text, p.font, device);
        qreal room = p.box.width();
        if (!p.centred) {
            // Grows (or shrinks) to its text, up to the inner edge of what it stands in.
            const qreal pen = container && container->kind == Kind::Frame ? FramePen : ShapePen;
            room = p.container.right() - penMm(pen) / 2 - p.box.left();
            p.box.setWidth(std::min(width, room));
        }
        if (width > room && room > 0)
            p.squeeze = room / width;
        texts.append(p);
    }
    return rectangles + pictures + texts;
}

void drawNotice(QPainter &painter, const NoticeValues &values)
{
    const QImage emblem = values.emblemPath.isEmpty() ? QImage() : QImage(values.emblemPath);
    for (const PlacedElement &e : placeNotice(values, *painter.device())) {
        switch (e.kind) {
        case PlacedElement::Rectangle:
            drawRectangle(painter, e);
            break;
        case PlacedElement::Picture:
            drawPicture(painter, e, emblem);
            break;
        case PlacedElement::Text:
            drawText(painter, e);
            break;
        }
    }
}

QImage noticeImage(const NoticeValues &values, int dotsPerInch)
{
    const QPageLayout layout = noticePageLayout();
    const QSizeF sheet = layout.fullRect(QPageLayout::Millimeter).size();
    const qreal dotsPerMm = dotsPerInch / MmPerInch;
    QImage image(qRound(sheet.width() * dotsPerMm), qRound(sheet.height() * dotsPerMm),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerMm * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(layout.margins().left() * dotsPerMm, layout.margins().top() * dotsPerMm);
    drawNotice(p, values);
    return image;
}

void writeNoticePdf(const QString &file, const NoticeValues &values)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(noticePageLayout());
        writer.setTitle(QStringLiteral("ใบแจ้งเงินประกันสัญญา ") + values.key);
        writer.setCreator(QStringLiteral("Vostrel"));
        QPainter p(&writer);
        drawNotice(p, values);
    }
    saveThaiPdf(file, buffer.data());
}

} // namespace print
