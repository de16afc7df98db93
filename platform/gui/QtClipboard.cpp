#include "platform/gui/QtClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

QString TQtClipboard::Text() const
{
    return QGuiApplication::clipboard()->text();
}

void TQtClipboard::SetText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QByteArray TQtClipboard::Picture() const
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}
