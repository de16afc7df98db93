#include "contacts/KinshipLists.h"

#include "shell/frames/BaseDBFrame.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/ListModel.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"
#include "store/kinds/PersonView.h"

using namespace Qt::StringLiterals;

namespace Kinship {

namespace {
constexpr int OtherFamilyPicture = 71;

bool SamePerson(const QString& reference, const QString& id)
{
    return !IsEmptyId(reference) && !IsEmptyId(id) && SameId(reference, id);
}
} // namespace

TMark CoupleMark(const QString& refHusband, const QString& refWife, const QString& husband, const QString& wife)
{
    const bool father = SamePerson(refHusband, husband);
    const bool mother = SamePerson(refWife, wife);
    if (father && mother)
        return TMark::None;
    if (father)
        return TMark::SameFather;
    if (mother)
        return TMark::SameMother;
    return TMark::Other;
}

int MarkPicture(TMark mark)
{
    switch (mark) {
    case TMark::SameFather:
        return ManPicture;
    case TMark::SameMother:
        return WomanPicture;
    case TMark::Other:
        return OtherFamilyPicture;
    case TMark::None:
        break;
    }
    return -1;
}

QString NamesCell(const TListRow& row, const QString& prefix)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return row.Text(prefix + u"Str1"_s) + u'\n' + row.Text(prefix + u"Str2"_s) + u'\n' + row.Text(prefix + u"Str3"_s);
}

QString AgeCell(const TListRow& row, const QString& prefix)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return AgeText(row.Bool(prefix + u"D2Flag"_s), false, row.Number(prefix + u"Date1"_s));
}

bool SetGodparent(const QString& personId, TMyDataBase* db, bool godmother, const QString& godparentId)
{
    TDBMainInfo person;
    person.SetDatabase(db);
    if (!person.SetObj(personId) || person.ObjType != Kind::Person)
        return false;
    const QString value = IsEmptyId(godparentId) ? Ids::None : godparentId;
    if (godmother)
        PersonView(person).SetGodmother(value);
    else
        PersonView(person).SetGodfather(value);
    if (!ShowStoreResult(person.Save()))
        return false;
    AnnounceObjectSaved(Kind::Person);
    return true;
}

void RefreshKinship(TDBMainInfo& person)
{
    if (IsNewId(person.Obj))
        return;
    TDBMainInfo stored;
    stored.SetDatabase(person.Database());
    if (!stored.SetObj(person.Obj) || stored.ObjType != Kind::Person)
        return;
    const TConstPersonView from(stored);
    const TPersonView to = PersonView(person);
    to.SetNativeFamily(from.NativeFamily());
    to.SetGodfather(from.Godfather());
    to.SetGodmother(from.Godmother());
}

TAdoptionEditor AdoptionDialog(TBaseDBFrame* frame)
{
    return [frame](TDBMainInfo& adoption) {
        frame->WorkInfo()->Assign(&adoption);
        return frame->EditWorkInfo() == 1;
    };
}

QString RemoveGodparentQuestion(bool godmother)
{
    return u"Вы действительно хотите удалить "_s + (godmother ? u"связь с крестной"_s : u"связь с крестным"_s)
        + u'?';
}

} // namespace Kinship
