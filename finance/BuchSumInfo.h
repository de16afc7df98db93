#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QDate>
#include <QHash>
#include <QStringList>

#include <optional>

class QTableWidget;
class QHeaderView;
class TMyDataBase;
class TpuValutaList;

/**
 * \brief The totals under an operation list: money in, money out and their difference for today, the week,
 * the month, the quarter, the year and the list's own period ("Фильтр"), in one currency at a time.
 *
 * It owns its record (link mode 0): the list hands it a copy of its filter record (account Link1, host
 * Link2 and host kind ObjType, Link3 to Link5, Comments, the operation filter Int1 with its condition Str3,
 * the period Date1 and Date2) and its extra condition after every query. Amounts are summed by the database
 * as whole hundredths of one currency: accounts of other currencies never enter a total. Accounts stored
 * without a currency are offered together under "—".
 */
class TFBuchSumInfo final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFBuchSumInfo)

public:
    /// The calendar periods, as bits of VisibleSection.
    enum TVisibleSection : int {
        vsToday = 1,
        vsWeek = 2,
        vsMounth = 4,
        vsKvartal = 8,
        vsYear = 16,
        vsAll = 31,
    };
    /// The grid's columns.
    enum TColumn : int { ColLabel = 0, ColToday, ColWeek, ColMonth, ColQuarter, ColYear, ColFilter, ColCurrency };
    /// The entry of the accounts without a currency in the currency list.
    inline static const QString NoCurrency = QStringLiteral("—");

    explicit TFBuchSumInfo(QWidget* parent = nullptr);
    ~TFBuchSumInfo() override;

    int VisibleSection() const { return m_visibleSection; }
    /// Shows the periods of \a sections (bits of TVisibleSection) and recomputes.
    void SetVisibleSection(int sections);
    int ModeLink2() const { return m_modeLink2; }
    void SetModeLink2(int mode) { m_modeLink2 = mode; }
    const QString& SpecFindOptions() const { return m_specFindOptions; }
    void SetSpecFindOptions(const QString& condition) { m_specFindOptions = condition; }

    /// The filter record (the private master).
    TDBMainInfo* FindOptions() const { return MasterDBInfo(); }
    /// The chosen currency, NoCurrency for the accounts without one, empty when none is chosen.
    const QString& Currency() const { return m_currency; }
    /// The currencies offered: the account's own, or those of the operations, most operations first
    /// (counted when first asked for after a load that kept the chosen currency).
    const QStringList& Currencies() const;
    /// Makes \a currency the chosen one and recomputes (ignored when not offered).
    void ChooseCurrency(const QString& currency);
    /// Shows only the period of \a column (ColToday to ColYear) beside "Фильтр" and recomputes.
    void ChoosePeriod(int column);
    /// The shown text of a cell.
    QString CellText(int row, int column) const;
    QTableWidget* Grid() const { return m_grid; }
    TpuValutaList* Popup() const { return m_popup; }
    /// Opens the period or currency popup under the header section \a column.
    void HeaderClick(int column);

    void LoadData() override;

    /// The sum of the positive amounts and the sum of the negative ones (below zero), in hundredths.
    struct TInOut
    {
        qint64 In = 0;
        qint64 Out = 0;
    };

    /// The first day of the period of \a column (ColToday to ColYear) around \a today, and the first day
    /// after it. A week runs from Monday to the following Monday, Sunday included.
    static void PeriodBounds(int column, const QDate& today, QDate& from, QDate& before);
    /// The conditions the operation lists and the totals share: Link3, Link4, Link5 equal to the record's
    /// values (the none id is a value: the operations without one), the Comments prefix, and the operation
    /// filter (a value of 200 or more is the set of codes in Str3).
    static QString FilterConditions(const TDBMainInfo& options);
    /// The operations that concern \a host: linked to it by an operation link or having it as counterparty.
    static QString HostOperations(const QString& host);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Fills the currency list and chooses a currency.
    void ReadCurrencies(TMyDataBase* db);
    /// Whether an operation is on an account of \a currency.
    bool HasOperations(TMyDataBase* db, const QString& currency) const;
    /// The currencies of the operations that the host concerns, most operations first; \a withSums also
    /// keeps each account's money in and out of those operations.
    void CountCurrencies(TMyDataBase* db, bool withSums = false) const;
    /// The statement of the accounts of the chosen currency.
    QString CurrencyAccounts() const;
    /// Every condition of the sums of \a column but the sign (without the account or currency when not
    /// \a accounts).
    QString Conditions(int column, bool accounts = true) const;
    /// The "Фильтр" sums from the sums per account of the currency count: those of the accounts of the
    /// chosen currency.
    std::optional<TInOut> SumOfAccounts(TMyDataBase* db) const;
    void Compute();
    void ClearCells();
    void SetLabels();
    void FitColumns();

    QTableWidget* m_grid;
    TpuValutaList* m_popup;
    int m_visibleSection = vsAll;
    int m_modeLink2 = 0;
    QString m_specFindOptions;
    QString m_currency;
    mutable QStringList m_currencies;
    /// Whether m_currencies is the list of the last load (or still to be counted).
    mutable bool m_currenciesRead = true;
    /// The money in and out of the host's operations per account (the id in capitals), when the load
    /// counted the currencies and the list's filter is the host alone.
    mutable std::optional<QHash<QString, TInOut>> m_accountSums;
};
