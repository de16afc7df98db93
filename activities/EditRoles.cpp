#include "activities/EditRoles.h"

#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/SelectClientFrame.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SqlDialect.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/RoleView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QGroupBox* MakeBox(const QString& name, const QString& caption, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QString RoleSuggestionsStatement(const TObjectRow& side, const QString& group)
{
    const TConstRoleView role(side);
    QString sql = u"select distinct Str1 from AllInfo where ObjType = "_s + QString::number(Kind::Role)
        + u" and Int1 = "_s + QString::number(role.HolderKind());
    if (role.OtherKind() != 0)
        sql += u" and Int2 = "_s + QString::number(role.OtherKind());
    if (!IsEmptyId(group))
        sql += u" and Link2 = "_s + SqlDialect::Quote(group);
    return sql + u" order by Str1"_s;
}

} // namespace

TFObjRole::TFObjRole(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_groupBox1(MakeBox(u"GroupBox1"_s, QString(), this))
    , m_pObj(new QWidget(m_groupBox1))
    , m_gbGrp(MakeBox(u"gbGrp"_s, u"Связанный объект поместить в группу"_s, m_groupBox1))
    , m_cbGroup(new QComboBox(m_gbGrp))
    , m_tbGroups(new QToolButton(m_gbGrp))
    , m_pRole(new QWidget(m_groupBox1))
    , m_groupBox2(MakeBox(u"GroupBox2"_s, u"Роль"_s, m_pRole))
    , m_eRole(new QComboBox(m_groupBox2))
    , m_groupBox3(MakeBox(u"GroupBox3"_s, u"Оценка"_s, m_pRole))
    , m_cbRating(new QComboBox(m_groupBox3))
    , m_pLink(new QWidget(m_groupBox1))
    , m_cbLinkObj(new QCheckBox(u"Связать с"_s, m_pLink))
    , m_linkObj(new TFSelectClientFrame(m_pLink))
    , m_pLinkTel(new QWidget(m_groupBox1))
    , m_cbLinkTel(new QCheckBox(m_pLinkTel))
    , m_gbMemo(MakeBox(u"gbMemo"_s, u"Коментарий"_s, m_groupBox1))
    , m_mComments(new TLimitedMemo(CommentLength, m_gbMemo))
{
    setObjectName(u"FObjRole"_s);
    m_pObj->setObjectName(u"pObj"_s);
    m_cbGroup->setObjectName(u"cbGroup"_s);
    m_tbGroups->setObjectName(u"tbGroups"_s);
    m_tbGroups->setText(u"Настройка групп"_s);
    m_tbGroups->setToolTip(u"Настройка групп"_s);
    m_pRole->setObjectName(u"pRole"_s);
    m_eRole->setObjectName(u"eRole"_s);
    m_eRole->setEditable(true);
    m_eRole->setInsertPolicy(QComboBox::NoInsert);
    m_cbRating->setObjectName(u"cbRating"_s);
    for (int i = 0; i <= 10; ++i)
        m_cbRating->addItem(QString::number(i));
    m_pLink->setObjectName(u"pLink"_s);
    m_cbLinkObj->setObjectName(u"cbLinkObj"_s);
    m_linkObj->setObjectName(u"LinkObj"_s);
    m_linkObj->SetButtonMode(TFSelectClientFrame::bmPeople | TFSelectClientFrame::bmFirma);
    m_linkObj->SetRequred(false);
    m_linkObj->hide();
    m_pLinkTel->setObjectName(u"pLinkTel"_s);
    m_cbLinkTel->setObjectName(u"cbLinkTel"_s);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);
    m_mComments->setFixedHeight(72);

    auto* objLayout = new QVBoxLayout(m_pObj);
    objLayout->setContentsMargins(0, 0, 0, 0);
    auto* grpLayout = new QHBoxLayout(m_gbGrp);
    grpLayout->addWidget(m_cbGroup, 1);
    grpLayout->addWidget(m_tbGroups);
    auto* roleLayout = new QHBoxLayout(m_pRole);
    roleLayout->setContentsMargins(0, 0, 0, 0);
    (new QVBoxLayout(m_groupBox2))->addWidget(m_eRole);
    (new QVBoxLayout(m_groupBox3))->addWidget(m_cbRating);
    roleLayout->addWidget(m_groupBox2, 1);
    roleLayout->addWidget(m_groupBox3);
    auto* linkLayout = new QVBoxLayout(m_pLink);
    linkLayout->setContentsMargins(0, 0, 0, 0);
    linkLayout->addWidget(m_cbLinkObj);
    linkLayout->addWidget(m_linkObj);
    auto* telLayout = new QVBoxLayout(m_pLinkTel);
    telLayout->setContentsMargins(0, 0, 0, 0);
    telLayout->addWidget(m_cbLinkTel);
    (new QVBoxLayout(m_gbMemo))->addWidget(m_mComments);
    auto* boxLayout = new QVBoxLayout(m_groupBox1);
    for (QWidget* part :
        {m_pObj, static_cast<QWidget*>(m_gbGrp), m_pRole, m_pLink, m_pLinkTel, static_cast<QWidget*>(m_gbMemo)})
        boxLayout->addWidget(part);
    boxLayout->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_groupBox1);
    setMinimumWidth(320);

    connect(m_cbGroup, &QComboBox::currentIndexChanged, this, &TFObjRole::cbGroupChange);
    connect(m_tbGroups, &QToolButton::clicked, this, &TFObjRole::tbGroupsClick);
    connect(m_cbLinkObj, &QCheckBox::toggled, this, &TFObjRole::cbLinkObjClick);
    connect(&m_holder, &TDBMainInfo::Changed, this, &TFObjRole::HolderLoaded);
}

TFObjRole::~TFObjRole()
{
    if (m_preview)
        m_preview->SetMasterDBInfo(nullptr);
}

void TFObjRole::HolderLoaded()
{
    const TDBMainInfo* side = MasterDBInfo();
    if (!side)
        return;
    const TConstRoleView role(*side);
    const int kind = static_cast<int>(role.HolderKind());
    if (kind != m_previewKind || !m_preview) {
        if (m_preview) {
            m_preview->SetMasterDBInfo(nullptr);
            delete m_preview;
            m_preview = nullptr;
        }
        // An address shows itself as text, as organizations do.
        m_preview = Screens::CreatePreview(kind, m_pObj);
        if (!m_preview && kind == Kind::Address)
            m_preview = Screens::CreatePreview(Kind::Organization, m_pObj);
        m_previewKind = kind;
        if (m_preview) {
            m_pObj->layout()->addWidget(m_preview);
            m_preview->SetLinkMode(1);
        }
    }
    if (m_preview) {
        m_preview->SetMasterDBInfo(&m_holder);
        m_pObj->setFixedHeight(m_preview->sizeHint().height());
    }
    m_layout = RoleRules::SideLayout(kind, static_cast<int>(role.OtherKind()));
    m_groupBox1->setTitle(m_layout.Title);
    m_gbGrp->setTitle(m_layout.GroupCaption);
    m_gbGrp->setEnabled(m_layout.GroupEnabled);
    m_gbGrp->setVisible(m_layout.GroupEnabled);
    m_pRole->setVisible(m_layout.Role);
    m_groupBox2->setTitle(m_layout.RoleCaption);
    m_pLink->setVisible(m_layout.Link);
    m_pLinkTel->setVisible(m_layout.LinkTel);
    m_cbLinkTel->setText(m_layout.LinkTelCaption);
}

void TFObjRole::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* side = MasterDBInfo();
    if (!side)
        return;
    m_loading = true;
    const TConstRoleView role(*side);
    m_holder.SetDatabase(side->Database());
    // Loading the holder rebuilds the side (HolderLoaded); a holder that cannot be read still gets its parts.
    if (!m_holder.SetObj(role.Holder()))
        HolderLoaded();
    LoadGroups(role.Group());
    LoadRoles();
    m_eRole->setEditText(role.Name() == u"-"_s ? QString() : role.Name());
    m_mComments->setPlainText(role.Comments());
    m_cbRating->setCurrentIndex(static_cast<int>(qBound(qint64(0), role.Rating(), qint64(10))));
    m_cbLinkTel->setChecked(m_layout.LinkTel && role.Marked());
    const bool third = m_layout.Link && !IsEmptyId(role.Third());
    m_cbLinkObj->setChecked(third);
    m_linkObj->SetObjectId(third ? QString(role.Third()) : QString(), side->Database());
    m_linkObj->setVisible(third);
    m_loading = false;
}

void TFObjRole::LoadGroups(const QString& chosen)
{
    const TDBMainInfo* side = MasterDBInfo();
    const TConstRoleView role(*side);
    GroupLists::GroupList(side->Database(), static_cast<int>(role.HolderKind()), role.Holder(), m_groups);
    m_groups.prepend(TValueItem {u"Группа не указана"_s, TGID(Ids::None)});
    // A group the holder's list does not offer (a project its event belongs to) is still shown as chosen.
    if (!IsEmptyId(chosen) && IndexOfId(chosen, m_groups) < 0) {
        TDBMainInfo group;
        group.SetDatabase(side->Database());
        if (group.SetObj(chosen) && group.ObjType == Kind::Group)
            m_groups.append(TValueItem {group.Str1, TGID(chosen)});
    }
    const bool loading = m_loading;
    m_loading = true;
    m_cbGroup->clear();
    m_cbGroup->addItems(ValueTexts(m_groups));
    const int index = IndexOfId(IsEmptyId(chosen) ? QString(Ids::None) : chosen, m_groups);
    m_cbGroup->setCurrentIndex(index >= 0 ? index : 0);
    m_loading = loading;
}

QString TFObjRole::ChosenGroup() const
{
    const int index = m_cbGroup->currentIndex();
    return index >= 0 && index < m_groups.size() ? QString(m_groups[index].Id) : QString(Ids::None);
}

void TFObjRole::LoadRoles()
{
    const TDBMainInfo* side = MasterDBInfo();
    TValueList names;
    FillValueList(side->Database(), RoleSuggestionsStatement(*side, TConstRoleView(*side).Group()), true, false, names);
    QStringList texts;
    for (const TValueItem& item : names)
        if (item.Text != u"-"_s)
            texts << item.Text;
    const QString typed = m_eRole->currentText();
    m_eRole->clear();
    m_eRole->addItems(texts);
    m_eRole->setEditText(typed);
}

void TFObjRole::cbGroupChange()
{
    TDBMainInfo* side = MasterDBInfo();
    if (m_loading || !side)
        return;
    TRoleView(*side).SetGroup(m_layout.GroupEnabled ? ChosenGroup() : QString(Ids::None));
    LoadRoles();
    m_eRole->setEditText(QString());
}

void TFObjRole::tbGroupsClick()
{
    const TDBMainInfo* side = MasterDBInfo();
    if (!side)
        return;
    const TConstRoleView role(*side);
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = GroupTableDialog;
    work->Int1 = role.HolderKind();
    work->Link1 = role.Holder();
    EditWorkInfo();
    LoadGroups(ChosenGroup());
}

void TFObjRole::cbLinkObjClick()
{
    m_linkObj->setVisible(m_cbLinkObj->isChecked());
}

void TFObjRole::StoreData()
{
    TDBMainInfo* side = MasterDBInfo();
    if (!side)
        return;
    const TRoleView role(*side);
    if (m_layout.Role) {
        role.SetName(RoleRules::StoredName(m_eRole->currentText()));
        role.SetRating(m_cbRating->currentIndex() < 0 ? 0 : m_cbRating->currentIndex());
    } else {
        role.SetName(QString());
        role.SetRating(0);
    }
    // A side linked with an event keeps the project it was filed under.
    if (m_layout.GroupEnabled)
        role.SetGroup(ChosenGroup());
    else if (IsEmptyId(role.Group()))
        role.SetGroup(Ids::None);
    role.SetComments(m_mComments->toPlainText().trimmed());
    role.SetMarked(m_layout.LinkTel && m_cbLinkTel->isChecked());
    role.SetThird(m_layout.Link && m_cbLinkObj->isChecked() && m_linkObj->HasObject() ? m_linkObj->ObjectId()
                                                                                      : QString(Ids::None));
    role.SetFarObject(QString());
}

TFRoles::TFRoles(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_obj1(new QWidget(this))
    , m_pDT(new QWidget(m_obj1))
    , m_dtStart(new TdbTimeEdit(m_pDT))
    , m_dtEnd(new TdbTimeEdit(m_pDT))
    , m_gradientPanel1(new TGradientPanel(this))
    , m_obj2(new QWidget(this))
    , m_fObj1(new TFObjRole(m_obj1))
    , m_fObj2(new TFObjRole(m_obj2))
{
    setObjectName(u"FRoles"_s);
    m_obj1->setObjectName(u"Obj1"_s);
    m_pDT->setObjectName(u"pDT"_s);
    m_obj2->setObjectName(u"Obj2"_s);
    m_gradientPanel1->setObjectName(u"GradientPanel1"_s);
    m_gradientPanel1->setFixedWidth(4);
    m_fObj1->setObjectName(u"FObj1"_s);
    m_fObj2->setObjectName(u"FObj2"_s);
    m_dtStart->setObjectName(u"dtStart"_s);
    m_dtStart->SetdbField(Tdb_dtFields::db_Date1);
    m_dtEnd->setObjectName(u"dtEnd"_s);
    m_dtEnd->SetdbField(Tdb_dtFields::db_Date2);
    for (TdbTimeEdit* edit : {m_dtStart, m_dtEnd}) {
        edit->SetRequred(false);
        edit->SetToolBarVisible(false);
    }
    auto* dtLayout = new QHBoxLayout(m_pDT);
    dtLayout->setContentsMargins(4, 0, 4, 0);
    auto* start = new QLabel(u"Начало"_s, m_pDT);
    start->setBuddy(m_dtStart->eDT());
    auto* end = new QLabel(u"Окончание"_s, m_pDT);
    end->setBuddy(m_dtEnd->eDT());
    dtLayout->addWidget(start);
    dtLayout->addWidget(m_dtStart, 1);
    dtLayout->addWidget(end);
    dtLayout->addWidget(m_dtEnd, 1);
    auto* obj1Layout = new QVBoxLayout(m_obj1);
    obj1Layout->setContentsMargins(0, 0, 0, 0);
    obj1Layout->addWidget(m_pDT);
    obj1Layout->addWidget(m_fObj1, 1);
    auto* obj2Layout = new QVBoxLayout(m_obj2);
    obj2Layout->setContentsMargins(0, 0, 0, 0);
    obj2Layout->addWidget(m_fObj2, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_obj1, 1);
    layout->addWidget(m_gradientPanel1);
    layout->addWidget(m_obj2, 1);
    m_obj2->hide();
    m_gradientPanel1->hide();
    for (TBaseDBFrame* part : std::initializer_list<TBaseDBFrame*> {m_dtStart, m_dtEnd, m_fObj1, m_fObj2})
        part->SetLinkMode(1);
}

TFRoles::~TFRoles()
{
    for (TBaseDBFrame* part : std::initializer_list<TBaseDBFrame*> {m_dtStart, m_dtEnd, m_fObj1, m_fObj2})
        part->SetMasterDBInfo(nullptr);
}

void TFRoles::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record || record->ObjType != Kind::Role)
        return;
    RoleRules::DeriveSides(*record, m_db1, m_db2);
    const bool timed = record->Int1 == Kind::Event || record->Int2 == Kind::Event;
    for (TdbTimeEdit* edit : {m_dtStart, m_dtEnd}) {
        edit->SetTimeMode(timed);
        edit->SetMasterDBInfo(&m_db1);
    }
    m_fObj1->SetMasterDBInfo(&m_db1);
    const bool twoSided = RoleRules::IsTwoSided(m_db2);
    m_obj2->setVisible(twoSided);
    m_gradientPanel1->setVisible(twoSided);
    m_fObj2->SetMasterDBInfo(twoSided ? &m_db2 : nullptr);
    // The frame narrows to side A alone when there is no second side.
    adjustSize();
}

bool TFRoles::ValidateData()
{
    m_errorText.clear();
    QList<TBaseDBFrame*> parts {m_dtStart, m_dtEnd, m_fObj1};
    if (RoleRules::IsTwoSided(m_db2))
        parts << m_fObj2;
    for (TBaseDBFrame* part : parts) {
        if (part->ApplyData() != 0) {
            m_errorText = part->ErrorText();
            return false;
        }
    }
    return true;
}

int TFRoles::ApplyData()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return -1;
    if (!ValidateData())
        return 1;
    const TStoreResult written = RoleRules::WritePair(m_db1, m_db2);
    if (!written.Ok()) {
        // The dialog stays open with the store's words; nothing of the pair was written.
        m_errorText = written.Text.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : written.Text;
        return 1;
    }
    record->CopyFrom(m_db1);
    record->ObjType = 0;
    return 0;
}
