#include "activities/ZorvinSelectFiles.h"

#include "activities/ZorvinSelectDir.h"
#include "shell/frames/ModalForm.h"
#include "store/ObjectRecord.h"

#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFZorvinSelectFiles::TFZorvinSelectFiles(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_folderTree(FolderTrees::Make(this))
    , m_filesList(new QTreeWidget(this))
    , m_groupBox1(new QGroupBox(u"Выбранный файл"_s, this))
    , m_mPath(FolderTrees::MakePathBox(m_groupBox1))
{
    setObjectName(u"FZorvinSelectFiles"_s);
    m_filesList->setObjectName(u"FilesList"_s);
    m_filesList->setHeaderLabels({u"Имя"_s, u"Размер"_s, u"Изменен"_s});
    m_filesList->setRootIsDecorated(false);
    m_filesList->setSortingEnabled(false);
    m_filesList->setMinimumSize(360, 300);
    m_filesList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_groupBox1->setObjectName(u"GroupBox1"_s);
    (new QVBoxLayout(m_groupBox1))->addWidget(m_mPath);
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_folderTree, 2);
    lists->addWidget(m_filesList, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(lists, 1);
    layout->addWidget(m_groupBox1);
    setMinimumSize(760, 480);
    connect(m_folderTree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &TFZorvinSelectFiles::FolderTreeChange);
    connect(m_filesList, &QTreeWidget::currentItemChanged, this, &TFZorvinSelectFiles::FilesListChange);
    connect(m_filesList, &QTreeWidget::itemDoubleClicked, this, &TFZorvinSelectFiles::FilesListDblClick);
    m_filesList->installEventFilter(this);
}

TFZorvinSelectFiles::~TFZorvinSelectFiles() = default;

QStringList TFZorvinSelectFiles::MaskEntries(const QString& mask)
{
    QStringList entries;
    const QString lower = mask.toLower();
    qsizetype at = lower.indexOf(u'.');
    while (at >= 0) {
        const qsizetype end = lower.indexOf(u';', at);
        entries << lower.mid(at, end < 0 ? -1 : end - at).trimmed();
        if (end < 0)
            break;
        at = lower.indexOf(u'.', end);
    }
    return entries;
}

bool TFZorvinSelectFiles::MaskAccepts(const QString& mask, const QString& fileName)
{
    if (mask.trimmed().isEmpty())
        return true;
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty())
        return false;
    return MaskEntries(mask).contains(u'.' + suffix.toLower());
}

void TFZorvinSelectFiles::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    const TDBMainInfo* master = MasterDBInfo();
    m_mask = master ? master->Str2 : QString();
    const QString path = master ? master->Str1.trimmed() : QString();
    if (!path.isEmpty()) {
        const QFileInfo file(path);
        const QString folder = file.isDir() ? file.absoluteFilePath() : file.absolutePath();
        if (FolderTrees::Select(m_folderTree, folder))
            ShowFiles(folder);
        const QString name = file.isDir() ? QString() : file.fileName();
        for (int row = 0; row < m_filesList->topLevelItemCount(); ++row) {
            if (!name.isEmpty() && m_filesList->topLevelItem(row)->text(0) == name)
                m_filesList->setCurrentItem(m_filesList->topLevelItem(row));
        }
    }
    if (m_folder.isEmpty())
        FolderTrees::Reveal(m_folderTree, QDir::homePath());
    m_mPath->setText(path);
    m_filesList->setFocus();
}

void TFZorvinSelectFiles::ShowFiles(const QString& folder)
{
    m_folder = folder;
    m_filesList->clear();
    if (folder.isEmpty())
        return;
    const QFileInfoList files
        = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    const QLocale locale;
    for (const QFileInfo& file : files) {
        if (!MaskAccepts(m_mask, file.fileName()))
            continue;
        auto* item = new QTreeWidgetItem(m_filesList,
            {file.fileName(), locale.formattedDataSize(file.size()),
                file.lastModified().toString(u"dd.MM.yyyy hh:mm"_s)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void TFZorvinSelectFiles::FolderTreeChange()
{
    const QString folder = FolderTrees::Selected(m_folderTree);
    if (folder != m_folder)
        ShowFiles(folder);
}

void TFZorvinSelectFiles::FilesListChange()
{
    const QTreeWidgetItem* item = m_filesList->currentItem();
    if (item && !m_folder.isEmpty())
        m_mPath->setText(QDir::toNativeSeparators(QDir(m_folder).filePath(item->text(0))));
}

void TFZorvinSelectFiles::FilesListDblClick()
{
    FilesListChange();
    if (m_mPath->text().trimmed().isEmpty())
        return;
    if (auto* dialog = qobject_cast<TModalForm*>(HostForm()))
        dialog->AOkExecute();
}

bool TFZorvinSelectFiles::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filesList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_filesList->currentItem()) {
            FilesListDblClick();
            return true;
        }
    }
    return TBaseDBFrame::eventFilter(watched, event);
}

QStringList TFZorvinSelectFiles::ListedFiles() const
{
    QStringList names;
    for (int row = 0; row < m_filesList->topLevelItemCount(); ++row)
        names << m_filesList->topLevelItem(row)->text(0);
    return names;
}

bool TFZorvinSelectFiles::ValidateData()
{
    m_errorText.clear();
    const QString path = m_mPath->text().trimmed();
    if (!path.isEmpty() && !QFileInfo(path).fileName().isEmpty() && !QFileInfo(path).isDir())
        return true;
    m_errorText = u"Выберите файл!"_s;
    m_filesList->setFocus();
    return false;
}

void TFZorvinSelectFiles::StoreData()
{
    FolderTrees::Answer(MasterDBInfo(), m_mPath->text());
}
