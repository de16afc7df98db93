#include "shell/widgets/TimeEdit.h"

#include "platform/Clock.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/ValutaList.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int AlarmPicture = 58;
constexpr int TimePicture = 11;
const QString InvalidTime = QStringLiteral("Укажите время от 00:00 до 23:59");

QString Part(const QString& text, int from, int length)
{
    return text.mid(from, length).trimmed();
}

} // namespace

TDateEditState ParseDateEdits(const QString& dateText, const QString& timeText, bool timeMode, bool alarmDown)
{
    TDateEditState state;
    state.Complete = true;
    QString day = Part(dateText, 0, 2);
    QString month = Part(dateText, 3, 2);
    const QString year = Part(dateText, 6, 4);
    if (day.isEmpty()) {
        day = QStringLiteral("01");
        state.Complete = false;
    }
    if (month.isEmpty()) {
        month = QStringLiteral("01");
        state.Complete = false;
    }
    const qint64 hours = IntOfText(timeText.mid(0, 2));
    const qint64 minutes = IntOfText(timeText.mid(3, 2));
    state.TimeValid = hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59;
    double date = 0;
    if (year.isEmpty() || !TryDate(date, day + QLatin1Char('.') + month + QLatin1Char('.') + year)) {
        state.Complete = false;
        return state;
    }
    state.Value = date;
    if (state.TimeValid)
        state.Value += static_cast<double>(hours * 60 + minutes) / (24.0 * 60.0);
    if (!timeMode)
        state.Alarm = alarmDown;
    return state;
}

QStringList TimeListEntries()
{
    QStringList entries;
    const auto add = [&entries](int from, int to, int step) {
        for (int minute = from; minute <= to; minute += step)
            entries << QStringLiteral("%1:%2")
                           .arg(minute / 60, 2, 10, QLatin1Char('0'))
                           .arg(minute % 60, 2, 10, QLatin1Char('0'));
    };
    add(0, 7 * 60 + 30, 30);
    add(8 * 60, 19 * 60 + 55, 5);
    add(20 * 60, 23 * 60 + 30, 30);
    return entries;
}

TpuCalendar::TpuCalendar(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("puCalendar"));
    m_calendar->setObjectName(QStringLiteral("mc"));
    m_calendar->setGridVisible(true);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_calendar);
    // The calendar reports a double click (and Enter) on a day, not on its title or navigation.
    connect(m_calendar, &QCalendarWidget::activated, this, [this]() { Accept(); });
}

TpuCalendar::~TpuCalendar() = default;

QPoint TpuCalendar::PopupPosition(const QRect& editGlobal, const QSize& popup, const QRect& workArea)
{
    QPoint position(editGlobal.right() + 1 - popup.width(), editGlobal.bottom() + 1);
    if (position.y() + popup.height() > workArea.bottom() + 1)
        position.setY(editGlobal.top() - popup.height());
    return position;
}

void TpuCalendar::Popup(QLineEdit* edit)
{
    double typed = 0;
    const QDate date = TryDate(typed, edit->displayText()) ? DateSerial::ToDate(typed) : Clock().Now().date();
    m_calendar->setSelectedDate(date);
    adjustSize();
    const QRect editGlobal(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    const QScreen* screen = edit->screen() ? edit->screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    move(PopupPosition(editGlobal, size(), workArea));
    show();
    raise();
    activateWindow();
    m_calendar->setFocus();
}

void TpuCalendar::Accept()
{
    hide();
    if (m_accept)
        m_accept(m_calendar->selectedDate());
}

TdbTimeEdit::TdbTimeEdit(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eDT(new QLineEdit(this))
    , m_pTime(new QWidget(this))
    , m_t1edit(new QLineEdit(m_pTime))
    , m_toolBar(new QToolBar(this))
    , m_tbAlarm(new QToolButton(m_toolBar))
    , m_calendar(new TpuCalendar(this))
    , m_timeList(new TpuValutaList(this))
{
    setObjectName(QStringLiteral("dbTimeEdit"));
    SetLinkMode(1);
    m_eDT->setObjectName(QStringLiteral("eDT"));
    m_eDT->setInputMask(QStringLiteral("00.00.0000; "));
    m_eDT->setMaxLength(10);
    QAction* calendarButton
        = m_eDT->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendarButton->setObjectName(QStringLiteral("eDTButton"));
    connect(calendarButton, &QAction::triggered, this, &TdbTimeEdit::ShowCalendar);

    m_pTime->setObjectName(QStringLiteral("pTime"));
    m_t1edit->setObjectName(QStringLiteral("t1edit"));
    m_t1edit->setInputMask(QStringLiteral("00:00; "));
    m_t1edit->setMaxLength(5);
    auto* timeLayout = new QHBoxLayout(m_pTime);
    timeLayout->setContentsMargins(0, 0, 0, 0);
    timeLayout->addWidget(m_t1edit);
    m_pTime->hide();

    m_toolBar->setObjectName(QStringLiteral("tbar_Info"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_tbAlarm->setObjectName(QStringLiteral("tbAlarm"));
    m_toolBar->addWidget(m_tbAlarm);
    m_toolBar->hide();
    connect(m_tbAlarm, &QToolButton::clicked, this, &TdbTimeEdit::AlarmClicked);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_eDT, 1);
    layout->addWidget(m_pTime);
    layout->addWidget(m_toolBar);

    m_t1.setObjectName(QStringLiteral("t1"));
    m_t1.setSingleShot(true);
    m_t1.setInterval(15);
    connect(&m_t1, &QTimer::timeout, this, &TdbTimeEdit::AfterChange);
    connect(m_eDT, &QLineEdit::textChanged, this, &TdbTimeEdit::EditChanged);
    connect(m_t1edit, &QLineEdit::textChanged, this, &TdbTimeEdit::EditChanged);
    m_eDT->installEventFilter(this);
    m_t1edit->installEventFilter(this);

    m_calendar->SetCallback([this](const QDate& date) {
        m_eDT->setText(DateSerial::DateText(DateSerial::FromDate(date)));
        m_eDT->setFocus();
    });
    m_timeList->lbValuta()->addItems(TimeListEntries());
    m_timeList->SetFocusControl(m_t1edit);
    m_timeList->SetCallback([this](TpuValutaList&, const QVariant&) { TimeChosen(); });
    UpdateToolBar();
}

TdbTimeEdit::~TdbTimeEdit() = default;

void TdbTimeEdit::SetToolBarVisible(bool visible)
{
    m_toolBarVisible = visible;
    UpdateToolBar();
}

void TdbTimeEdit::SetTimeMode(bool timeMode)
{
    m_timeMode = timeMode;
    UpdateToolBar();
}

// In time mode the button opens the time list; otherwise it is the reminder switch.
void TdbTimeEdit::UpdateToolBar()
{
    m_pTime->setVisible(m_timeMode);
    m_tbAlarm->setCheckable(!m_timeMode);
    if (m_timeMode)
        m_tbAlarm->setChecked(false);
    m_tbAlarm->setIcon(MainData().SmallIcons().Icon(m_timeMode ? TimePicture : AlarmPicture));
    m_tbAlarm->setEnabled(AlarmUsable());
    m_toolBar->setVisible(m_timeMode || m_toolBarVisible);
}

const TDateEditState& TdbTimeEdit::Parse()
{
    m_state = ParseDateEdits(
        m_eDT->displayText(), m_t1edit->displayText(), m_timeMode, m_tbAlarm->isCheckable() && m_tbAlarm->isChecked());
    if (m_alarmNeedsFullDate && !m_state.Complete)
        m_state.Alarm = false;
    return m_state;
}

bool TdbTimeEdit::AlarmUsable() const
{
    return m_state.Value > 0 && (m_state.Complete || !m_alarmNeedsFullDate || m_timeMode);
}

bool TdbTimeEdit::IsComplete()
{
    return Parse().Complete;
}

void TdbTimeEdit::EditChanged()
{
    m_t1.start();
}

void TdbTimeEdit::AfterChange()
{
    m_t1.stop();
    Parse();
    m_tbAlarm->setEnabled(AlarmUsable());
    if (m_tbAlarm->isEnabled() && m_alarm && m_tbAlarm->isCheckable())
        m_tbAlarm->setChecked(true);
    // A date that lost its day or month shows its reminder off, as it is stored.
    if (!m_tbAlarm->isEnabled() && m_alarmNeedsFullDate && m_state.Value > 0 && m_tbAlarm->isCheckable())
        m_tbAlarm->setChecked(false);
    if (OnValidDate)
        OnValidDate(*this);
}

bool TdbTimeEdit::ValidateData()
{
    Parse();
    // A time the mask lets through (25:70) is no time: it is refused rather than stored.
    if (m_timeMode && m_state.Value > 0 && !m_state.TimeValid) {
        m_errorText = InvalidTime;
        m_t1edit->setFocus();
        return false;
    }
    if (!Requred() || m_state.Value > 0)
        return true;
    m_errorText = QStringLiteral("Укажите дату");
    m_eDT->setFocus();
    return false;
}

void TdbTimeEdit::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    if (m_field == Tdb_dtFields::db_Date1) {
        master->Date1 = m_state.Value;
        master->D1Flag = m_state.Complete;
        master->D1Fixed = m_state.Alarm;
    } else {
        master->Date2 = m_state.Value;
        master->D2Flag = m_state.Complete;
        master->D2Fixed = m_state.Alarm;
    }
}

void TdbTimeEdit::LoadData()
{
    TBaseDBFrame::LoadData();
    m_eDT->clear();
    m_t1edit->clear();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const bool first = m_field == Tdb_dtFields::db_Date1;
    const double value = first ? master->Date1 : master->Date2;
    const bool complete = first ? master->D1Flag : master->D2Flag;
    const bool alarm = first ? master->D1Fixed : master->D2Fixed;
    if (value != 0) {
        m_eDT->setText(DateSerial::DateText(value));
        m_t1edit->setText(TimeText(value));
    }
    // A stored date keeps its reminder choice; a new or incomplete one gets the form's default.
    if (complete)
        m_alarm = alarm;
    if (m_tbAlarm->isCheckable())
        m_tbAlarm->setChecked(alarm);
    Parse();
    m_tbAlarm->setEnabled(AlarmUsable());
}

void TdbTimeEdit::ShowCalendar()
{
    m_calendar->Popup(m_eDT);
}

void TdbTimeEdit::AlarmClicked()
{
    if (m_timeMode)
        ShowTimeList();
}

void TdbTimeEdit::ShowTimeList()
{
    m_timeList->SelectText(m_t1edit->displayText());
    m_timeList->Popup(m_t1edit->mapToGlobal(QPoint(0, m_t1edit->height())), m_t1edit->width() + m_toolBar->width());
}

void TdbTimeEdit::TimeChosen()
{
    const QString chosen = m_timeList->SelectedText();
    m_timeList->hide();
    if (!chosen.isEmpty())
        m_t1edit->setText(chosen);
    m_t1edit->setFocus();
}

bool TdbTimeEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_eDT || watched == m_t1edit)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        // After the focus-in, so a mouse click does not put the caret elsewhere again.
        QTimer::singleShot(0, edit, [edit]() { edit->setSelection(0, 1); });
    }
    return TBaseDBFrame::eventFilter(watched, event);
}

QGroupBox* PeriodBox(const QString& title, TdbTimeEdit*& start, TdbTimeEdit*& end, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QStringLiteral("gbDT"));
    start = new TdbTimeEdit(box);
    start->setObjectName(QStringLiteral("dtStart"));
    start->SetdbField(Tdb_dtFields::db_Date1);
    end = new TdbTimeEdit(box);
    end->setObjectName(QStringLiteral("dtEnd"));
    end->SetdbField(Tdb_dtFields::db_Date2);
    for (TdbTimeEdit* edit : {start, end}) {
        edit->SetTimeMode(false);
        edit->SetToolBarVisible(false);
        edit->SetRequred(false);
    }
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 2, 4, 2);
    auto* from = new QLabel(QStringLiteral("с:"), box);
    from->setBuddy(start->eDT());
    auto* to = new QLabel(QStringLiteral("по:"), box);
    to->setBuddy(end->eDT());
    row->addWidget(from);
    row->addWidget(start);
    row->addWidget(to);
    row->addWidget(end);
    row->addStretch(1);
    return box;
}
