#include "finance/BuchSumInfo.h"

#include "shell/widgets/ValutaList.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QHeaderView>
#include <QListWidget>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rows = 3;
constexpr int Columns = 8;
constexpr int LabelWidth = 80;
constexpr int CurrencyWidth = 70;
constexpr int FixedWidths = 168;
constexpr int MaxSectionWidth = 200;
constexpr int RowHeight = 20;
constexpr int SetFilterMark = 200;
constexpr int DebtorsFilter = 201;
constexpr int CreditorsFilter = 202;
/// The period popup's texts carry the column they choose.
constexpr int PeriodPopup = 0;
constexpr int CurrencyPopup = 1;

const QStringList& PeriodNames()
{
    static const QStringList names {u"Сегодня"_s, u"Неделя"_s, u"Месяц"_s, u"Квартал"_s, u"Год"_s};
    return names;
}

int SectionBit(int column)
{
    return 1 << (column - TFBuchSumInfo::ColToday);
}

QString KindText(int kind)
{
    return QString::number(kind);
}

bool HostSet(const TDBMainInfo& options)
{
    return !IsEmptyId(options.Link2);
}

/// The condition on the host the sums and the currency list share (the list's own, in mode 1).
QString HostCondition(const TDBMainInfo& options, int modeLink2)
{
    QString condition;
    if (!HostSet(options))
        return condition;
    if (modeLink2 == 0)
        IdCondition(condition, options.Link2, u"AllInfo.Link2"_s);
    else if (options.ObjType == Kind::Group)
        IdCondition(condition, options.Link2, u"AllInfo.Link3"_s);
    else
        condition = TFBuchSumInfo::HostOperations(options.Link2);
    return condition;
}

std::optional<qint64> Sum(TMyDataBase* db, const QString& sql)
{
    auto q = TMyDataBase::QueryOn(db, sql);
    if (!q || !q->next())
        return std::nullopt;
    // No operation at all sums to null: nothing came in.
    return q->value(0).isNull() ? 0 : q->value(0).toLongLong();
}

} // namespace

TFBuchSumInfo::TFBuchSumInfo(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_grid(new QTableWidget(Rows, Columns, this))
    , m_popup(new TpuValutaList(this))
{
    setObjectName(u"FBuchSumInfo"_s);
    m_grid->setObjectName(u"Grid"_s);
    m_grid->setHorizontalHeaderLabels({u"Операция"_s, u"Сегодня ^"_s, u"Неделя ^"_s, u"Месяц ^"_s, u"Квартал ^"_s,
        u"Год ^"_s, u"Фильтр"_s, u"Валюта ^"_s});
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setMinimumSectionSize(0);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            auto* item = new QTableWidgetItem;
            if (column >= ColToday && column <= ColFilter)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(row, column, item);
        }
    }
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFBuchSumInfo::HeaderClick);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    setFixedHeight(m_grid->horizontalHeader()->sizeHint().height() + Rows * RowHeight + 4);
    m_popup->SetFocusControl(m_grid);
    SetLabels();
    FitColumns();
}

TFBuchSumInfo::~TFBuchSumInfo() = default;

void TFBuchSumInfo::SetVisibleSection(int sections)
{
    m_visibleSection = sections & vsAll;
    FitColumns();
    LoadData();
}

void TFBuchSumInfo::ChoosePeriod(int column)
{
    if (column < ColToday || column > ColYear)
        return;
    SetVisibleSection(SectionBit(column));
}

void TFBuchSumInfo::ChooseCurrency(const QString& currency)
{
    if (!m_currencies.contains(currency))
        return;
    m_currency = currency;
    LoadData();
}

QString TFBuchSumInfo::CellText(int row, int column) const
{
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void TFBuchSumInfo::HeaderClick(int column)
{
    QStringList lines;
    int kind = PeriodPopup;
    if (column >= ColToday && column <= ColYear) {
        lines = PeriodNames();
    } else if (column == ColCurrency) {
        if (m_currencies.isEmpty())
            return;
        lines = m_currencies;
        kind = CurrencyPopup;
    } else {
        return;
    }
    QListWidget* list = m_popup->lbValuta();
    list->clear();
    list->addItems(lines);
    m_popup->SelectText(kind == CurrencyPopup ? m_currency : PeriodNames().value(column - ColToday));
    m_popup->SetAlwaysTall(kind == PeriodPopup);
    m_popup->SetCallback(
        [this](TpuValutaList& popup, const QVariant& data) {
            const QString chosen = popup.SelectedText();
            popup.hide();
            if (chosen.isEmpty())
                return;
            if (data.toInt() == CurrencyPopup)
                ChooseCurrency(chosen);
            else
                ChoosePeriod(ColToday + static_cast<int>(PeriodNames().indexOf(chosen)));
        },
        kind);
    QHeaderView* header = m_grid->horizontalHeader();
    const QPoint under(header->sectionViewportPosition(column), header->height());
    m_popup->Popup(header->mapToGlobal(under), std::max(header->sectionSize(column), CurrencyWidth));
}

void TFBuchSumInfo::PeriodBounds(int column, const QDate& today, QDate& from, QDate& before)
{
    switch (column) {
    case ColToday:
        from = today;
        before = today.addDays(1);
        break;
    case ColWeek:
        // Qt counts Monday as 1 and Sunday as 7: a Sunday closes the week that began six days before.
        from = today.addDays(1 - today.dayOfWeek());
        before = from.addDays(7);
        break;
    case ColMonth:
        from = QDate(today.year(), today.month(), 1);
        before = from.addMonths(1);
        break;
    case ColQuarter:
        from = QDate(today.year(), (today.month() - 1) / 3 * 3 + 1, 1);
        before = from.addMonths(3);
        break;
    case ColYear:
        from = QDate(today.year(), 1, 1);
        before = from.addYears(1);
        break;
    default:
        from = QDate();
        before = QDate();
        break;
    }
}

QString TFBuchSumInfo::FilterConditions(const TDBMainInfo& options)
{
    QString conditions;
    for (int i = 3; i <= 5; ++i)
        IdCondition(conditions, options.Link(i), u"AllInfo.Link"_s + QString::number(i));
    LikeCondition(conditions, u"AllInfo.Comments"_s, options.Comments);
    if (options.Int1 >= SetFilterMark && !options.Str3.trimmed().isEmpty())
        AddCondition(conditions, u"("_s + options.Str3 + u')');
    else if (options.Int1 > 0 && options.Int1 < SetFilterMark)
        IntCondition(conditions, u"AllInfo.Int1"_s, options.Int1);
    return conditions;
}

QString TFBuchSumInfo::HostOperations(const QString& host)
{
    const QString id = SqlDialect::Quote(host);
    return u"((AllInfo.ObjId in (select Link1 from AllInfo where ObjType = "_s + KindText(Kind::OperationLink)
        + u" and Link2 = "_s + id + u")) or (AllInfo.Link2 = "_s + id + u"))"_s;
}

QString TFBuchSumInfo::Conditions(int column) const
{
    const TDBMainInfo& options = *FindOptions();
    QString conditions;
    if (!IsEmptyId(options.Link1)) {
        IdCondition(conditions, options.Link1, u"AllInfo.Link1"_s);
    } else if (!m_currency.isEmpty()) {
        // Asked per operation, the account's currency leaves the index of the dates to the period.
        const QString accounts = u"select Acc.ObjId from AllInfo as Acc where Acc.ObjId = AllInfo.Link1 and "
                                 "Acc.ObjType = "_s
            + KindText(Kind::Account);
        const QString currency = m_currency == NoCurrency
            ? QString(u"(Acc.Str4 is null or Acc.Str4 = "_s + SqlDialect::Quote(QString()) + u')')
            : QString(u"Acc.Str4 = "_s + SqlDialect::Quote(m_currency));
        AddCondition(conditions, u"(exists ("_s + accounts + u" and "_s + currency + u"))"_s);
    }
    AddCondition(conditions, HostCondition(options, m_modeLink2));
    AddCondition(conditions, FilterConditions(options));
    double from = 0;
    double before = 0;
    if (column == ColFilter) {
        from = options.Date1;
        before = options.Date2;
    } else {
        QDate first;
        QDate after;
        PeriodBounds(column, DateSerial::ToDate(DateSerial::Today()), first, after);
        from = DateSerial::FromDate(first);
        before = DateSerial::FromDate(after);
    }
    DateCondition(conditions, u"AllInfo.Date1"_s, DateOp::From, from);
    DateCondition(conditions, u"AllInfo.Date1"_s, DateOp::Before, before);
    if (!m_specFindOptions.trimmed().isEmpty())
        AddCondition(conditions, u"("_s + m_specFindOptions + u')');
    return conditions;
}

void TFBuchSumInfo::ReadCurrencies(TMyDataBase* db)
{
    const TDBMainInfo& options = *FindOptions();
    m_currencies.clear();
    const auto currencyOf = [](const QVariant& value) {
        const QString text = value.toString().trimmed();
        return text.isEmpty() ? NoCurrency : text;
    };
    if (!IsEmptyId(options.Link1)) {
        auto q = TMyDataBase::QueryOn(db,
            u"select Str4 from AllInfo where ObjType = "_s + KindText(Kind::Account) + u" and ObjId = "_s
                + SqlDialect::Quote(options.Link1));
        if (q && q->next())
            m_currencies << currencyOf(q->value(0));
        m_currency = m_currencies.value(0);
        return;
    }
    // The operations are counted per account on the index of the accounts; the few accounts then give
    // their currencies.
    QString sql = u"select AllInfo.Link1, count(*) from AllInfo where AllInfo.ObjType = "_s
        + KindText(Kind::MoneyOperation);
    if (const QString host = HostCondition(options, 1); !host.isEmpty())
        sql += u" and "_s + host;
    sql += u" group by AllInfo.Link1"_s;
    QHash<QString, QString> currencyOfAccount;
    if (auto q = TMyDataBase::QueryOn(
            db, u"select ObjId, Str4 from AllInfo where ObjType = "_s + KindText(Kind::Account))) {
        while (q->next())
            currencyOfAccount.insert(q->value(0).toString().toUpper(), currencyOf(q->value(1)));
    }
    QHash<QString, qint64> counts;
    if (auto q = TMyDataBase::QueryOn(db, sql)) {
        while (q->next()) {
            const auto account = currencyOfAccount.constFind(q->value(0).toString().toUpper());
            if (account != currencyOfAccount.constEnd())
                counts[*account] += q->value(1).toLongLong();
        }
    }
    m_currencies = counts.keys();
    // Most operations first; equal counts by name.
    std::sort(m_currencies.begin(), m_currencies.end(), [&counts](const QString& a, const QString& b) {
        return counts[a] != counts[b] ? counts[a] > counts[b] : a < b;
    });
    if (!m_currencies.contains(m_currency))
        m_currency.clear();
    if (m_currency.isEmpty())
        m_currency = m_currencies.value(0);
}

void TFBuchSumInfo::ClearCells()
{
    for (int row = 0; row < Rows; ++row)
        for (int column = ColToday; column < Columns; ++column)
            m_grid->item(row, column)->setText(QString());
}

void TFBuchSumInfo::SetLabels()
{
    const TDBMainInfo* options = FindOptions();
    const qint64 filter = options ? options->Int1 : 0;
    QStringList labels {u"Доход"_s, u"Расход"_s, u"Итог"_s};
    if (filter == DebtorsFilter)
        labels = {u"Вернули"_s, u"Выдал в долг"_s, u"Должны"_s};
    else if (filter == CreditorsFilter)
        labels = {u"Взял в долг"_s, u"Вернул"_s, u"Должен"_s};
    for (int row = 0; row < Rows; ++row)
        m_grid->item(row, ColLabel)->setText(labels[row]);
}

void TFBuchSumInfo::LoadData()
{
    ClearCells();
    SetLabels();
    const TDBMainInfo* options = FindOptions();
    if (isHidden() || !options || options->ObjType <= 0)
        return;
    ReadCurrencies(options->Database());
    Compute();
}

void TFBuchSumInfo::Compute()
{
    TDBMainInfo* options = FindOptions();
    TMyDataBase* db = options->Database();
    const QString head = u"select sum(Int2) from AllInfo Where ObjType = "_s + KindText(Kind::MoneyOperation);
    for (int column = ColToday; column <= ColFilter; ++column) {
        if (column != ColFilter && !(m_visibleSection & SectionBit(column)))
            continue;
        const QString conditions = Conditions(column);
        const QString where = conditions.isEmpty() ? QString() : u" and "_s + conditions;
        const std::optional<qint64> in = Sum(db, head + where + u" and (AllInfo.Int2 > 0)"_s);
        const std::optional<qint64> out = Sum(db, head + where + u" and (AllInfo.Int2 < 0)"_s);
        if (in)
            m_grid->item(0, column)->setText(Money::Text(*in));
        if (out)
            m_grid->item(1, column)->setText(Money::Text(-*out));
        if (in && out)
            m_grid->item(2, column)->setText(Money::Text(*in + *out));
    }
    for (int row = 0; row < Rows; ++row)
        m_grid->item(row, ColCurrency)->setText(m_currency);
}

void TFBuchSumInfo::FitColumns()
{
    QHeaderView* header = m_grid->horizontalHeader();
    int shared = 1;
    for (int column = ColToday; column <= ColYear; ++column)
        if (m_visibleSection & SectionBit(column))
            ++shared;
    const int each = std::clamp((width() - FixedWidths) / shared, 0, MaxSectionWidth);
    header->resizeSection(ColLabel, LabelWidth);
    header->resizeSection(ColCurrency, CurrencyWidth);
    for (int column = ColToday; column <= ColYear; ++column)
        header->resizeSection(column, (m_visibleSection & SectionBit(column)) ? each : 0);
    header->resizeSection(ColFilter, each);
}

void TFBuchSumInfo::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    FitColumns();
}
