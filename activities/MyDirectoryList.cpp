#include "activities/MyDirectoryList.h"

#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "shell/widgets/MainData.h"
#include "store/ObjectRecord.h"
#include "store/kinds/NoteView.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// A program is started, not opened: the desktop would hand it to some other program, or refuse it.
bool IsProgram(const QFileInfo& file)
{
    if (!file.isFile())
        return false;
    return file.suffix().compare(u"exe"_s, Qt::CaseInsensitive) == 0
        || (file.suffix().isEmpty() && file.isExecutable());
}

} // namespace

TMyDirectoryList::TMyDirectoryList(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_dirName(new QLineEdit(this))
    , m_tbFind(new QToolButton(this))
    , m_toolButton1(new QToolButton(this))
{
    setObjectName(u"DirSelect"_s);
    SetLinkMode(1);
    m_dirName->setObjectName(u"DirName"_s);
    m_dirName->setMaxLength(PathLength);
    m_tbFind->setObjectName(u"tbFind"_s);
    m_tbFind->setText(u"Поиск"_s);
    m_tbFind->setIcon(MainData().SmallIcons().Icon(10));
    m_tbFind->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolButton1->setObjectName(u"ToolButton1"_s);
    m_toolButton1->setText(u"Открыть"_s);
    m_toolButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_dirName, 1);
    layout->addWidget(m_tbFind);
    layout->addWidget(m_toolButton1);
    connect(m_tbFind, &QToolButton::clicked, this, &TMyDirectoryList::tbFindClick);
    connect(m_toolButton1, &QToolButton::clicked, this, &TMyDirectoryList::ToolButton1Click);
    connect(m_dirName, &QLineEdit::textChanged, this, [this]() {
        if (OnFileNameChange)
            OnFileNameChange();
    });
    ApplyMode();
}

TMyDirectoryList::~TMyDirectoryList() = default;

void TMyDirectoryList::SetDBStrField(int field)
{
    m_strField = qBound(1, field, 5);
    LoadData();
}

void TMyDirectoryList::SetDBIntField(int field)
{
    m_intField = qBound(1, field, 5);
    LoadData();
}

TMyDirectoryList::TListMode TMyDirectoryList::ModeOfType(qint64 type)
{
    switch (type) {
    case NoteType::Folder:
        return TListMode::lmDir;
    case NoteType::File:
        return TListMode::lmFiles;
    case NoteType::WebAddress:
        return TListMode::lmIE;
    default:
        return TListMode::lmNone;
    }
}

void TMyDirectoryList::ApplyMode()
{
    // A web address is typed in; a folder or a file comes from its picker.
    const bool web = m_mode == TListMode::lmIE;
    m_tbFind->setVisible(!web);
    m_dirName->setReadOnly(!web);
}

void TMyDirectoryList::ChangeListMode(TListMode mode)
{
    m_mode = mode;
    m_dirName->clear();
    ApplyMode();
}

void TMyDirectoryList::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    m_mode = ModeOfType(record ? record->Int(m_intField) : 0);
    ApplyMode();
    m_dirName->setText(record ? record->Str(m_strField) : QString());
}

bool TMyDirectoryList::ValidateData()
{
    m_errorText.clear();
    if (m_mode == TListMode::lmNone || !m_dirName->text().trimmed().isEmpty())
        return true;
    switch (m_mode) {
    case TListMode::lmDir:
        m_errorText = u"Укажите папку!"_s;
        break;
    case TListMode::lmFiles:
        m_errorText = u"Укажите файл!"_s;
        break;
    default:
        m_errorText = u"Укажите сайт!"_s;
        break;
    }
    m_dirName->setFocus();
    return false;
}

void TMyDirectoryList::StoreData()
{
    if (TDBMainInfo* record = MasterDBInfo())
        record->Str(m_strField) = m_dirName->text();
}

void TMyDirectoryList::tbFindClick()
{
    if (m_mode != TListMode::lmDir && m_mode != TListMode::lmFiles)
        return;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = m_mode == TListMode::lmDir ? FolderDialog : FileDialog;
    if (m_mode == TListMode::lmFiles)
        work->Str2 = m_fileMask;
    work->Str1 = m_dirName->text();
    if (EditWorkInfo() == 1)
        m_dirName->setText(work->Str1);
}

void TMyDirectoryList::ToolButton1Click()
{
    OpenAttachment(m_mode, m_dirName->text());
}

bool TMyDirectoryList::OpenAttachment(TListMode mode, const QString& path)
{
    const QString text = path.trimmed();
    if (text.isEmpty() || mode == TListMode::lmNone)
        return false;
    if (mode == TListMode::lmIE) {
        if (Desktop::WebUrl(text).isEmpty()) {
            Messages().ShowMessage(u"Открыть можно только адрес сайта (http или https):\r"_s + text);
            return false;
        }
        if (Desktop::OpenWebAddress(text))
            return true;
        Messages().ShowMessage(u"Не удалось открыть сайт:\r"_s + text);
        return false;
    }
    const QFileInfo file(text);
    if (!file.exists()) {
        Messages().ShowMessage((mode == TListMode::lmDir ? u"Папка не найдена:\r"_s : u"Файл не найден:\r"_s) + text);
        return false;
    }
    bool opened = false;
    if (mode == TListMode::lmFiles && IsProgram(file))
        opened = Desktop::StartProgram(file.absoluteFilePath(), {}, file.absolutePath());
    else
        opened = Desktop::OpenPath(file.absoluteFilePath());
    if (!opened)
        Messages().ShowMessage(u"Не удалось открыть:\r"_s + text);
    return opened;
}
