#include "shell/frames/BaseFind.h"

#include "platform/Messages.h"
#include "shell/frames/BaseForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/OptionList.h"
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

#include "shell/frames/BaseFindParts.h"

using namespace BaseFindParts;

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
    Grid->SetStringFields({QStringLiteral("Str1"), QStringLiteral("Str2"), QStringLiteral("Str3"),
        QStringLiteral("Str4"), QStringLiteral("Str5"), QStringLiteral("Link1"), QStringLiteral("Link2"),
        QStringLiteral("Link3"), QStringLiteral("Link4"), QStringLiteral("Link5"), QStringLiteral("Comments")});
    Grid->SetStatusImages(&MainData().LagreIcons());
    Header = Grid->horizontalHeader();
    Header->setObjectName(QStringLiteral("Header"));
    Header->setDefaultAlignment(Qt::AlignCenter);

    aNew = MakeAction(QStringLiteral("aNew"), QStringLiteral("Создать новый объект"), QStringLiteral("Создать"), true);
    aOpen = MakeAction(
        QStringLiteral("aOpen"), QStringLiteral("Открыть"), QStringLiteral("Открыть выбранный объект"), true);
    aDel = MakeAction(
        QStringLiteral("aDel"), QStringLiteral("Удалить"), QStringLiteral("Удалить выбранный объект"), true);
    aCopy = MakeAction(
        QStringLiteral("aCopy"), QStringLiteral("Копировать"), QStringLiteral("Создать копию объекта"), false);
    aPrint = MakeAction(QStringLiteral("aPrint"), QStringLiteral("Печать"),
        QStringLiteral("Печать выбранного объекта или результата поиска"), false);
    aRefresh
        = MakeAction(QStringLiteral("aRefresh"), QStringLiteral("Обновить"), QStringLiteral("Обновить список"), true);
    aLinks = MakeAction(
        QStringLiteral("aLinks"), QStringLiteral("Связанные объекты"), QStringLiteral("Связанные объекты"), false);

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
    connect(Grid->Model(), &TListModel::CountKnown, this,
        [this](int rows) { hFindResultCount->setText(QString::number(rows)); });
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
    Screens::UnregisterObjectSaved(m_savedHandle);
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

void TBaseFind::VisiblePrevPanelChanged() { }

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
        CurObjInfoLoaded();
    }
    return m_curObjInfo;
}

void TBaseFind::PrepareOpenMenu() { }

void TBaseFind::QueryStarted() { }

void TBaseFind::CurObjInfoLoaded() { }

void TBaseFind::RunQuery(const QString& id)
{
    InitTimerQuery->stop();
    TMyDataBase* db = QueryDatabase();
    const QString sql = GetSelectSQL();
    QueryStarted();
    TListModel* rows = Grid->Model();
    const bool opened = rows->Open(db, sql);
    // A server reports why it refused the statement; a database file's failure leaves the list empty.
    if (!opened && db && db->ConnectionKind() == ConnectionType::Server && db->IsConnected()
        && !rows->ErrorText().isEmpty())
        Messages().ShowMessage(rows->ErrorText());
    if (opened)
        QueryAfterOpen();
    int row = opened ? FirstRow() : 0;
    if (!EmptyId(id)) {
        const int found = rows->Locate(QStringLiteral("ObjId"), id);
        if (found >= 0)
            row = found;
    }
    Grid->SetCurrentRecord(row);
    DSDataChange();
}

int TBaseFind::FirstRow()
{
    return 0;
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
    // The rows follow every save and deletion of the listed kind, wherever it was made (a card, a dialog).
    const int kind = MasterDBInfo() ? static_cast<int>(MasterDBInfo()->ObjType) : 0;
    if (kind != m_savedKind) {
        Screens::UnregisterObjectSaved(m_savedHandle);
        m_savedHandle = kind > 0 ? Screens::RegisterObjectSaved(kind, [this](int) { ObjectsSaved(); }, this) : 0;
        m_savedKind = kind;
    }
}

void TBaseFind::ObjectsSaved()
{
    // A list whose statement is still to run reads the new rows then anyway. The rerun stays on the current
    // row and leaves the focus where the user is.
    if (InitTimerQuery->isActive() || !Grid->Model()->IsOpen())
        return;
    // A copy: reading the rows anew changes the current id while the statement opens.
    const QString current = m_curObjId;
    RunQuery(current);
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
