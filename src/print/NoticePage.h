#pragma once

// The guarantee notice: one A4 page carrying the same document twice, an upper and a lower copy
// in heavy frames. Every element sits at its place in millimetres from the band's corner, which
// lies at the page's margins. The page is drawn from one NoticeValues, on a printer, a PDF or an
// image alike.

#include "util/NoticeValues.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace print {

// A4 portrait, margins 10 mm top and bottom and 7 mm left and right.
QPageLayout noticePageLayout();

// The face the notice's texts are set in, and the factor on every point size.
struct NoticeFace {
    QString family;
    qreal scale = 1;
};
// "AngsanaUPC" at the page's own sizes where installed. Otherwise the closest Thai face installed
// (Kinnari first), made smaller by the one factor that keeps every fixed text within the width
// the page gives it: the substitutes are far wider than AngsanaUPC at one point size.
const NoticeFace &noticeFace();

// One element of the page as placed for given values.
struct PlacedElement {
    enum Kind { Rectangle, Text, Picture };
    QString name; // QRShape1, QRL_DocNo, QRLabel6, QRExpr3, QRImage1, ...
    Kind kind = Rectangle;
    int copy = 0; // 0 upper, 1 lower
    // Millimetres from the band's corner. A text's box has its text's width (none for an empty
    // text); the two key labels keep their fixed boxes and centre their text.
    QRectF box;
    qreal penPoints = 0; // rectangles: 1, or 3 for the two frames
    QString text;
    QFont font;
    bool centred = false;
    // Below 1 when a text would pass the frame (or box) it stands in: it is drawn narrower.
    qreal squeeze = 1;
    QRectF container; // the frame or box it stands in (texts)
};

// Every element of both copies, in drawing order: rectangles, pictures, then texts, whose white
// backgrounds cover what lies beneath. Texts are measured for the device.
QList<PlacedElement> placeNotice(const NoticeValues &values, const QPaintDevice &device);

// Draws the page with the band's corner at the painter's origin; the device's resolution gives
// the millimetre.
void drawNotice(QPainter &painter, const NoticeValues &values);

// The whole sheet on white, the band at the margins.
QImage noticeImage(const NoticeValues &values, int dotsPerInch);

// The page as a one-page PDF whose text reads back as written. Throws Failure (a Thai message)
// when the file cannot be written; a file that was there stays as it was then.
void writeNoticePdf(const QString &file, const NoticeValues &values);

} // namespace print
