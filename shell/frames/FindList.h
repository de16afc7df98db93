#pragma once

#include <QString>

class TDBMainInfo;

/**
 * \brief What the main window and the pick dialog ask of a list frame (the list-and-search frame
 * implements it): its current row, rerunning its query, and where the user types a search.
 */
class TFindList
{
public:
    virtual ~TFindList() = default;
    /// The id of the object in the current row; empty when there is no row.
    virtual const QString& CurObjId() const = 0;
    /// The object in the current row (owned by the list); nullptr when there is none.
    virtual TDBMainInfo* GetCurrentObjInfo() = 0;
    /// Rebuilds and reruns the query, then puts the cursor on the row of \a id (no move when empty).
    virtual void RunQuery(const QString& id) = 0;
    /// Focuses the filter editor in the extended search mode, else the quick-find edit.
    virtual void FocusFind() = 0;
};
