#include "activities/ZorvinSelectDir.h"

#include "store/ObjectRecord.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace FolderTrees {

QTreeView* Make(QWidget* parent)
{
    auto* tree = new QTreeView(parent);
    tree->setObjectName(u"FolderTree"_s);
    auto* folders = new QFileSystemModel(tree);
    folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    folders->setRootPath(QString());
    tree->setModel(folders);
    for (int column = 1; column < folders->columnCount(); ++column)
        tree->hideColumn(column);
    tree->header()->hide();
    tree->setMinimumSize(260, 300);
    return tree;
}

bool Select(QTreeView* tree, const QString& path)
{
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    if (!folders || path.trimmed().isEmpty() || !QFileInfo(path).isDir())
        return false;
    const QModelIndex index = folders->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!index.isValid())
        return false;
    tree->setCurrentIndex(index);
    tree->scrollTo(index);
    return true;
}

void Reveal(QTreeView* tree, const QString& path)
{
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    const QModelIndex index = folders ? folders->index(path) : QModelIndex();
    if (!index.isValid())
        return;
    tree->scrollTo(index, QAbstractItemView::PositionAtTop);
    tree->expand(index);
}

QString Selected(const QTreeView* tree)
{
    // The folder chosen is the one selected: the view may make a row current without choosing it.
    const auto* folders = qobject_cast<const QFileSystemModel*>(tree->model());
    const QModelIndexList chosen = tree->selectionModel()->selectedRows();
    return folders && !chosen.isEmpty() ? QDir::toNativeSeparators(folders->filePath(chosen.first())) : QString();
}

QLabel* MakePathBox(QWidget* parent)
{
    auto* box = new QLabel(parent);
    box->setObjectName(u"mPath"_s);
    box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    box->setAutoFillBackground(true);
    box->setBackgroundRole(QPalette::Base);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setWordWrap(true);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * 3 + 10);
    return box;
}

void Answer(TDBMainInfo* record, const QString& path)
{
    if (!record)
        return;
    record->ObjType = 0;
    record->Str1 = path;
}

} // namespace FolderTrees

TZorvinSelectDir::TZorvinSelectDir(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_folderTree(FolderTrees::Make(this))
    , m_groupBox1(new QGroupBox(u"Выбранная папка"_s, this))
    , m_mPath(FolderTrees::MakePathBox(m_groupBox1))
{
    setObjectName(u"ZorvinSelectDir"_s);
    m_groupBox1->setObjectName(u"GroupBox1"_s);
    (new QVBoxLayout(m_groupBox1))->addWidget(m_mPath);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_folderTree, 1);
    layout->addWidget(m_groupBox1);
    setMinimumSize(420, 460);
    connect(m_folderTree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &TZorvinSelectDir::FolderTreeChange);
}

TZorvinSelectDir::~TZorvinSelectDir() = default;

void TZorvinSelectDir::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    const TDBMainInfo* master = MasterDBInfo();
    if (master && FolderTrees::Select(m_folderTree, master->Str1))
        m_mPath->setText(FolderTrees::Selected(m_folderTree));
    else
        FolderTrees::Reveal(m_folderTree, QDir::homePath());
    m_folderTree->setFocus();
}

void TZorvinSelectDir::FolderTreeChange()
{
    m_mPath->setText(FolderTrees::Selected(m_folderTree));
}

bool TZorvinSelectDir::ValidateData()
{
    m_errorText.clear();
    if (!m_mPath->text().trimmed().isEmpty())
        return true;
    m_errorText = u"Выберите папку!"_s;
    m_folderTree->setFocus();
    return false;
}

void TZorvinSelectDir::StoreData()
{
    FolderTrees::Answer(MasterDBInfo(), m_mPath->text());
}
