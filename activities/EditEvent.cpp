#include "activities/EditEvent.h"

#include "activities/EventLook.h"
#include "activities/EventSetting.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"
#include "store/kinds/EventLists.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupLists.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr double OneHour = 1.0 / 24;

QComboBox* Combo(const QString& name, bool editable)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(TFEditEvent::TextLength);
    }
    return combo;
}

QWidget* Row(const QString& name, const QString& caption, QWidget* field, QWidget* extra = nullptr)
{
    auto* row = new QWidget;
    row->setObjectName(name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 1, 4, 1);
    auto* text = new QLabel(caption, row);
    text->setMinimumWidth(80);
    text->setBuddy(field);
    layout->addWidget(text);
    layout->addWidget(field, 1);
    if (extra)
        layout->addWidget(extra);
    return row;
}

// An editable box whose suggestions are read when its list is first opened: reading every name or result
// of a large database takes longer than opening the editor should.
class TSuggestionBox final : public QComboBox
{
public:
    std::function<void()> BeforePopup;

    void showPopup() override
    {
        if (BeforePopup)
            BeforePopup();
        QComboBox::showPopup();
    }
};

QComboBox* SuggestionBox(const QString& name)
{
    auto* combo = new TSuggestionBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(TFEditEvent::TextLength);
    return combo;
}

// The suggestions of an editable combo box, keeping what is typed in it.
void SetSuggestions(QComboBox* combo, const QStringList& values)
{
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(values);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

void SetText(QComboBox* combo, const QString& text)
{
    combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    combo->setEditText(text);
}

int Position(qint64 code, int count)
{
    return code >= 1 && code <= count ? static_cast<int>(code - 1) : -1;
}

} // namespace

TFEditEvent::TFEditEvent(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_cbProject(Combo(u"cbProject"_s, false))
    , m_toolButton1(new QToolButton)
    , m_eName(SuggestionBox(u"eName"_s))
    , m_cbLinkType(Combo(u"cbLinkType"_s, false))
    , m_cbStatus(Combo(u"cbStatus"_s, false))
    , m_cbDirection(Combo(u"cbDirection"_s, false))
    , m_cbTarget(Combo(u"cbTarget"_s, true))
    , m_cbResult(SuggestionBox(u"cbResult"_s))
    , m_mComments(new TLimitedMemo(CommentLength))
{
    setObjectName(u"FEditEvent"_s);
    m_toolButton1->setObjectName(u"ToolButton1"_s);
    m_toolButton1->setToolTip(u"Создать новую связь\r\nмежду группами группу"_s);
    m_toolButton1->setIcon(MainData().SmallIcons().Icon(109));
    m_toolButton1->setFocusPolicy(Qt::NoFocus);
    m_eName->lineEdit()->setMaxLength(255);
    const TPictureList& pictures = MainData().SmallIcons();
    const QStringList& types = EventType::Captions();
    for (int i = 0; i < types.size(); ++i)
        m_cbLinkType->addItem(pictures.Icon(EventTypePicture(i + 1)), types[i]);
    m_cbStatus->addItems(EventLook::ImportanceCaptions());
    m_cbDirection->addItems(EventLook::DirectionCaptions());
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(Row(u"pProject"_s, u"Проект"_s, m_cbProject, m_toolButton1));
    layout->addWidget(Row(u"pName"_s, u"Название"_s, m_eName));
    layout->addWidget(Row(u"pType"_s, u"Тип"_s, m_cbLinkType));
    auto* p22 = new QWidget(this);
    p22->setObjectName(u"p22"_s);
    auto* p22Layout = new QHBoxLayout(p22);
    p22Layout->setContentsMargins(0, 0, 0, 0);
    p22Layout->addWidget(Row(u"pStatus"_s, u"Важность"_s, m_cbStatus), 1);
    m_pDirection = Row(u"pDirection"_s, u"Направление"_s, m_cbDirection);
    p22Layout->addWidget(m_pDirection, 1);
    m_pDirection->hide();
    layout->addWidget(p22);

    auto* pDT = new QWidget(this);
    pDT->setObjectName(u"pDT"_s);
    m_dtStart = new TdbTimeEdit(pDT);
    m_dtStart->setObjectName(u"dtStart"_s);
    m_dtStart->SetdbField(Tdb_dtFields::db_Date1);
    m_dtStart->SetRequred(true);
    m_dtEnd = new TdbTimeEdit(pDT);
    m_dtEnd->setObjectName(u"dtEnd"_s);
    m_dtEnd->SetdbField(Tdb_dtFields::db_Date2);
    m_dtEnd->SetRequred(false);
    for (TdbTimeEdit* edit : {m_dtStart, m_dtEnd}) {
        edit->SetTimeMode(true);
        edit->SetToolBarVisible(false);
        // Room for the whole date beside its calendar button, and for the time.
        const int date = edit->fontMetrics().horizontalAdvance(u"00.00.00000"_s) + 36;
        const int time = edit->fontMetrics().horizontalAdvance(u"00:000"_s) + 12;
        edit->eDT()->setMinimumWidth(date);
        edit->t1edit()->setFixedWidth(time);
        edit->setMinimumWidth(date + time + 4);
    }
    m_dtStart->OnValidDate = [this](TdbTimeEdit&) { dtStartValidDate(); };
    auto* dtLayout = new QHBoxLayout(pDT);
    dtLayout->setContentsMargins(4, 1, 4, 1);
    auto* start = new QLabel(u"Начало"_s, pDT);
    start->setMinimumWidth(80);
    start->setBuddy(m_dtStart->eDT());
    auto* end = new QLabel(u"Окончание"_s, pDT);
    end->setBuddy(m_dtEnd->eDT());
    dtLayout->addWidget(start);
    dtLayout->addWidget(m_dtStart, 1);
    dtLayout->addWidget(end);
    dtLayout->addWidget(m_dtEnd, 1);
    layout->addWidget(pDT);

    m_gbAddress = new QGroupBox(u"Место проведения"_s, this);
    m_gbAddress->setObjectName(u"gbAddress"_s);
    m_fAddress = new TEventSetting(m_gbAddress);
    m_fAddress->setObjectName(u"FAddress"_s);
    m_fAddress->SetFreeMode(true);
    m_fAddress->SetButtonMode(TEventSetting::bmPeople | TEventSetting::bmFirma);
    auto* placeLayout = new QVBoxLayout(m_gbAddress);
    placeLayout->setContentsMargins(2, 2, 2, 2);
    placeLayout->addWidget(m_fAddress);
    m_gbAddress->hide();
    layout->addWidget(m_gbAddress);

    auto* panel4 = new QWidget(this);
    panel4->setObjectName(u"Panel4"_s);
    auto* panel4Layout = new QVBoxLayout(panel4);
    panel4Layout->setContentsMargins(0, 0, 0, 0);
    panel4Layout->setSpacing(1);
    panel4Layout->addWidget(Row(u"pTarget"_s, u"Цель"_s, m_cbTarget));
    panel4Layout->addWidget(Row(u"pResult"_s, u"Результат"_s, m_cbResult));
    layout->addWidget(panel4);

    auto* gbMemo = new QGroupBox(u"Дополнительная информация"_s, this);
    gbMemo->setObjectName(u"gbMemo"_s);
    auto* memoLayout = new QVBoxLayout(gbMemo);
    memoLayout->setContentsMargins(2, 2, 2, 2);
    m_mComments->setParent(gbMemo);
    m_mComments->setMinimumHeight(48);
    memoLayout->addWidget(m_mComments);
    layout->addWidget(gbMemo, 1);
    setMinimumWidth(420);

    static_cast<TSuggestionBox*>(m_eName)->BeforePopup = [this]() { NameSuggestions(); };
    static_cast<TSuggestionBox*>(m_cbResult)->BeforePopup = [this]() { ResultSuggestions(); };
    connect(m_cbProject, &QComboBox::currentIndexChanged, this, &TFEditEvent::cbProjectChange);
    connect(m_cbLinkType, &QComboBox::currentIndexChanged, this, &TFEditEvent::cbLinkTypeChange);
    connect(m_toolButton1, &QToolButton::clicked, this, &TFEditEvent::ToolButton1Click);
    m_eName->lineEdit()->installEventFilter(this);
    m_eName->installEventFilter(this);
}

TFEditEvent::~TFEditEvent()
{
    // The date editors and the place are linked to the master; they leave it before it may go.
    m_dtStart->SetMasterDBInfo(nullptr);
    m_dtEnd->SetMasterDBInfo(nullptr);
    m_fAddress->SetMasterDBInfo(nullptr);
}

void TFEditEvent::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    for (TBaseDBFrame* part : std::initializer_list<TBaseDBFrame*>{m_dtStart, m_dtEnd, m_fAddress}) {
        part->SetLinkMode(1);
        part->SetMasterDBInfo(MasterDBInfo());
    }
}

bool TFEditEvent::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_eName || watched == m_eName->lineEdit())
        && !m_eName->view()->isVisible())
        eNameExit();
    return TBaseDBFrame::eventFilter(watched, event);
}

void TFEditEvent::LoadProjects(const QString& chosen)
{
    GroupLists::ProjectList(MasterDBInfo() ? MasterDBInfo()->Database() : nullptr, m_projects);
    m_projects.prepend(TValueItem{u"Проект не указан"_s, TGID(Ids::None)});
    const bool loading = m_loading;
    m_loading = true;
    m_cbProject->clear();
    m_cbProject->addItems(ValueTexts(m_projects));
    const int index = IndexOfId(chosen, m_projects);
    m_cbProject->setCurrentIndex(index >= 0 ? index : 0);
    m_loading = loading;
}

void TFEditEvent::MoveRecentProjects()
{
    QStringList recent;
    if (!EventLists::RecentProjects(MasterDBInfo()->Database(), DateSerial::Today(), recent))
        return;
    // The i-th most used project changes places with the item at position i.
    for (int i = 0; i < recent.size() && i < m_projects.size(); ++i) {
        const int at = IndexOfId(recent[i], m_projects);
        if (at >= 0 && at != i)
            m_projects.swapItemsAt(i, at);
    }
    m_loading = true;
    m_cbProject->clear();
    m_cbProject->addItems(ValueTexts(m_projects));
    m_loading = false;
}

void TFEditEvent::LoadSuggestions()
{
    m_resultsLoaded = false;
    SetSuggestions(m_cbResult, {});
    LoadNames();
}

void TFEditEvent::LoadNames()
{
    m_namesLoaded = false;
    SetSuggestions(m_eName, {});
}

QStringList TFEditEvent::NameSuggestions()
{
    return Suggestions(m_eName, m_namesLoaded, u"Str1"_s, ChosenProject());
}

QStringList TFEditEvent::ResultSuggestions()
{
    return Suggestions(m_cbResult, m_resultsLoaded, u"Str3"_s, QString());
}

QStringList TFEditEvent::Suggestions(QComboBox* box, bool& loaded, const QString& column, const QString& project)
{
    if (!loaded && MasterDBInfo()) {
        TValueList values;
        DistinctValues(MasterDBInfo()->Database(), column, project, values, 0, 0, Kind::Event);
        SetSuggestions(box, ValueTexts(values));
        loaded = true;
    }
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

void TFEditEvent::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    m_loading = true;
    const TConstEventView event(*record);
    qint64 type = event.EventKind();
    qint64 direction = event.Direction();
    qint64 importance = event.Importance();
    LoadProjects(event.Project());
    if (IsNewId(record->Obj)) {
        MoveRecentProjects();
        // A copy of an event is new too, but keeps its own type, direction and importance.
        if (type == 0)
            EventLists::DefaultType(record->Database(), DateSerial::Today(), type, direction);
        if (importance == 0)
            importance = 2;
        const int index = IndexOfId(event.Project(), m_projects);
        m_cbProject->setCurrentIndex(index >= 0 ? index : 0);
    }
    m_eName->setEditText(QString());
    LoadSuggestions();
    m_cbLinkType->setCurrentIndex(Position(type, static_cast<int>(EventType::Captions().size())));
    m_cbStatus->setCurrentIndex(Position(importance, static_cast<int>(EventLook::ImportanceCaptions().size())));
    m_cbDirection->setCurrentIndex(Position(direction, static_cast<int>(EventLook::DirectionCaptions().size())));
    SetText(m_eName, event.Name());
    SetText(m_cbTarget, event.Aim());
    SetText(m_cbResult, event.Result());
    m_mComments->setPlainText(record->Comments);
    m_loading = false;
    cbLinkTypeChange();
}

QString TFEditEvent::ChosenProject() const
{
    const int index = m_cbProject->currentIndex();
    return index >= 0 && index < m_projects.size() ? QString(m_projects[index].Id) : QString();
}

void TFEditEvent::cbProjectChange()
{
    if (!m_loading)
        LoadNames();
}

void TFEditEvent::cbLinkTypeChange()
{
    const int type = m_cbLinkType->currentIndex() + 1;
    m_pDirection->setVisible(type >= EventType::PhoneCall && type <= EventType::Parcel);
    m_gbAddress->setVisible(type == EventType::Meeting);
}

void TFEditEvent::eNameExit()
{
    if (m_loading || !MasterDBInfo())
        return;
    const QString typed = m_eName->currentText();
    TDBMainInfo* record = MasterDBInfo();
    const QString stored = EventLists::StoredName(record->Database(), ChosenProject(), typed.trimmed());
    if (stored.isEmpty())
        return;
    if (stored != typed)
        m_eName->setEditText(stored);
    qint64 type = 0;
    qint64 importance = 0;
    if (EventLists::NameType(record->Database(), ChosenProject(), stored, type, importance)) {
        m_cbLinkType->setCurrentIndex(Position(type, static_cast<int>(EventType::Captions().size())));
        m_cbStatus->setCurrentIndex(Position(importance, static_cast<int>(EventLook::ImportanceCaptions().size())));
    }
}

void TFEditEvent::ToolButton1Click()
{
    const QString chosen = ChosenProject();
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = ProjectsDialog;
    EditWorkInfo();
    LoadProjects(chosen);
    LoadNames();
}

void TFEditEvent::dtStartValidDate()
{
    const TDateEditState& start = m_dtStart->Parse();
    if (!start.Complete || start.Value <= 0)
        return;
    const double end = m_dtEnd->Parse().Value;
    if (end >= start.Value)
        return;
    // Day serials count wall-clock days and hours, so the hour after the start is the same on every day.
    const double moved = start.Value + OneHour;
    m_dtEnd->eDT()->setText(DateSerial::DateText(moved));
    m_dtEnd->t1edit()->setText(TimeText(moved));
    m_dtEnd->Parse();
}

bool TFEditEvent::ValidateData()
{
    m_errorText.clear();
    const double start = m_dtStart->Parse().Value;
    const double end = m_dtEnd->Parse().Value;
    if (end > 0 && end < start) {
        m_errorText = u"Дата окончания события \rне может быть меньше даты начала"_s;
        m_dtEnd->eDT()->setFocus();
        return false;
    }
    if (m_cbLinkType->currentIndex() < 0) {
        m_errorText = u"Укажите тип события!"_s;
        m_cbLinkType->setFocus();
        return false;
    }
    if (ChosenProject().isEmpty()) {
        m_errorText = u"Укажите проект!"_s;
        m_cbProject->setFocus();
        return false;
    }
    if (m_eName->currentText().trimmed().isEmpty()) {
        m_errorText = u"Укажите название события!"_s;
        m_eName->setFocus();
        return false;
    }
    if (m_cbStatus->currentIndex() < 0) {
        m_errorText = u"Укажите статус события!"_s;
        m_cbStatus->setFocus();
        return false;
    }
    return true;
}

void TFEditEvent::StoreData()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    const TEventView event(*record);
    const int type = m_cbLinkType->currentIndex() + 1;
    event.SetProject(ChosenProject());
    event.SetSpareLink(Ids::None);
    event.SetEventKind(type);
    event.SetImportance(m_cbStatus->currentIndex() + 1);
    event.SetDirection(type == EventType::Meeting ? EventDirection::None : m_cbDirection->currentIndex() + 1);
    event.SetName(m_eName->currentText().trimmed());
    event.SetAim(m_cbTarget->currentText().trimmed());
    event.SetResult(m_cbResult->currentText().trimmed());
    // The start is stored by its own editor, maybe after this one: the display name reads it from there.
    event.SetDisplayName(EventDisplayName(m_dtStart->Parse().Value, event.Name()));
    record->Comments = m_mComments->toPlainText().trimmed();
}

void TFEditEvent::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Event);
    LoadSuggestions();
}
