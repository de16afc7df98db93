#include "contacts/CrestnikyFind.h"

#include "contacts/KinshipLists.h"
#include "contacts/LinkedListParts.h"
#include "platform/Messages.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TCrestnikyFind::TCrestnikyFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"CrestnikyFind"_s);
    FindCaption->setText(u"Крестники"_s);
    aNew->setData(Kind::Person);
    SetsqlOrder(u"AllInfo.Str1, AllInfo.Str2, AllInfo.Str3"_s);
    miOpenLinks->setText(u"Открыть с кем крестили"_s);
    Grid->SetColumns({TGridColumn{u"Foto"_s, u"Фото"_s, 54},
        TGridColumn{u"Date1"_s, u"Возраст"_s, 50, true, Qt::AlignCenter}, TGridColumn{u"Str1"_s, u"Ф.И.О."_s, 160},
        TGridColumn{u"CStr1"_s, u"Кум (кума)"_s, 160}});
    Grid->SetTextLineCount(3);
    disconnect(aDel, &QAction::triggered, this, nullptr);
    connect(aDel, &QAction::triggered, this, &TCrestnikyFind::miDelRoleClick);
    LinkedListParts::HideSearchArea(this, true);
}

TCrestnikyFind::~TCrestnikyFind() = default;

bool TCrestnikyFind::MasterIsFemale() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && PersonView(*master).IsFemale();
}

void TCrestnikyFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TCrestnikyFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString person = master && !IsNewId(master->Obj) ? master->Obj.Text() : u"-"_s;
    // A godmother is named in Link3 of her godchildren, a godfather in Link2; the other column is the kum.
    const bool female = MasterIsFemale();
    const QString own = female ? u"Link3"_s : u"Link2"_s;
    const QString other = female ? u"Link2"_s : u"Link3"_s;
    return u"select AllInfo.*, C.ObjId as LinkId, C.Str1 as CStr1, C.Str2 as CStr2, C.Str3 as CStr3"
           u" from AllInfo, AllInfo as C where AllInfo.ObjType = "_s
        + QString::number(Kind::Person) + u" and AllInfo."_s + own + u" = "_s + SqlDialect::Quote(person)
        + u" and C.ObjId = AllInfo."_s + other + u" order by "_s + TotalOrder(sqlOrder());
}

void TCrestnikyFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(
        u"DATE1"_s, [](const TListRow& row, const QVariant&) { return Kinship::AgeCell(row); });
    model->SetFieldTextHandler(
        u"STR1"_s, [](const TListRow& row, const QVariant&) { return Kinship::NamesCell(row); });
    model->SetFieldTextHandler(
        u"CSTR1"_s, [](const TListRow& row, const QVariant&) { return Kinship::NamesCell(row, u"C"_s); });
    TBaseFind::QueryAfterOpen();
}

bool TCrestnikyFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsNewId(master->Obj) || DropObj().IsEmpty() || DropObj().Kind != Kind::Person)
        return false;
    if (SameId(DropObj().Id, master->Obj)) {
        Messages().ShowMessage(Kinship::SelfGodparent);
        return false;
    }
    TDBMainInfo godchild;
    godchild.SetDatabase(master->Database());
    if (!godchild.SetObj(DropObj().Id) || godchild.ObjType != Kind::Person)
        return false;
    const TConstPersonView child(godchild);
    if (!IsEmptyId(child.NativeFamily())) {
        TDBMainInfo parents;
        parents.SetDatabase(master->Database());
        if (parents.SetObj(child.NativeFamily())) {
            const TConstFamilyView family(parents);
            if (SameId(family.Husband(), master->Obj) || SameId(family.Wife(), master->Obj)) {
                Messages().ShowMessage(Kinship::ParentGodparent);
                return false;
            }
        }
    }
    const bool godmother = MasterIsFemale();
    const QString current = godmother ? child.Godmother().Text() : child.Godfather().Text();
    if (SameId(current, master->Obj))
        return true;
    if (!IsEmptyId(current)
        && Messages().AskYesNo(godmother ? Kinship::ReplaceGodmother : Kinship::ReplaceGodfather) != TAnswer::Yes)
        return false;
    return Kinship::SetGodparent(godchild.Obj, master->Database(), godmother, master->Obj);
}

void TCrestnikyFind::miDelRoleClick()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString godchild = CurObjId();
    if (!master || IsEmptyId(godchild))
        return;
    const bool godmother = MasterIsFemale();
    if (Messages().AskYesNo(Kinship::RemoveGodparentQuestion(godmother)) != TAnswer::Yes)
        return;
    // Only while the godchild still names this person: a godparent chosen meanwhile elsewhere stays.
    TDBMainInfo stored;
    stored.SetDatabase(master->Database());
    if (!stored.SetObj(godchild))
        return;
    const TConstPersonView child(stored);
    const bool named = SameId(godmother ? child.Godmother() : child.Godfather(), master->Obj);
    if (!named || Kinship::SetGodparent(godchild, master->Database(), godmother, QString()))
        RunQuery(QString());
}
