#include "photos/PhotoCut.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace PhotoCut {

namespace {

// The first source pixel under zoomed position \a at, and the pixel past the last one under \a at + \a length.
std::pair<qint64, qint64> SourceSpan(qint64 at, qint64 length, qint64 natural, qint64 zoomed)
{
    const qint64 first = std::clamp<qint64>(at * natural / zoomed, 0, natural);
    const qint64 past = std::clamp<qint64>(((at + length) * natural + zoomed - 1) / zoomed, 0, natural);
    return {first, past};
}

// Pictures with transparency are laid on white, as they would be shown.
QImage Opaque(const QImage& picture)
{
    if (picture.isNull() || !picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB32);
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    return opaque;
}

QImage ReadFrom(QImageReader& reader)
{
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > MaxLoadedSide)
        reader.setScaledSize(size.scaled(MaxLoadedSide, MaxLoadedSide, Qt::KeepAspectRatio));
    QImage picture = reader.read();
    if (picture.isNull())
        return QImage();
    // Formats that cannot decode to a smaller size are scaled after reading.
    if (std::max(picture.width(), picture.height()) > MaxLoadedSide)
        picture = picture.scaled(MaxLoadedSide, MaxLoadedSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return Opaque(picture);
}

} // namespace

QSize ZoomedSize(const QSize& natural, int zoom)
{
    const qint64 percent = std::clamp(zoom, MinZoom, MaxZoom);
    return QSize(static_cast<int>(std::max<qint64>(1, natural.width() * percent / 100)),
        static_cast<int>(std::max<qint64>(1, natural.height() * percent / 100)));
}

QRect SourceRect(const QSize& natural, const QSize& zoomed, const QPoint& cutTopLeft)
{
    if (natural.isEmpty() || zoomed.isEmpty())
        return QRect();
    const auto [left, right] = SourceSpan(cutTopLeft.x(), CutWidth, natural.width(), zoomed.width());
    const auto [top, bottom] = SourceSpan(cutTopLeft.y(), CutHeight, natural.height(), zoomed.height());
    if (right <= left || bottom <= top)
        return QRect();
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
        static_cast<int>(bottom - top));
}

QImage Cut(const QImage& picture, const QSize& zoomed, const QPoint& cutTopLeft)
{
    if (picture.isNull())
        return QImage();
    QImage cut(CutWidth, CutHeight, QImage::Format_RGB32);
    cut.fill(Qt::white);
    const QRect source = SourceRect(picture.size(), zoomed, cutTopLeft);
    if (source.isEmpty())
        return cut;
    const double scaleX = double(zoomed.width()) / picture.width();
    const double scaleY = double(zoomed.height()) / picture.height();
    const QRectF target(source.x() * scaleX - cutTopLeft.x(), source.y() * scaleY - cutTopLeft.y(),
        source.width() * scaleX, source.height() * scaleY);
    QPainter painter(&cut);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.copy(source));
    return cut;
}

QImage Read(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return ReadFrom(reader);
}

QImage ReadFile(const QString& path)
{
    QImageReader reader(path);
    return ReadFrom(reader);
}

} // namespace PhotoCut
