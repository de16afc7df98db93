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

/// The currency an account's Str4 names: NoCurrency when it is blank.
QString CurrencyOf(const QVariant& value)
{
    const QString text = value.toString().trimmed();
    return text.isEmpty() ? TFBuchSumInfo::NoCurrency : text;
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

using TInOut = TFBuchSumInfo::TInOut;

std::optional<TInOut> Sums(TMyDataBase* db, const QString& sql)
{
    auto q = TMyDataBase::QueryOn(db, sql);
    if (!q || !q->next())
        return std::nullopt;
    // No operation at all sums to null: nothing came in or went out.
    return TInOut {q->value(0).isNull() ? 0 : q->value(0).toLongLong(), q->value(1).isNull() ? 0 : q->value(1).toLongLong()};
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
    if (!Currencies().contains(currency))
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
        if (Currencies().isEmpty())
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

QString TFBuchSumInfo::CurrencyAccounts() const
{
    const QString currency = m_currency == NoCurrency
        ? QString(u"(Str4 is null or Str4 = "_s + SqlDialect::Quote(QString()) + u')')
        : QString(u"Str4 = "_s + SqlDialect::Quote(m_currency));
    return u"select ObjId from AllInfo where ObjType = "_s + KindText(Kind::Account) + u" and "_s + currency;
}

QString TFBuchSumInfo::Conditions(int column, bool accounts) const
{
    const TDBMainInfo& options = *FindOptions();
    QString conditions;
    if (accounts && !IsEmptyId(options.Link1)) {
        IdCondition(conditions, options.Link1, u"AllInfo.Link1"_s);
    } else if (accounts && !m_currency.isEmpty()) {
        // The few accounts of the currency, each a range of the index of the operations by account and date.
        AddCondition(conditions, u"(AllInfo.Link1 in ("_s + CurrencyAccounts() + u"))"_s);
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

namespace {

/// The currency of each account (its id in capitals), NoCurrency for the accounts without one.
QHash<QString, QString> AccountCurrencies(TMyDataBase* db)
{
    QHash<QString, QString> currencies;
    if (auto q = TMyDataBase::QueryOn(
            db, u"select ObjId, Str4 from AllInfo where ObjType = "_s + KindText(Kind::Account))) {
        while (q->next())
            currencies.insert(q->value(0).toString().toUpper(), CurrencyOf(q->value(1)));
    }
    return currencies;
}

} // namespace

void TFBuchSumInfo::ReadCurrencies(TMyDataBase* db)
{
    const TDBMainInfo& options = *FindOptions();
    m_currencies.clear();
    m_currenciesRead = true;
    m_accountSums.reset();
    if (!IsEmptyId(options.Link1)) {
        auto q = TMyDataBase::QueryOn(db,
            u"select Str4 from AllInfo where ObjType = "_s + KindText(Kind::Account) + u" and ObjId = "_s
                + SqlDialect::Quote(options.Link1));
        if (q && q->next())
            m_currencies << CurrencyOf(q->value(0));
        m_currency = m_currencies.value(0);
        return;
    }
    // Without a host, a chosen currency that the operations still have stays chosen: the currencies are
    // counted, which reads every operation, only when a currency is to be chosen or the list is shown. A
    // host's operations are few and found through the host's own indexes: they are counted every time.
    if (!m_currency.isEmpty() && HostCondition(options, 1).isEmpty() && HasOperations(db, m_currency)) {
        m_currenciesRead = false;
        return;
    }
    // Every operation is read for the count anyway: when the list's own filter is no more than the host,
    // the same pass sums each account's money in and out for the "Фильтр" column.
    CountCurrencies(db, Conditions(ColFilter, false) == HostCondition(options, 1));
    if (!m_currencies.contains(m_currency))
        m_currency.clear();
    if (m_currency.isEmpty())
        m_currency = m_currencies.value(0);
}

bool TFBuchSumInfo::HasOperations(TMyDataBase* db, const QString& currency) const
{
    const QHash<QString, QString> currencies = AccountCurrencies(db);
    QStringList accounts;
    for (auto account = currencies.cbegin(); account != currencies.cend(); ++account) {
        if (account.value() == currency)
            accounts << SqlDialect::Quote(account.key());
    }
    if (accounts.isEmpty())
        return false;
    auto q = TMyDataBase::QueryOn(db,
        u"select top 1 AllInfo.Link1 from AllInfo where AllInfo.ObjType = "_s + KindText(Kind::MoneyOperation)
            + u" and AllInfo.Link1 in ("_s + accounts.join(u", "_s) + u')');
    return q && q->next();
}

void TFBuchSumInfo::CountCurrencies(TMyDataBase* db, bool withSums) const
{
    m_currencies.clear();
    m_currenciesRead = true;
    // The operations are counted per account on the index of the operations by account; the few accounts
    // then give their currencies.
    QString sql = u"select AllInfo.Link1, count(*)"_s
        + (withSums ? u", sum(case when AllInfo.Int2 > 0 then AllInfo.Int2 else 0 end), "
                      "sum(case when AllInfo.Int2 < 0 then AllInfo.Int2 else 0 end)"_s
                    : QString())
        + u" from AllInfo where AllInfo.ObjType = "_s + KindText(Kind::MoneyOperation);
    if (const QString host = HostCondition(*FindOptions(), 1); !host.isEmpty())
        sql += u" and "_s + host;
    sql += u" group by AllInfo.Link1"_s;
    const QHash<QString, QString> currencyOfAccount = AccountCurrencies(db);
    QHash<QString, qint64> counts;
    if (auto q = TMyDataBase::QueryOn(db, sql)) {
        QHash<QString, TInOut> sums;
        while (q->next()) {
            const QString id = q->value(0).toString().toUpper();
            const auto account = currencyOfAccount.constFind(id);
            if (account != currencyOfAccount.constEnd())
                counts[*account] += q->value(1).toLongLong();
            if (withSums)
                sums.insert(id, TInOut {q->value(2).toLongLong(), q->value(3).toLongLong()});
        }
        if (withSums)
            m_accountSums = std::move(sums);
    }
    m_currencies = counts.keys();
    // Most operations first; equal counts by name.
    std::sort(m_currencies.begin(), m_currencies.end(), [&counts](const QString& a, const QString& b) {
        return counts[a] != counts[b] ? counts[a] > counts[b] : a < b;
    });
}

const QStringList& TFBuchSumInfo::Currencies() const
{
    const TDBMainInfo* options = FindOptions();
    if (!m_currenciesRead && options)
        CountCurrencies(options->Database());
    return m_currencies;
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
    // The money in and the money out of a period are summed in one pass over its operations.
    const QString head = u"select sum(case when AllInfo.Int2 > 0 then AllInfo.Int2 else 0 end), "
                         "sum(case when AllInfo.Int2 < 0 then AllInfo.Int2 else 0 end) from AllInfo Where ObjType = "_s
        + KindText(Kind::MoneyOperation);
    for (int column = ColToday; column <= ColFilter; ++column) {
        if (column != ColFilter && !(m_visibleSection & SectionBit(column)))
            continue;
        const QString conditions = Conditions(column);
        const std::optional<TInOut> sums = column == ColFilter && m_accountSums
            ? SumOfAccounts(db)
            : Sums(db, conditions.isEmpty() ? head : head + u" and "_s + conditions);
        if (!sums)
            continue;
        m_grid->item(0, column)->setText(Money::Text(sums->In));
        m_grid->item(1, column)->setText(Money::Text(-sums->Out));
        m_grid->item(2, column)->setText(Money::Text(sums->In + sums->Out));
    }
    for (int row = 0; row < Rows; ++row)
        m_grid->item(row, ColCurrency)->setText(m_currency);
}

std::optional<TFBuchSumInfo::TInOut> TFBuchSumInfo::SumOfAccounts(TMyDataBase* db) const
{
    TInOut total;
    const auto add = [&total](const TInOut& sums) {
        total.In += sums.In;
        total.Out += sums.Out;
    };
    if (m_currency.isEmpty()) {
        for (const TInOut& sums : std::as_const(*m_accountSums))
            add(sums);
        return total;
    }
    // The accounts the sums' own condition names.
    auto q = TMyDataBase::QueryOn(db, CurrencyAccounts());
    if (!q)
        return std::nullopt;
    while (q->next())
        add(m_accountSums->value(q->value(0).toString().toUpper()));
    return total;
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
