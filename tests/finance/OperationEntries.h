#pragma once

#include "finance/OperationStore.h"
#include "store/DateSerial.h"

#include <QDate>

/// An operation of \a code on \a account (and, for a pair, to \a second; an exchange receives the same
/// number of hundredths there), dated 1 December 2026.
inline TOperationEntry Entry(int code, const QString& account, qint64 amount, const QString& second = QString())
{
    TOperationEntry entry;
    entry.Code = code;
    entry.Date = DateSerial::FromDate(QDate(2026, 12, 1));
    entry.Account = account;
    entry.Amount = amount;
    entry.SecondAccount = second;
    entry.SecondAmount = amount;
    return entry;
}
