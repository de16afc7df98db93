#include "activities/EventLook.h"

#include "store/DateSerial.h"
#include "store/TextHelpers.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace EventLook {

const QStringList& ImportanceCaptions()
{
    static const QStringList captions{u"Низкая"_s, u"Обычная"_s, u"Высокая"_s};
    return captions;
}

const QStringList& StatusCaptions()
{
    static const QStringList captions{u"Планируется"_s, u"Активное"_s, u"Завершено"_s, u"Отменено"_s, u"Перенесено"_s};
    return captions;
}

const QStringList& DirectionCaptions()
{
    static const QStringList captions{u"исходящ."_s, u"входящ."_s};
    return captions;
}

QString DirectionText(qint64 direction)
{
    switch (direction) {
    case 1:
        return u"исх."_s;
    case 2:
        return u"вх."_s;
    default:
        return QString();
    }
}

QColor Colour(double start, double end, double now)
{
    if (start < now && end < now)
        return QColor(128, 128, 128);
    if (start > now)
        return QColor(0, 0, 128);
    if (start < now && end > now)
        return QColor(255, 0, 0);
    const double tomorrow = std::floor(now) + 1;
    if (start < tomorrow)
        return QColor(0, 0, 255);
    return QColor(Qt::black);
}

TFontStyles FontStyle(qint64 importance, TFontStyles style)
{
    switch (importance) {
    case 1:
        return TFontStyle::Italic;
    case 2:
        return {};
    case 3:
        return TFontStyle::Bold;
    default:
        return style;
    }
}

QString DateText(double start, double today)
{
    if (start == 0)
        return QString();
    const bool timed = DateSerial::ToTime(start) != QTime(0, 0);
    const bool ofToday = DateSerial::ToDate(start) == DateSerial::ToDate(today);
    QString text;
    if (!ofToday || !timed)
        text = DateSerial::DateText(start) + u'\r';
    if (timed)
        text += TimeText(start);
    return text;
}

} // namespace EventLook
