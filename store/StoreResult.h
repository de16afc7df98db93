#pragma once

#include <QString>

/**
 * \brief The outcome of a save or a deletion: its code (0 done, negative: refused or failed) and the text
 * the user is to read, exactly as the store words it (empty when there is nothing to tell).
 *
 * The store shows nothing itself, so that it can be used from any thread; the caller shows Text.
 */
struct TStoreResult
{
    int Code = 0;
    QString Text;

    bool Ok() const { return Code == 0; }
    friend bool operator==(const TStoreResult& result, int code) { return result.Code == code; }
};
