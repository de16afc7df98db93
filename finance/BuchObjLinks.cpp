#include "finance/BuchObjLinks.h"

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
#include "store/kinds/OperationLinkView.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace OperationLinks {

bool Recount(TMyDataBase* db, const QString& operation)
{
    if (IsEmptyId(operation))
        return false;
    const QString id = SqlDialect::Quote(operation);
    return TMyDataBase::ExecuteOn(db,
               u"update AllInfo set Int3 = (select count(*) from AllInfo as L where L.ObjType = "_s
                   + QString::number(Kind::OperationLink) + u" and L.Link1 = "_s + id + u") where AllInfo.ObjId = "_s
                   + id)
        >= 0;
}

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

} // namespace OperationLinks

TFLinkBuchToObj::TFLinkBuchToObj(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eRole(new QComboBox(this))
    , m_mComments(new TLimitedMemo(CommentLength, this))
{
    setObjectName(u"FLinkBuchToObj"_s);
    m_eRole->setObjectName(u"eRole"_s);
    m_eRole->setEditable(true);
    m_eRole->setInsertPolicy(QComboBox::NoInsert);
    m_mComments->setObjectName(u"mComments"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Роль"_s, this));
    layout->addWidget(m_eRole);
    layout->addWidget(new QLabel(u"Дополнительная информация"_s, this));
    layout->addWidget(m_mComments, 1);
}

TFLinkBuchToObj::~TFLinkBuchToObj() = default;

void TFLinkBuchToObj::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
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
    // The lists mark an operation with links by this count.
    if (const TDBMainInfo* master = MasterDBInfo())
        OperationLinks::Recount(master->Database(), TConstOperationLinkView(*master).Operation());
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
