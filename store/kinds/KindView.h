#pragma once

#include "store/ObjectRecord.h"

#include <type_traits>

/**
 * \brief The base of the typed views over one AllInfo row: a kind's header names the generic columns as
 * that kind uses them (a person's Surname() is Str1), so that editors, lists, the cascade, the seed and
 * the tests never spell raw column numbers.
 *
 * A view holds a reference to the row and owns nothing; it is as cheap as the reference. A view over a
 * const row offers only the readers. Every kind has a header of its own beside this one.
 */
template <typename TRow> class TKindView
{
    static_assert(std::is_same_v<std::remove_const_t<TRow>, TObjectRow>, "a view is over a row (a record is one)");

public:
    explicit TKindView(TRow& row)
        : m_row(row)
    {
    }

    TRow& Row() const { return m_row; }
    const TGID& Id() const { return m_row.Obj; }
    int ObjType() const { return m_row.ObjType; }
    const QString& Comments() const { return m_row.Comments; }
    void SetComments(const QString& text) const { m_row.Comments = text; }
    /// The picture bytes (a person's photo, an organization's logo); empty when none.
    const QByteArray& Picture() const { return m_row.Foto; }
    void SetPicture(const QByteArray& bytes) const { m_row.Foto = bytes; }

protected:
    TRow& m_row;
};

/// Declares a reader and a writer of one column under the kind's own name: ZORVIN_COLUMN(QString, Surname, Str1)
/// gives Surname() and SetSurname(value).
#define ZORVIN_COLUMN(Type, Name, Column)                                                                              \
    Type Name() const                                                                                                  \
    {                                                                                                                  \
        return this->m_row.Column;                                                                                     \
    }                                                                                                                  \
    void Set##Name(const Type& value) const                                                                            \
    {                                                                                                                  \
        this->m_row.Column = value;                                                                                    \
    }

/// Declares a reader and a writer of a Boolean column.
#define ZORVIN_FLAG(Name, Column)                                                                                      \
    bool Name() const                                                                                                  \
    {                                                                                                                  \
        return this->m_row.Column;                                                                                     \
    }                                                                                                                  \
    void Set##Name(bool value) const                                                                                   \
    {                                                                                                                  \
        this->m_row.Column = value;                                                                                    \
    }

/// Declares a plain text kept in a link column (an address keeps its house and flat there): Name() gives the
/// text, SetName(text) stores it, cut to the column's 16 characters.
#define ZORVIN_LINK_TEXT(Name, Column)                                                                                 \
    QString Name() const                                                                                               \
    {                                                                                                                  \
        return this->m_row.Column.Text();                                                                              \
    }                                                                                                                  \
    void Set##Name(const QString& value) const                                                                         \
    {                                                                                                                  \
        this->m_row.Column = value;                                                                                    \
    }

/// Names the view over a row and over a const row of the template T<Name>ViewOf, and the helper
/// <Name>View(row) that picks one of them: ZORVIN_KIND_VIEW(Phone) gives TPhoneView, TConstPhoneView and PhoneView().
#define ZORVIN_KIND_VIEW(Name)                                                                                         \
    using T##Name##View = T##Name##ViewOf<TObjectRow>;                                                                 \
    using TConst##Name##View = T##Name##ViewOf<const TObjectRow>;                                                      \
    inline T##Name##View Name##View(TObjectRow& row)                                                                   \
    {                                                                                                                  \
        return T##Name##View(row);                                                                                     \
    }                                                                                                                  \
    inline TConst##Name##View Name##View(const TObjectRow& row)                                                        \
    {                                                                                                                  \
        return TConst##Name##View(row);                                                                                \
    }
