#pragma once

#include <QImage>
#include <QPainter>

// A picture whose left half is red and right half blue, so that a cut-out shows where it was taken.
inline QImage Halves(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter painter(&picture);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    return picture;
}
