#pragma once

#include "shell/frames/BaseFind.h"

#include <QDate>

/// The statement pieces of the memorable dates, shared by the list, its tests and the bench.
namespace MemorableDates {
/// The conditions on D1Search that find the dates of \a today and the seven days after it in any year: one
/// range, or two when the week runs into the new year. In a year without 29 February a 1 March in the week
/// takes in the birthdays of 29 February too.
QString WindowCondition(const QDate& today);
/// The whole statement of the list: \a kind (0: people, families and organizations) and the week of \a today.
QString Statement(const QDate& today, int kind);
/// The kind the quick-find item \a index stands for (blank, "Знакомые", "Семьи", "Организации"); 0 for none.
int KindOfItem(int index);
/// The text of the date cell: the date, a line break and the age to be reached followed by " лет".
QString DateText(double date);
} // namespace MemorableDates

/**
 * \brief "Знаменательные даты": the birthdays of people, the anniversaries of families and the founding days
 * of organizations in the coming week, each with the age to be reached. Shown in the side panel at start.
 */
class TFindAlarm final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindAlarm)

public:
    explicit TFindAlarm(QWidget* parent = nullptr);
    ~TFindAlarm() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QComboBox* eFindBox() const { return eFind; }

    QString GetSelectSQL() override;
    void ParseBriefFind() override;
    void QueryAfterOpen() override;
};
