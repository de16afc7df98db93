#pragma once

#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

/**
 * \brief The list of events (the side list "События", F2 picture 4, and the pick dialog "Поиск события"):
 * each event's type, start, direction and "[project]" name, newest first, its colour telling past, running
 * and coming events apart and its font its importance; found by every filter row of the extended search,
 * in which it starts. The cursor stands on the latest event that has begun.
 *
 * Lists of events linked to an object derive from it and change the name and date texts
 * (GetNameText, GetDateText) and the filter rows it does not know (ParseExtraOption).
 */
class TFindEvent : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindEvent)

public:
    /// The picture of the events list.
    static constexpr int EventsPicture = 4;
    /// The Tag of aLinks that opens the event analysis.
    static constexpr int AnalysisDialog = 35;
    /// The item of the "Проект" filter standing for the events without a project.
    inline static const QString NoProject = QStringLiteral("Проект не указан");
    /// The filter rows, in order.
    static const QStringList& FilterRows();
    /// The items of the "Период" filter.
    static const QStringList& PeriodItems();

    explicit TFindEvent(QWidget* parent = nullptr);
    ~TFindEvent() override;

    /// The display text of the name column: "[project]" and the name on the next line.
    virtual QString GetNameText(const TListRow& row);
    /// The display text of the start column (EventLook::DateText of today).
    virtual QString GetDateText(const TListRow& row);
    /// The condition of a filter row ParseOptionList does not know ("Где (у кого)" here); empty for none.
    virtual QString ParseExtraOption(const QString& key, const QString& value);

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    int FirstRow() override;
    void aCopyExecute() override;

    /// The values the pick list of filter row \a key offers now (read from the database where they come from).
    QStringList PickListOf(const QString& key);
    /// The new event of aNew, in the edit dialog; the list reruns on it when it was saved.
    void NewEvent();
    /// The event analysis (aLinks with Tag 35).
    void OpenAnalysis();

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }

private:
    /// The item's id in the last "Проект" list; empty when the text is none of its items.
    QString ProjectOf(const QString& text) const;

    TValueList m_projects;
};
