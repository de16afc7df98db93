#include "finance/BuchObjLinks.h"

#include "platform/Messages.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/QueryFragments.h"
#include "store/TextHelpers.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/DateSerial.h"
#include "store/FamilyRules.h"
#include "store/ObjectEvents.h"
#include "store/kinds/EventView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/OperationLinkView.h"
#include "store/kinds/RoleView.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSqlQuery>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace OperationLinks {

QStringList Roles(TMyDataBase* db)
{
    QStringList roles;
    auto q = TMyDataBase::QueryOn(db,
        u"select distinct Str1 from AllInfo where ObjType = "_s + QString::number(Kind::OperationLink)
            + u" order by Str1"_s);
    while (q && q->next())
        if (const QString role = q->value(0).toString().trimmed(); !role.isEmpty() && !roles.contains(role))
            roles << role;
    return roles;
}

QString Find(TMyDataBase* db, const QString& operation, const QString& object)
{
    auto q = TMyDataBase::QueryOn(db,
        u"select ObjId from AllInfo where ObjType = "_s + QString::number(Kind::OperationLink) + u" and Link1 = "_s
            + SqlDialect::Quote(operation) + u" and Link2 = "_s + SqlDialect::Quote(object));
    return q && q->next() ? q->value(0).toString() : QString();
}

namespace {

// A payment linked to an event: its counterparty may take part in the event as well. The role is prepared as
// the template of a new link of the event with the counterparty, filed under the event's project.
void OfferCounterpartyRole(TBaseDBFrame& frame, TMyDataBase* db, const QString& event, const QString& operation)
{
    TDBMainInfo host;
    host.SetDatabase(db);
    if (!host.SetObj(event) || host.ObjType != Kind::Event)
        return;
    TDBMainInfo payment;
    payment.SetDatabase(db);
    if (!payment.SetObj(operation))
        return;
    const QString counterparty = TConstMoneyOperationView(payment).Counterparty().Text();
    if (IsEmptyId(counterparty))
        return;
    TDBMainInfo party;
    party.SetDatabase(db);
    if (!party.SetObj(counterparty) || (party.ObjType != Kind::Person && party.ObjType != Kind::Organization))
        return;
    if (!NoRolePair(db, event, counterparty) || Messages().AskYesNo(AddRoleQuestion) != TAnswer::Yes)
        return;
    TDBMainInfo* work = frame.WorkInfo();
    work->Clear();
    work->SetDatabase(db);
    work->ObjType = Kind::Role;
    const TRoleView role(*work);
    role.SetHolder(event);
    // The template of a new link names the other object where the stored side keeps its group.
    role.SetGroup(counterparty);
    role.SetThird(TConstEventView(host).Project());
    role.SetHolderKind(Kind::Event);
    role.SetOtherKind(party.ObjType);
    frame.EditWorkInfo();
}

} // namespace

bool Edit(TBaseDBFrame& frame, TMyDataBase* db, const QString& operation, const QString& object, const QString& category)
{
    if (IsEmptyId(operation) || IsEmptyId(object))
        return false;
    TDBMainInfo* work = frame.WorkInfo();
    if (const QString existing = Find(db, operation, object); !existing.isEmpty()) {
        work->SetDatabase(db);
        if (!work->SetObj(existing))
            return false;
    } else {
        work->Clear();
        work->SetDatabase(db);
        work->ObjType = Kind::OperationLink;
        const TOperationLinkView link(*work);
        link.SetOperation(operation);
        link.SetObject(object);
        link.SetCategory(IsEmptyId(category) ? Ids::None : category);
        link.SetLinked(DateSerial::Now());
        link.SetHasLinked(true);
    }
    if (frame.EditWorkInfo() != 1)
        return false;
    OfferCounterpartyRole(frame, db, object, operation);
    return true;
}

} // namespace OperationLinks

TFLinkBuchToObj::TFLinkBuchToObj(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_pObj(new QWidget(this))
    , m_linked(new TDBMainInfo(this))
    , m_eRole(new QComboBox(this))
    , m_mComments(new TLimitedMemo(CommentLength, this))
{
    setObjectName(u"FLinkBuchToObj"_s);
    m_pObj->setObjectName(u"pObj"_s);
    auto* objectLayout = new QVBoxLayout(m_pObj);
    objectLayout->setContentsMargins(0, 0, 0, 0);
    m_eRole->setObjectName(u"eRole"_s);
    m_eRole->setEditable(true);
    m_eRole->setInsertPolicy(QComboBox::NoInsert);
    m_mComments->setObjectName(u"mComments"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pObj);
    layout->addWidget(new QLabel(u"Роль"_s, this));
    layout->addWidget(m_eRole);
    layout->addWidget(new QLabel(u"Дополнительная информация"_s, this));
    layout->addWidget(m_mComments, 1);
}

TFLinkBuchToObj::~TFLinkBuchToObj()
{
    if (m_preview)
        m_preview->SetMasterDBInfo(nullptr);
}

void TFLinkBuchToObj::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    // The linked object, read-only: a person, a family or an event by their own preview, any other object
    // (an address, an organization, a note) by its text.
    m_linked->SetDatabase(master->Database());
    if (!m_linked->SetObj(TConstOperationLinkView(*master).Object().Text()))
        m_linked->Clear();
    int kind = m_linked->ObjType;
    if (kind == Kind::Address || kind == Kind::Note)
        kind = Kind::Organization;
    if (kind != m_previewKind) {
        if (m_preview) {
            m_preview->SetMasterDBInfo(nullptr);
            delete m_preview;
            m_preview = nullptr;
        }
        m_previewKind = kind;
        m_preview = kind > 0 ? Screens::CreatePreview(kind, m_pObj) : nullptr;
        if (m_preview) {
            m_pObj->layout()->addWidget(m_preview);
            m_preview->SetLinkMode(1);
        }
    }
    if (m_preview)
        m_preview->SetMasterDBInfo(m_linked);
    m_pObj->setVisible(m_preview != nullptr);
    m_eRole->clear();
    m_eRole->addItems(OperationLinks::Roles(master->Database()));
    m_eRole->setEditText(TConstOperationLinkView(*master).Role());
    m_mComments->setPlainText(master->Comments);
}

void TFLinkBuchToObj::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    TOperationLinkView(*master).SetRole(m_eRole->currentText().trimmed());
    master->Comments = m_mComments->toPlainText().trimmed().left(CommentLength);
}

void TFLinkBuchToObj::AfterSave()
{
    TBaseDBFrame::AfterSave();
    // The operation lists mark the operations with links.
    AnnounceObjectSaved(Kind::OperationLink);
}

TBuchObjLinkFind::TBuchObjLinkFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"BuchObjLinkFind"_s);
    FindCaption->setText(u"Связанные объекты"_s);
    SetsqlOrder(u"AllInfo.Str1"_s);
    Grid->SetColumns({TGridColumn {u"Str1"_s, u"Объект [роль]"_s, 320}});
    Grid->SetTextLineCount(2);
    FullFind->hide();
    BriefFind->hide();
    tBarFind->hide();
    Panel2->hide();
    // A row is a link: deleting it deletes the link alone; the count of the operation's links is kept by
    // the deletion.
    aDel->setText(u"Удалить связь между объектами"_s);
    Bind(aDel, &TBaseFind::miDelLinkClick);
    // "Создать" picks an existing object of the kind chosen and links it to the operation.
    const struct
    {
        const char* name;
        QString caption;
        int kind;
    } picks[] = {
        {"miNewPerson", u"Человека"_s, Kind::Person},
        {"miNewFirma", u"Организацию"_s, Kind::Organization},
        {"miNewFamily", u"Семью"_s, Kind::Family},
        {"miNewEvent", u"Событие"_s, Kind::Event},
        {"miNewAddress", u"Адрес"_s, Kind::Address},
        {"miNewMemo", u"Заметку"_s, Kind::Note},
    };
    for (const auto& pick : picks) {
        QAction* item = pmNew->addAction(pick.caption);
        item->setObjectName(QString::fromLatin1(pick.name));
        item->setData(pick.kind);
        connect(item, &QAction::triggered, this, [this, item] { aNewExecute(item); });
    }
    Bind(aNew, &TBaseFind::aNew_Execute);
    // The link of a row is edited in its dialog.
    aLinks->setData(Kind::OperationLink);
    aLinks->setVisible(true);
    disconnect(aLinks, &QAction::triggered, this, nullptr);
    connect(aLinks, &QAction::triggered, this, &TBuchObjLinkFind::EditLink);
    disconnect(miOpenLinks, &QAction::triggered, this, nullptr);
    connect(miOpenLinks, &QAction::triggered, this, &TBuchObjLinkFind::EditLink);
}

bool TBuchObjLinkFind::LinkObject()
{
    const TDBMainInfo* operation = MasterDBInfo();
    const TDropObject object = DropObj();
    if (!operation || object.IsEmpty())
        return false;
    TMyDataBase* db = QueryDatabase();
    if (!OperationLinks::Edit(*this, db, operation->Obj.Text(), object.Id, QString()))
        return false;
    // The list stands on the object linked.
    WorkInfo()->SetDatabase(db);
    return WorkInfo()->SetObj(object.Id);
}

void TBuchObjLinkFind::EditLink()
{
    if (IsEmptyId(CurLinkId()))
        return;
    const QString object = CurObjId();
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(QueryDatabase());
    if (work->SetObj(CurLinkId()) && EditWorkInfo() == 1)
        RunQuery(object);
}

TBuchObjLinkFind::~TBuchObjLinkFind() = default;

QString TBuchObjLinkFind::ObjectText(const TListRow& row)
{
    switch (row.Int(u"ObjType"_s)) {
    case Kind::Person:
        return QStringList {row.Text(u"Str1"_s), row.Text(u"Str2"_s), row.Text(u"Str3"_s)}.join(u' ').trimmed();
    case Kind::Address:
        return row.Text(u"Str5"_s);
    case Kind::Organization:
    case Kind::Event:
        return row.Text(u"Str5"_s);
    case Kind::Family:
        return row.Text(u"Str1"_s) + u'\n' + row.Text(u"Str2"_s);
    default:
        return row.Text(u"Str1"_s);
    }
}

QString TBuchObjLinkFind::GetSelectSQL()
{
    const TDBMainInfo* operation = MasterDBInfo();
    return u"select AllInfo.*, Links.ObjId as LinkId, Links.Str1 as Role from AllInfo, AllInfo as Links "
           "where Links.ObjType = "_s
        + QString::number(Kind::OperationLink) + u" and Links.Link1 = "_s
        + SqlDialect::Quote(operation ? QString(operation->Obj) : QString()) + u" and AllInfo.ObjId = Links.Link2"_s
        + u" order by "_s + TotalOrder(sqlOrder());
}

void TBuchObjLinkFind::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (IsEmptyId(row.Text(u"ObjId"_s)))
            return u" "_s;
        const QString role = row.Text(u"Role"_s).trimmed();
        return role.isEmpty() ? ObjectText(row) : ObjectText(row) + u"\n["_s + role + u']';
    });
    TBaseFind::QueryAfterOpen();
}

TFindBuchProjectLinkObj::TFindBuchProjectLinkObj(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindBuchProjectLinkObj"_s);
    FindCaption->setText(u"Фин. связи"_s);
    SetLinkFieldName(u"ObjId"_s);
    Grid->SetColumns({TGridColumn {u"Str1"_s, u"Участники"_s, 320}});
    OptionList->SetStrings({u"Роль="_s, u"Период="_s});
    TItemProp role;
    role.EditStyle = TEditStyle::esPickList;
    role.PickList = {QString(), u"Плательщики"_s, u"Получатели"_s};
    OptionList->SetItemProps(u"Роль"_s, role);
    TItemProp period;
    period.EditMask = u"с: 99.99.9999 по: 99.99.9999; "_s;
    OptionList->SetItemProps(u"Период"_s, period);
    SetFullFindMode(true);
    BriefFind->hide();
    tBarFind->hide();
    aNew->setVisible(false);
    aDel->setVisible(false);
    aLinks->setData(Kind::OperationLink);
    aLinks->setVisible(true);
}

TFindBuchProjectLinkObj::~TFindBuchProjectLinkObj() = default;

QString TFindBuchProjectLinkObj::GetSelectSQL()
{
    const TDBMainInfo* project = MasterDBInfo();
    // The placeholder of "nobody" is no one's payer.
    return u"select * from AllInfo where ObjId in (select distinct Link2 from AllInfo where ObjType = "_s
        + QString::number(Kind::MoneyOperation) + u" and Link3 = "_s
        + SqlDialect::Quote(project ? QString(project->Obj) : QString()) + u" and Link2 <> "_s
        + SqlDialect::Quote(Ids::None) + GetWhereSQL() + u") order by ObjType, AllInfo.Str1"_s;
}

void TFindBuchProjectLinkObj::ParseOptionList()
{
    const QString role = OptionList->Values(u"Роль"_s).trimmed();
    if (!role.isEmpty())
        SetFindField(11, role == u"Плательщики"_s ? u"1"_s : u"2"_s);
    // A period typed as "по" a date takes that whole day.
    const QString period = OptionList->Values(u"Период"_s);
    double from = 0;
    double to = 0;
    if (TryDate(from, period.mid(3, 10).trimmed()))
        DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::From, from);
    if (TryDate(to, period.mid(18, 10).trimmed()))
        DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::Before, to + 1);
}

void TFindBuchProjectLinkObj::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (IsEmptyId(row.Text(u"ObjId"_s)))
            return u" "_s;
        return row.Int(u"ObjType"_s) == Kind::Person
            ? QStringList {row.Text(u"Str1"_s), row.Text(u"Str2"_s), row.Text(u"Str3"_s)}.join(u' ').trimmed()
            : row.Text(u"Str5"_s);
    });
    TBaseFind::QueryAfterOpen();
}
