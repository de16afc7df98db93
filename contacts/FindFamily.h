#pragma once

#include "shell/frames/BaseFind.h"

#include <QStringList>

/**
 * \brief The list of families (F2, the side panel, the pick dialog "Поиск семьи"): the status picture,
 * the period of the marriage and the partners' names; the extended search by status and by the names of
 * husband and wife.
 */
class TFindFamily : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindFamily)

public:
    /// The filter rows in the order the extended search shows them.
    static const QStringList& FilterRows();

    explicit TFindFamily(QWidget* parent = nullptr);
    ~TFindFamily() override;

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }

    void ParseOptionList() override;
    void QueryAfterOpen() override;

    /// Gives the status picture of a row.
    static void GridStatusColumnGetImage(const TListRow& row, int& imageIndex);
};

/// The texts of the family list's cells, shared by the lists showing families.
namespace FamilyCells {
/// The period of the marriage of a family row.
QString Period(const TListRow& row);
/// The partners' names of a family row, on two lines.
QString Names(const TListRow& row);
} // namespace FamilyCells
