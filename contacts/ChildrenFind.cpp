#include "contacts/ChildrenFind.h"

#include "contacts/KinshipLists.h"
#include "contacts/LinkedListParts.h"
#include "platform/Messages.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

const QString TChildrenFind::ChildQuestion = u"Ребенок в семье:\rYes - родной\rNo - приемный"_s;

namespace {
constexpr int ChildLines = 3;
} // namespace

TChildrenFind::TChildrenFind(QWidget* parent)
    : TBaseFind(parent)
    , m_childFamily(new TDBMainInfo(this))
{
    setObjectName(u"ChildrenFind"_s);
    aNew->setData(Kind::Person);
    SetsqlOrder(u"AllInfo.Date1"_s);
    Grid->SetColumns({TGridColumn{u"Link1"_s, QString(), 40, true, Qt::AlignCenter},
        TGridColumn{u"Flag"_s, u"Статус"_s, 60, true, Qt::AlignCenter}, TGridColumn{u"Foto"_s, u"Фото"_s, 54},
        TGridColumn{u"Date1"_s, u"Возраст"_s, 50, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Ф.И.О."_s, 160}, TGridColumn{u"Str4"_s, u"от"_s, 140}});
    Grid->SetStatusFields({u"Link1"_s});
    Grid->SetTextLineCount(ChildLines);
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        imageIndex = -1;
        if (row.Text(u"ObjId"_s).trimmed().isEmpty() || BornInto(row))
            return;
        const TDBMainInfo* master = MasterDBInfo();
        if (!master)
            return;
        // Each row against its own native family: the columns the statement joined.
        const TConstFamilyView family(*master);
        imageIndex = Kinship::MarkPicture(
            Kinship::CoupleMark(family.Husband(), family.Wife(), row.Text(u"FLink1"_s), row.Text(u"FLink2"_s)));
    };
    aLinks->setData(Kind::AdoptiveFamilyLink);
    aLinks->setVisible(true);
    disconnect(aLinks, &QAction::triggered, this, nullptr);
    connect(aLinks, &QAction::triggered, this, &TChildrenFind::aLinksExecute);
    disconnect(aDel, &QAction::triggered, this, nullptr);
    connect(aDel, &QAction::triggered, this, &TChildrenFind::miDelRoleClick);
    SetSiblings(false);
    LinkedListParts::HideSearchArea(this, true);
}

TChildrenFind::~TChildrenFind() = default;

void TChildrenFind::SetSiblings(bool siblings)
{
    m_siblings = siblings;
    FindCaption->setText(siblings ? u"Братья и сестры"_s : u"Дети"_s);
    Grid->viewport()->update();
}

void TChildrenFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

bool TChildrenFind::BornInto(const TListRow& row) const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && !IsEmptyId(master->Obj) && SameId(row.Text(u"Link1"_s), master->Obj);
}

QString TChildrenFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString family = SqlDialect::Quote(master && !IsEmptyId(master->Obj) ? master->Obj.Text() : u"-"_s);
    const QString adoption = u" from AllInfo where ObjType = "_s + QString::number(Kind::AdoptiveFamilyLink);
    return u"select AllInfo.*, MF.Str1 as FName, MF.Str2 as MName, MF.Link1 as FLink1, MF.Link2 as FLink2,"
           u" (select max(A.ObjId) from AllInfo as A where A.ObjType = "_s
        + QString::number(Kind::AdoptiveFamilyLink) + u" and A.Link1 = "_s + family
        + u" and A.Link2 = AllInfo.ObjId) as LinkId from AllInfo, AllInfo as MF where AllInfo.ObjType = "_s
        + QString::number(Kind::Person) + u" and MF.ObjId = AllInfo.Link1 and ((AllInfo.Link1 = "_s + family
        + u") or AllInfo.ObjId in (select Link2"_s + adoption + u" and Link1 = "_s + family
        + u")) and AllInfo.ObjId <> "_s + SqlDialect::Quote(master ? master->Link4.Text() : QString())
        + u" order by "_s + TotalOrder(sqlOrder());
}

void TChildrenFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"FLAG"_s, [this](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        const bool female = row.Bool(u"Flag"_s);
        if (m_siblings)
            return female ? u"сестра"_s : u"брат"_s;
        return female ? u"дочь"_s : u"сын"_s;
    });
    model->SetFieldTextHandler(
        u"DATE1"_s, [](const TListRow& row, const QVariant&) { return Kinship::AgeCell(row); });
    model->SetFieldTextHandler(
        u"STR1"_s, [](const TListRow& row, const QVariant&) { return Kinship::NamesCell(row); });
    model->SetFieldTextHandler(u"STR4"_s, [this](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty() || BornInto(row))
            return QString();
        return row.Text(u"FName"_s) + u'\n' + row.Text(u"MName"_s);
    });
    TBaseFind::QueryAfterOpen();
}

void TChildrenFind::EnableActions()
{
    const TListRow row = Grid->CurrentRow();
    const TDBMainInfo* master = MasterDBInfo();
    if (!row.IsValid() || IsEmptyId(CurObjId()) || BornInto(row)) {
        if (master && row.IsValid() && !IsEmptyId(CurObjId()))
            m_childFamily->Assign(master);
        else
            m_childFamily->Clear();
    } else {
        const QString native = row.Text(u"Link1"_s);
        m_childFamily->SetDatabase(QueryDatabase());
        if (IsEmptyId(native) || !m_childFamily->SetObj(native))
            m_childFamily->Clear();
    }
    TBaseFind::EnableActions();
}

bool TChildrenFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj) || DropObj().IsEmpty() || DropObj().Kind != Kind::Person)
        return false;
    // The family as stored now: the rules check its partners.
    TDBMainInfo family;
    family.SetDatabase(master->Database());
    if (!family.SetObj(master->Obj) || family.ObjType != Kind::Family)
        return false;
    TDBMainInfo child;
    child.SetDatabase(master->Database());
    if (!child.SetObj(DropObj().Id) || child.ObjType != Kind::Person)
        return false;
    bool linked = false;
    if (IsEmptyId(PersonView(child).NativeFamily())) {
        switch (Messages().AskYesNoCancel(ChildQuestion)) {
        case TAnswer::Yes:
            linked = SetNativeFamily(family, child.Obj);
            break;
        case TAnswer::No:
            linked = AddAdoptiveFamily(family, child.Obj, Kinship::AdoptionDialog(this));
            break;
        case TAnswer::Cancel:
            return false;
        }
    } else {
        linked = AddAdoptiveFamily(family, child.Obj, Kinship::AdoptionDialog(this));
    }
    if (linked)
        WorkInfo()->SetId(child.Obj);
    return linked;
}

void TChildrenFind::miDelRoleClick()
{
    const QString child = CurObjId();
    if (IsEmptyId(child))
        return;
    const QString adoption = CurLinkId();
    if (!IsEmptyId(adoption)) {
        DeleteObject(adoption);
        return;
    }
    if (RemoveParents(child, QueryDatabase()))
        RunQuery(QString());
}

void TChildrenFind::aLinksExecute()
{
    const QString adoption = CurLinkId();
    if (IsEmptyId(adoption)) {
        TBaseFind::aLinksExecute();
        return;
    }
    const QString child = CurObjId();
    WorkInfo()->SetObj(adoption);
    if (EditWorkInfo() == 1)
        RunQuery(child);
}
