#include "bench/BenchTable.h"

#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString Figure(double value, const QString& unit)
{
    if (value < 0)
        return u"—"_s;
    const int decimals = value < 1 ? 3 : value < 100 ? 2 : 1;
    return QString::number(value, 'f', decimals) + u" "_s + unit;
}

QString Cell(const QString& text, int width)
{
    return text.leftJustified(width, u' ');
}

} // namespace

bool TBenchRow::Missed() const
{
    if (Median < 0)
        return false;
    if (Limit >= 0 && Median > Limit)
        return true;
    return RatioLimit >= 0 && Baseline > 0 && Median / Baseline > RatioLimit;
}

QString TBenchRow::TargetText() const
{
    QStringList parts;
    if (RatioLimit >= 0)
        parts << u"≤ %1 × база"_s.arg(RatioLimit);
    if (Limit >= 0)
        parts << u"< %1"_s.arg(Figure(Limit, Unit));
    return parts.isEmpty() ? u"—"_s : parts.join(u", "_s);
}

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return -1;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

void PrintTable(const QList<TBenchRow>& rows, QTextStream& out)
{
    const QStringList head
        = {u"Операция"_s, u"Медиана"_s, u"База"_s, u"Отношение"_s, u"Цель"_s, u"Итог"_s, u"Прогонов"_s};
    QList<QStringList> lines;
    for (const TBenchRow& r : rows) {
        const QString ratio = r.Median > 0 && r.Baseline > 0 ? QString::number(r.Median / r.Baseline, 'f', 2) : u"—"_s;
        const bool hasTarget = r.Limit >= 0 || r.RatioLimit >= 0;
        lines << QStringList {r.Operation, Figure(r.Median, r.Unit), Figure(r.Baseline, r.Unit), ratio, r.TargetText(),
            !hasTarget         ? u""_s
                : r.Median < 0 ? u"не измерено"_s
                : r.Missed()   ? u"НЕ ДОСТИГНУТА"_s
                               : u"да"_s,
            r.Runs > 0 ? QString::number(r.Runs) : u""_s};
    }
    QList<int> widths;
    for (int c = 0; c < head.size(); ++c) {
        int w = head.at(c).size();
        for (const QStringList& l : lines)
            w = std::max(w, static_cast<int>(l.at(c).size()));
        widths << w;
    }
    auto print = [&](const QStringList& cells) {
        QStringList padded;
        for (int c = 0; c < cells.size(); ++c)
            padded << Cell(cells.at(c), widths.at(c));
        out << u"| "_s << padded.join(u" | "_s) << u" |"_s << Qt::endl;
    };
    print(head);
    QStringList rule;
    for (int w : widths)
        rule << QString(w, u'-');
    out << u"|-"_s << rule.join(u"-|-"_s) << u"-|"_s << Qt::endl;
    for (const QStringList& l : lines)
        print(l);
    out << Qt::endl;
    bool any = false;
    for (const TBenchRow& r : rows) {
        if (!r.Note.isEmpty())
            out << u"  "_s << r.Operation << u": "_s << r.Note << Qt::endl;
    }
    out << Qt::endl;
    for (const TBenchRow& r : rows) {
        if (r.Missed()) {
            if (!any)
                out << u"Цели не достигнуты:"_s << Qt::endl;
            any = true;
            out << u"  - "_s << r.Operation << u": "_s << Figure(r.Median, r.Unit) << u", цель "_s << r.TargetText()
                << Qt::endl;
        }
    }
    if (!any)
        out << u"Все измеренные цели достигнуты."_s << Qt::endl;
    for (const TBenchRow& r : rows) {
        if (r.Median < 0 && (r.Limit >= 0 || r.RatioLimit >= 0))
            out << u"  Не измерено: "_s << r.Operation << u" ("_s << r.Note << u")"_s << Qt::endl;
    }
}
