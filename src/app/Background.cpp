#include "app/Background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

BackgroundArea::BackgroundArea(const QString &title, const QString &emblemPath, QWidget *parent)
    : QMdiArea(parent), title_(title)
{
    if (!emblemPath.isEmpty())
        emblem_.load(emblemPath);
}

void BackgroundArea::setOverlay(QWidget *overlay)
{
    overlay_ = overlay;
    placeOverlay();
}

void BackgroundArea::placeOverlay()
{
    if (!overlay_)
        return;
    const QSize area = viewport()->size();
    const QSize own = overlay_->sizeHint().expandedTo(overlay_->minimumSize());
    overlay_->resize(own);
    // A little below the middle, so the title above stays readable.
    overlay_->move((area.width() - own.width()) / 2,
                   qMax(0, area.height() * 11 / 20 - own.height() / 2));
}

QPixmap BackgroundArea::picture(const QSize &size) const
{
    QPixmap pix(size.expandedTo(QSize(1, 1)));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pix.height());
    sky.setColorAt(0.0, QColor(12, 5, 143));
    sky.setColorAt(1.0, QColor(20, 110, 150));
    p.fillRect(pix.rect(), sky);

    const int side = qMax(64, qMin(pix.width(), pix.height()) / 5);
    const QRect emblemBox((pix.width() - side) / 2, pix.height() / 12, side, side);
    if (!emblem_.isNull()) {
        p.drawPixmap(emblemBox, emblem_.scaled(emblemBox.size(), Qt::KeepAspectRatio,
                                               Qt::SmoothTransformation));
    } else {
        // The placeholder emblem: a gold seal with the division's initial.
        p.setPen(QPen(QColor(250, 220, 120), side / 20));
        p.setBrush(QColor(190, 140, 30));
        p.drawEllipse(emblemBox);
        QFont f = p.font();
        f.setPixelSize(side / 2);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(emblemBox, Qt::AlignCenter, QStringLiteral("กค"));
    }

    QFont titleFont = p.font();
    titleFont.setPixelSize(qMax(18, pix.height() / 18));
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(Qt::white);
    const QRect titleBox(0, emblemBox.bottom() + side / 6, pix.width(), titleFont.pixelSize() * 2);
    p.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, title_);
    return pix;
}

void BackgroundArea::paintEvent(QPaintEvent *event)
{
    if (cache_.size() != viewport()->size())
        cache_ = picture(viewport()->size());
    QPainter p(viewport());
    p.drawPixmap(0, 0, cache_);
    (void)event;
}

void BackgroundArea::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    placeOverlay();
}
