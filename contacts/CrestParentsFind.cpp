#include "contacts/CrestParentsFind.h"

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
#include <QStringList>

using namespace Qt::StringLiterals;

TCrestParentsFind::TCrestParentsFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"CrestParentsFind"_s);
    FindCaption->setText(u"Крестные"_s);
    aNew->setData(Kind::Person);
    // Flag is True (stored -1) for a woman: descending puts the godfather first.
    SetsqlOrder(u"AllInfo.Flag desc"_s);
    Grid->SetColumns({TGridColumn{u"Flag"_s, QString(), 40, true, Qt::AlignCenter},
        TGridColumn{u"Str4"_s, u"Статус"_s, 80, true, Qt::AlignCenter}, TGridColumn{u"Foto"_s, u"Фото"_s, 54},
        TGridColumn{u"Date1"_s, u"Возраст"_s, 50, true, Qt::AlignCenter}, TGridColumn{u"Str1"_s, u"Ф.И.О."_s, 180}});
    Grid->SetStatusFields({u"Flag"_s});
    Grid->SetTextLineCount(3);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            imageIndex = -1;
        else
            imageIndex = row.Bool(u"Flag"_s) ? Kinship::WomanPicture : Kinship::ManPicture;
    };
    disconnect(aDel, &QAction::triggered, this, nullptr);
    connect(aDel, &QAction::triggered, this, &TCrestParentsFind::miDelRoleClick);
    LinkedListParts::HideSearchArea(this, true);
}

TCrestParentsFind::~TCrestParentsFind() = default;

void TCrestParentsFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TCrestParentsFind::GetSelectSQL()
{
    TDBMainInfo* master = MasterDBInfo();
    QStringList ids;
    if (master && !IsNewId(master->Obj)) {
        Kinship::RefreshKinship(*master);
        const TConstPersonView person(*master);
        for (const QString& id : {person.Godfather().Text(), person.Godmother().Text()})
            if (!IsEmptyId(id))
                ids << SqlDialect::Quote(id);
    }
    if (ids.isEmpty())
        ids << SqlDialect::Quote(QString());
    return u"select * from AllInfo where ObjType = "_s + QString::number(Kind::Person) + u" and ObjId in ("_s
        + ids.join(u", "_s) + u") order by "_s + TotalOrder(sqlOrder());
}

void TCrestParentsFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"STR4"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        return row.Bool(u"Flag"_s) ? u"Крестная"_s : u"Крестный"_s;
    });
    model->SetFieldTextHandler(
        u"DATE1"_s, [](const TListRow& row, const QVariant&) { return Kinship::AgeCell(row); });
    model->SetFieldTextHandler(
        u"STR1"_s, [](const TListRow& row, const QVariant&) { return Kinship::NamesCell(row); });
    TBaseFind::QueryAfterOpen();
}

bool TCrestParentsFind::LinkObject()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master || IsNewId(master->Obj) || DropObj().IsEmpty() || DropObj().Kind != Kind::Person)
        return false;
    if (SameId(DropObj().Id, master->Obj)) {
        Messages().ShowMessage(Kinship::SelfGodparent);
        return false;
    }
    TDBMainInfo godparent;
    godparent.SetDatabase(master->Database());
    if (!godparent.SetObj(DropObj().Id) || godparent.ObjType != Kind::Person)
        return false;
    Kinship::RefreshKinship(*master);
    const TPersonView person = PersonView(*master);
    if (!IsEmptyId(person.NativeFamily())) {
        TDBMainInfo parents;
        parents.SetDatabase(master->Database());
        if (parents.SetObj(person.NativeFamily())) {
            const TConstFamilyView family(parents);
            if (SameId(family.Husband(), godparent.Obj) || SameId(family.Wife(), godparent.Obj)) {
                Messages().ShowMessage(Kinship::ParentGodparent);
                return false;
            }
        }
    }
    const bool godmother = PersonView(godparent).IsFemale();
    const QString current = godmother ? person.Godmother().Text() : person.Godfather().Text();
    if (SameId(current, godparent.Obj))
        return true;
    if (!IsEmptyId(current)
        && Messages().AskYesNo(godmother ? Kinship::ReplaceGodmother : Kinship::ReplaceGodfather) != TAnswer::Yes)
        return false;
    if (!Kinship::SetGodparent(master->Obj, master->Database(), godmother, godparent.Obj))
        return false;
    if (godmother)
        person.SetGodmother(godparent.Obj);
    else
        person.SetGodfather(godparent.Obj);
    return true;
}

void TCrestParentsFind::miDelRoleClick()
{
    TDBMainInfo* master = MasterDBInfo();
    const TListRow row = Grid->CurrentRow();
    if (!master || IsEmptyId(CurObjId()) || !row.IsValid())
        return;
    const QString godparent = CurObjId();
    Kinship::RefreshKinship(*master);
    const TPersonView person = PersonView(*master);
    // The column that names this godparent; by sex when neither does any more.
    const bool female = row.Bool(u"Flag"_s);
    bool godmother = female;
    if (SameId(person.Godmother(), godparent))
        godmother = true;
    else if (SameId(person.Godfather(), godparent))
        godmother = false;
    if (Messages().AskYesNo(Kinship::RemoveGodparentQuestion(female)) != TAnswer::Yes)
        return;
    if (!Kinship::SetGodparent(master->Obj, master->Database(), godmother, QString()))
        return;
    if (godmother)
        person.SetGodmother(Ids::None);
    else
        person.SetGodfather(Ids::None);
    RunQuery(QString());
}
