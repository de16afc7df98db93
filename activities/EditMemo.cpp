#include "activities/EditMemo.h"

#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/NoteView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The groups are read anew whenever the list opens: a group may have been made in another window meanwhile.
class TGroupsBox final : public QComboBox
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

QWidget* Row(const QString& name, QWidget* parent, const QString& caption, QWidget* field, QWidget* extra = nullptr)
{
    auto* row = new QWidget(parent);
    row->setObjectName(name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 1, 4, 1);
    auto* label = new QLabel(caption, row);
    label->setMinimumWidth(70);
    label->setBuddy(field);
    layout->addWidget(label);
    layout->addWidget(field, 1);
    if (extra)
        layout->addWidget(extra);
    return row;
}

// The memo shows line breaks as single new lines; a text written elsewhere may carry CR LF or CR alone.
QString MemoText(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

const QStringList& TFEditMemo::TypeCaptions()
{
    static const QStringList captions {
        u"Обычная заметка"_s, u"Ссылка на папку"_s, u"Ссылка на файл"_s, u"Ссылка на сайт"_s};
    return captions;
}

TFEditMemo::TFEditMemo(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eName(new QLineEdit)
    , m_cbGroup(new TGroupsBox)
    , m_toolButton1(new QToolButton)
    , m_mType(new QComboBox)
    , m_mComments(new TLimitedMemo(TextLength))
{
    setObjectName(u"FEditMemo"_s);
    m_eName->setObjectName(u"eName"_s);
    m_eName->setMaxLength(TitleLength);
    m_cbGroup->setObjectName(u"cbGroup"_s);
    m_toolButton1->setObjectName(u"ToolButton1"_s);
    m_toolButton1->setToolTip(u"Создать новую группу"_s);
    m_toolButton1->setIcon(MainData().SmallIcons().Icon(109));
    m_toolButton1->setFocusPolicy(Qt::NoFocus);
    m_mType->setObjectName(u"mType"_s);
    const TPictureList& pictures = MainData().SmallIcons();
    for (int type = NoteType::Plain; type <= NoteType::WebAddress; ++type)
        m_mType->addItem(pictures.Icon(NoteAttachmentPicture(type)), TypeCaptions()[type - 1]);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);
    m_mComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(Row(u"pName"_s, this, u"Название"_s, m_eName));
    auto* gbGrp = new QGroupBox(u"Заметку поместить в группу"_s, this);
    gbGrp->setObjectName(u"gbGrp"_s);
    auto* grpLayout = new QHBoxLayout(gbGrp);
    grpLayout->setContentsMargins(4, 2, 4, 2);
    grpLayout->addWidget(m_cbGroup, 1);
    grpLayout->addWidget(m_toolButton1);
    layout->addWidget(gbGrp);

    auto* pDT = new QWidget(this);
    pDT->setObjectName(u"pDT"_s);
    m_dtStart = new TdbTimeEdit(pDT);
    m_dtStart->setObjectName(u"dtStart"_s);
    m_dtStart->SetdbField(Tdb_dtFields::db_Date1);
    m_dtStart->SetTimeMode(false);
    m_dtStart->SetToolBarVisible(false);
    m_dtStart->SetRequred(false);
    auto* dtLayout = new QHBoxLayout(pDT);
    dtLayout->setContentsMargins(4, 1, 4, 1);
    auto* date = new QLabel(u"Дата"_s, pDT);
    date->setMinimumWidth(70);
    date->setBuddy(m_dtStart->eDT());
    auto* type = new QLabel(u"Тип"_s, pDT);
    type->setBuddy(m_mType);
    dtLayout->addWidget(date);
    dtLayout->addWidget(m_dtStart);
    dtLayout->addWidget(type);
    dtLayout->addWidget(m_mType, 1);
    layout->addWidget(pDT);

    m_panel1 = new QWidget(this);
    m_panel1->setObjectName(u"Panel1"_s);
    m_dirSelect = new TMyDirectoryList(m_panel1);
    auto* panelLayout = new QHBoxLayout(m_panel1);
    panelLayout->setContentsMargins(4, 1, 4, 1);
    m_label4 = new QLabel(m_panel1);
    m_label4->setObjectName(u"Label4"_s);
    m_label4->setMinimumWidth(70);
    m_label4->setBuddy(m_dirSelect->DirName());
    panelLayout->addWidget(m_label4);
    panelLayout->addWidget(m_dirSelect, 1);
    m_panel1->hide();
    layout->addWidget(m_panel1);

    auto* gbMemo = new QGroupBox(u"Описание"_s, this);
    gbMemo->setObjectName(u"gbMemo"_s);
    auto* memoLayout = new QVBoxLayout(gbMemo);
    memoLayout->setContentsMargins(2, 2, 2, 2);
    m_mComments->setParent(gbMemo);
    m_mComments->setMinimumHeight(120);
    memoLayout->addWidget(m_mComments);
    layout->addWidget(gbMemo, 1);
    setMinimumWidth(440);

    static_cast<TGroupsBox*>(m_cbGroup)->BeforePopup = [this]() { LoadGroups(); };
    connect(m_mType, &QComboBox::currentIndexChanged, this, &TFEditMemo::mTypeChange);
    connect(m_toolButton1, &QToolButton::clicked, this, &TFEditMemo::ToolButton1Click);
}

TFEditMemo::~TFEditMemo()
{
    // The date editor and the attachment field are linked to the master; they leave it before it may go.
    m_dtStart->SetMasterDBInfo(nullptr);
    m_dirSelect->SetMasterDBInfo(nullptr);
}

void TFEditMemo::SetMasterDBInfo(TDBMainInfo* record)
{
    // A new note is dated now.
    if (record && IsNewId(record->Obj)) {
        const TNoteView note(*record);
        note.SetDate(DateSerial::Now());
        note.SetHasDate(true);
    }
    TBaseDBFrame::SetMasterDBInfo(record);
    for (TBaseDBFrame* part : std::initializer_list<TBaseDBFrame*> {m_dtStart, m_dirSelect}) {
        part->SetLinkMode(1);
        part->SetMasterDBInfo(MasterDBInfo());
    }
}

void TFEditMemo::LoadGroups()
{
    const TDBMainInfo* record = MasterDBInfo();
    const QString chosen = m_groups.isEmpty() && record ? QString(TConstNoteView(*record).Group()) : ChosenGroup();
    GroupLists::GroupList(record ? record->Database() : nullptr, Kind::Note, QString(), m_groups);
    m_groups.prepend(TValueItem {u"Группа не указана"_s, TGID(Ids::None)});
    const bool loading = m_loading;
    m_loading = true;
    m_cbGroup->clear();
    m_cbGroup->addItems(ValueTexts(m_groups));
    const int index = IndexOfId(chosen, m_groups);
    m_cbGroup->setCurrentIndex(index >= 0 ? index : 0);
    m_loading = loading;
}

void TFEditMemo::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    m_loading = true;
    const TConstNoteView note(*record);
    m_groups.clear();
    LoadGroups();
    const qint64 type = note.NoteKind();
    const bool known = !IsNewId(record->Obj) && type >= NoteType::Plain && type <= NoteType::WebAddress;
    m_mType->setCurrentIndex(known ? static_cast<int>(type - 1) : 0);
    ShowType(false);
    m_eName->setText(note.Title());
    m_mComments->setPlainText(MemoText(note.Text()));
    m_loading = false;
}

QString TFEditMemo::ChosenGroup() const
{
    const int index = m_cbGroup->currentIndex();
    return index >= 0 && index < m_groups.size() ? QString(m_groups[index].Id) : QString(Ids::None);
}

void TFEditMemo::mTypeChange()
{
    if (!m_loading)
        ShowType(true);
}

void TFEditMemo::ShowType(bool chosenByUser)
{
    const int type = m_mType->currentIndex() + 1;
    m_panel1->setVisible(type >= NoteType::Folder && type <= NoteType::WebAddress);
    switch (type) {
    case NoteType::Folder:
        m_label4->setText(u"Папка"_s);
        break;
    case NoteType::File:
        m_label4->setText(u"Файл"_s);
        break;
    case NoteType::WebAddress:
        m_label4->setText(u"Сайт"_s);
        break;
    default:
        m_label4->clear();
        break;
    }
    // The field follows the type shown; one chosen by the user starts without the old attachment.
    if (chosenByUser)
        m_dirSelect->ChangeListMode(TMyDirectoryList::ModeOfType(type));
}

void TFEditMemo::ToolButton1Click()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = GroupTableDialog;
    TGroupView(*work).SetGroupKind(GroupType::NoteGroups);
    EditWorkInfo();
    LoadGroups();
}

bool TFEditMemo::ValidateData()
{
    m_errorText.clear();
    if (m_eName->text().trimmed().isEmpty()) {
        m_errorText = u"Укажите название заметки!"_s;
        m_eName->setFocus();
        return false;
    }
    return true;
}

void TFEditMemo::StoreData()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    const TNoteView note(*record);
    const QString group = ChosenGroup();
    note.SetGroup(group.isEmpty() ? QString(Ids::None) : group);
    note.SetTitle(m_eName->text().trimmed());
    note.SetNoteKind(m_mType->currentIndex() + 1);
    note.SetText(m_mComments->toPlainText().trimmed());
}

void TFEditMemo::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Note);
}
