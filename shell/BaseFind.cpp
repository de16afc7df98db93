#include "shell/BaseFind.h"

#include "platform/Messages.h"
#include "shell/BaseForm.h"
#include "shell/GradientPanel.h"
#include "shell/MainBroker.h"
#include "shell/MainData.h"
#include "shell/OptionList.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString RowMimeType = QStringLiteral("application/x-zorvin-list-row");

// Blank, the null id or the none id: no object.
bool EmptyId(const QString& id)
{
    return id.trimmed().isEmpty() || IsEmptyId(id);
}

// The kind code a menu item, tool button or action carries.
int TagOf(QObject* sender)
{
    if (auto* action = qobject_cast<QAction*>(sender))
        return action->data().toInt();
    if (auto* button = qobject_cast<QToolButton*>(sender)) {
        if (button->defaultAction())
            return button->defaultAction()->data().toInt();
        return button->property("Tag").toInt();
    }
    return 0;
}

// The kinds a list edits in the edit dialog instead of opening a card.
bool IsEditedInDialog(int kind)
{
    return kind == Kind::Phone || kind == Kind::InternetContact || kind == Kind::Role || kind == Kind::Account
        || kind == Kind::Residence;
}

} // namespace

void TDropObject::Clear()
{
    Id.clear();
    Kind = 0;
    Database.clear();
}

bool TDropObject::IsEmpty() const
{
    return EmptyId(Id);
}

TBaseFind::TBaseFind(QWidget* parent)
    : TBaseDBFrame(parent)
    , Grid(new TMyDBGrid(this))
    , InitTimerQuery(new QTimer(this))
    , m_findOptions(new TDBMainInfo(this))
    , m_curObjInfo(new TDBMainInfo(this))
{
    setObjectName(QStringLiteral("BaseFind"));
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->SetTextLineCount(1);
    Grid->SetImageFields({QStringLiteral("Foto")});
    Grid->SetStringFields({QStringLiteral("Str1"), QStringLiteral("Str2"), QStringLiteral("Str3"), QStringLiteral("Str4"),
                           QStringLiteral("Str5"), QStringLiteral("Link1"), QStringLiteral("Link2"),
                           QStringLiteral("Link3"), QStringLiteral("Link4"), QStringLiteral("Link5"),
                           QStringLiteral("Comments")});
    Grid->SetStatusImages(&MainData().LagreIcons());
    Header = Grid->horizontalHeader();
    Header->setObjectName(QStringLiteral("Header"));
    Header->setDefaultAlignment(Qt::AlignCenter);

    aNew = MakeAction(QStringLiteral("aNew"), QStringLiteral("Создать новый объект"), QStringLiteral("Создать"), true);
    aOpen = MakeAction(QStringLiteral("aOpen"), QStringLiteral("Открыть"), QStringLiteral("Открыть выбранный объект"), true);
    aDel = MakeAction(QStringLiteral("aDel"), QStringLiteral("Удалить"), QStringLiteral("Удалить выбранный объект"), true);
    aCopy = MakeAction(QStringLiteral("aCopy"), QStringLiteral("Копировать"), QStringLiteral("Создать копию объекта"), false);
    aPrint = MakeAction(QStringLiteral("aPrint"), QStringLiteral("Печать"),
                        QStringLiteral("Печать выбранного объекта или результата поиска"), false);
    aRefresh = MakeAction(QStringLiteral("aRefresh"), QStringLiteral("Обновить"), QStringLiteral("Обновить список"), true);
    aLinks = MakeAction(QStringLiteral("aLinks"), QStringLiteral("Связанные объекты"), QStringLiteral("Связанные объекты"),
                        false);

    ppMenu = new QMenu(this);
    ppMenu->setObjectName(QStringLiteral("ppMenu"));
    ppMenu->addActions({aNew, aOpen, aDel, aCopy, aPrint, aRefresh, aLinks});
    pmNew = new QMenu(this);
    pmNew->setObjectName(QStringLiteral("pmNew"));
    pmOpen = new QMenu(this);
    pmOpen->setObjectName(QStringLiteral("pmOpen"));
    miOpenLinkObject = pmOpen->addAction(QStringLiteral("Открыть связанный объект"));
    miOpenLinkObject->setObjectName(QStringLiteral("miOpenLinkObject"));
    miOpenLinks = pmOpen->addAction(QStringLiteral("Открыть связь между объектами"));
    miOpenLinks->setObjectName(QStringLiteral("miOpenLinks"));
    pmDel = new QMenu(this);
    pmDel->setObjectName(QStringLiteral("pmDel"));
    miDelRole = pmDel->addAction(QStringLiteral("Удалить связь между объектами"));
    miDelRole->setObjectName(QStringLiteral("miDelRole"));
    miDelEvent = pmDel->addAction(QStringLiteral("Удалить объект"));
    miDelEvent->setObjectName(QStringLiteral("miDelEvent"));

    BuildLayout();

    InitTimerQuery->setObjectName(QStringLiteral("InitTimerQuery"));
    InitTimerQuery->setSingleShot(true);
    InitTimerQuery->setInterval(QueryDelayMs);

    connect(aNew, &QAction::triggered, this, [this]() { aNewExecute(aNew); });
    connect(aOpen, &QAction::triggered, this, &TBaseFind::aOpen_Execute);
    connect(aDel, &QAction::triggered, this, &TBaseFind::aDel_Execute);
    connect(aCopy, &QAction::triggered, this, &TBaseFind::aCopyExecute);
    connect(aPrint, &QAction::triggered, this, &TBaseFind::aPrintExecute);
    connect(aRefresh, &QAction::triggered, this, &TBaseFind::aRefreshExecute);
    connect(aLinks, &QAction::triggered, this, &TBaseFind::aLinksExecute);
    connect(miOpenLinkObject, &QAction::triggered, this, &TBaseFind::aOpenExecute);
    connect(miOpenLinks, &QAction::triggered, this, &TBaseFind::miOpenLinksClick);
    connect(miDelEvent, &QAction::triggered, this, &TBaseFind::aDelExecute);
    connect(tbBrief, &QToolButton::clicked, this, &TBaseFind::tbBriefClick);
    connect(ToolButton3, &QToolButton::clicked, this, &TBaseFind::ToolButton3Click);
    connect(eFind, &QComboBox::editTextChanged, this, &TBaseFind::eFindChange);
    connect(OptionList, &TOptionList::StringsChanged, this, &TBaseFind::eFindChange);
    connect(OptionList, &TOptionList::EnterPressed, this, [this]() { eFindKeyDown(Qt::Key_Return); });
    connect(InitTimerQuery, &QTimer::timeout, this, &TBaseFind::InitTimerQueryTimer);
    connect(Grid, &TMyDBGrid::CurrentRecordChanged, this, &TBaseFind::DSDataChange);
    connect(Grid->Model(), &TListModel::CountKnown, this, [this](int rows) { hFindResultCount->setText(QString::number(rows)); });
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TBaseFind::GridDblClick);
    connect(Grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ppMenu->popup(Grid->viewport()->mapToGlobal(at)); });
    connect(Header, &QHeaderView::sectionResized, this, &TBaseFind::HeaderSectionResize);
    OptionList->OnDrawCell = [this](QPainter& painter, const QRect& rect, int row, int column, bool selected) {
        return OptionListDrawCell(painter, rect, row, column, selected);
    };
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid->installEventFilter(this);
    Grid->viewport()->installEventFilter(this);
    Grid->viewport()->setAcceptDrops(true);
    eFind->installEventFilter(this);
    if (eFind->lineEdit())
        eFind->lineEdit()->installEventFilter(this);

    // Quick find at start; focusing it is left to whoever shows the list.
    BriefFind->setVisible(true);
    FullFind->setVisible(false);
    tbBrief->setChecked(true);
    EnableActions();
}

TBaseFind::~TBaseFind()
{
    // The main window owns the linked-objects window; it must not call back into a list that is gone.
    if (m_linksWindow && m_linksWindowAlive) {
        m_linksWindow->SetOwnerList(nullptr, {});
        m_linksWindowAlive->hide();
    }
}

void TBaseFind::Bind(QAction* action, void (TBaseFind::*handler)())
{
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, handler);
}

QAction* TBaseFind::MakeAction(const QString& name, const QString& caption, const QString& hint, bool visible)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setVisible(visible);
    action->setData(0);
    return action;
}

QToolButton* TBaseFind::MakeButton(const QString& name, QAction* action)
{
    auto* button = new QToolButton(tbMain);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbMain->addWidget(button)->setVisible(true);
    return button;
}

void TBaseFind::BuildLayout()
{
    // Title and command bar
    FindPicture = new QLabel(this);
    FindPicture->setObjectName(QStringLiteral("FindPicture"));
    FindCaption = new QLabel(this);
    FindCaption->setObjectName(QStringLiteral("FindCaption"));
    QFont title = FindCaption->font();
    title.setBold(true);
    FindCaption->setFont(title);
    tbMain = new QToolBar(this);
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setIconSize(MainData().LagreIcons().Size());
    tbNew = MakeButton(QStringLiteral("tbNew"), aNew);
    tbOpen = MakeButton(QStringLiteral("tbOpen"), aOpen);
    tbDel = MakeButton(QStringLiteral("tbDel"), aDel);
    tbCopy = MakeButton(QStringLiteral("tbCopy"), aCopy);
    tbPrint = MakeButton(QStringLiteral("tbPrint"), aPrint);
    tbRefresh = MakeButton(QStringLiteral("tbRefresh"), aRefresh);
    tbMain->addSeparator();
    tbLinks = MakeButton(QStringLiteral("tbLinks"), aLinks);
    auto* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(4, 2, 4, 2);
    titleRow->addWidget(FindPicture);
    titleRow->addWidget(FindCaption, 1);
    titleRow->addWidget(tbMain);

    // Search mode bar
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* modeLabel = new QLabel(QStringLiteral("Режим поиска:"), Panel2);
    tBarFind = new QToolBar(Panel2);
    tBarFind->setObjectName(QStringLiteral("tBarFind"));
    tbBrief = new QToolButton(tBarFind);
    tbBrief->setObjectName(QStringLiteral("tbBrief"));
    tbBrief->setText(QStringLiteral("Простой"));
    tbBrief->setCheckable(true);
    tbBrief->setAutoExclusive(true);
    tbBrief->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolButton3 = new QToolButton(tBarFind);
    ToolButton3->setObjectName(QStringLiteral("ToolButton3"));
    ToolButton3->setText(QStringLiteral("Расширенный"));
    ToolButton3->setCheckable(true);
    ToolButton3->setAutoExclusive(true);
    ToolButton3->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tBarFind->addWidget(tbBrief);
    tBarFind->addWidget(ToolButton3);
    auto* modeRow = new QHBoxLayout(Panel2);
    modeRow->setContentsMargins(4, 0, 4, 0);
    modeRow->addWidget(modeLabel);
    modeRow->addWidget(tBarFind);
    modeRow->addStretch(1);

    // Quick find
    BriefFind = new TGradientPanel(this);
    BriefFind->SetGradientDirection(TGradientDirection::gdVertical);
    BriefFind->SetColor(Qt::white);
    BriefFind->SetColorEnd(SelectedCellColor);
    BriefFind->setObjectName(QStringLiteral("BriefFind"));
    auto* findLabel = new QLabel(QStringLiteral("Искать"), BriefFind);
    eFind = new QComboBox(BriefFind);
    eFind->setObjectName(QStringLiteral("eFind"));
    eFind->setEditable(true);
    eFind->setInsertPolicy(QComboBox::NoInsert);
    eFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    tbarConfigGrp = new QToolBar(BriefFind);
    tbarConfigGrp->setObjectName(QStringLiteral("tbarConfigGrp"));
    tbEditGroup = new QToolButton(tbarConfigGrp);
    tbEditGroup->setObjectName(QStringLiteral("tbEditGroup"));
    tbEditGroup->setToolTip(QStringLiteral("Настройка групп"));
    tbarConfigGrp->addWidget(tbEditGroup);
    tbarConfigGrp->hide();
    auto* briefRow = new QHBoxLayout(BriefFind);
    briefRow->setContentsMargins(4, 2, 4, 2);
    briefRow->setSpacing(4);
    briefRow->addWidget(findLabel);
    briefRow->addWidget(eFind, 1);
    briefRow->addWidget(tbarConfigGrp);

    // Extended find: the option list's own header carries the two captions.
    FullFind = new QWidget(this);
    FullFind->setObjectName(QStringLiteral("FullFind"));
    OptionList = new TOptionList(FullFind);
    OptionList->setObjectName(QStringLiteral("OptionList"));
    OptionList->SetStrings({QStringLiteral("1="), QStringLiteral("2="), QStringLiteral("3="), QStringLiteral("4=")});
    FindHeader = OptionList->horizontalHeader();
    FindHeader->setObjectName(QStringLiteral("FindHeader"));
    FindHeader->setVisible(OptionList->TitleCaptions().size() >= 2);
    auto* fullColumn = new QVBoxLayout(FullFind);
    fullColumn->setContentsMargins(0, 0, 0, 0);
    fullColumn->addWidget(OptionList);

    // Footer
    hFindResult = new QWidget(this);
    hFindResult->setObjectName(QStringLiteral("hFindResult"));
    hFindResultCaption = new QLabel(QStringLiteral("Найдено:"), hFindResult);
    hFindResultCaption->setObjectName(QStringLiteral("hFindResultCaption"));
    hFindResultCount = new QLabel(QStringLiteral("0"), hFindResult);
    hFindResultCount->setObjectName(QStringLiteral("hFindResultCount"));
    auto* footerRow = new QHBoxLayout(hFindResult);
    footerRow->setContentsMargins(4, 1, 4, 1);
    footerRow->addWidget(hFindResultCaption);
    footerRow->addWidget(hFindResultCount, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(titleRow);
    layout->addWidget(Panel2);
    layout->addWidget(BriefFind);
    layout->addWidget(FullFind);
    layout->addWidget(Grid, 1);
    layout->addWidget(hFindResult);
}

TMyDataBase* TBaseFind::QueryDatabase() const
{
    const TDBMainInfo* master = MasterDBInfo();
    TMyDataBase* db = master ? master->Database() : nullptr;
    return db ? db : CurrentDatabase();
}

// Properties

void TBaseFind::SetFullFindMode(bool full)
{
    m_fullFindMode = full;
    BriefFind->setVisible(!full);
    FullFind->setVisible(full);
    tbBrief->setChecked(!full);
    ToolButton3->setChecked(full);
    FocusFind();
    InitTimerQuery->start();
}

void TBaseFind::FocusFind()
{
    if (m_fullFindMode)
        OptionList->setFocus();
    else
        eFind->setFocus();
}

void TBaseFind::SetVisiblePrevPanel(bool visible)
{
    m_visiblePrevPanel = visible;
    VisiblePrevPanelChanged();
}

// Virtual operations

void TBaseFind::aDelExecute()
{
    WorkInfo()->SetObj(m_curObjId);
    DeleteObject(m_curObjId);
}

bool TBaseFind::SelectInDialog()
{
    TDBMainInfo* dialogRecord = DialogRecord();
    if (!InModalDialog() || !dialogRecord)
        return false;
    dialogRecord->Assign(WorkInfo());
    AcceptDialog();
    return true;
}

void TBaseFind::QueryAfterOpen()
{
    FrameResize();
    if (OnQAfterOpen)
        OnQAfterOpen();
}

void TBaseFind::EnableActions()
{
    const bool row = !EmptyId(m_curObjId);
    aOpen->setEnabled(row);
    aDel->setEnabled(row);
    aPrint->setEnabled(row);
    aCopy->setEnabled(row);
    const int tag = aLinks->data().toInt();
    aLinks->setEnabled(!EmptyId(m_curLinkId) || tag == 7 || tag == 30 || tag == 35);
}

bool TBaseFind::DeleteObject(const QString& id)
{
    WorkInfo()->SetObj(id);
    if (DeleteWorkInfo() != 1)
        return false;
    TListModel* rows = Grid->Model();
    const int current = Grid->CurrentRecord();
    const int next = current + 1 < rows->RecordCount() ? current + 1 : current - 1;
    const QString nextId = next >= 0 ? rows->Row(next).Text(QStringLiteral("ObjId")) : QString();
    RunQuery(nextId);
    return true;
}

bool TBaseFind::IsDirectDelete()
{
    return EmptyId(m_curObjId) || EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId);
}

QString TBaseFind::GetSelectSQL()
{
    QString sql = QStringLiteral("select AllInfo.* from AllInfo");
    if (m_sqlOrder.isEmpty())
        m_sqlOrder = DefaultOrder;
    if (const TDBMainInfo* master = MasterDBInfo())
        sql += QStringLiteral(" where AllInfo.ObjType = ") + QString::number(master->ObjType);
    sql += GetWhereSQL();
    if (!m_sqlOrder.trimmed().isEmpty())
        sql += QStringLiteral(" order by ") + m_sqlOrder;
    return sql;
}

void TBaseFind::SetFindField(int index, const QString& text)
{
    const QString value = text.trimmed();
    if (index >= 1 && index <= 5)
        m_findOptions->Str(index) = value;
    else if (index >= 6 && index <= 10)
        m_findOptions->Link(index - 5) = value;
    else if (index >= 11 && index <= 15)
        m_findOptions->Int(index - 10) = IntOfText(value);
    else if (index == 16)
        m_findOptions->Comments = value;
}

QString TBaseFind::GetWhereSQL()
{
    m_whereExt.clear();
    m_findOptions->Clear();
    if (m_fullFindMode)
        ParseOptionList();
    else
        ParseBriefFind();
    QString conditions;
    for (int i = 1; i <= 5; ++i)
        if (!EmptyId(m_findOptions->Link(i)))
            IdCondition(conditions, m_findOptions->Link(i), QStringLiteral("AllInfo.Link") + QString::number(i));
    for (int i = 1; i <= 5; ++i)
        LikeCondition(conditions, QStringLiteral("AllInfo.Str") + QString::number(i), m_findOptions->Str(i));
    LikeCondition(conditions, QStringLiteral("AllInfo.Comments"), m_findOptions->Comments);
    for (int i = 1; i <= 5; ++i)
        IntCondition(conditions, QStringLiteral("AllInfo.Int") + QString::number(i), m_findOptions->Int(i));
    QString tail;
    if (!conditions.isEmpty())
        tail = QStringLiteral(" and ") + conditions;
    if (!m_whereExt.isEmpty())
        tail += QStringLiteral(" and ") + m_whereExt;
    return tail;
}

void TBaseFind::ParseBriefFind()
{
    // Single blanks separate the words; two blanks in a row leave a word empty and shift the rest.
    const QStringList words = eFind->currentText().split(QLatin1Char(' '));
    for (int i = 0; i < std::min<qsizetype>(4, words.size()); ++i)
        SetFindField(i + 1, words[i]);
}

void TBaseFind::ParseOptionList() {}

void TBaseFind::VisiblePrevPanelChanged() {}

bool TBaseFind::LinkObject()
{
    return false;
}

void TBaseFind::InitFindMode()
{
    if (InModalDialog()) {
        SetFullFindMode(true);
        Panel2->hide();
    }
}

TDBMainInfo* TBaseFind::GetCurrentObjInfo()
{
    TMyDataBase* db = QueryDatabase();
    if (m_curObjInfo->Database() != db || !SameId(m_curObjInfo->Obj, m_curObjId) || m_curObjInfo->IsBlank) {
        m_curObjInfo->SetDatabase(db);
        m_curObjInfo->SetObj(m_curObjId);
        ++m_curObjInfoLoads;
    }
    return m_curObjInfo;
}

bool TBaseFind::CanLinkObject(const TDBMainInfo&, QString&)
{
    return false;
}

void TBaseFind::PrepareOpenMenu() {}

void TBaseFind::RunQuery(const QString& id)
{
    InitTimerQuery->stop();
    TMyDataBase* db = QueryDatabase();
    const QString sql = GetSelectSQL();
    ++m_queryCount;
    TListModel* rows = Grid->Model();
    const bool opened = rows->Open(db, sql);
    // A server reports why it refused the statement; a database file's failure leaves the list empty.
    if (!opened && db && db->ConnectionKind() == ConnectionType::Server && db->IsConnected()
        && !rows->ErrorText().isEmpty())
        Messages().ShowMessage(rows->ErrorText());
    if (opened)
        QueryAfterOpen();
    int row = 0;
    if (!EmptyId(id)) {
        const int found = rows->Locate(QStringLiteral("ObjId"), id);
        if (found >= 0)
            row = found;
    }
    Grid->SetCurrentRecord(row);
    DSDataChange();
}

void TBaseFind::LoadData()
{
    TBaseDBFrame::LoadData();
    // The rows of the previous master's database never stay on show for the new one.
    Grid->Model()->Close();
    m_curObjInfo->Clear();
    DSDataChange();
    InitFindMode();
    InitTimerQuery->start();
}

// Event handlers

void TBaseFind::tbBriefClick()
{
    SetFullFindMode(false);
}

void TBaseFind::ToolButton3Click()
{
    SetFullFindMode(true);
}

void TBaseFind::eFindChange()
{
    InitTimerQuery->start();
}

bool TBaseFind::eFindKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (aOpen->isEnabled())
        aOpen->trigger();
    return true;
}

bool TBaseFind::GridKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (aOpen->isEnabled())
            aOpen->trigger();
        return true;
    }
    if (key == Qt::Key_Delete) {
        if (aDel->isEnabled())
            aDel->trigger();
        return true;
    }
    return false;
}

void TBaseFind::GridDblClick()
{
    if (EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId)) {
        aOpenExecute();
        return;
    }
    PrepareOpenMenu();
    pmOpen->popup(QCursor::pos());
}

bool TBaseFind::DragAllowed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && m_gridDraged && !InModalDialog() && EmptyId(master->Obj) && buttons == Qt::LeftButton
        && modifiers == Qt::NoModifier && !EmptyId(m_curObjId);
}

void TBaseFind::GridMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (DragAllowed(buttons, modifiers))
        BeginDrag();
}

void TBaseFind::BeginDrag()
{
    // The drag object goes away on its own once the drop is over.
    QPointer<QDrag> drag = new QDrag(Grid);
    auto* data = new QMimeData;
    data->setData(RowMimeType, m_curObjId.toUtf8());
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::LinkAction | Qt::CopyAction, Qt::LinkAction);
    if (drag && action != Qt::IgnoreAction)
        GridEndDrag(drag->target());
}

bool TBaseFind::GridDragOver(QObject* source)
{
    m_dropObj.Clear();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || EmptyId(master->Obj))
        return false;
    TBaseFind* sourceList = ListOfGrid(source);
    if (!sourceList || EmptyId(sourceList->CurObjId()))
        return false;
    const TDBMainInfo* info = sourceList->GetCurrentObjInfo();
    QString reason;
    if (!info || !CanLinkObject(*info, reason))
        return false;
    m_dropObj.Id = info->Obj;
    m_dropObj.Kind = info->ObjType;
    m_dropObj.Database = info->Database();
    return true;
}

void TBaseFind::GridEndDrag(QObject* target)
{
    TBaseFind* targetList = ListOfGrid(target);
    if (targetList && targetList->LinkObject())
        targetList->RunQuery(targetList->WorkInfo()->Obj);
}

TBaseFind* TBaseFind::ListOfGrid(QObject* grid)
{
    // A drop lands on the grid's viewport; the grid is its parent.
    QObject* object = grid;
    if (object && !qobject_cast<TMyDBGrid*>(object) && object->parent() && qobject_cast<TMyDBGrid*>(object->parent()))
        object = object->parent();
    if (!qobject_cast<TMyDBGrid*>(object))
        return nullptr;
    for (QObject* owner = object->parent(); owner; owner = owner->parent())
        if (auto* list = qobject_cast<TBaseFind*>(owner))
            return list;
    return nullptr;
}

void TBaseFind::DSDataChange()
{
    TListModel* rows = Grid->Model();
    // A long list is counted just after its first screen; the footer follows when the count is in.
    hFindResultCount->setText(rows->IsCountKnown() ? QString::number(rows->RecordCount()) : QString());
    const TListRow row = Grid->CurrentRow();
    m_curObjId = row.IsValid() && row.HasField(QStringLiteral("ObjId")) ? row.Text(QStringLiteral("ObjId")) : QString();
    m_curLinkId = row.IsValid() && row.HasField(m_linkFieldName) ? row.Text(m_linkFieldName) : QString();
    if (DSChange)
        DSChange(row);
    EnableActions();
}

int TBaseFind::ResizeColumn() const
{
    const int columns = Grid->ColumnCount();
    const int wanted = Grid->ResizeColNum();
    if (wanted > 0 && columns >= wanted && Grid->IsColumnVisible(wanted - 1))
        return wanted - 1;
    return columns - 1;
}

void TBaseFind::FrameResize()
{
    const int column = ResizeColumn();
    if (column < 0 || m_fitting)
        return;
    m_fitting = true;
    int others = 0;
    for (int i = 0; i < Grid->ColumnCount(); ++i)
        if (i != column && Grid->IsColumnVisible(i))
            others += Grid->columnWidth(i);
    const int width = Grid->width() - others - Grid->ColumnCount() - 18;
    Grid->setColumnWidth(column, std::max(width, 8));
    m_fitting = false;
}

void TBaseFind::HeaderSectionResize(int section)
{
    // The user widened or narrowed a column: the resize column takes up the difference.
    if (m_fitting || section == ResizeColumn())
        return;
    FrameResize();
}

bool TBaseFind::OptionListDrawCell(QPainter& painter, const QRect& rect, int row, int column, bool selected)
{
    if (column != 1)
        return false;
    painter.save();
    PaintCellBackground(painter, rect, selected);
    DrawCellText(painter, rect, OptionList->Value(row), false, QColor(0, 0, 128));
    painter.restore();
    return true;
}

void TBaseFind::InitTimerQueryTimer()
{
    InitTimerQuery->stop();
    RunQuery(QString());
}

void TBaseFind::aNewExecute(QObject* sender)
{
    const int tag = TagOf(sender);
    if (tag == 0)
        return;
    TDBMainInfo* work = WorkInfo();
    const TDBMainInfo* master = MasterDBInfo();
    work->CopyFrom(*m_findOptions);
    // -1 in a filter means "equals 0"; it is a search value, not a value for the new object.
    for (int i = 1; i <= 5; ++i)
        if (work->Int(i) == -1)
            work->Int(i) = 0;
    work->ObjType = tag;
    const QString masterId = master ? master->Obj.Text() : QString();
    const bool edited = tag == 4 || tag == 5 || tag == 9 || tag == 23 || tag == 100 || tag == 31 || tag == 24
        || (tag >= 25 && tag <= 28);
    if (edited) {
        if (tag == 4 || tag == 5 || tag == 9 || tag == 23 || tag == 100)
            work->Link1 = masterId;
        else if (tag == 31)
            work->Link1 = master ? master->Link1.Text() : QString();
        else if (tag == 24)
            work->Link2 = masterId;
        else {
            work->ObjType = Kind::Group;
            work->Link1 = master ? master->Link1.Text() : QString();
            work->Int1 = tag;
        }
        if (tag == 4)
            work->Int2 = master ? master->ObjType : 0;
        if (tag == 100)
            work->ObjType = Kind::Address;
        if (EditWorkInfo() != 1)
            return;
        if (tag == 24 && !SelectInDialog() && work->Int1 != 4 && work->Int1 != 8)
            OpenWorkInfo();
        RunQuery(work->Obj);
        return;
    }
    if (!EmptyId(masterId)) {
        if (PickWorkInfo() != 1)
            return;
        m_dropObj.Id = work->Obj;
        m_dropObj.Kind = work->ObjType;
        m_dropObj.Database = work->Database();
        if (LinkObject())
            RunQuery(work->Obj);
        return;
    }
    if (EditWorkInfo() != 1)
        return;
    if (!SelectInDialog())
        OpenWorkInfo();
    RunQuery(work->Obj);
}

void TBaseFind::aNew_Execute()
{
    PopupUnder(pmNew, tbNew);
}

void TBaseFind::PopupUnder(QMenu* menu, QWidget* button)
{
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void TBaseFind::aOpen_Execute()
{
    if (EmptyId(m_curLinkId) || SameId(m_curLinkId, m_curObjId)) {
        aOpenExecute();
        return;
    }
    PrepareOpenMenu();
    PopupUnder(pmOpen, tbOpen);
}

void TBaseFind::aOpenExecute()
{
    if (EmptyId(m_curObjId)) {
        aNew->trigger();
        return;
    }
    OpenObjectById(m_curObjId);
}

void TBaseFind::OpenObjectById(const QString& id)
{
    TDBMainInfo* work = WorkInfo();
    work->SetObj(id);
    if (SelectInDialog())
        return;
    const int kind = work->ObjType;
    const bool edit = IsEditedInDialog(kind) || (kind == Kind::MoneyOperation && (work->Int1 == 4 || work->Int1 == 8));
    if (!edit) {
        OpenWorkInfo();
        return;
    }
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

void TBaseFind::miOpenLinkObjectClick()
{
    if (EmptyId(m_linkObjId))
        return;
    OpenObjectById(m_linkObjId);
}

void TBaseFind::miOpenLinksClick()
{
    TDBMainInfo* work = WorkInfo();
    work->SetObj(m_curLinkId);
    if (SelectInDialog())
        return;
    if (IsEditedInDialog(work->ObjType)) {
        if (EditWorkInfo() == 1)
            RunQuery(work->Obj);
        return;
    }
    OpenWorkInfo();
}

TDBMainInfo* TBaseFind::DialogRecord() const
{
    TBaseForm* form = InModalDialog() ? HostForm() : nullptr;
    return form ? form->DBMain() : nullptr;
}

void TBaseFind::AcceptDialog()
{
    if (TBaseForm* form = HostForm())
        form->accept();
}

TLinksWindow* TBaseFind::RequestLinksWindow()
{
    TMainBroker* broker = MainBroker();
    return broker ? broker->NewLinksWindow() : nullptr;
}

void TBaseFind::aDel_Execute()
{
    WorkInfo()->SetObj(m_curObjId);
    if (IsDirectDelete())
        aDelExecute();
    else
        PopupUnder(pmDel, tbDel);
}

void TBaseFind::miDelLinkClick()
{
    DeleteObject(m_curLinkId);
}

void TBaseFind::aCopyExecute() {}

void TBaseFind::aPrintExecute() {}

void TBaseFind::aRefreshExecute()
{
    RunQuery(QString());
}

void TBaseFind::aLinksExecute()
{
    if (!m_linksWindow) {
        m_linksWindow = RequestLinksWindow();
        if (m_linksWindow) {
            m_linksWindowAlive = m_linksWindow->Window();
            m_linksWindow->SetOwnerList(this, [this]() { RunQuery(m_curObjId); });
        }
    }
    const TDBMainInfo* master = MasterDBInfo();
    if (m_linksWindow && m_linksWindowAlive
        && m_linksWindow->Fill(master ? master->Database() : nullptr, master ? master->Obj.Text() : QString(),
                               aLinks->data().toInt(), m_curLinkId, m_curObjId)) {
        QWidget* window = m_linksWindow->Window();
        window->adjustSize();
        const QPoint below = tbLinks->mapToGlobal(QPoint(tbLinks->width(), tbLinks->height()));
        QPoint at(below.x() - window->width(), below.y());
        const QScreen* screen = tbLinks->screen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        if (area.isValid()) {
            if (at.x() < area.left())
                at.setX(tbLinks->mapToGlobal(QPoint(0, 0)).x());
            if (at.y() + window->height() > area.bottom() + 1)
                at.setY(tbLinks->mapToGlobal(QPoint(0, 0)).y() - window->height());
        }
        window->move(at);
        window->show();
        window->raise();
        return;
    }
    WorkInfo()->SetObj(m_curLinkId);
    if (OpenWorkInfo() == 1)
        RunQuery(WorkInfo()->Obj);
}

bool TBaseFind::eventFilter(QObject* watched, QEvent* event)
{
    const bool onGrid = watched == Grid || watched == Grid->viewport();
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == Grid && GridKeyDown(key))
            return true;
        if ((watched == eFind || watched == eFind->lineEdit()) && eFindKeyDown(key))
            return true;
        break;
    }
    case QEvent::MouseButtonPress:
        if (watched == Grid->viewport())
            m_pressPosition = static_cast<QMouseEvent*>(event)->position().toPoint();
        break;
    case QEvent::MouseMove:
        if (watched == Grid->viewport()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if ((move->position().toPoint() - m_pressPosition).manhattanLength() >= QApplication::startDragDistance())
                GridMouseMove(move->buttons(), move->modifiers());
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (onGrid) {
            auto* over = static_cast<QDragMoveEvent*>(event);
            if (over->mimeData()->hasFormat(RowMimeType) && GridDragOver(over->source())) {
                over->setDropAction(Qt::LinkAction);
                over->accept();
            } else {
                over->ignore();
            }
            return true;
        }
        break;
    case QEvent::Drop:
        if (onGrid) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasFormat(RowMimeType) && !m_dropObj.IsEmpty()) {
                drop->setDropAction(Qt::LinkAction);
                drop->accept();
            } else {
                drop->ignore();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return TBaseDBFrame::eventFilter(watched, event);
}

void TBaseFind::resizeEvent(QResizeEvent* event)
{
    TBaseDBFrame::resizeEvent(event);
    FrameResize();
}
