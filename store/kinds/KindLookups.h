#pragma once

#include <QString>

class TMyDataBase;

/// What DistinctValues asks of a kind: the column to list, the value narrowing the list and the two
/// kind-specific selectors.
struct TDistinctRequest
{
    QString Column;
    QString Value;
    int Extra = 0;
    int Mode = 0;
};

/// What ObjectList asks of a kind: the kind of the object the list is for, its database and its id.
struct TObjectListRequest
{
    int HolderKind = 0;
    TMyDataBase* Db = nullptr;
    QString Id;
};

/**
 * \brief How the pick lists of one kind are read: its own select distinct statement and its own object
 * list statement, where the kind has one; the others use the plain statements of LookupLists.
 */
struct TKindLookup
{
    int Code = 0;
    /// The select distinct statement of DistinctValues; nullptr: the plain one over the kind's rows.
    QString (*Distinct)(const TDistinctRequest& request) = nullptr;
    /// The statement of ObjectList (display text, then ObjId); nullptr: the kind's rows by Str1.
    QString (*Objects)(const TObjectListRequest& request) = nullptr;
    /// Blank values stay in the distinct list (an address may lack a region and still be picked by city).
    bool KeepsBlankValues = false;
};

namespace KindLookups {
/// The look-ups of \a code; nullptr for a kind with only the plain statements.
const TKindLookup* Find(int code);
} // namespace KindLookups
