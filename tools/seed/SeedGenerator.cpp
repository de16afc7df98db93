#include "tools/seed/SeedGenerator.h"

#include "store/Gid.h"
#include "store/kinds/GroupView.h"
#include "tools/seed/SeedPlan.h"

using namespace SeedPlan;

TSeedProfile TSeedProfile::For(TSeedSize size)
{
    TSeedProfile p;
    switch (size) {
    case TSeedSize::Demo:
        p.People = 200;
        p.Families = 30;
        p.Organizations = 40;
        p.Banks = 3;
        p.Addresses = 120;
        p.Events = 150;
        p.EventYears = 3;
        p.Notes = 40;
        p.Projects = 6;
        p.Accounts = 5;
        p.Years = 2;
        p.Operations = 1500;
        break;
    case TSeedSize::Large:
        p.People = 20000;
        p.Families = 3000;
        p.Organizations = 3000;
        p.Banks = 6;
        p.Addresses = 10000;
        p.Events = 30000;
        p.EventYears = 20;
        p.Notes = 2000;
        p.Projects = 40;
        p.Accounts = 10;
        p.Years = 20;
        p.Operations = 80000;
        break;
    case TSeedSize::Huge:
        p.People = 100000;
        p.Families = 15000;
        p.Organizations = 12000;
        p.Banks = 6;
        p.Addresses = 50000;
        p.Events = 60000;
        p.EventYears = 20;
        p.Notes = 10000;
        p.Projects = 80;
        p.Accounts = 10;
        p.Years = 20;
        p.Operations = 320000;
        break;
    }
    return p;
}

double TSeedGenerator::SearchDate(double date, bool fixed)
{
    if (date == 0 || !fixed)
        return 0;
    const QDate d = DateSerial::ToDate(date);
    return DateSerial::FromDate(QDate(2000, d.month(), d.day()));
}

namespace SeedPlan {

qint64 TSeedPlan::RandomMomentBetween(int fromDay, int toDay)
{
    fromDay = std::max(fromDay, HistoryStart);
    toDay = std::max(fromDay, std::min(toDay, Today));
    return Clamp(SecsOf(fromDay + R.Below(toDay - fromDay + 1), R.Between(8 * 3600, 23 * 3600)));
}

int TSeedPlan::RandomDay(int fromDay, int toDay)
{
    return toDay <= fromDay ? fromDay : fromDay + R.Below(toDay - fromDay + 1);
}

qint64 TSeedPlan::CreatedOf(TRef ref) const
{
    switch (ref.Block) {
    case BGroup:
        return Groups[ref.Index].Created;
    case BOrg:
        return Orgs[ref.Index].Created;
    case BPerson:
        return People[ref.Index].Created;
    case BFamily:
        return Families[ref.Index].Created;
    case BAddress:
        return Addresses[ref.Index].Created;
    case BEvent:
        return Events[ref.Index].Created;
    case BNote:
        return Notes[ref.Index].Created;
    default:
        return 0;
    }
}

qint64 TSeedPlan::SecsOfSerial(double serial)
{
    const QDateTime local = DateSerial::ToDateTime(serial);
    return QDateTime(local.date(), local.time(), Qt::UTC).toSecsSinceEpoch();
}

void TSeedPlan::PlanStamps()
{
    const qint64 begin = SecsOf(HistoryStart, 10 * 3600);
    for (TOrg& o : Orgs)
        o.Created = RandomMomentBetween(HistoryStart, Today);
    for (TOrg& o : Orgs) {
        if (o.Parent >= 0)
            o.Created = std::max(o.Created, Shortly(Orgs[o.Parent].Created));
    }
    for (TPerson& p : People)
        p.Created = RandomMomentBetween(std::max(HistoryStart, p.Birth), Today);
    for (TFamily& f : Families)
        f.Created = Shortly(
            std::max(f.Husband >= 0 ? People[f.Husband].Created : 0, f.Wife >= 0 ? People[f.Wife].Created : 0));
    for (TPerson& p : People) {
        qint64 later = std::max({p.Family >= 0 ? Families[p.Family].Created : 0,
            p.Godfather >= 0 ? People[p.Godfather].Created : 0, p.Godmother >= 0 ? People[p.Godmother].Created : 0});
        p.Modified = later > p.Created ? Shortly(later) : p.Created;
    }
    for (TAdoption& a : Adoptions)
        a.Created = Shortly(std::max(Families[a.Family].Created, People[a.Person].Created));
    for (TAddress& a : Addresses)
        a.Created = RandomMomentBetween(HistoryStart, Today);
    for (TResidence& r : Residences)
        r.Created = Shortly(std::max(Addresses[r.Address].Created, CreatedOf(r.Holder)));
    for (TPhone& t : Phones)
        t.Created = Shortly(CreatedOf(t.Owner));
    for (TInternet& n : Internet)
        n.Created = Shortly(CreatedOf(n.Owner));
    for (TGroup& g : Groups) {
        if (g.Type == GroupType::Project)
            g.Created = Clamp(std::max(begin, SecsOf(g.From, 12 * 3600) - R.Below64(30 * kDay)));
        else if (!g.Limited && g.Type != 8)
            g.Created = begin + R.Below64(20 * kDay);
    }
    for (TEvent& e : Events) {
        const qint64 start = SecsOfSerial(e.Start);
        e.Created = Clamp(std::max(begin, start - R.Below64(14 * kDay)));
        e.Modified = !e.Result.isEmpty() ? std::max(e.Created, Clamp(start + R.Below64(2 * kDay))) : e.Created;
    }
    for (TGroup& g : Groups) {
        if (g.Limited)
            g.Created = Shortly(CreatedOf(g.Owner));
        else if (g.Type == GroupType::EventRoles)
            g.Created = Shortly(CreatedOf(g.Project));
    }
    for (TRole& r : Roles)
        r.Created = Shortly(std::max(CreatedOf(r.A.Holder), CreatedOf(r.B.Holder)));
    for (TNoteLink& l : NoteLinks) {
        l.Created = Shortly(std::max(Notes[l.Note].Created, CreatedOf(l.Object)));
        l.Date = DateSerial::FromDateTime(QDateTime::fromSecsSinceEpoch(l.Created, Qt::UTC));
    }
    for (size_t i = 0; i < Accounts.size(); ++i)
        Accounts[i].Created = std::max(begin, SecsOf(std::max(Accounts[i].Opened, HistoryStart), 11 * 3600));
    // The balance recomputation writes an account after each of its operations.
    for (const TOperation& o : Operations) {
        for (int account : {o.Account, o.Account2}) {
            if (account >= 0)
                Accounts[account].Modified = std::max(Accounts[account].Modified, o.Created);
        }
    }
    Touch(Orgs);
    Touch(People);
    Touch(Families);
    Touch(Addresses);
    Touch(Events);
    Touch(Notes);
    auto same = [](auto& list) {
        for (auto& item : list)
            item.Modified = std::max(item.Modified, item.Created);
    };
    same(Groups);
    same(Adoptions);
    same(Residences);
    same(Phones);
    same(Internet);
    same(Roles);
    same(NoteLinks);
    same(Accounts);
    same(Operations);
    same(OpLinks);
}

int TSeedPlan::RowsOf(qint8 block, qint32 index) const
{
    switch (block) {
    case BRole:
        return Roles[index].Paired ? 2 : 1;
    case BNoteLink:
        return NoteLinks[index].BothWays ? 2 : 1;
    case BOperation:
        return Operations[index].Account2 >= 0 ? 2 : 1;
    default:
        return 1;
    }
}

void TSeedPlan::AssignIds()
{
    AddUnits(BGroup, Groups);
    AddUnits(BOrg, Orgs);
    AddUnits(BPerson, People);
    AddUnits(BFamily, Families);
    AddUnits(BAdoption, Adoptions);
    AddUnits(BAddress, Addresses);
    AddUnits(BResidence, Residences);
    AddUnits(BPhone, Phones);
    AddUnits(BInternet, Internet);
    AddUnits(BEvent, Events);
    AddUnits(BRole, Roles);
    AddUnits(BNote, Notes);
    AddUnits(BNoteLink, NoteLinks);
    AddUnits(BAccount, Accounts);
    AddUnits(BOperation, Operations);
    AddUnits(BOpLink, OpLinks);
    std::stable_sort(Units.begin(), Units.end(), [](const TUnit& a, const TUnit& b) { return a.Created < b.Created; });
    quint32 counter = FirstCounter;
    for (const TUnit& u : Units) {
        Counters[u.Block][u.Index] = counter + 1;
        counter += RowsOf(u.Block, u.Index);
    }
    Last = counter;
    Rows = counter - FirstCounter;
}

void TSeedPlan::PlanAll()
{
    PlanGroups();
    PlanOrganizations();
    PlanPeople();
    PlanResidences();
    PlanContacts();
    PlanEvents();
    PlanRoles();
    PlanNotes();
    PlanFinance();
    PlanStamps();
    AssignIds();
}

QString TSeedPlan::Id(TRef ref, int offset) const
{
    if (!ref.Valid())
        return Ids::None;
    return MakeId(Counters[ref.Block][ref.Index] + offset, Prefix);
}

void TSeedPlan::Prepare(TObjectRow& r, int kind, const QString& id)
{
    r = TObjectRow();
    r.Obj = id;
    r.ObjType = kind;
    for (int i = 1; i <= 5; ++i)
        r.Link(i) = Ids::None;
}

void TSeedPlan::Fill(TSeedRow& out, qint8 block, qint32 index, int part) const
{
    TObjectRow& r = out.Row;
    switch (block) {
    case BGroup:
        FillGroup(r, index);
        break;
    case BOrg:
        FillOrganization(r, index);
        break;
    case BPerson:
        FillPerson(r, index);
        break;
    case BFamily:
        FillFamily(r, index);
        break;
    case BAdoption:
        FillAdoption(r, index);
        break;
    case BAddress:
        FillAddress(r, index);
        break;
    case BResidence:
        FillResidence(r, index);
        break;
    case BPhone:
        FillPhone(r, index);
        break;
    case BInternet:
        FillInternet(r, index);
        break;
    case BEvent:
        FillEvent(r, index);
        break;
    case BRole:
        FillRole(r, index, part);
        break;
    case BNote:
        FillNote(r, index);
        break;
    case BNoteLink:
        FillNoteLink(r, index, part);
        break;
    case BAccount:
        FillAccount(r, index);
        break;
    case BOperation:
        FillOperation(r, index, part);
        break;
    case BOpLink:
        FillOperationLink(r, index);
        break;
    default:
        break;
    }
    const TStamp* stamp = StampOf(block, index);
    out.Created = QDateTime::fromSecsSinceEpoch(stamp->Created, Qt::UTC);
    out.Modified = QDateTime::fromSecsSinceEpoch(std::max(stamp->Modified, stamp->Created), Qt::UTC);
    // What the record's save derives.
    r.D1Search = TSeedGenerator::SearchDate(r.Date1, r.D1Fixed);
    r.D2Search = TSeedGenerator::SearchDate(r.Date2, r.D2Fixed);
    r.DCreate = DateSerial::FromDateTime(out.Created);
    r.DModify = DateSerial::FromDateTime(out.Modified);
    r.IsBlank = false;
}

const TStamp* TSeedPlan::StampOf(qint8 block, qint32 index) const
{
    switch (block) {
    case BGroup:
        return &Groups[index];
    case BOrg:
        return &Orgs[index];
    case BPerson:
        return &People[index];
    case BFamily:
        return &Families[index];
    case BAdoption:
        return &Adoptions[index];
    case BAddress:
        return &Addresses[index];
    case BResidence:
        return &Residences[index];
    case BPhone:
        return &Phones[index];
    case BInternet:
        return &Internet[index];
    case BEvent:
        return &Events[index];
    case BRole:
        return &Roles[index];
    case BNote:
        return &Notes[index];
    case BNoteLink:
        return &NoteLinks[index];
    case BAccount:
        return &Accounts[index];
    case BOperation:
        return &Operations[index];
    default:
        return &OpLinks[index];
    }
}

} // namespace SeedPlan

struct TSeedGenerator::TData : TSeedPlan
{
    using TSeedPlan::TSeedPlan;
};

TSeedGenerator::TSeedGenerator(
    const TSeedProfile& profile, quint64 seed, const QDate& today, quint32 prefix, quint32 firstCounter)
    : d(std::make_unique<TData>(profile, seed, today, prefix, firstCounter))
{
    d->PlanAll();
}

TSeedGenerator::~TSeedGenerator() = default;

qint64 TSeedGenerator::RowCount() const
{
    return d->Rows;
}

quint32 TSeedGenerator::LastCounter() const
{
    return d->Last;
}

bool TSeedGenerator::Emit(const std::function<bool(const TSeedRow&)>& sink) const
{
    TSeedRow row;
    for (const TUnit& u : d->Units) {
        for (int part = 0; part < d->RowsOf(u.Block, u.Index); ++part) {
            d->Fill(row, u.Block, u.Index, part);
            if (!sink(row))
                return false;
        }
    }
    return true;
}
