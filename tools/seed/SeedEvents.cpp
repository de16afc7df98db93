// Events and the roles that link objects.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/RoleView.h"

namespace SeedPlan {

TRef TSeedPlan::ParticipantAt(int day, int orgPercent)
{
    if (R.Percent(orgPercent)) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            int o = R.Below(Orgs.size());
            if (Orgs[o].Founded <= day && (Orgs[o].Closed == 0 || Orgs[o].Closed > day))
                return Ref(BOrg, o);
        }
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        int p = R.Below(People.size());
        if (People[p].Birth > 0 && People[p].Birth < YearsAfter(day, -12) && Alive(p, day))
            return Ref(BPerson, p);
    }
    return Ref(BPerson, R.Below(People.size()));
}

int TSeedPlan::KindOf(TRef ref)
{
    switch (ref.Block) {
    case BPerson:
        return Kind::Person;
    case BOrg:
        return Kind::Organization;
    case BEvent:
        return Kind::Event;
    case BAddress:
        return Kind::Address;
    case BFamily:
        return Kind::Family;
    case BNote:
        return Kind::Note;
    default:
        return 0;
    }
}

int TSeedPlan::AddressOf(TRef holder) const
{
    if (holder.Block == BPerson)
        return People[holder.Index].Address;
    if (holder.Block == BOrg)
        return Orgs[holder.Index].Address;
    return -1;
}

void TSeedPlan::PlanEvents()
{
    const int span = P.EventYears * 365;
    const std::vector<int> typeWeights = {25, 30, 5, 15, 3, 2, 6, 3, 1, 4, 6};
    for (int i = 0; i < P.Events; ++i) {
        TEvent e;
        e.Type = R.Weighted(typeWeights) + 1;
        const qint64 u = R.Below(1000);
        int day = R.Percent(3) ? Today + R.Between(0, 30) : Today - static_cast<int>(span * u * u / 1000000);
        day = std::max(day, HistoryStart + 30);
        const int minute = R.Between(9 * 4, 19 * 4 + 3) * 15;
        e.Start = SerialAt(day, minute);
        const int length = e.Type == EventType::Meeting ? R.Between(4, 12) * 15
                                                        : (e.Type <= EventType::InternetTalk ? R.Between(10, 45) : 0);
        if (e.Type == EventType::Other && R.Percent(50))
            e.End = SerialAt(day, std::min(minute + R.Between(1, 4) * 60, 23 * 60 + 45));
        else if (length > 0)
            e.End = SerialAt(day, std::min(minute + length, 23 * 60 + 45));
        e.Name = R.Pick(EventNames().at(e.Type - 1));
        e.Importance = R.Weighted({15, 65, 20}) + 1;
        e.Direction = (e.Type >= 2 && e.Type <= 10) ? (R.Percent(60) ? 1 : 2) : 0;
        if (R.Percent(50))
            e.Aim = R.Pick(EventAims());
        const bool past = day < Today;
        if (past && R.Percent(60))
            e.Result = R.Pick(EventResults());
        if (R.Percent(15))
            e.Comment = R.Pick(NoteSentences());
        if (R.Percent(45))
            e.Project = ProjectAt(day);
        const int participants = e.Type == EventType::Meeting ? R.Weighted({40, 35, 15, 10}) + 1 : 1;
        Events.push_back(e);
        const int event = static_cast<int>(Events.size()) - 1;
        TRef first;
        for (int k = 0; k < participants; ++k) {
            TRef who = ParticipantAt(day, e.Type == EventType::Meeting ? 25 : 20);
            if (!first.Valid())
                first = who;
            AddParticipation(event, who, past);
        }
        if (e.Type == EventType::Meeting) {
            const int place = R.Below(100);
            TEvent& ev = Events[event];
            if (place < 55) {
                ev.Host = first;
                ev.Address = AddressOf(first);
            } else if (place < 80) {
                ev.FreePlace = true;
                ev.Place = R.Pick(MeetingPlaces());
            }
        }
        // A follow-up of an earlier event.
        if (event > 0 && R.Percent(2)) {
            TRole link;
            link.A.Holder = Ref(BEvent, event);
            link.A.Kind = Kind::Event;
            link.B.Holder = Ref(BEvent, R.Below(event));
            link.B.Kind = Kind::Event;
            Roles.push_back(link);
        }
    }
}

void TSeedPlan::AddParticipation(int event, TRef who, bool past)
{
    const TEvent& e = Events[event];
    TRole r;
    r.A.Holder = Ref(BEvent, event);
    r.A.Kind = Kind::Event;
    const int position = e.Project.Valid() ? ProjectPosition(e.Project) : -1;
    if (position >= 0 && !EventGroupsOfProject[position].empty() && R.Percent(40))
        r.A.Group = Ref(BGroup, R.Pick(EventGroupsOfProject[position]));
    r.A.Role = past ? R.Pick(ParticipationResults()) : u"-"_s;
    r.A.Rating = R.Percent(30) ? R.Between(3, 10) : 0;
    r.B.Holder = who;
    r.B.Kind = KindOf(who);
    r.B.Group = e.Project;
    r.B.Role = R.Pick(ParticipantRoles());
    r.B.Rating = R.Percent(30) ? R.Between(3, 10) : 0;
    if (who.Block == BPerson && R.Percent(5))
        r.B.Third = Ref(BOrg, R.Below(Orgs.size()));
    r.D1 = e.Start;
    r.D1Flag = true;
    r.D2 = e.End;
    r.D2Flag = e.End != 0;
    Roles.push_back(r);
}

TRef TSeedPlan::PeopleGroup(const QString& name) const
{
    for (int g : PeopleGroupIndex) {
        if (Groups[g].Name == name)
            return Ref(BGroup, g);
    }
    return TRef();
}

TRef TSeedPlan::OrgGroup(const QString& name) const
{
    for (int g : OrgGroupIndex) {
        if (Groups[g].Name == name)
            return Ref(BGroup, g);
    }
    return TRef();
}

void TSeedPlan::PlanRoles()
{
    const int n = static_cast<int>(People.size());
    for (int i = 0; i < n; ++i) {
        const TPerson& p = People[i];
        if (p.Birth == 0 || p.Birth > YearsAfter(Today, -18))
            continue;
        // Work: a current job for almost half of the adults, an earlier one for some.
        const bool working = p.Death == 0 && p.Birth > YearsAfter(Today, -70) && R.Percent(45);
        for (int job = 0; job < 2; ++job) {
            const bool current = job == 0;
            if (current ? !working : !R.Percent(15))
                continue;
            const int sort = R.Weighted({55, 5, 20, 20});
            int org = RandomOrg(sort);
            if (R.Percent(25)) {
                // Many work in a branch rather than in the head office.
                for (int attempt = 0; attempt < 4; ++attempt) {
                    int b = R.Below(Orgs.size());
                    if (Orgs[b].Parent >= 0) {
                        org = b;
                        break;
                    }
                }
            }
            TRole r;
            r.A.Holder = Ref(BPerson, i);
            r.A.Kind = Kind::Person;
            r.A.Role = R.Pick(JobRoles());
            r.A.Rating = R.Percent(40) ? R.Between(4, 10) : 0;
            r.A.Flag = current && R.Percent(40);
            if (R.Percent(20))
                r.A.Group = PeopleGroup(u"Коллеги"_s);
            r.B.Holder = Ref(BOrg, org);
            r.B.Kind = Kind::Organization;
            if (R.Percent(30))
                r.B.Group = OrgGroup(u"Работодатели"_s);
            const int from = std::max({YearsAfter(p.Birth, 18), Orgs[org].Founded, YearsAfter(Today, -40)});
            const int start = RandomDay(from, Today - 60);
            r.D1 = Serial(start);
            r.D1Flag = true;
            if (!current) {
                const int last = p.Death ? std::min(p.Death, Today - 30) : Today - 30;
                if (start + 60 >= last)
                    continue;
                r.D2 = Serial(RandomDay(start + 60, last));
                r.D2Flag = true;
            }
            Roles.push_back(r);
        }
        if (R.Percent(10)) {
            const int sort = R.Weighted({0, 30, 50, 20});
            TRole r;
            r.A.Holder = Ref(BPerson, i);
            r.A.Kind = Kind::Person;
            r.A.Role = sort == OrgBank ? u"Вкладчик"_s : sort == OrgInstitution ? u"Пациент"_s : R.Pick(ClientRoles());
            r.B.Holder = Ref(BOrg, RandomOrg(sort));
            r.B.Kind = Kind::Organization;
            r.B.Group = OrgGroup(sort == OrgBank ? u"Банки"_s
                    : sort == OrgShop            ? u"Магазины"_s
                                                 : u"Медицинские учреждения"_s);
            Roles.push_back(r);
        }
        if (R.Percent(15)) {
            const QStringList& pair = R.Pick(PersonPairRoles());
            int other = R.Below(n);
            if (other == i)
                continue;
            TRole r;
            r.A.Holder = Ref(BPerson, i);
            r.A.Kind = Kind::Person;
            r.A.Role = pair.at(0);
            r.B.Holder = Ref(BPerson, other);
            r.B.Kind = Kind::Person;
            r.B.Role = pair.at(1);
            static const QStringList groupOf
                = {u"Друзья"_s, u"Коллеги"_s, u"Соседи"_s, u"Одноклассники"_s, u"Однокурсники"_s};
            const int g = PersonPairRoles().indexOf(pair);
            if (g < groupOf.size()) {
                r.A.Group = PeopleGroup(groupOf.at(g));
                r.B.Group = r.A.Group;
            } else if (pair.at(0) == u"Врач"_s) {
                r.B.Group = PeopleGroup(u"Врачи"_s); // the patient keeps the doctor among the doctors
            }
            r.A.Rating = R.Percent(50) ? R.Between(5, 10) : 0;
            if (R.Percent(60)) {
                r.D1 = Serial(RandomDay(std::max(YearsAfter(p.Birth, 7), YearsAfter(Today, -30)), Today - 10));
                r.D1Flag = true;
            }
            if (R.Percent(10))
                r.A.Comment = R.Pick(PersonComments());
            Roles.push_back(r);
        }
        if (R.Percent(5)) {
            TRole r;
            r.Paired = false;
            r.A.Holder = Ref(BPerson, i);
            r.A.Kind = Kind::Person;
            r.A.Role = R.Pick(PersonTraits());
            r.A.Rating = R.Percent(30) ? R.Between(1, 10) : 0;
            Roles.push_back(r);
        }
    }
    for (int i = 0; i < static_cast<int>(Orgs.size()); ++i) {
        if (R.Percent(3)) {
            const QStringList& pair = R.Pick(OrganizationPairRoles());
            int other = R.Below(Orgs.size());
            if (other == i)
                continue;
            TRole r;
            r.A.Holder = Ref(BOrg, i);
            r.A.Kind = Kind::Organization;
            r.A.Role = pair.at(0);
            r.A.Group = OrgGroup(pair.at(0) == u"Поставщик"_s ? u"Поставщики"_s : u"Партнёры"_s);
            r.B.Holder = Ref(BOrg, other);
            r.B.Kind = Kind::Organization;
            r.B.Role = pair.at(1);
            r.D1 = Serial(RandomDay(std::max(Orgs[i].Founded, Orgs[other].Founded), Today - 10));
            r.D1Flag = true;
            Roles.push_back(r);
        }
        if (R.Percent(2)) {
            TRole r;
            r.Paired = false;
            r.A.Holder = Ref(BOrg, i);
            r.A.Kind = Kind::Organization;
            r.A.Role = R.Percent(50) ? u"Надёжный партнёр"_s : u"Работает без выходных"_s;
            r.A.Group = OrgGroup(u"Партнёры"_s);
            Roles.push_back(r);
        }
    }
    // Groups kept for one organization or one event only.
    const int limited = std::max(2, static_cast<int>(Orgs.size()) / 100);
    static const QStringList orgOnly = {u"Сотрудники офиса"_s, u"Руководство"_s};
    static const QStringList eventOnly = {u"Выступающие"_s, u"Приглашённые"_s};
    for (int k = 0; k < limited; ++k) {
        int g = AddGroup(GroupType::OrganizationRoles, orgOnly.at(k % 2));
        Groups[g].Limited = true;
        // Distinct owners, so that no owner gets the same name twice.
        Groups[g].Owner = Ref(BOrg, (static_cast<qint64>(k) * 7919) % static_cast<qint64>(Orgs.size()));
        const int e = static_cast<int>((static_cast<qint64>(k) * 7919) % static_cast<qint64>(Events.size()));
        int h = AddGroup(GroupType::EventRoles, eventOnly.at(k % 2));
        Groups[h].Limited = true;
        Groups[h].Owner = Ref(BEvent, e);
        Groups[h].Project = Events[e].Project;
    }
}

void TSeedPlan::FillEvent(TObjectRow& r, qint32 index) const
{
    const TEvent& e = Events[index];
    Prepare(r, Kind::Event, Id(Ref(BEvent, index)));
    const TEventView event(r);
    event.SetName(e.Name);
    event.SetAim(e.Aim);
    event.SetResult(e.Result);
    event.SetEventKind(e.Type);
    event.SetImportance(e.Importance);
    event.SetDirection(e.Direction);
    event.SetProject(Id(e.Project));
    event.SetHasFreePlace(e.FreePlace);
    if (e.FreePlace) {
        event.SetFreePlace(e.Place);
    } else {
        event.SetHost(Id(e.Host));
        event.SetMeetingAddress(Id(Ref(BAddress, e.Address)));
    }
    event.SetStart(e.Start);
    event.SetHasStart(true);
    event.SetEnd(e.End);
    event.SetHasEnd(e.End != 0);
    event.SetDisplayName(EventDisplayName(e.Start, e.Name));
    event.SetComments(e.Comment);
}

void TSeedPlan::FillRole(TObjectRow& r, qint32 index, int part) const
{
    const TRole& v = Roles[index];
    const TRef self = Ref(BRole, index);
    const TRoleSide& side = part == 0 ? v.A : v.B;
    const TRoleSide& other = part == 0 ? v.B : v.A;
    Prepare(r, Kind::Role, Id(self, part));
    const TRoleView role(r);
    role.SetHolder(Id(side.Holder));
    role.SetGroup(Id(side.Group));
    role.SetThird(Id(side.Third));
    role.SetOppositeSide(v.Paired ? Id(self, 1 - part) : Ids::None);
    role.SetHolderKind(side.Kind);
    role.SetOtherKind(v.Paired ? other.Kind : 0);
    role.SetRating(side.Rating);
    role.SetName(side.Role);
    role.SetMarked(side.Flag);
    role.SetFrom(v.D1);
    role.SetHasFrom(v.D1Flag);
    role.SetTo(v.D2);
    role.SetHasEnded(v.D2Flag);
    role.SetComments(side.Comment);
}

} // namespace SeedPlan
