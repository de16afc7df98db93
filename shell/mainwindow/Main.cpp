#include "shell/mainwindow/Main.h"

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/BaseObjFrame.h"
#include "shell/frames/FindList.h"
#include "shell/frames/FindModalForm.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/mainwindow/FirstStart.h"
#include "shell/mainwindow/HelpDocument.h"
#include "shell/widgets/MainData.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "shell/frames/StoreResults.h"
#include "shell/mainwindow/WinListForm.h"
#include "store/CascadeDelete.h"
#include "store/DBServerList.h"
#include "store/DataBase.h"
#include "store/DatabaseBackup.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kBadSettings = QStringLiteral("Некорректный формат файла Zorvin.ini");
const QString kAlreadyOpen =
    QStringLiteral("Данный объект уже открыт\rДа - перейти к открытому объекту\rНет - открыть объект еще раз");

constexpr int kStripWidth = 8;
constexpr int kDatabaseManager = 904;
constexpr int kBirthdays = 58;

void FocusFirstEdit(QWidget* card)
{
    for (QWidget* w = card->nextInFocusChain(); w && w != card; w = w->nextInFocusChain()) {
        if (card->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(card)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

} // namespace

TMain::TMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Zorvin"));
    BuildTopBar();
    BuildPanels();
    m_winList = new TWinListForm(m_cards, tbCloseObj, this);

    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    TimerInit->setInterval(StartDelayMs);
    connect(TimerInit, &QTimer::timeout, this, &TMain::TimerInitTimer);

    // The window covers the desktop's work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());

    m_previousBroker = SetMainBroker(this);
    m_previousEvents = SetObjectEvents(this);
    TimerInit->start();
}

TMain::~TMain()
{
    SetMainBroker(m_previousBroker);
    SetObjectEvents(m_previousEvents);
    // Lists and cards hold queries and records of the database: they go before it.
    delete m_winList;
    m_winList = nullptr;
    delete m_cards;
    m_cards = nullptr;
    delete m_sideLists;
    m_sideLists = nullptr;
    m_serverList.reset();
    if (CurrentDatabase() == m_database.get())
        SetCurrentDatabase(nullptr);
    m_database.reset();
}

int TMain::SidePanelWidth(int windowWidth)
{
    return qMax(0, (windowWidth - kStripWidth) / 3);
}

QAction* TMain::MakeListAction(const QString& name, const QString& caption, const QString& hint, int picture,
                               const QKeySequence& shortcut)
{
    auto* action = new QAction(MainData().LagreIcons().Icon(picture), caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setData(picture);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, action]() { ShowSideList(action->data().toInt()); });
    return action;
}

QToolButton* TMain::MakeQuickButton(const QString& name, const QString& hint, int picture)
{
    auto* button = new QToolButton(ToolBar8);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(MainData().SmallIcons().Icon(picture));
    button->setProperty("ImageIndex", picture);
    button->setAutoRaise(true);
    ToolBar8->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, picture]() { ShowSideList(picture); });
    return button;
}

void TMain::BuildTopBar()
{
    Panel2 = new TGradientPanel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* top = new QHBoxLayout(Panel2);
    top->setContentsMargins(4, 2, 4, 2);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    ToolBar3 = new QToolBar(Panel2);
    ToolBar3->setObjectName(QStringLiteral("ToolBar3"));
    ToolBar3->setIconSize(MainData().SmallIcons().Size());
    ToolBar3->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbCommonTab = new QToolButton(ToolBar3);
    tbCommonTab->setObjectName(QStringLiteral("tbCommonTab"));
    tbCommonTab->setText(QStringLiteral("Общие данные"));
    tbCommonTab->setIcon(MainData().SmallIcons().Icon(1));
    tbCommonTab->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbCommonTab->setCheckable(true);
    tbCommonTab->setChecked(true);
    ToolBar3->addWidget(tbCommonTab);
    connect(tbCommonTab, &QToolButton::clicked, this, &TMain::tbCommonTabClick);
    left->addWidget(ToolBar3);

    cBarCommon = new QWidget(Panel2);
    cBarCommon->setObjectName(QStringLiteral("cBarCommon"));
    auto* coolBar = new QHBoxLayout(cBarCommon);
    coolBar->setContentsMargins(0, 0, 0, 0);
    ToolBar5 = new QToolBar(cBarCommon);
    ToolBar5->setObjectName(QStringLiteral("ToolBar5"));
    ToolBar5->setIconSize(MainData().LagreIcons().Size());
    ToolBar5->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    coolBar->addWidget(ToolBar5);
    left->addWidget(cBarCommon);
    top->addLayout(left);
    top->addStretch(1);

    const QList<QAction*> lists = {
        MakeListAction(QStringLiteral("aProspects"), QStringLiteral("Люди"), QStringLiteral("Список знакомых"), 1,
                       QKeySequence(Qt::Key_F1)),
        MakeListAction(QStringLiteral("aFamily"), QStringLiteral("Семьи"), QStringLiteral("Список семей"), 40,
                       QKeySequence(Qt::Key_F2)),
        MakeListAction(QStringLiteral("aFirms"), QStringLiteral("Организации"), QStringLiteral("Список организаций"),
                       2, QKeySequence(Qt::Key_F3)),
        MakeListAction(QStringLiteral("aAddress"), QStringLiteral("Адреса"), QStringLiteral("Список адресов"), 3,
                       QKeySequence(Qt::Key_F4)),
        MakeListAction(QStringLiteral("aEvents"), QStringLiteral("События"), QStringLiteral("Список событий"), 4,
                       QKeySequence(Qt::Key_F5)),
        MakeListAction(QStringLiteral("ANotes"), QStringLiteral("Заметки"), QStringLiteral("Список заметок"), 5,
                       QKeySequence(Qt::Key_F6)),
        MakeListAction(QStringLiteral("AProject"), QStringLiteral("Проекты"), QStringLiteral("Список проектов"), 109,
                       QKeySequence(Qt::Key_F7)),
        MakeListAction(QStringLiteral("aBuhgalteriya"), QStringLiteral("Финансы"), QStringLiteral("Финансовые операции"),
                       27, QKeySequence(Qt::Key_F8)),
    };
    for (QAction* action : lists) {
        ToolBar5->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(ToolBar5->widgetForAction(action)))
            button->setObjectName(QStringLiteral("tb") + action->objectName().mid(1));
    }

    ToolBar6 = new QToolBar(Panel2);
    ToolBar6->setObjectName(QStringLiteral("ToolBar6"));
    ToolBar6->setIconSize(MainData().LagreIcons().Size());
    aSettings = new QAction(MainData().LagreIcons().Icon(31), QStringLiteral("Настройки"), this);
    aSettings->setObjectName(QStringLiteral("aSettings"));
    aSettings->setToolTip(QStringLiteral("Подключенные базы данных"));
    connect(aSettings, &QAction::triggered, this, &TMain::aSettingsExecute);
    tbSettings = new QToolButton(ToolBar6);
    tbSettings->setObjectName(QStringLiteral("tbSettings"));
    tbSettings->setDefaultAction(aSettings);
    ToolBar6->addWidget(tbSettings);
    tbSets = new QToolButton(ToolBar6);
    tbSets->setObjectName(QStringLiteral("tbSets"));
    tbSets->setToolTip(QStringLiteral("Курсы валют"));
    tbSets->setIcon(MainData().LagreIcons().Icon(27));
    ToolBar6->addWidget(tbSets)->setVisible(false);
    tbHelp = new QToolButton(ToolBar6);
    tbHelp->setObjectName(QStringLiteral("tbHelp"));
    tbHelp->setToolTip(QStringLiteral("Справка"));
    tbHelp->setIcon(MainData().LagreIcons().Icon(111));
    ToolBar6->addWidget(tbHelp);
    connect(tbHelp, &QToolButton::clicked, this, &TMain::tbHelpClick);
    // The commands the screen subsystems registered (importing contacts, ...), before the help button.
    for (const TMainCommand& command : Screens::MainCommands()) {
        auto* action = new QAction(MainData().LagreIcons().Icon(command.Picture), command.Caption, this);
        action->setObjectName(command.Name);
        action->setToolTip(command.Hint);
        const TMainCommandHandler run = command.Run;
        connect(action, &QAction::triggered, this, [this, run]() { run(this); });
        auto* button = new QToolButton(ToolBar6);
        button->setObjectName(QStringLiteral("tb") + command.Name.mid(1));
        button->setDefaultAction(action);
        ToolBar6->insertWidget(ToolBar6->actions().constLast(), button);
    }
    top->addWidget(ToolBar6);

    ToolBar7 = new QToolBar(Panel2);
    ToolBar7->setObjectName(QStringLiteral("ToolBar7"));
    ToolBar7->setIconSize(MainData().LagreIcons().Size());
    tbOpenWindows = new QToolButton(ToolBar7);
    tbOpenWindows->setObjectName(QStringLiteral("tbOpenWindows"));
    tbOpenWindows->setToolTip(QStringLiteral("Открытые окна"));
    tbOpenWindows->setIcon(MainData().LagreIcons().Icon(0));
    ToolBar7->addWidget(tbOpenWindows);
    connect(tbOpenWindows, &QToolButton::clicked, this, &TMain::tbOpenWindowsClick);
    tbCloseObj = new QToolButton(ToolBar7);
    tbCloseObj->setObjectName(QStringLiteral("tbCloseObj"));
    tbCloseObj->setToolTip(QStringLiteral("Закрыть окно объекта"));
    tbCloseObj->setIcon(MainData().LagreIcons().Icon(76));
    tbCloseObj->setEnabled(false);
    tbCloseObj->setProperty("Tag", 0);
    ToolBar7->addWidget(tbCloseObj);
    connect(tbCloseObj, &QToolButton::clicked, this, &TMain::tbCloseObjClick);
    top->addWidget(ToolBar7);

    for (QToolBar* bar : {ToolBar3, ToolBar5, ToolBar6, ToolBar7}) {
        bar->setMovable(false);
        bar->setStyleSheet(QStringLiteral("QToolBar { background: transparent; border: none; }"));
    }
}

void TMain::BuildPanels()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(Panel2);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    GradientPanel1 = new TGradientPanel(central);
    GradientPanel1->setObjectName(QStringLiteral("GradientPanel1"));
    auto* side = new QVBoxLayout(GradientPanel1);
    side->setContentsMargins(0, 0, 0, 0);
    side->setSpacing(0);
    ToolBar8 = new QToolBar(GradientPanel1);
    ToolBar8->setObjectName(QStringLiteral("ToolBar8"));
    ToolBar8->setIconSize(MainData().SmallIcons().Size());
    ToolBar8->setMovable(false);
    ToolBar8->setStyleSheet(QStringLiteral("QToolBar { background: transparent; border: none; }"));
    MakeQuickButton(QStringLiteral("tbMyEvents"), QStringLiteral("Дни рождения и юбилеи"), 58);
    MakeQuickButton(QStringLiteral("tbBuchRest"), QStringLiteral("Баланс счетов, финансовые операции"), 28);
    MakeQuickButton(QStringLiteral("tbLastDoc"), QStringLiteral("Последние изменненные объекты"), 9);
    side->addWidget(ToolBar8);
    m_sideLists = new QStackedWidget(GradientPanel1);
    m_sideLists->setObjectName(QStringLiteral("SideLists"));
    side->addWidget(m_sideLists, 1);
    columns->addWidget(GradientPanel1);

    GradientPanel2 = new TGradientPanel(central);
    GradientPanel2->setObjectName(QStringLiteral("GradientPanel2"));
    GradientPanel2->SetGradientDirection(TGradientDirection::gdHorizontal);
    GradientPanel2->SetColor(QColor(0x9E, 0xBE, 0xE0));
    GradientPanel2->SetColorEnd(QColor(0xF4, 0xF8, 0xFC));
    GradientPanel2->setFixedWidth(kStripWidth);
    columns->addWidget(GradientPanel2);

    ObjExplorer = new TGradientPanel(central);
    ObjExplorer->setObjectName(QStringLiteral("ObjExplorer"));
    auto* area = new QVBoxLayout(ObjExplorer);
    area->setContentsMargins(0, 0, 0, 0);
    m_cards = new QStackedWidget(ObjExplorer);
    m_cards->setObjectName(QStringLiteral("ObjCards"));
    area->addWidget(m_cards);
    columns->addWidget(ObjExplorer, 1);

    rows->addLayout(columns, 1);
    setCentralWidget(central);
}

void TMain::resizeEvent(QResizeEvent* event)
{
    GradientPanel1->setFixedWidth(SidePanelWidth(width()));
    QMainWindow::resizeEvent(event);
}

void TMain::closeEvent(QCloseEvent* event)
{
    // Every open card gets its chance to save; Cancel, or a save that fails, keeps the program open.
    for (int row = m_winList->RowCount() - 1; row >= 0; --row) {
        if (!m_winList->CardAt(row))
            continue;
        if (m_winList->CloseCard(row) != 1) {
            event->ignore();
            return;
        }
    }
    m_winList->hide();
    event->accept();
}

void TMain::TimerInitTimer()
{
    TimerInit->stop();
    if (m_started)
        return;
    // An installed program started for the first time makes its settings first; declining ends it.
    if (FirstStart::IsFirstStart() && !FirstStart::Offer()) {
        Q_EMIT Terminate();
        return;
    }
    m_database = OpenCurrentDatabase();
    const int status = m_database ? m_database->StatusCode() : DbStatus::FileMissing;
    if (status == DbStatus::FileMissing || status == DbStatus::ConnectFailed || status == DbStatus::NoSystemRow
        || status == DbStatus::BadFormat) {
        if (CurrentDatabase() == m_database.get())
            SetCurrentDatabase(nullptr);
        m_database.reset();
        Messages().ShowMessage(kBadSettings);
        Q_EMIT Terminate();
        return;
    }
    m_serverList = std::make_unique<TMyDBServerList>(m_database.get());
    DatabaseBackup::AtStart(m_database.get());
    m_started = true;
    ShowSideList(kBirthdays);
    // Whoever keeps derived figures (the account balances) mends them once: a crash may have left them stale.
    Screens::ObjectSaved(Kind::MoneyOperation);
}

QWidget* TMain::DialogParent()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : this;
}

int TMain::Request(TMainMessage message, TDBMainInfo& record)
{
    switch (message) {
    case TMainMessage::WM_OPENOBJECT:
        return OpenObject(record);
    case TMainMessage::WM_EDITOBJECT:
        if (record.ObjType <= 0)
            return RequestAnswer::BadKind;
        return EditObject(record) ? RequestAnswer::Done : RequestAnswer::NotDone;
    case TMainMessage::WM_PICKOBJECT:
        if (record.ObjType <= 0)
            return RequestAnswer::BadKind;
        return PickObject(record) ? RequestAnswer::Done : RequestAnswer::NotDone;
    case TMainMessage::WM_DELETEOBJECT:
        return ConfirmDelete(record) ? RequestAnswer::Done : RequestAnswer::NotDone;
    default:
        return 0;
    }
}

bool TMain::EditObject(TDBMainInfo& record)
{
    TMainModalForm dialog(DialogParent());
    dialog.DBMain()->Assign(&record);
    if (dialog.ShowModal() != QDialog::Accepted)
        return false;
    record.Assign(dialog.DBMain());
    return true;
}

bool TMain::PickObject(TDBMainInfo& record)
{
    TFindModalForm dialog(DialogParent());
    dialog.DBMain()->Assign(&record);
    if (dialog.ShowModal() != QDialog::Accepted)
        return false;
    record.Assign(dialog.DBMain());
    return true;
}

bool TMain::ConfirmDelete(TDBMainInfo& record)
{
    const QString text = ShellKinds::DeleteText(record);
    if (text.isEmpty())
        return false;
    if (Messages().AskYesNo(QStringLiteral("Вы действительно хотите удалить ") + text + QStringLiteral("?"))
        != TAnswer::Yes)
        return false;
    // The cards of everything the cascade removed close without asking: saving one would write it anew.
    QStringList deleted;
    if (!ShowStoreResult(CascadeDelete::Delete(record, &deleted)))
        return false;
    m_winList->DiscardCardsOf(deleted, record.Database());
    return true;
}

QString TMain::NewCardName() const
{
    QString stamp = Clock().Now().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    stamp.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).remove(QLatin1Char(':'));
    const int last = m_winList->RowCount() - 1;
    return QStringLiteral("Obj") + stamp + (m_winList->CardAt(last) ? QString::number(last) : QString());
}

int TMain::OpenObject(TDBMainInfo& record)
{
    if (ShellKinds::IsEditedInDialog(record.ObjType))
        return EditObject(record) ? 1 : 0;
    const int open = m_winList->FindCard(record.Obj, record.Database());
    if (open >= 0) {
        switch (Messages().AskYesNoCancel(kAlreadyOpen)) {
        case TAnswer::Cancel:
            return 0;
        case TAnswer::Yes:
            m_winList->SelectRow(open);
            return 0;
        case TAnswer::No:
            break;
        }
    }
    if (!Screens::HasCard(record.ObjType))
        return 0;
    const QString name = NewCardName();
    TBaseDBFrame* card = Screens::CreateCard(record.ObjType, m_cards);
    if (!card)
        return 0;
    card->setObjectName(name);
    card->hide();
    if (m_cards->indexOf(card) < 0)
        m_cards->addWidget(card);
    card->SetMasterDBInfo(&record);
    // A card joins the window list itself as it is made; one that did not is listed here.
    if (m_winList->RowOf(card) < 0)
        m_winList->AddCard(card);
    m_winList->UpdateCard(card);
    card->show();
    m_winList->SelectRow(m_winList->RowOf(card));
    const auto* objectCard = qobject_cast<TBaseObjFrame*>(card);
    if (objectCard && objectCard->FocusControl() && objectCard->FocusControl()->isEnabled())
        objectCard->FocusControl()->setFocus(Qt::OtherFocusReason);
    else
        FocusFirstEdit(card);
    return 0;
}

void TMain::ShowSideList(int picture)
{
    const TSideList* entry = ShellKinds::FindSideList(picture);
    if (!entry)
        return;
    auto* list = m_sideLists->findChild<TBaseDBFrame*>(entry->ChildName, Qt::FindDirectChildrenOnly);
    if (!list) {
        try {
            list = Screens::CreateSideList(picture, m_sideLists);
        } catch (...) {
            list = nullptr;
        }
        if (!list)
            return;
        TDBMainInfo master;
        master.ObjType = entry->MasterKind;
        list->SetMasterDBInfo(&master);
        list->setObjectName(entry->ChildName);
        m_sideLists->addWidget(list);
    }
    m_sideLists->setCurrentWidget(list);
    if (auto* find = dynamic_cast<TFindList*>(list)) {
        find->FocusFind();
        const QString current = find->CurObjId();
        find->RunQuery(current);
    }
}

void TMain::WinListAdd(TBaseDBFrame* card)
{
    m_winList->AddCard(card);
}

void TMain::WinListUpdate(TBaseDBFrame* card)
{
    m_winList->UpdateCard(card);
}

TLinksWindow* TMain::NewLinksWindow()
{
    return Screens::CreateLinksWindow(this);
}

TBaseDBFrame* TMain::NewNoteLinks(QWidget* owner)
{
    return Screens::CreateNoteLinks(owner);
}

int TMain::IsDialogKind(int kind)
{
    return ShellKinds::IsEditedInDialog(kind) ? 1 : 0;
}

void TMain::ObjectSaved(int kind)
{
    Screens::ObjectSaved(kind);
}

void TMain::tbCommonTabClick()
{
    // The strip has one tab: the list bar shows exactly while it is the one pressed.
    tbCommonTab->setChecked(true);
    cBarCommon->setVisible(true);
}

void TMain::tbOpenWindowsClick()
{
    m_winList->ShowUnder(tbOpenWindows);
}

void TMain::tbCloseObjClick()
{
    m_winList->CloseCard(tbCloseObj->property("Tag").toInt());
}

void TMain::tbHelpClick()
{
    HelpDocument::Open();
}

void TMain::aSettingsExecute()
{
    TDBMainInfo manager;
    manager.ObjType = kDatabaseManager;
    EditObject(manager);
}
