#pragma once

#include "store/kinds/KindView.h"

/// The operation code of a money operation (Int1): powers of two, so that sets of codes read as lists.
namespace OperationCode {
enum : int {
    Income = 1,
    Expense = 2,
    Transfer = 4,
    Exchange = 8,
    Lent = 16,
    LentReturned = 32,
    Borrowed = 64,
    BorrowedReturned = 128,
};

/// The sign of the stored amount on the row of the account chosen first: money leaving it (expense,
/// transfer, exchange, a loan given, a debt paid back) is negative, money arriving positive.
constexpr int Sign(int code)
{
    return code == Income || code == LentReturned || code == Borrowed ? 1 : -1;
}

/// A transfer and an exchange are two rows, one on each account.
constexpr bool IsPair(int code)
{
    return code == Transfer || code == Exchange;
}

/// A debt movement as the user reads it ("Выдал в долг"); empty for the other codes.
inline QString DebtName(int code)
{
    switch (code) {
    case Lent:
        return QStringLiteral("Выдал в долг");
    case LentReturned:
        return QStringLiteral("Вернули долг");
    case Borrowed:
        return QStringLiteral("Взял в долг");
    case BorrowedReturned:
        return QStringLiteral("Вернул долг");
    default:
        return QString();
    }
}
} // namespace OperationCode

/// A money operation (kind 24): one movement of money on an account, or one half of a pair.
template <typename TRow> class TMoneyOperationViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    /// The Int4 of the second half of a pair (0 for the first half and for an ordinary operation).
    static constexpr qint64 SecondHalf = 2;

    /// OperationCode.
    ZORVIN_COLUMN(qint64, Code, Int1)
    /// Signed, in hundredths of the account's currency.
    ZORVIN_COLUMN(qint64, Amount, Int2)
    /// How many operation links name this operation.
    ZORVIN_COLUMN(qint64, LinkCount, Int3)
    /// 0, or SecondHalf.
    ZORVIN_COLUMN(qint64, Half, Int4)
    ZORVIN_COLUMN(TGID, Account, Link1)
    /// A person or an organization; the none id when none.
    ZORVIN_COLUMN(TGID, Counterparty, Link2)
    ZORVIN_COLUMN(TGID, Category, Link3)
    /// The subcategory, the other account or the counterparty again, by the code.
    ZORVIN_COLUMN(TGID, Fourth, Link4)
    /// The other half of a pair; the none id otherwise.
    ZORVIN_COLUMN(TGID, PairedRow, Link5)
    ZORVIN_COLUMN(double, Date, Date1)
    ZORVIN_FLAG(HasDate, D1Flag)

    bool IsSecondHalf() const { return this->m_row.Int4 == SecondHalf; }
};

ZORVIN_KIND_VIEW(MoneyOperation)
