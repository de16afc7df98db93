#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QDate>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QCalendarWidget;
class QGroupBox;
class QLineEdit;
class QToolBar;
class QToolButton;
class TpuValutaList;

/// Which date of the master record a date editor edits.
enum class Tdb_dtFields { db_Date1, db_Date2 };

/// What the date editor's two edits say.
struct TDateEditState
{
    double Value = 0; ///< the date and time as a day serial; 0 = no date
    bool Complete = false; ///< day, month and year were all given
    bool Alarm = false; ///< the reminder is on (never in time mode)
    bool TimeValid = true; ///< the time text is a time of day (00:00 to 23:59)
};

/**
 * Reads the displayed texts of the date editor by position: day = characters 1-2, month 4-5, year 7-10 of
 * \a dateText; hours 1-2 and minutes 4-5 of \a timeText. A missing day or month counts as 1 and leaves the
 * date incomplete; a missing year or a date that does not exist gives no date.
 */
TDateEditState ParseDateEdits(const QString& dateText, const QString& timeText, bool timeMode, bool alarmDown);

/// The times the time list offers: every 30 minutes to 07:30, every 5 minutes from 08:00 to 19:55, every
/// 30 minutes from 20:00 to 23:30.
QStringList TimeListEntries();

/**
 * \brief The calendar pop-up of the date editor: one month calendar; a double click on a day (or Enter)
 * accepts it.
 */
class TpuCalendar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TpuCalendar)

public:
    using TAccept = std::function<void(const QDate& date)>;

    explicit TpuCalendar(QWidget* parent = nullptr);
    ~TpuCalendar() override;

    QCalendarWidget* mc() const { return m_calendar; }
    void SetCallback(TAccept accept) { m_accept = std::move(accept); }

    /// Shows the pop-up under \a edit, right-aligned with it (above it when it would leave the work area),
    /// on the date typed into it, or on today when the text is not a date.
    void Popup(QLineEdit* edit);
    /// Hides the pop-up and hands the calendar's date to the editor.
    void Accept();

    /// Where the pop-up goes: under the edit, right edges aligned; above the edit when it would reach
    /// below the work area.
    static QPoint PopupPosition(const QRect& editGlobal, const QSize& popup, const QRect& workArea);

private:
    QCalendarWidget* m_calendar;
    TAccept m_accept;
};

/**
 * \brief The date editor of every editor: a masked date edit with the calendar pop-up, optionally the time
 * of day with its time list, and the reminder button.
 *
 * A data frame linked to its host's record from creation, so one save of the host stores the date too:
 * the value, its complete flag and its reminder flag go into Date1/D1Flag/D1Fixed or Date2/D2Flag/D2Fixed.
 * It reads the edits' displayed texts, so a partly typed date keeps its positions.
 */
class TdbTimeEdit final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TdbTimeEdit)

public:
    using TNotifyEvent = std::function<void(TdbTimeEdit& sender)>;

    inline static const QString EmptyDateText = QStringLiteral("  .  .    ");
    inline static const QString EmptyTimeText = QStringLiteral("  :  ");

    explicit TdbTimeEdit(QWidget* parent = nullptr);
    ~TdbTimeEdit() override;

    QLineEdit* eDT() const { return m_eDT; }
    QLineEdit* t1edit() const { return m_t1edit; }
    QWidget* pTime() const { return m_pTime; }
    QToolBar* tbar_Info() const { return m_toolBar; }
    QToolButton* tbAlarm() const { return m_tbAlarm; }
    TpuCalendar* Calendar() const { return m_calendar; }
    TpuValutaList* TimeList() const { return m_timeList; }

    Tdb_dtFields dbField() const { return m_field; }
    void SetdbField(Tdb_dtFields field) { m_field = field; }
    bool ToolBarVisible() const { return m_toolBarVisible; }
    void SetToolBarVisible(bool visible);
    bool Alarm() const { return m_alarm; }
    void SetAlarm(bool alarm) { m_alarm = alarm; }
    /// Whether the reminder needs the day and the month: a date lacking either has no day to remind of.
    bool AlarmNeedsFullDate() const { return m_alarmNeedsFullDate; }
    void SetAlarmNeedsFullDate(bool needed) { m_alarmNeedsFullDate = needed; }
    bool TimeMode() const { return m_timeMode; }
    void SetTimeMode(bool timeMode);
    TNotifyEvent OnValidDate;

    /// Parses the edits now and answers whether the date is complete.
    bool IsComplete();
    /// The state of the last parse.
    const TDateEditState& State() const { return m_state; }
    /// Parses the edits now.
    const TDateEditState& Parse();

    bool ValidateData() override;
    void StoreData() override;
    void LoadData() override;

    /// Opens the calendar pop-up, as the date edit's button does.
    void ShowCalendar();
    /// Opens the time list, as the button does in time mode.
    void ShowTimeList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditChanged();
    void AfterChange();
    void AlarmClicked();
    void TimeChosen();
    void UpdateToolBar();
    /// The reminder button is usable for the date as parsed last.
    bool AlarmUsable() const;

    QLineEdit* m_eDT;
    QWidget* m_pTime;
    QLineEdit* m_t1edit;
    QToolBar* m_toolBar;
    QToolButton* m_tbAlarm;
    QTimer m_t1;
    TpuCalendar* m_calendar;
    TpuValutaList* m_timeList;
    Tdb_dtFields m_field = Tdb_dtFields::db_Date1;
    bool m_toolBarVisible = false;
    bool m_alarm = false;
    bool m_alarmNeedsFullDate = false;
    bool m_timeMode = false;
    TDateEditState m_state;
};

/// A period: a group box titled \a title holding "с:" and "по:" with two date editors bound to Date1 and
/// Date2 of their master, dates only, no tool bar, neither required. \a start and \a end get the editors.
QGroupBox* PeriodBox(const QString& title, TdbTimeEdit*& start, TdbTimeEdit*& end, QWidget* parent);
