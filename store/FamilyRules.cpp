#include "store/FamilyRules.h"

#include "platform/Messages.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

/// The first column of the first row of \a sql; \a failed when the query cannot be opened.
qint64 Count(TMyDataBase* db, const QString& sql, bool& failed)
{
    auto query = TMyDataBase::QueryOn(db, sql);
    failed = !query;
    if (!query || !query->next())
        return 0;
    return query->value(0).toLongLong();
}

bool IsPartner(const TDBMainInfo& family, const QString& personId)
{
    const TConstFamilyView view(family);
    return SameId(view.Husband(), personId) || SameId(view.Wife(), personId);
}

QString AdoptionWhere(const QString& familyId, const QString& personId)
{
    return u" from ALLINFO where ObjType = "_s + QString::number(Kind::AdoptiveFamilyLink) + u" and Link1 = "_s
        + SqlDialect::Quote(familyId) + u" and Link2 = "_s + SqlDialect::Quote(personId);
}

void ShowFailure(const TStoreResult& result)
{
    if (!result.Text.isEmpty())
        Messages().ShowMessage(result.Text);
}

} // namespace

bool IsAdoptedBy(const QString& familyId, const QString& personId, TMyDataBase* db)
{
    bool failed = false;
    const qint64 count = Count(db, u"select count(*)"_s + AdoptionWhere(familyId, personId), failed);
    return !failed && count > 0;
}

bool IsNativeFamily(const QString& familyId, const QString& personId, TMyDataBase* db)
{
    auto query = TMyDataBase::QueryOn(db, u"select Link1 from AllInfo where ObjId = "_s + SqlDialect::Quote(personId));
    return query && query->next() && SameId(query->value(0).toString(), familyId);
}

bool NoLinkRow(TMyDataBase* db, const QString& link1, const QString& link2, int kind, QString& id)
{
    auto query = TMyDataBase::QueryOn(db,
        u"select count(*), ObjId from AllInfo where ObjType = "_s + QString::number(kind) + u" and Link1 = "_s
            + SqlDialect::Quote(link1) + u" and Link2 = "_s + SqlDialect::Quote(link2) + u" group by ObjId"_s);
    if (!query || !query->next() || query->value(0).toLongLong() <= 0)
        return true;
    id = query->value(1).toString();
    return false;
}

bool NoRolePair(TMyDataBase* db, const QString& a, const QString& b)
{
    bool failed = false;
    const qint64 count = Count(db,
        u"select count(*) from AllInfo, AllInfo as r2 where AllInfo.ObjType = 20 and AllInfo.Link5 = r2.ObjId"
        u" and AllInfo.Link1 = "_s
            + SqlDialect::Quote(a) + u" and r2.Link1 = "_s + SqlDialect::Quote(b),
        failed);
    return failed || count == 0;
}

bool HasBranches(const QString& organizationId, TMyDataBase* db)
{
    bool failed = false;
    const qint64 count = Count(db,
        u"select count(*) from AllInfo where ObjType = "_s + QString::number(Kind::Organization) + u" and Link1 = "_s
            + SqlDialect::Quote(organizationId),
        failed);
    return failed || count > 0;
}

bool SetNativeFamily(const TDBMainInfo& family, const QString& personId)
{
    if (IsPartner(family, personId)) {
        Messages().ShowMessage(FamilyRuleTexts::OwnParent);
        return false;
    }
    TMyDataBase* db = family.Database();
    const bool adopted = IsAdoptedBy(family.Obj, personId, db);
    if (adopted && Messages().AskYesNo(FamilyRuleTexts::AdoptiveToNative) != TAnswer::Yes)
        return false;

    TDBMainInfo person;
    person.SetDatabase(db);
    if (!person.SetObj(personId) || person.ObjType != Kind::Person)
        return false;
    // The adoption goes and the native family comes in one transaction: a failing save keeps the adoption.
    TWriteTransaction transaction(person.Database());
    if (!transaction.IsActive()) {
        ShowFailure({SaveResult::Failed, u"Запрос вызвал ошибку"_s});
        return false;
    }
    if (adopted && TMyDataBase::ExecuteOn(db, u"delete"_s + AdoptionWhere(family.Obj, personId)) != 0) {
        ShowFailure({SaveResult::Failed, u"Запрос вызвал ошибку"_s});
        return false;
    }
    PersonView(person).SetNativeFamily(family.Obj);
    const TStoreResult saved = person.Save();
    if (!saved.Ok()) {
        transaction.Rollback();
        ShowFailure(saved);
        return false;
    }
    if (!transaction.Commit()) {
        ShowFailure({SaveResult::Failed, u"Запрос вызвал ошибку"_s});
        return false;
    }
    return true;
}

bool AddAdoptiveFamily(const TDBMainInfo& family, const QString& personId, const TAdoptionEditor& edit)
{
    TMyDataBase* db = family.Database();
    if (IsPartner(family, personId)) {
        Messages().ShowMessage(FamilyRuleTexts::OwnParent);
        return false;
    }
    if (IsNativeFamily(family.Obj, personId, db)) {
        Messages().ShowMessage(FamilyRuleTexts::AlreadyNative);
        return false;
    }
    if (IsAdoptedBy(family.Obj, personId, db)) {
        Messages().ShowMessage(FamilyRuleTexts::AlreadyAdoptive);
        return false;
    }
    if (!edit)
        return false;
    TDBMainInfo adoption;
    adoption.SetDatabase(db);
    adoption.ObjType = Kind::AdoptiveFamilyLink;
    const TAdoptiveFamilyLinkView link(adoption);
    link.SetFamily(family.Obj);
    link.SetPerson(personId);
    return edit(adoption);
}

bool RemoveParents(const QString& personId, TMyDataBase* db)
{
    TDBMainInfo person;
    person.SetDatabase(db);
    if (!person.SetObj(personId) || person.ObjType != Kind::Person)
        return false;
    if (Messages().AskYesNo(FamilyRuleTexts::RemoveParentsQuestion) != TAnswer::Yes)
        return false;
    PersonView(person).SetNativeFamily(QString());
    const TStoreResult saved = person.Save();
    ShowFailure(saved);
    return saved.Ok();
}
