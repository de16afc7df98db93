#include "activities/RoleFind.h"

#include "activities/RoleRules.h"
#include "platform/Messages.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/RoleView.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString RoleKind = QString::number(Kind::Role);

TItemProp Masked(const QString& mask)
{
    TItemProp props;
    props.EditMask = mask;
    return props;
}

TItemProp PickList(bool readOnly)
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.ReadOnly = readOnly;
    return props;
}

QStringList DistinctTexts(TMyDataBase* db, const QString& sql)
{
    TValueList values;
    FillValueList(db, sql, true, false, values);
    QStringList texts {QString()};
    for (const TValueItem& item : values)
        if (item.Text != u"-"_s)
            texts << item.Text;
    return texts;
}

// "Тип связи": the kind of the objects on the other side.
QString LinkKindOf(const QString& value)
{
    const QString type = value.trimmed();
    if (type == TRoleListBase::PeopleLinks)
        return QString::number(Kind::Person);
    if (type == TRoleListBase::FirmaLinks)
        return QString::number(Kind::Organization);
    return QString();
}

QString NameWithoutDash(const TListRow& row, const QVariant&)
{
    const QString name = row.Text(u"Str1"_s);
    return name.trimmed() == u"-"_s ? QString() : name;
}

} // namespace

// TRoleListBase

TRoleListBase::TRoleListBase(QWidget* parent)
    : TBaseFind(parent)
{
    if (auto* label = BriefFind->findChild<QLabel*>())
        label->setText(u"Группы"_s);
    eFind->setEditable(false);
    tbarConfigGrp->show();
    tbEditGroup->setText(u"..."_s);
    connect(eFind, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loadingGroups)
            eFindChange();
    });
    connect(tbEditGroup, &QToolButton::clicked, this, &TRoleListBase::tbEditGroupClick);
}

TRoleListBase::~TRoleListBase() = default;

int TRoleListBase::GroupKind() const
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return 0;
    return master->ObjType == Kind::Role ? static_cast<int>(master->Int1) : master->ObjType;
}

QString TRoleListBase::GroupOwner() const
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return QString();
    return master->ObjType == Kind::Role ? master->Link1.Text() : master->Obj.Text();
}

void TRoleListBase::LoadData()
{
    TBaseFind::LoadData();
    if (m_rolesSaved == 0)
        m_rolesSaved = Screens::RegisterObjectSaved(
            Kind::Role, [this](int) { ObjectsSaved(); }, this);
    LoadGroups();
}

void TRoleListBase::LoadGroups(const QString& group)
{
    const QString chosen = group.isEmpty() ? ChosenGroup() : group;
    m_groups.clear();
    if (HasGroups()) {
        GroupLists::GroupList(QueryDatabase(), GroupKind(), GroupOwner(), m_groups);
        m_groups.prepend(TValueItem {u"Группа не указана"_s, TGID(Ids::None)});
    }
    m_groups.prepend(TValueItem {});
    m_loadingGroups = true;
    eFind->clear();
    eFind->addItems(ValueTexts(m_groups));
    const int index = chosen.isEmpty() ? -1 : IndexOfId(chosen, m_groups);
    eFind->setCurrentIndex(index >= 0 ? index : 0);
    m_loadingGroups = false;
}

QString TRoleListBase::ChosenGroup() const
{
    const int index = eFind->currentIndex();
    return index >= 0 && index < m_groups.size() ? m_groups[index].Id.Text() : QString();
}

bool TRoleListBase::OpensPopup(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
}

bool TRoleListBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == eFind && OpensPopup(event))
        LoadGroups();
    return TBaseFind::eventFilter(watched, event);
}

void TRoleListBase::InitFindMode()
{
    // The group list and the filter rows are shown together, read by one step.
    SetFullFindMode(false);
    FullFind->show();
    Panel2->hide();
}

void TRoleListBase::ParseBriefFind()
{
    const QString group = ChosenGroup();
    if (!group.isEmpty())
        SetFindField(7, group);
    ParseFilters();
}

void TRoleListBase::ParseOptionList()
{
    ParseBriefFind();
}

void TRoleListBase::tbEditGroupClick()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = GroupTableDialog;
    work->Int1 = GroupKind();
    work->Link1 = GroupOwner();
    EditWorkInfo();
    LoadGroups();
    eFindChange();
}

// TRoleFind

TRoleFind::TRoleFind(QWidget* parent)
    : TRoleListBase(parent)
    , m_pAddLink(new QWidget(BriefFind))
    , m_cbAddLink(new QComboBox(m_pAddLink))
{
    setObjectName(u"RoleFind"_s);
    FindCaption->setText(u"Роли, Связи"_s);
    m_pAddLink->setObjectName(u"pAddLink"_s);
    m_cbAddLink->setObjectName(u"cbAddLink"_s);
    auto* addLayout = new QHBoxLayout(m_pAddLink);
    addLayout->setContentsMargins(0, 0, 0, 0);
    addLayout->addWidget(new QLabel(u"Связан с"_s, m_pAddLink));
    addLayout->addWidget(m_cbAddLink, 1);
    BriefFind->layout()->addWidget(m_pAddLink);
    m_pAddLink->hide();
    connect(m_cbAddLink, &QComboBox::activated, this, [this] { eFindChange(); });
    m_cbAddLink->installEventFilter(this);

    SetLinkFieldName(u"lkObjId"_s);
    SetsqlOrder(u"AllInfo.Date1 desc, AllInfo.Date2 desc, lkObj.Str1"_s);
    Grid->SetColumns({TGridColumn {u"LkFoto"_s, QString(), 40, true, Qt::AlignCenter},
        TGridColumn {u"Date1"_s, u"Период"_s, 80, true, Qt::AlignCenter}, TGridColumn {u"Str1"_s, u"Описание"_s, 260}});
    Grid->SetTextLineCount(3);
    Grid->SetStatusFields({u"LkFoto"_s});
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        image = RoleRules::LinkedPicture(row);
    };

    QAction* person = pmNew->addAction(u"Роль, связанную с человеком"_s);
    person->setObjectName(u"miNewPerson"_s);
    person->setData(Kind::Person);
    QAction* firm = pmNew->addAction(u"Роль, связанную с  организацией"_s);
    firm->setObjectName(u"miNewFirma"_s);
    firm->setData(Kind::Organization);
    m_miNewEvent = pmNew->addAction(u"Роль, связанную с  событием"_s);
    m_miNewEvent->setObjectName(u"miNewEvent"_s);
    m_miNewEvent->setData(Kind::Event);
    m_miNewEvent->setVisible(false);
    for (QAction* item : {person, firm, m_miNewEvent})
        connect(item, &QAction::triggered, this, [this, item] { aNewExecute(item); });
    m_miNewUnlinked = pmNew->addAction(u"Несвязанную роль"_s);
    m_miNewUnlinked->setObjectName(u"miNewUnlinked"_s);
    connect(m_miNewUnlinked, &QAction::triggered, this, &TRoleFind::NewUnlinkedRole);
    Bind(aNew, &TBaseFind::aNew_Execute);
    miDelRole->setText(u"Удалить роль"_s);
    miDelEvent->setText(u"Удалить связанный объект"_s);
    Bind(miDelRole, &TBaseFind::aDelExecute);
    Bind(miDelEvent, &TBaseFind::miDelLinkClick);
    Bind(miOpenLinkObject, &TBaseFind::miOpenLinkObjectClick);
    Bind(miOpenLinks, &TBaseFind::aOpenExecute);
    aLinks->setData(Kind::Role);
    aLinks->setVisible(true);
    OptionList->OnGetPickList
        = [this](TOptionList&, const QString& key, QStringList& values) { values = PickListOf(key); };
}

TRoleFind::~TRoleFind() = default;

bool TRoleFind::IsEventMaster() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && master->ObjType == Kind::Event;
}

bool TRoleFind::IsRoleMaster() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && master->ObjType == Kind::Role;
}

int TRoleFind::TextKind() const
{
    return GroupKind();
}

QString TRoleFind::Title() const
{
    return FindCaption->text();
}

void TRoleFind::LoadData()
{
    const TDBMainInfo* master = MasterDBInfo();
    const bool event = IsEventMaster();
    const bool role = IsRoleMaster();
    // The base statement and the title are fixed for the master bound.
    m_base = u"select AllInfo.*, lkObj.Str5 as lkObjName, lkRole.Str1 as lkRole, lkRole.Int4 as lkRoleRating,"
             u" lkRole.ObjId as lkRoleObj, lkObj.ObjType as lkObjType, lkObj.ObjId as lkObjId,"
             u" lkObj.Int1 as lkObjInt1, lkObj.Flag as LkFlag, lkObj.Foto as LkFoto, lkObj.D2Flag as lkD2Flag,"
             u" ObjGrp.Str1 as Grp, lkObjGrp.Str1 as lkGrp"
             u" from AllInfo, AllInfo as ObjGrp, AllInfo as lkRole, AllInfo as lkObj, AllInfo as lkObjGrp"
             u" where AllInfo.ObjType = "_s
        + RoleKind
        + u" and ObjGrp.ObjId = AllInfo.Link2 and lkRole.ObjId = AllInfo.Link5 and lkObj.ObjId = lkRole.Link1"
          u" and lkObjGrp.ObjId = lkRole.Link2"_s;
    QString title = u"Роли, Связи"_s;
    if (master && !role) {
        m_base += u" and AllInfo.Link5 <> "_s + SqlDialect::Quote(Ids::None);
        if (event) {
            m_base += u" and lkRole.Int1 in (1,6) "_s;
            title = u"Участники, роли"_s;
        } else {
            m_base += m_includeEventLinks ? u" and AllInfo.Int2 in (0,1,6,8)"_s : u" and AllInfo.Int2 in (0,1,6)"_s;
            title = u"Связи"_s;
        }
    }
    FindCaption->setText(title);
    m_miNewUnlinked->setVisible(!event);
    m_pAddLink->setVisible(event);
    QStringList rows {u"Тип связи="_s, u"Роль="_s, u"Оценка="_s, u"Период="_s, u"Комментарий="_s};
    if (event)
        rows.insert(2, u"Результат="_s);
    OptionList->SetStrings(rows);
    OptionList->SetItemProps(u"Тип связи"_s, PickList(true));
    OptionList->SetItemProps(u"Роль"_s, PickList(false));
    if (event)
        OptionList->SetItemProps(u"Результат"_s, PickList(false));
    OptionList->SetItemProps(u"Оценка"_s, Masked(RatingMask));
    OptionList->SetItemProps(u"Период"_s, Masked(PeriodMask));
    TRoleListBase::LoadData();
    // The links window opens a participant's links within one project: the project comes in Link5.
    if (master && !role && !IsEmptyId(master->Link5))
        LoadGroups(master->Link5);
    LoadAddLinks();
}

void TRoleFind::LoadAddLinks()
{
    const TDBMainInfo* master = MasterDBInfo();
    m_addLinks.clear();
    if (master && IsEventMaster()) {
        FillValueList(QueryDatabase(),
            u"select distinct X.Str5, X.ObjId from AllInfo as R, AllInfo as lkRole, AllInfo as X where R.ObjType = "_s
                + RoleKind + u" and R.Link1 = "_s + SqlDialect::Quote(master->Obj)
                + u" and lkRole.ObjId = R.Link5 and X.ObjId = lkRole.Link3 and X.ObjId <> "_s
                + SqlDialect::Quote(Ids::None) + u" order by X.Str5, X.ObjId"_s,
            true, true, m_addLinks);
    }
    m_addLinks.prepend(TValueItem {});
    const QString chosen = m_cbAddLink->currentIndex() > 0 ? m_cbAddLink->currentText() : QString();
    m_cbAddLink->clear();
    m_cbAddLink->addItems(ValueTexts(m_addLinks));
    const int index = m_cbAddLink->findText(chosen);
    m_cbAddLink->setCurrentIndex(index > 0 ? index : 0);
}

QStringList TRoleFind::PickListOf(const QString& key)
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return {};
    if (key == u"Тип связи"_s)
        return IsRoleMaster() ? QStringList {QString()} : QStringList {QString(), PeopleLinks, FirmaLinks};
    if (key == u"Роль"_s) {
        if (IsEventMaster())
            return DistinctTexts(QueryDatabase(),
                u"select distinct R.Str1 from AllInfo as R, AllInfo as P where R.ObjType = "_s + RoleKind
                    + u" and P.ObjId = R.Link5 and P.Link1 = "_s + SqlDialect::Quote(master->Obj)
                    + u" and P.Int2 in (1,6) order by R.Str1"_s);
        return DistinctTexts(QueryDatabase(),
            u"select distinct Str1 from AllInfo where ObjType = "_s + RoleKind + u" and Link1 = "_s
                + SqlDialect::Quote(GroupOwner()) + u" and Int2 in (0,1,6) order by Str1"_s);
    }
    if (key == u"Результат"_s)
        return DistinctTexts(QueryDatabase(),
            u"select distinct Str1 from AllInfo where ObjType = "_s + RoleKind + u" and Int1 = 8 order by Str1"_s);
    return {};
}

QString TRoleFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || m_base.isEmpty())
        return QString();
    SetsqlOrder(u"AllInfo.Date1 desc, AllInfo.Date2 desc, lkObj.Str1"_s);
    QString sql = m_base;
    if (IsRoleMaster()) {
        const TConstRoleView role(*master);
        sql += u" and AllInfo.Link1 = "_s + SqlDialect::Quote(role.Holder()) + u" and AllInfo.Str1 = "_s
            + SqlDialect::Quote(role.Name()) + u" and AllInfo.Link2 = "_s + SqlDialect::Quote(role.Group())
            + u" and AllInfo.Int2 in (1,6,0) "_s;
    } else {
        sql += u" and AllInfo.Link1 = "_s + SqlDialect::Quote(master->Obj);
    }
    return sql + GetWhereSQL() + u" order by "_s + TotalOrder(sqlOrder());
}

void TRoleFind::ParseFilters()
{
    const int index = m_cbAddLink->currentIndex();
    if (index > 0 && index < m_addLinks.size() && m_addLinks[index].HasId())
        AddCondition(m_whereExt, u"lkRole.Link3 = "_s + SqlDialect::Quote(m_addLinks[index].Id));
    RoleRules::PeriodConditions(m_whereExt, OptionList->Values(u"Период"_s));
    const QString role = OptionList->Values(u"Роль"_s).trimmed();
    if (IsEventMaster()) {
        // An event's rows are filtered by the participant's role; its own side holds the result.
        LikeCondition(m_whereExt, u"lkRole.Str1"_s, role);
        SetFindField(1, OptionList->Values(u"Результат"_s));
    } else {
        SetFindField(1, role);
    }
    RoleRules::RatingConditions(m_whereExt, OptionList->Values(u"Оценка"_s));
    const QString kind = LinkKindOf(OptionList->Values(u"Тип связи"_s));
    if (!kind.isEmpty())
        SetFindField(12, kind);
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
}

void TRoleFind::QueryAfterOpen()
{
    const int kind = TextKind();
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(
        u"STR1"_s, [kind](const TListRow& row, const QVariant&) { return RoleRules::DescriptionText(row, kind); });
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        return PeriodText(row.Bool(u"D1Flag"_s), row.Bool(u"D2Flag"_s), row.Number(u"Date2"_s), row.Number(u"Date1"_s));
    });
    TBaseFind::QueryAfterOpen();
}

void TRoleFind::EnableActions()
{
    m_linkObjId = CurLinkId();
    TBaseFind::EnableActions();
}

bool TRoleFind::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cbAddLink && OpensPopup(event))
        LoadAddLinks();
    return TRoleListBase::eventFilter(watched, event);
}

bool TRoleFind::Accepts(int kind) const
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return false;
    switch (GroupKind()) {
    case Kind::Person:
    case Kind::Organization:
        return kind == Kind::Person || kind == Kind::Organization || kind == Kind::Event;
    case Kind::Event:
        return kind == Kind::Person || kind == Kind::Organization;
    default:
        return false;
    }
}

bool TRoleFind::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    reason.clear();
    if (!IsRoleMaster() && Accepts(info.ObjType))
        return true;
    reason = WrongKind;
    return false;
}

bool TRoleFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return false;
    const TDropObject drop = DropObj();
    if (!drop.IsEmpty() && !Accepts(drop.Kind)) {
        Messages().ShowMessage(WrongKind);
        return false;
    }
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->SetDatabase(QueryDatabase());
    work->ObjType = Kind::Role;
    const TRoleView link(*work);
    link.SetGroup(drop.IsEmpty() ? QString() : drop.Id);
    link.SetOtherKind(drop.IsEmpty() ? 0 : drop.Kind);
    if (IsRoleMaster()) {
        // The holder's side is filed under the role's own group.
        const TConstRoleView role(*master);
        link.SetHolder(role.Holder());
        link.SetThird(role.Group());
        link.SetHolderKind(role.HolderKind());
    } else {
        link.SetHolder(master->Obj);
        link.SetThird(ChosenGroup());
        link.SetHolderKind(master->ObjType);
    }
    return EditWorkInfo() == 1;
}

void TRoleFind::NewUnlinkedRole()
{
    m_dropObj.Clear();
    if (LinkObject())
        RunQuery(WorkInfo()->Obj);
}

// TFind1Role

TFind1Role::TFind1Role(QWidget* parent)
    : TRoleListBase(parent)
{
    setObjectName(u"Find1Role"_s);
    FindCaption->setText(u"Роли"_s);
    SetLinkFieldName(u"ObjId"_s);
    SetsqlOrder(u"AllInfo.Date1 desc, AllInfo.Date2 desc, ObjGrp.Str1"_s);
    Grid->SetColumns({TGridColumn {u"Grp"_s, u"Группа"_s, 140},
        TGridColumn {u"Int4"_s, u"Оценка"_s, 50, true, Qt::AlignCenter}, TGridColumn {u"Str1"_s, u"Роль"_s, 200}});
    OptionList->SetStrings({u"Роль="_s, u"Оценка="_s, u"Период="_s, u"Комментарий="_s});
    OptionList->SetItemProps(u"Роль"_s, PickList(false));
    OptionList->SetItemProps(u"Оценка"_s, Masked(RatingMask));
    OptionList->SetItemProps(u"Период"_s, Masked(PeriodMask));
    OptionList->OnGetPickList = [this](TOptionList&, const QString& key, QStringList& values) {
        const TDBMainInfo* master = MasterDBInfo();
        if (key != u"Роль"_s || !master)
            return;
        values = DistinctTexts(QueryDatabase(),
            u"select distinct Str1 from AllInfo where ObjType = "_s + RoleKind + u" and Link1 = "_s
                + SqlDialect::Quote(master->Obj) + u" and Int2 in (0,1,6) order by Str1"_s);
    };
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFind1Role::NewRole);
}

TFind1Role::~TFind1Role() = default;

QString TFind1Role::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return QString();
    SetsqlOrder(u"AllInfo.Date1 desc, AllInfo.Date2 desc, ObjGrp.Str1"_s);
    return u"select AllInfo.*, ObjGrp.Str1 as Grp from AllInfo, AllInfo as ObjGrp where AllInfo.ObjType = "_s + RoleKind
        + u" and ObjGrp.ObjId = AllInfo.Link2 and AllInfo.Link5 = "_s + SqlDialect::Quote(Ids::None)
        + u" and AllInfo.Int2 in (0, "_s + QString::number(master->ObjType) + u") and AllInfo.Link1 = "_s
        + SqlDialect::Quote(master->Obj) + GetWhereSQL() + u" order by "_s + TotalOrder(sqlOrder());
}

void TFind1Role::ParseFilters()
{
    SetFindField(1, OptionList->Values(u"Роль"_s));
    RoleRules::RatingConditions(m_whereExt, OptionList->Values(u"Оценка"_s));
    RoleRules::PeriodConditions(m_whereExt, OptionList->Values(u"Период"_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
}

void TFind1Role::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, NameWithoutDash);
    Grid->Model()->SetFieldTextHandler(u"INT4"_s, [](const TListRow& row, const QVariant&) -> QString {
        return row.Text(u"ObjId"_s).trimmed().isEmpty() ? QString() : QString::number(row.Int(u"Int4"_s));
    });
    TBaseFind::QueryAfterOpen();
}

bool TFind1Role::CanLinkObject(const TDBMainInfo&, QString& reason)
{
    reason.clear();
    return false;
}

void TFind1Role::NewRole()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj))
        return;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->SetDatabase(QueryDatabase());
    work->ObjType = Kind::Role;
    const TRoleView role(*work);
    role.SetHolder(master->Obj);
    role.SetGroup(QString());
    role.SetThird(ChosenGroup());
    role.SetHolderKind(master->ObjType);
    role.SetOtherKind(0);
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

// TFindRoleProject

TFindRoleProject::TFindRoleProject(QWidget* parent)
    : TRoleListBase(parent)
{
    setObjectName(u"FindRoleProject"_s);
    FindCaption->setText(u"Участники"_s);
    SetLinkFieldName(u"ObjId"_s);
    aNew->setVisible(false);
    aDel->setVisible(false);
    aLinks->setData(Kind::Group);
    aLinks->setVisible(true);
    Grid->SetColumns({TGridColumn {u"Foto"_s, QString(), 54}, TGridColumn {u"Str1"_s, u"Участники"_s, 240}});
    Grid->SetTextLineCount(2);
    OptionList->SetStrings({u"Роль="_s, u"Оценка="_s, u"Период="_s, u"Тип связи="_s, u"Комментарий="_s});
    OptionList->SetItemProps(u"Роль"_s, PickList(false));
    OptionList->SetItemProps(u"Оценка"_s, Masked(RatingMask));
    OptionList->SetItemProps(u"Период"_s, Masked(PeriodMask));
    OptionList->SetItemProps(u"Тип связи"_s, PickList(true));
    OptionList->OnGetPickList = [this](TOptionList&, const QString& key, QStringList& values) {
        if (key == u"Роль"_s)
            values = m_roleNames;
        else if (key == u"Тип связи"_s)
            values = {QString(), PeopleLinks, FirmaLinks};
    };
    disconnect(aRefresh, &QAction::triggered, this, nullptr);
    connect(aRefresh, &QAction::triggered, this, [this] {
        RunQuery(QString());
        LoadRoleNames();
    });
}

TFindRoleProject::~TFindRoleProject() = default;

void TFindRoleProject::InitFindMode()
{
    SetFullFindMode(true);
    Panel2->hide();
}

void TFindRoleProject::LoadData()
{
    TRoleListBase::LoadData();
    LoadRoleNames();
}

void TFindRoleProject::LoadRoleNames()
{
    const TDBMainInfo* master = MasterDBInfo();
    m_roleNames = master ? DistinctTexts(QueryDatabase(),
                      u"select distinct Str1 from AllInfo where ObjType = "_s + RoleKind + u" and Link2 = "_s
                          + SqlDialect::Quote(master->Obj) + u" and Int1 in (1,6) order by Str1"_s)
                         : QStringList {QString()};
}

QString TFindRoleProject::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return QString();
    // The filter conditions apply to the role rows inside the sub-select.
    return u"select AllInfo.* from AllInfo where AllInfo.ObjId in (select distinct AllInfo.Link1 from AllInfo"
           u" where AllInfo.ObjType = "_s
        + RoleKind + u" and AllInfo.Link2 = "_s + SqlDialect::Quote(master->Obj) + u" and Int1 in (1,6) "_s
        + GetWhereSQL() + u") order by "_s + TotalOrder(u"AllInfo.ObjType, AllInfo.Str1"_s);
}

void TFindRoleProject::ParseFilters()
{
    RoleRules::PeriodConditions(m_whereExt, OptionList->Values(u"Период"_s));
    SetFindField(1, OptionList->Values(u"Роль"_s));
    RoleRules::RatingConditions(m_whereExt, OptionList->Values(u"Оценка"_s));
    const QString kind = LinkKindOf(OptionList->Values(u"Тип связи"_s));
    if (!kind.isEmpty())
        SetFindField(11, kind);
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
}

void TFindRoleProject::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        switch (row.Int(u"ObjType"_s)) {
        case Kind::Person:
            return QString(row.Text(u"Str1"_s) + u' ' + row.Text(u"Str2"_s) + u' ' + row.Text(u"Str3"_s)).trimmed();
        case Kind::Organization:
            return row.Text(u"Str5"_s);
        default:
            return QString();
        }
    });
    TBaseFind::QueryAfterOpen();
}
