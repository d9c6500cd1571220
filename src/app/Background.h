#pragma once

// The main window's client area: the background picture (the system's title and the
// organisation's emblem) under the child windows, with the login panel centred over it.

#include <QMdiArea>
#include <QPixmap>

class BackgroundArea : public QMdiArea {
    Q_OBJECT

public:
    BackgroundArea(const QString &title, const QString &emblemPath, QWidget *parent = nullptr);

    // A widget kept centred over the picture (the login panel).
    void setOverlay(QWidget *overlay);

    // The picture as drawn for a client area of this size.
    QPixmap picture(const QSize &size) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeOverlay();

    QString title_;
    QPixmap emblem_;
    QPixmap cache_;
    QWidget *overlay_ = nullptr;
};
