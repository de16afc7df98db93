#include "contacts/ParentsFind.h"

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

const QString TParentsFind::AddParentsQuestion = u"Добавить родителей как:\rYes - родные\rNo - приемные"_s;

TParentsFind::TParentsFind(QWidget* parent)
    : TFindFamily(parent)
    , m_nativeFamily(new TDBMainInfo(this))
{
    setObjectName(u"ParentsFind"_s);
    FindCaption->setText(u"Родители"_s);
    SetLinkFieldName(u"LFId"_s);
    SetsqlOrder(u"Date1 desc"_s);
    SetGridDraged(false);
    Grid->SetColumns({TGridColumn{u"Int1"_s, u"Статус"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Link1"_s, u"Связь"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Date1"_s, u"Период"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Семья"_s, 220}});
    Grid->SetStatusFields({u"Int1"_s, u"Link1"_s});
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn& column, int& imageIndex) {
        if (column.FieldName.compare(u"Link1"_s, Qt::CaseInsensitive) != 0) {
            GridStatusColumnGetImage(row, imageIndex);
            return;
        }
        imageIndex = -1;
        const QString id = row.Text(u"ObjId"_s);
        if (id.trimmed().isEmpty())
            return;
        const bool native = IsEmptyId(row.Text(u"LFId"_s)) && SameId(id, m_nativeFamily->Obj);
        if (native)
            return;
        const TConstFamilyView reference(*m_nativeFamily);
        imageIndex = Kinship::MarkPicture(
            Kinship::CoupleMark(reference.Husband(), reference.Wife(), row.Text(u"Link1"_s), row.Text(u"Link2"_s)));
    };
    aLinks->setData(Kind::Family);
    aLinks->setVisible(true);
    aDel->setToolTip(u"Удалить связь  с семьей"_s);
    disconnect(aDel, &QAction::triggered, this, nullptr);
    connect(aDel, &QAction::triggered, this, &TParentsFind::miDelRoleClick);
    LinkedListParts::HideSearchArea(this, true);
}

TParentsFind::~TParentsFind() = default;

void TParentsFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TParentsFind::GetSelectSQL()
{
    TDBMainInfo* master = MasterDBInfo();
    const bool person = master && !IsNewId(master->Obj);
    if (person)
        Kinship::RefreshKinship(*master);
    const QString native = person ? PersonView(*master).NativeFamily().Text() : QString();
    m_nativeFamily->SetDatabase(master ? master->Database() : nullptr);
    if (IsEmptyId(native) || !m_nativeFamily->SetObj(native))
        m_nativeFamily->Clear();
    const QString personId = person ? master->Obj.Text() : u"-"_s;
    return u"select ObjId, Link1, Link2, Date1, D1Flag, Date2, D2Flag, Int1, Str1, Str2, ObjType, "_s
        + SqlDialect::Quote(QString()) + u" as LFId from AllInfo where ObjType = "_s + QString::number(Kind::Family)
        + u" and ObjId = "_s + SqlDialect::Quote(IsEmptyId(native) ? u"-"_s : native)
        + u" union select LinkF.ObjId, LinkF.Link1, LinkF.Link2, AllInfo.Date1, AllInfo.D1Flag, AllInfo.Date2,"
          u" AllInfo.D2Flag, LinkF.Int1, LinkF.Str1, LinkF.Str2, AllInfo.ObjType, AllInfo.ObjId as LFId"
          u" from AllInfo, AllInfo as LinkF where AllInfo.ObjType = "_s
        + QString::number(Kind::AdoptiveFamilyLink) + u" and AllInfo.Link1 = LinkF.ObjId and AllInfo.Link2 = "_s
        + SqlDialect::Quote(personId) + u" order by "_s + TotalOrder(sqlOrder(), u"LFId"_s);
}

TDBMainInfo* TParentsFind::GetCurrentObjInfo()
{
    TDBMainInfo* family = TFindFamily::GetCurrentObjInfo();
    const TDBMainInfo* master = MasterDBInfo();
    if (family && master)
        family->Link4 = master->Obj;
    return family;
}

bool TParentsFind::LinkObject()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master || IsNewId(master->Obj) || DropObj().IsEmpty() || DropObj().Kind != Kind::Family)
        return false;
    TDBMainInfo family;
    family.SetDatabase(master->Database());
    if (!family.SetObj(DropObj().Id) || family.ObjType != Kind::Family)
        return false;
    Kinship::RefreshKinship(*master);
    bool linked = false;
    if (IsEmptyId(PersonView(*master).NativeFamily())) {
        switch (Messages().AskYesNoCancel(AddParentsQuestion)) {
        case TAnswer::Yes:
            linked = SetNativeFamily(family, master->Obj);
            if (linked) {
                PersonView(*master).SetNativeFamily(family.Obj);
                m_nativeFamily->Assign(&family);
            }
            break;
        case TAnswer::No:
            linked = AddAdoptiveFamily(family, master->Obj, Kinship::AdoptionDialog(this));
            break;
        case TAnswer::Cancel:
            return false;
        }
    } else {
        linked = AddAdoptiveFamily(family, master->Obj, Kinship::AdoptionDialog(this));
    }
    // The list stands on the family afterwards, whichever way it was tied.
    if (linked)
        WorkInfo()->SetId(family.Obj);
    return linked;
}

void TParentsFind::miDelRoleClick()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(CurObjId()))
        return;
    const QString adoption = CurLinkId();
    if (!IsEmptyId(adoption)) {
        DeleteObject(adoption);
        return;
    }
    if (!RemoveParents(master->Obj, master->Database()))
        return;
    PersonView(*master).SetNativeFamily(Ids::None);
    m_nativeFamily->Clear();
    RunQuery(QString());
}
