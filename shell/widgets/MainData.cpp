#include "shell/widgets/MainData.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

TMainData* g_installed = nullptr;

enum class TShape {
    None, Windows, Person, Persons, Building, House, Calendar, Note, Clock, Coin, Wallet, Gear, Rings,
    Heart, Phone, Letter, Globe, Folder, File, Cake, Cross, Check, Arrow, Exchange, Star, Question,
};

struct TPictureSpec
{
    TShape Shape = TShape::None;
    QColor Color;
    QChar Mark; ///< a sign drawn in the lower right corner ("+", "-", ...), or none
};

TPictureSpec Spec(int number)
{
    const QColor blue(0x2E, 0x6D, 0xB4), red(0xC0, 0x39, 0x2B), green(0x2E, 0x8B, 0x57), gold(0xD4, 0xA0, 0x17),
        brown(0x8B, 0x5A, 0x2B), grey(0x6B, 0x72, 0x80), pink(0xD0, 0x4E, 0x8A), teal(0x1A, 0x8C, 0x8C),
        purple(0x7D, 0x3C, 0x98), orange(0xE0, 0x7B, 0x1F);
    switch (number) {
    case 0: return {TShape::Windows, blue, {}};
    case 1: return {TShape::Person, blue, {}};
    case 2: return {TShape::Building, brown, {}};
    case 3: return {TShape::House, green, {}};
    case 4: return {TShape::Calendar, red, {}};
    case 5: return {TShape::Note, gold, {}};
    case 9: return {TShape::Clock, teal, {}};
    case 11: return {TShape::Clock, blue, {}};
    case 15: return {TShape::Building, gold, {}};
    case 18: return {TShape::Calendar, grey, {}};
    case 27: return {TShape::Coin, gold, {}};
    case 28: return {TShape::Wallet, green, {}};
    case 30: return {TShape::Heart, red, {}};
    case 31: return {TShape::Gear, grey, {}};
    case 35: return {TShape::Folder, gold, {}};
    case 36: return {TShape::Cross, grey, {}};
    case 37: return {TShape::Star, orange, {}};
    case 38: return {TShape::Person, blue, {}};
    case 39: return {TShape::Phone, teal, {}};
    case 40: return {TShape::Persons, purple, {}};
    case 41: return {TShape::Rings, grey, {}};
    case 43: return {TShape::Globe, blue, {}};
    case 45: return {TShape::Rings, gold, {}};
    case 46: return {TShape::Phone, blue, {}};
    case 47: return {TShape::Arrow, purple, {}};
    case 49: return {TShape::Heart, pink, {}};
    case 50: return {TShape::Rings, brown, {}};
    case 52: return {TShape::Heart, grey, {}};
    case 56: return {TShape::Person, pink, {}};
    case 58: return {TShape::Cake, pink, {}};
    case 59: return {TShape::Persons, blue, {}};
    case 60: return {TShape::Letter, green, {}};
    case 61: return {TShape::House, green, QLatin1Char('+')};
    case 62: return {TShape::Rings, red, QLatin1Char('-')};
    case 67: return {TShape::Persons, orange, QLatin1Char('+')};
    case 71: return {TShape::Persons, grey, {}};
    case 72: return {TShape::Folder, gold, {}};
    case 73: return {TShape::Arrow, blue, {}};
    case 74: return {TShape::Persons, teal, {}};
    case 75: return {TShape::File, grey, {}};
    case 76: return {TShape::Cross, red, {}};
    case 79: return {TShape::Persons, green, {}};
    case 80: return {TShape::Letter, brown, {}};
    case 82: return {TShape::Letter, blue, {}};
    case 83: return {TShape::Phone, green, {}};
    case 84: return {TShape::Calendar, blue, {}};
    case 85: return {TShape::Calendar, green, {}};
    case 86: return {TShape::Globe, teal, {}};
    case 87: return {TShape::Calendar, purple, {}};
    case 89: return {TShape::Coin, green, QLatin1Char('+')};
    case 90: return {TShape::Coin, red, QLatin1Char('-')};
    case 91: return {TShape::Wallet, brown, {}};
    case 92: return {TShape::Wallet, blue, {}};
    case 93: return {TShape::Exchange, gold, {}};
    case 94: return {TShape::Wallet, teal, {}};
    case 95: return {TShape::Wallet, purple, {}};
    case 96: return {TShape::Coin, brown, {}};
    case 97: return {TShape::Coin, orange, QLatin1Char('>')};
    case 98: return {TShape::Coin, green, QLatin1Char('<')};
    case 99: return {TShape::Coin, purple, QLatin1Char('<')};
    case 100: return {TShape::Coin, red, QLatin1Char('>')};
    case 109: return {TShape::Folder, purple, {}};
    case 110: return {TShape::Check, green, {}};
    case 111: return {TShape::Question, blue, {}};
    case 115: return {TShape::File, teal, QLatin1Char('+')};
    case 117: return {TShape::Cake, blue, {}};
    case 120: return {TShape::Star, gold, {}};
    default: return {};
    }
}

void DrawPerson(QPainter& p, const QRectF& r, const QColor& color)
{
    p.setBrush(color);
    p.drawEllipse(QRectF(r.center().x() - r.width() * 0.18, r.top() + r.height() * 0.08, r.width() * 0.36,
                         r.height() * 0.36));
    QPainterPath body;
    body.moveTo(r.left() + r.width() * 0.12, r.bottom());
    body.cubicTo(r.left() + r.width() * 0.12, r.top() + r.height() * 0.45, r.right() - r.width() * 0.12,
                 r.top() + r.height() * 0.45, r.right() - r.width() * 0.12, r.bottom());
    body.closeSubpath();
    p.drawPath(body);
}

void DrawShape(QPainter& p, const QRectF& box, const TPictureSpec& spec)
{
    const QRectF r = box.adjusted(box.width() * 0.08, box.height() * 0.08, -box.width() * 0.08, -box.height() * 0.08);
    const qreal w = r.width(), h = r.height();
    const QColor dark = spec.Color.darker(150);
    p.setPen(QPen(dark, qMax(1.0, w / 20)));
    p.setBrush(spec.Color);
    switch (spec.Shape) {
    case TShape::None:
        return;
    case TShape::Windows:
        p.setBrush(spec.Color.lighter(160));
        p.drawRect(QRectF(r.left() + w * 0.3, r.top(), w * 0.7, h * 0.6));
        p.setBrush(spec.Color);
        p.drawRect(QRectF(r.left(), r.top() + h * 0.35, w * 0.7, h * 0.6));
        break;
    case TShape::Person:
        DrawPerson(p, r, spec.Color);
        break;
    case TShape::Persons:
        DrawPerson(p, QRectF(r.left() + w * 0.3, r.top(), w * 0.7, h * 0.85), spec.Color.lighter(130));
        DrawPerson(p, QRectF(r.left(), r.top() + h * 0.15, w * 0.7, h * 0.85), spec.Color);
        break;
    case TShape::Building:
        p.drawRect(QRectF(r.left() + w * 0.15, r.top(), w * 0.7, h));
        p.setBrush(Qt::white);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 2; ++col)
                p.drawRect(QRectF(r.left() + w * (0.27 + col * 0.28), r.top() + h * (0.1 + row * 0.25), w * 0.17, h * 0.14));
        break;
    case TShape::House: {
        QPolygonF roof{QPointF(r.left(), r.top() + h * 0.45), QPointF(r.center().x(), r.top()),
                       QPointF(r.right(), r.top() + h * 0.45)};
        p.drawRect(QRectF(r.left() + w * 0.15, r.top() + h * 0.42, w * 0.7, h * 0.58));
        p.setBrush(spec.Color.darker(120));
        p.drawPolygon(roof);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + w * 0.42, r.top() + h * 0.65, w * 0.16, h * 0.35));
        break;
    }
    case TShape::Calendar:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left(), r.top() + h * 0.1, w, h * 0.9));
        p.setBrush(spec.Color);
        p.drawRect(QRectF(r.left(), r.top() + h * 0.1, w, h * 0.25));
        p.setPen(Qt::NoPen);
        p.setBrush(dark);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(r.left() + w * (0.14 + col * 0.28), r.top() + h * (0.48 + row * 0.24), w * 0.16, h * 0.14));
        break;
    case TShape::Note:
    case TShape::File: {
        QPolygonF sheet{QPointF(r.left() + w * 0.15, r.top()), QPointF(r.right() - w * 0.3, r.top()),
                        QPointF(r.right() - w * 0.1, r.top() + h * 0.2), QPointF(r.right() - w * 0.1, r.bottom()),
                        QPointF(r.left() + w * 0.15, r.bottom())};
        p.setBrush(spec.Shape == TShape::Note ? spec.Color.lighter(150) : QColor(Qt::white));
        p.drawPolygon(sheet);
        for (int line = 0; line < 4; ++line)
            p.drawLine(QPointF(r.left() + w * 0.28, r.top() + h * (0.3 + line * 0.17)),
                       QPointF(r.right() - w * 0.25, r.top() + h * (0.3 + line * 0.17)));
        break;
    }
    case TShape::Clock:
        p.setBrush(Qt::white);
        p.drawEllipse(r);
        p.drawLine(r.center(), QPointF(r.center().x(), r.top() + h * 0.18));
        p.drawLine(r.center(), QPointF(r.right() - w * 0.22, r.center().y()));
        break;
    case TShape::Coin:
        p.drawEllipse(r.adjusted(w * 0.05, h * 0.05, -w * 0.05, -h * 0.05));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(w * 0.22, h * 0.22, -w * 0.22, -h * 0.22));
        break;
    case TShape::Wallet:
        p.drawRoundedRect(QRectF(r.left(), r.top() + h * 0.2, w, h * 0.7), w * 0.1, h * 0.1);
        p.setBrush(spec.Color.lighter(140));
        p.drawRect(QRectF(r.left() + w * 0.6, r.top() + h * 0.42, w * 0.4, h * 0.26));
        break;
    case TShape::Gear: {
        p.save();
        p.translate(r.center());
        for (int tooth = 0; tooth < 8; ++tooth) {
            p.drawRect(QRectF(-w * 0.08, -h * 0.5, w * 0.16, h * 0.25));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), w * 0.33, h * 0.33);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(0, 0), w * 0.12, h * 0.12);
        p.restore();
        break;
    }
    case TShape::Rings:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(spec.Color, w / 9));
        p.drawEllipse(QRectF(r.left() + w * 0.05, r.top() + h * 0.25, w * 0.55, h * 0.55));
        p.drawEllipse(QRectF(r.left() + w * 0.4, r.top() + h * 0.25, w * 0.55, h * 0.55));
        break;
    case TShape::Heart: {
        QPainterPath heart;
        heart.moveTo(r.center().x(), r.bottom());
        heart.cubicTo(r.left() - w * 0.2, r.top() + h * 0.45, r.left() + w * 0.2, r.top() - h * 0.15, r.center().x(),
                      r.top() + h * 0.25);
        heart.cubicTo(r.right() - w * 0.2, r.top() - h * 0.15, r.right() + w * 0.2, r.top() + h * 0.45, r.center().x(),
                      r.bottom());
        p.drawPath(heart);
        break;
    }
    case TShape::Phone:
        p.drawRoundedRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.5, h), w * 0.1, h * 0.1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + w * 0.32, r.top() + h * 0.1, w * 0.36, h * 0.65));
        break;
    case TShape::Letter:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left(), r.top() + h * 0.2, w, h * 0.6));
        p.drawLine(QPointF(r.left(), r.top() + h * 0.2), QPointF(r.center().x(), r.top() + h * 0.55));
        p.drawLine(QPointF(r.right(), r.top() + h * 0.2), QPointF(r.center().x(), r.top() + h * 0.55));
        break;
    case TShape::Globe:
        p.setBrush(spec.Color.lighter(150));
        p.drawEllipse(r);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(r.left() + w * 0.3, r.top(), w * 0.4, h));
        p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        break;
    case TShape::Folder:
        p.drawRect(QRectF(r.left(), r.top() + h * 0.15, w * 0.45, h * 0.2));
        p.drawRect(QRectF(r.left(), r.top() + h * 0.3, w, h * 0.6));
        break;
    case TShape::Cake:
        p.drawRect(QRectF(r.left() + w * 0.1, r.top() + h * 0.45, w * 0.8, h * 0.5));
        p.setBrush(spec.Color.lighter(150));
        p.drawRect(QRectF(r.left() + w * 0.1, r.top() + h * 0.45, w * 0.8, h * 0.15));
        p.setBrush(QColor(0xF2, 0xC1, 0x1D));
        for (int candle = 0; candle < 3; ++candle)
            p.drawRect(QRectF(r.left() + w * (0.25 + candle * 0.22), r.top() + h * 0.15, w * 0.07, h * 0.3));
        break;
    case TShape::Cross:
        p.setPen(QPen(spec.Color, w / 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(r.topLeft() + QPointF(w * 0.15, h * 0.15), r.bottomRight() - QPointF(w * 0.15, h * 0.15));
        p.drawLine(r.topRight() + QPointF(-w * 0.15, h * 0.15), r.bottomLeft() + QPointF(w * 0.15, -h * 0.15));
        break;
    case TShape::Check:
        p.setPen(QPen(spec.Color, w / 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{QPointF(r.left() + w * 0.1, r.center().y()),
                                 QPointF(r.left() + w * 0.4, r.bottom() - h * 0.15),
                                 QPointF(r.right() - w * 0.1, r.top() + h * 0.15)});
        break;
    case TShape::Arrow:
    case TShape::Exchange: {
        p.setPen(QPen(spec.Color.darker(120), w / 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal y1 = spec.Shape == TShape::Arrow ? r.center().y() : r.top() + h * 0.3;
        p.drawLine(QPointF(r.left() + w * 0.1, y1), QPointF(r.right() - w * 0.1, y1));
        p.drawPolyline(QPolygonF{QPointF(r.right() - w * 0.35, y1 - h * 0.2), QPointF(r.right() - w * 0.1, y1),
                                 QPointF(r.right() - w * 0.35, y1 + h * 0.2)});
        if (spec.Shape == TShape::Exchange) {
            const qreal y2 = r.top() + h * 0.7;
            p.drawLine(QPointF(r.left() + w * 0.1, y2), QPointF(r.right() - w * 0.1, y2));
            p.drawPolyline(QPolygonF{QPointF(r.left() + w * 0.35, y2 - h * 0.2), QPointF(r.left() + w * 0.1, y2),
                                     QPointF(r.left() + w * 0.35, y2 + h * 0.2)});
        }
        break;
    }
    case TShape::Star: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal radius = (i % 2 == 0) ? 0.5 : 0.22;
            const qreal angle = -M_PI / 2 + i * M_PI / 5;
            star << QPointF(r.center().x() + std::cos(angle) * w * radius, r.center().y() + std::sin(angle) * h * radius);
        }
        p.drawPolygon(star);
        break;
    }
    case TShape::Question: {
        p.setBrush(spec.Color);
        p.drawEllipse(r);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(qMax(6, int(h * 0.7)));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    if (!spec.Mark.isNull()) {
        const QRectF badge(r.right() - w * 0.45, r.bottom() - h * 0.45, w * 0.45, h * 0.45);
        p.setPen(QPen(Qt::white, qMax(1.0, w / 16)));
        p.setBrush(dark);
        p.drawEllipse(badge);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(qMax(6, int(badge.height() * 0.9)));
        p.setFont(font);
        p.drawText(badge, Qt::AlignCenter, QString(spec.Mark));
    }
}

} // namespace

TMainData::TMainData()
    : m_large(QSize(32, 32))
    , m_small(QSize(20, 20))
    , m_shared(QSize(16, 16))
    , m_core(QSize(16, 16))
    , m_previous(g_installed)
{
    // Drawn for the sharpest screen, so that a scaled desktop (200%) shows them sharp, not enlarged.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    Fill(m_large, ratio);
    Fill(m_small, ratio);
    Fill(m_shared, ratio);
    Fill(m_core, ratio);
    g_installed = this;
}

TMainData::~TMainData()
{
    if (g_installed == this)
        g_installed = m_previous;
}

void TMainData::DrawPicture(QPainter& painter, const QRect& box, int number)
{
    const TPictureSpec spec = Spec(number);
    if (spec.Shape == TShape::None)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    DrawShape(painter, QRectF(box), spec);
    painter.restore();
}

void TMainData::Fill(TPictureList& list, qreal ratio)
{
    list.Clear();
    for (int number = 0; number <= LastPicture; ++number) {
        QPixmap picture(list.Size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        DrawPicture(painter, QRect(QPoint(0, 0), list.Size()), number);
        painter.end();
        list.Append(picture);
    }
}

TMainData& MainData()
{
    if (!g_installed) {
        // Screens built without the program's start-up (tools, tests) still find their pictures. The module
        // is kept to the end: its pictures must not outlive the application object.
        static TMainData* fallback = nullptr;
        if (!fallback)
            fallback = new TMainData;
        g_installed = fallback;
    }
    return *g_installed;
}
