// The photos of the demonstration people, drawn here rather than shipped: shapes only, so that no font and
// no display is needed.
#include "tools/seed/SeedPhotos.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace SeedPhotos {

namespace {

constexpr int Width = 100;
constexpr int Height = 115;
constexpr int EveryNth = 4;
constexpr int Among = 100;

QColor Pick(const std::array<QRgb, 6>& colours, int index, int salt)
{
    return QColor(colours[static_cast<size_t>((index * 7 + salt) % int(colours.size()))]);
}

} // namespace

bool HasPortrait(int index)
{
    return index >= 0 && index < Among && index % EveryNth == 0;
}

QByteArray Portrait(int index, bool female)
{
    static constexpr std::array<QRgb, 6> grounds{0xff9ec5e8, 0xffc8e6c9, 0xfff8e1a8, 0xffe1bee7, 0xffffccbc, 0xffb2dfdb};
    static constexpr std::array<QRgb, 6> skins{0xfff1c7a5, 0xffe0ac8a, 0xffc68863, 0xfff5d5bd, 0xffd9a07b, 0xffeac0a0};
    static constexpr std::array<QRgb, 6> hairs{0xff3b2a20, 0xff6d4c33, 0xffb08850, 0xff1f1f1f, 0xff8d5a3b, 0xff9e9e9e};
    static constexpr std::array<QRgb, 6> clothes{0xff37474f, 0xff5c6bc0, 0xff8e24aa, 0xff2e7d32, 0xffc62828, 0xff455a64};

    QImage picture(Width, Height, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, Height);
    ground.setColorAt(0, Pick(grounds, index, 0).lighter(115));
    ground.setColorAt(1, Pick(grounds, index, 0).darker(110));
    p.fillRect(picture.rect(), ground);
    p.setPen(Qt::NoPen);

    const QColor hair = Pick(hairs, index, 2);
    if (female) {
        // Long hair falls behind the shoulders.
        p.setBrush(hair);
        p.drawRoundedRect(QRectF(24, 22, 52, 68), 22, 22);
    }
    p.setBrush(Pick(clothes, index, 3));
    QPainterPath shoulders;
    shoulders.moveTo(8, Height);
    shoulders.cubicTo(10, 86, 30, 80, 50, 80);
    shoulders.cubicTo(70, 80, 90, 86, 92, Height);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    const QColor skin = Pick(skins, index, 1);
    p.setBrush(skin.darker(108));
    p.drawRect(QRectF(43, 66, 14, 16));
    p.setBrush(skin);
    p.drawEllipse(QRectF(31, 26, 38, 46));
    p.setBrush(hair);
    QPainterPath top;
    top.moveTo(30, 46);
    top.cubicTo(28, 18, 72, 18, 70, 46);
    top.cubicTo(64, 34, 40, 30, 30, 46);
    p.drawPath(top);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QRectF(40, 45, 5, 4));
    p.drawEllipse(QRectF(55, 45, 5, 4));
    p.setPen(QPen(skin.darker(140), 1.5));
    p.drawArc(QRectF(43, 54, 14, 8), 200 * 16, 140 * 16);
    p.end();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "JPEG"))
        return QByteArray();
    return bytes;
}

} // namespace SeedPhotos
