#include "finance/OperationStore.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/Money.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/MoneyOperationView.h"

#include <QSqlQuery>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

QString OrNone(const QString& id)
{
    return IsEmptyId(id) ? Ids::None : id;
}

TStoreResult Failed(TMyDataBase* db)
{
    const QString reason = db && db->ConnectionKind() == ConnectionType::Server ? db->ErrorText() : QString();
    return {SaveResult::Failed, reason.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : reason};
}

// The kind of the object \a id names; 0 when none, -1 when it cannot be read.
int KindOf(TMyDataBase* db, const QString& id)
{
    if (IsEmptyId(id))
        return 0;
    auto q = db->CreateQuery(u"select ObjType from AllInfo where ObjId = "_s + SqlDialect::Quote(id));
    if (!q)
        return -1;
    return q->next() ? q->value(0).toInt() : 0;
}

// The number of operation links the stored row holds now; -1 when it cannot be read.
qint64 StoredLinkCount(TMyDataBase* db, const QString& id)
{
    auto q = db->CreateQuery(u"select Int3 from AllInfo where ObjId = "_s + SqlDialect::Quote(id));
    if (!q)
        return -1;
    return q->next() ? q->value(0).toLongLong() : 0;
}

// The columns both halves (or the only row) take from the entry.
void FillFirst(TDBMainInfo& row, const TOperationEntry& entry, const QString& counterparty)
{
    const TMoneyOperationView op(row);
    row.ObjType = Kind::MoneyOperation;
    op.SetCode(entry.Code);
    op.SetDate(entry.Date);
    op.SetHasDate(true);
    op.SetAccount(entry.Account);
    op.SetCounterparty(counterparty);
    op.SetAmount(OperationStore::SignedAmount(entry.Code, entry.Amount));
    op.SetHalf(0);
    op.SetComments(entry.Comments.trimmed());
    switch (entry.Code) {
    case OperationCode::Income:
    case OperationCode::Expense:
        op.SetCategory(OrNone(entry.Category));
        op.SetFourth(OrNone(entry.Subcategory));
        break;
    case OperationCode::Transfer:
        op.SetCategory(Ids::None);
        op.SetFourth(OrNone(entry.SecondAccount));
        break;
    case OperationCode::Exchange:
        op.SetCategory(Ids::None);
        op.SetFourth(Ids::None);
        break;
    default:
        // The debts name their counterparty twice.
        op.SetCategory(Ids::None);
        op.SetFourth(counterparty);
        break;
    }
}

void FillSecond(TDBMainInfo& second, const TDBMainInfo& first, const TOperationEntry& entry)
{
    const TMoneyOperationView op(second);
    const TConstMoneyOperationView one(first);
    second.ObjType = Kind::MoneyOperation;
    op.SetCode(entry.Code);
    op.SetHalf(TMoneyOperationView::SecondHalf);
    op.SetPairedRow(one.Id());
    op.SetDate(one.Date());
    op.SetHasDate(true);
    op.SetAccount(entry.SecondAccount);
    op.SetCounterparty(one.Counterparty());
    op.SetCategory(Ids::None);
    if (entry.Code == OperationCode::Transfer) {
        op.SetFourth(entry.Account);
        op.SetAmount(-one.Amount());
    } else {
        op.SetFourth(Ids::None);
        op.SetAmount(entry.SecondAmount);
    }
    op.SetComments(one.Comments());
}

QString CheckAmount(qint64 amount)
{
    if (amount < 0)
        return OperationStore::Negative;
    if (amount > Money::MaxHundredths)
        return Money::TooLarge;
    return QString();
}

} // namespace

namespace OperationStore {

qint64 SignedAmount(int code, qint64 amount)
{
    return OperationCode::Sign(code) * amount;
}

TStoreResult Store(TDBMainInfo& first, const TOperationEntry& entry)
{
    const bool pair = OperationCode::IsPair(entry.Code);
    QString refusal = CheckAmount(entry.Amount);
    if (refusal.isEmpty() && entry.Code == OperationCode::Exchange)
        refusal = CheckAmount(entry.SecondAmount);
    if (!refusal.isEmpty())
        return {SaveResult::Failed, refusal};
    if (IsEmptyId(entry.Account)
        || (pair && (IsEmptyId(entry.SecondAccount) || SameId(entry.Account, entry.SecondAccount))))
        return {SaveResult::Failed, pair && !IsEmptyId(entry.Account) ? u"Укажите второй счет"_s : u"Укажите счет"_s};
    TMyDataBase* db = first.Database();
    if (!db)
        return {SaveResult::NoDatabase, DbStatus::Text(DbStatus::ConnectFailed)};

    // Both halves are prepared on private copies: a failure anywhere leaves the caller's record untouched.
    TDBMainInfo one;
    one.SetDatabase(db);
    one.CopyFrom(first);
    TDBMainInfo two;
    two.SetDatabase(db);
    {
        TWriteTransaction transaction(db);
        if (!transaction.IsActive())
            return Failed(db);
        // Only a person or an organization is a counterparty.
        const int counterpartyKind = KindOf(db, entry.Counterparty);
        if (counterpartyKind < 0)
            return Failed(db);
        const QString counterparty = counterpartyKind == Kind::Person || counterpartyKind == Kind::Organization
            ? entry.Counterparty
            : Ids::None;
        const bool fresh = IsNewId(one.Obj);
        const QString previousHalf = one.Link5.Text();
        FillFirst(one, entry, counterparty);
        if (fresh) {
            one.Int3 = 0;
            one.Link5 = Ids::None;
        } else {
            // Operation links counted while the editor was open are kept.
            const qint64 links = StoredLinkCount(db, one.Obj);
            if (links < 0)
                return Failed(db);
            one.Int3 = links;
            one.Link5 = pair ? OrNone(previousHalf) : Ids::None;
        }
        TStoreResult saved = one.Save();
        if (!saved.Ok())
            return saved;
        if (pair) {
            bool makeHalf = IsEmptyId(one.Link5);
            if (!makeHalf) {
                if (!two.SetObj(one.Link5))
                    return Failed(db);
                // A half that is gone, or that pairs with some other operation now, is not ours to rewrite.
                makeHalf = two.ObjType != Kind::MoneyOperation || !SameId(two.Link5, one.Obj);
            }
            if (makeHalf) {
                two.Clear();
                two.Int3 = 0;
            }
            FillSecond(two, one, entry);
            saved = two.Save();
            if (!saved.Ok())
                return saved;
            if (!SameId(one.Link5, two.Obj)) {
                one.Link5 = two.Obj;
                saved = one.Save();
                if (!saved.Ok())
                    return saved;
            }
        }
        if (!transaction.Commit())
            return Failed(db);
    }
    first.CopyFrom(one);
    AnnounceObjectSaved(Kind::MoneyOperation);
    return {};
}

} // namespace OperationStore
