#pragma once

#include "store/StoreResult.h"

#include <QString>

class TDBMainInfo;

/// What the user entered for one money operation; the store turns it into one row, or two for a pair.
struct TOperationEntry
{
    /// OperationCode.
    int Code = 0;
    double Date = 0;
    /// The account chosen first ("На счет" or "Со счета").
    QString Account;
    /// A person or an organization; anything else, or nothing, is stored as the none id.
    QString Counterparty;
    /// Income and expense only.
    QString Category;
    QString Subcategory;
    /// Non-negative hundredths: what the first account gets or gives (for a transfer, what is moved).
    qint64 Amount = 0;
    /// Transfer and exchange: the receiving account.
    QString SecondAccount;
    /// Exchange: the non-negative hundredths the receiving account gets, in its own currency.
    qint64 SecondAmount = 0;
    QString Comments;
};

/**
 * \brief Writes money operations: an ordinary operation is one row; a transfer or an exchange is two rows
 * naming each other through Link5, written whole or not at all.
 */
namespace OperationStore {

inline const QString Negative = QStringLiteral("Сумма не может быть отрицательной");

/**
 * Fills \a first (a new operation, or the first half of a stored one, loaded) from \a entry and writes it
 * on its database in one write transaction, with the second half for a transfer or an exchange: the second
 * half is rewritten on every save, and made anew when it is missing or no longer names the first one back.
 * A stored operation keeps the count of operation links its row holds now. Every save is checked: on any
 * failure nothing is written and \a first is left exactly as it was. After the commit, and only then,
 * money operations are announced as saved.
 */
TStoreResult Store(TDBMainInfo& first, const TOperationEntry& entry);

/// Money leaving the chosen account is stored negative: \a amount (non-negative) with the sign of \a code.
qint64 SignedAmount(int code, qint64 amount);

} // namespace OperationStore
