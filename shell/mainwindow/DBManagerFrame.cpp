#include "shell/mainwindow/DBManagerFrame.h"

#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/StoreResults.h"
#include "shell/mainwindow/HelpDocument.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/widgets/MainData.h"
#include "store/DBServerList.h"
#include "store/DataBase.h"
#include "store/SettingsFile.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Two names of one file compare equal however they were written (relative parts, links).
QString ResolvedPath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

TDBManagerFrame::TDBManagerFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_caption(new QLabel(QStringLiteral("Базы данных"), this))
    , dbGrid(new QTableWidget(0, 2, this))
    , m_fillTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("DBManagerFrame"));
    m_caption->setObjectName(QStringLiteral("lCaption"));
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    m_caption->setFont(captionFont);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbMain"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    TPictureList& icons = MainData().SmallIcons();
    aNew = bar->addAction(icons.Icon(110), QStringLiteral("Создать новый объект"));
    aNew->setObjectName(QStringLiteral("aNew"));
    aNew->setToolTip(QStringLiteral("Создать"));
    aNew->setShortcut(QKeySequence(Qt::Key_Insert));
    aDel = bar->addAction(icons.Icon(76), QStringLiteral("Удалить"));
    aDel->setObjectName(QStringLiteral("aDel"));
    aDel->setToolTip(QStringLiteral("Удалить выбранный объект"));
    aDel->setShortcut(QKeySequence(Qt::Key_Delete));
    aDel->setEnabled(false);
    aHelp = bar->addAction(icons.Icon(111), QStringLiteral("Справка"));
    aHelp->setObjectName(QStringLiteral("aHelp"));
    aHelp->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction* action : {aNew, aDel, aHelp})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addActions({aNew, aDel, aHelp});
    connect(aNew, &QAction::triggered, this, &TDBManagerFrame::aNewExecute);
    connect(aDel, &QAction::triggered, this, &TDBManagerFrame::aDelExecute);
    connect(aHelp, &QAction::triggered, this, &TDBManagerFrame::aHelpExecute);

    dbGrid->setObjectName(QStringLiteral("dbGrid"));
    dbGrid->setHorizontalHeaderLabels({QStringLiteral("Название БД"), QStringLiteral("Путь к файлу БД")});
    dbGrid->horizontalHeader()->setStretchLastSection(true);
    dbGrid->setColumnWidth(0, 220);
    dbGrid->verticalHeader()->hide();
    dbGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    dbGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(dbGrid, &QTableWidget::itemSelectionChanged, this, &TDBManagerFrame::dbGridSelectionChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_caption);
    layout->addWidget(bar);
    layout->addWidget(dbGrid, 1);

    m_fillTimer->setObjectName(QStringLiteral("FillTimer"));
    m_fillTimer->setSingleShot(true);
    m_fillTimer->setInterval(0);
    connect(m_fillTimer, &QTimer::timeout, this, &TDBManagerFrame::FillGrid);
    m_fillTimer->start();
}

TDBManagerFrame::~TDBManagerFrame() = default;

QSize TDBManagerFrame::sizeHint() const
{
    return QSize(640, 320);
}

TMyDBServerList* TDBManagerFrame::List() const
{
    return MainBroker() ? MainBroker()->DatabaseList() : nullptr;
}

void TDBManagerFrame::FillGrid()
{
    m_fillTimer->stop();
    dbGrid->setRowCount(0);
    TMyDataBase* current = CurrentDatabase();
    if (!current)
        return;
    auto addRow = [this](const TMyDataBase* db) {
        const int row = dbGrid->rowCount();
        dbGrid->insertRow(row);
        dbGrid->setItem(row, 0, new QTableWidgetItem(db->Description()));
        dbGrid->setItem(row, 1, new QTableWidgetItem(QDir::toNativeSeparators(db->DataSource())));
    };
    addRow(current);
    if (TMyDBServerList* list = List(); list && current->StatusCode() == DbStatus::Ok) {
        for (int i = 0; i < list->Count(); ++i)
            addRow(list->At(i));
    }
    dbGrid->selectRow(0);
    dbGridSelectionChanged();
}

TMyDataBase* TDBManagerFrame::SelectedDatabase() const
{
    const int row = dbGrid->currentRow();
    if (row < 0 || dbGrid->selectedItems().isEmpty())
        return nullptr;
    if (row == 0)
        return CurrentDatabase();
    // Row 0 is the current database, so the attached databases start at row 1.
    TMyDBServerList* list = List();
    return list && row - 1 < list->Count() ? list->At(row - 1) : nullptr;
}

void TDBManagerFrame::dbGridSelectionChanged()
{
    aDel->setEnabled(dbGrid->currentRow() > 0 && !dbGrid->selectedItems().isEmpty());
}

void TDBManagerFrame::aNewExecute()
{
    TMyDBServerList* list = List();
    if (!list)
        return;
    const QString path = FileDialogs().OpenFileName(QStringLiteral("Подключить базу данных"),
                                                    QDir(ProgramPaths::DataFolder()).filePath(QStringLiteral("Data")),
                                                    QStringLiteral("Базы данных (*.zdb)"));
    if (path.isEmpty())
        return;
    const QString chosen = ResolvedPath(path);
    for (int i = 0; i < list->Count(); ++i) {
        if (ResolvedPath(list->At(i)->DataSource()) == chosen) {
            Messages().ShowMessage(QStringLiteral("Данный файл базы данных уже подключен!"));
            return;
        }
    }
    QString statusText;
    TStoreResult saved;
    const int status = list->Add(ConnectionType::File, InstallMode::FilePath, statusText, QString(), QString(),
                                 QString(), chosen, &saved);
    ShowStoreResult(saved);
    Messages().ShowMessage(statusText);
    if (status == DbStatus::Ok)
        FillGrid();
}

void TDBManagerFrame::aDelExecute()
{
    TMyDBServerList* list = List();
    if (!list || dbGrid->currentRow() <= 0)
        return;
    TMyDataBase* selected = SelectedDatabase();
    if (!selected)
        return;
    if (Messages().AskYesNo(QStringLiteral("Вы действительно хотите отключить выбранную БД?")) != TAnswer::Yes)
        return;
    // A refused removal keeps the entry; the user is told instead of seeing it stay without a word.
    const int status = list->Remove(selected);
    FillGrid();
    if (status != DbStatus::Ok)
        Messages().ShowMessage(DbStatus::Text(status));
}

void TDBManagerFrame::aHelpExecute()
{
    HelpDocument::Open();
}
