#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRect;

/**
 * \brief A numbered list of pictures of one size, as the grids, tool bars and cards draw them.
 *
 * A number without a picture gives a null pixmap and an empty icon, so a missing picture never stops a
 * screen. Pictures put into the list are scaled to its size.
 */
class TPictureList final
{
public:
    explicit TPictureList(const QSize& size);

    QSize Size() const { return m_size; }
    int Count() const { return static_cast<int>(m_pictures.size()); }
    /// Picture \a number; a null pixmap when there is none.
    QPixmap Picture(int number) const;
    /// Picture \a number as an icon; an empty icon when there is none.
    QIcon Icon(int number) const;
    /// Appends \a picture (scaled to the list's size); its number.
    int Append(const QPixmap& picture);
    /// Appends a transparent picture; its number.
    int AppendBlank();
    /// Puts \a picture at \a number, growing the list with transparent pictures as needed.
    void Replace(int number, const QPixmap& picture);
    /// Removes picture \a number; the pictures after it move down by one.
    void Remove(int number);
    void Clear() { m_pictures.clear(); }

private:
    QPixmap Fitted(const QPixmap& picture) const;
    QPixmap Blank() const;

    QSize m_size;
    QList<QPixmap> m_pictures;
};

/// Draws \a picture centred in \a box at its size on the screen (a sharp picture of pixel ratio 2 takes the
/// room of one of ratio 1).
void DrawCentred(QPainter& painter, const QRect& box, const QPixmap& picture);
