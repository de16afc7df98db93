#include "shell/widgets/PictureList.h"

#include <QPainter>

TPictureList::TPictureList(const QSize& size)
    : m_size(size)
{
}

QPixmap TPictureList::Picture(int number) const
{
    if (number < 0 || number >= Count())
        return QPixmap();
    return m_pictures.at(number);
}

QIcon TPictureList::Icon(int number) const
{
    const QPixmap picture = Picture(number);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

int TPictureList::Append(const QPixmap& picture)
{
    m_pictures.append(Fitted(picture));
    return Count() - 1;
}

int TPictureList::AppendBlank()
{
    m_pictures.append(Blank());
    return Count() - 1;
}

void TPictureList::Replace(int number, const QPixmap& picture)
{
    if (number < 0)
        return;
    while (Count() <= number)
        m_pictures.append(Blank());
    m_pictures[number] = Fitted(picture);
}

void TPictureList::Remove(int number)
{
    if (number >= 0 && number < Count())
        m_pictures.removeAt(number);
}

QPixmap TPictureList::Fitted(const QPixmap& picture) const
{
    if (picture.isNull())
        return Blank();
    if (picture.deviceIndependentSize().toSize() == m_size)
        return picture;
    // A picture keeps its pixel ratio: a sharp one stays sharp at the list's size.
    const qreal ratio = picture.devicePixelRatio();
    QPixmap fitted = picture.scaled(m_size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

QPixmap TPictureList::Blank() const
{
    QPixmap blank(m_size);
    blank.fill(Qt::transparent);
    return blank;
}

void DrawCentred(QPainter& painter, const QRect& box, const QPixmap& picture)
{
    const QSize size = picture.deviceIndependentSize().toSize();
    painter.drawPixmap(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                       picture);
}
