#pragma once

#include "shell/frames/BaseFind.h"

#include <QDate>
#include <QStringList>

/// The pieces of the recent-changes filter, shared by the list and its tests.
namespace RecentChanges {
/// The caption of the kind filter row's items (blank first) and the kinds they stand for.
const QStringList& KindCaptions();
int KindOfCaption(const QString& caption);
/// The conditions of the period \a period ("Сегодня", "Неделя", "Месяц") on \a column around \a today;
/// empty for a blank or unknown period.
QString PeriodCondition(const QString& column, const QString& period, const QDate& today);
/// The name of a listed object: a person's three names, an address (\a shortAddress: its short form), the
/// name of an organization or event, a family's two partners on two lines, a note's title; " " for a row
/// without an id, empty for other kinds.
QString NameText(const TListRow& row, bool shortAddress);
} // namespace RecentChanges

/**
 * \brief "Объекты": the people, families, organizations, addresses, events and notes created or changed
 * today, in the last week or in the last month, the latest first.
 */
class TFindLastModifyObj final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindLastModifyObj)

public:
    inline static const QString KindRow = QStringLiteral("Тип объекта");
    inline static const QString ChangeRow = QStringLiteral("Тип изменения");
    inline static const QString PeriodRow = QStringLiteral("Период");
    inline static const QString Changed = QStringLiteral("Измененный объект");
    inline static const QString Created = QStringLiteral("Новый объект");

    explicit TFindLastModifyObj(QWidget* parent = nullptr);
    ~TFindLastModifyObj() override;

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;

private:
    /// DModify for the changed objects, DCreate for the new ones.
    QString DateColumn() const;
};
