// People and their kinship: families, deaths, godparents, adoptions.

#include "tools/seed/SeedPlan.h"
#include "tools/seed/SeedPhotos.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

namespace SeedPlan {

QString TSeedPlan::FirstName(const TPerson& p) const
{
    return p.Female ? FemaleNames().at(p.First) : MaleNames().at(p.First).Name;
}

QString TSeedPlan::Patronymic(const TPerson& p) const
{
    if (p.FatherName < 0)
        return QString();
    const TMaleName& father = MaleNames().at(p.FatherName);
    return p.Female ? father.DaughterPatronymic : father.SonPatronymic;
}

QString TSeedPlan::SurnameFor(const QString& maleSurname, bool female) const
{
    return female ? FemaleSurname(maleSurname) : maleSurname;
}

int TSeedPlan::NewPerson(bool female, int birth, const QString& maleSurname)
{
    TPerson p;
    p.Female = female;
    p.First = female ? R.Below(FemaleNames().size()) : R.Below(MaleNames().size());
    p.FatherName = R.Below(MaleNames().size());
    p.Surname = SurnameFor(maleSurname, female);
    p.Birth = birth;
    p.LiveUntil = birth;
    People.push_back(p);
    return static_cast<int>(People.size()) - 1;
}

void TSeedPlan::MustLive(int person, int day)
{
    if (person >= 0)
        People[person].LiveUntil = std::max(People[person].LiveUntil, day);
}

int TSeedPlan::TakeChild(std::vector<int>& pool, bool female, int bornFrom, int bornTo)
{
    for (int attempt = 0; attempt < 12 && !pool.empty(); ++attempt) {
        size_t at = R.Below(pool.size());
        int c = pool[at];
        const TPerson& p = People[c];
        if (p.Female == female && !p.Married && p.Birth >= bornFrom && p.Birth <= bornTo) {
            pool[at] = pool.back();
            pool.pop_back();
            return c;
        }
    }
    return -1;
}

void TSeedPlan::PlanPeople()
{
    const int target = P.People;
    std::vector<int> marriages;
    for (int i = 0; i < P.Families; ++i)
        marriages.push_back(RandomDay(YearsAfter(Today, -62), Today - 200));
    std::sort(marriages.begin(), marriages.end());
    std::vector<int> childPool;
    for (int start : marriages) {
        if (static_cast<int>(People.size()) + 5 > target)
            break;
        TFamily f;
        f.Start = start;
        f.StartComplete = R.Percent(92);
        const int unknown = R.Percent(3) ? (R.Percent(50) ? 1 : 2) : 0;
        int husband = -1;
        int wife = -1;
        if (unknown != 1) {
            husband = TakeChild(childPool, false, YearsAfter(start, -34), YearsAfter(start, -20));
            if (husband < 0 || R.Percent(40))
                husband = husband >= 0
                    ? husband
                    : NewPerson(false, RandomDay(YearsAfter(start, -34), YearsAfter(start, -20)), RandomMaleSurname());
        }
        if (unknown != 2) {
            const int near = husband >= 0 ? People[husband].Birth : YearsAfter(start, -25);
            wife = TakeChild(
                childPool, true, YearsAfter(near, -3), std::min(YearsAfter(near, 8), YearsAfter(start, -18)));
            if (wife < 0)
                wife = NewPerson(true,
                    RandomDay(YearsAfter(near, -3), std::min(YearsAfter(near, 8), YearsAfter(start, -18))),
                    RandomMaleSurname());
        }
        const int roll = R.Below(100);
        f.Status = roll < 75 ? 1 : roll < 83 ? 2 : roll < 86 ? 3 : 4;
        if (unknown)
            f.Status = unknown == 1 ? 4 : 2;
        if (f.Status == 4) {
            f.End = RandomDay(YearsAfter(start, 2), std::min(Today - 30, YearsAfter(start, 20)));
            if (f.End <= start)
                f.Status = 1, f.End = 0;
        }
        if (husband >= 0 && wife >= 0 && f.Status != 2 && R.Percent(88))
            People[wife].Surname = FemaleSurname(People[husband].Surname);
        f.Husband = husband;
        f.Wife = wife;
        f.Remind = f.Status <= 3 && R.Percent(30);
        if (R.Percent(10))
            f.Comment = R.Pick(PersonComments());
        MustLive(husband, std::max(start, f.End));
        MustLive(wife, std::max(start, f.End));
        if (husband >= 0)
            People[husband].Married = true;
        if (wife >= 0)
            People[wife].Married = true;
        Families.push_back(f);
        const int family = static_cast<int>(Families.size()) - 1;

        const int children = R.Weighted({15, 35, 35, 12, 3});
        int born = start + R.Between(280, 700);
        for (int c = 0; c < children; ++c) {
            if (born >= Today - 1)
                break;
            if (wife >= 0 && (born > YearsAfter(People[wife].Birth, 42) || born < YearsAfter(People[wife].Birth, 18)))
                break;
            const bool female = R.Percent(49);
            const QString surname = husband >= 0 ? People[husband].Surname : MaleSurname(People[wife].Surname);
            int child = NewPerson(female, born, surname);
            People[child].Family = family;
            People[child].FatherName = husband >= 0 ? People[husband].First : R.Below(MaleNames().size());
            MustLive(husband, born - 270);
            MustLive(wife, born);
            childPool.push_back(child);
            born += R.Between(400, 2200);
        }
    }
    // People outside the recorded families: colleagues, doctors, neighbours, friends.
    while (static_cast<int>(People.size()) < target) {
        const bool female = R.Percent(52);
        int p = NewPerson(female, RandomDay(YearsAfter(Today, -85), YearsAfter(Today, -7)), RandomMaleSurname());
        if (R.Percent(2))
            People[p].Surname.clear();
        if (R.Percent(2))
            People[p].FatherName = -1;
    }
    for (TPerson& p : People) {
        p.Remind = R.Percent(40);
        if (R.Percent(6))
            p.Birth = 0, p.Remind = false;
        if (R.Percent(22))
            p.Comment = R.Below(PersonComments().size());
    }
    PlanDeaths();
    PlanFamilyEnds();
    PlanGodparents();
    PlanAdoptions();
    PlanComingBirthdays();
}

void TSeedPlan::PlanComingBirthdays()
{
    // The program opens on the week ahead: a few people keep their birthdays in the days after the reference
    // day. Only people whose birth date no other row depends on are moved, within their own birth year.
    std::vector<bool> bound(People.size(), false);
    for (const TPerson& p : People) {
        for (int parent : {p.Godfather, p.Godmother})
            if (parent >= 0)
                bound[static_cast<size_t>(parent)] = true;
    }
    for (const TAdoption& a : Adoptions)
        if (a.Person >= 0)
            bound[static_cast<size_t>(a.Person)] = true;
    int placed = 0;
    for (size_t i = 0; i < People.size() && placed < ComingBirthdays; ++i) {
        TPerson& p = People[i];
        if (p.Birth == 0 || p.Death != 0 || p.Family >= 0 || p.Married || bound[i])
            continue;
        const QDate birth = DateOf(p.Birth);
        const QDate day = DateOf(Today + 1 + 2 * placed);
        QDate moved(birth.year(), day.month(), day.day());
        if (!moved.isValid())
            moved = QDate(birth.year(), 3, 1);
        const int serial = static_cast<int>(moved.toJulianDay());
        if (serial > YearsAfter(Today, -7))
            continue;
        p.Birth = serial;
        p.LiveUntil = std::max(p.LiveUntil, serial);
        p.Remind = true;
        ++placed;
    }
}

void TSeedPlan::PlanDeaths()
{
    for (TPerson& p : People) {
        if (p.Birth == 0)
            continue;
        const int age = (Today - p.Birth) / 365;
        const int chance = age > 85 ? 80 : age > 75 ? 45 : age > 65 ? 20 : age > 50 ? 6 : 1;
        if (!R.Percent(chance))
            continue;
        const int from = std::max({p.LiveUntil + 1, YearsAfter(p.Birth, std::min(age, 45)), HistoryStart - 3650});
        if (from >= Today - 2)
            continue;
        p.Death = RandomDay(from, Today - 2);
        p.DeathRemind = R.Percent(10);
    }
}

void TSeedPlan::PlanFamilyEnds()
{
    for (TFamily& f : Families) {
        if (f.Status == 4)
            continue;
        const int hd = f.Husband >= 0 ? People[f.Husband].Death : 0;
        const int wd = f.Wife >= 0 ? People[f.Wife].Death : 0;
        if (hd && wd) {
            f.Status = 7;
            f.End = std::min(hd, wd);
        } else if (hd) {
            f.Status = 6;
            f.End = hd;
        } else if (wd) {
            f.Status = 5;
            f.End = wd;
        }
        if (f.Status >= 5)
            f.Remind = false;
    }
}

void TSeedPlan::PlanGodparents()
{
    const int n = static_cast<int>(People.size());
    for (int i = 0; i < n; ++i) {
        TPerson& child = People[i];
        if (child.Family < 0 || child.Birth == 0 || YearOf(child.Birth) < 1950 || !R.Percent(35))
            continue;
        const TFamily& f = Families[child.Family];
        for (int attempt = 0; attempt < 30; ++attempt) {
            int g = R.Below(n);
            const TPerson& p = People[g];
            const bool fits = g != i && p.Birth > 0 && p.Birth <= YearsAfter(child.Birth, -14)
                && (p.Death == 0 || p.Death > child.Birth + 60);
            if (!fits || g == f.Husband || g == f.Wife)
                continue;
            if (!p.Female && child.Godfather < 0)
                child.Godfather = g;
            else if (p.Female && child.Godmother < 0)
                child.Godmother = g;
            if (child.Godfather >= 0 && child.Godmother >= 0)
                break;
        }
    }
}

void TSeedPlan::PlanAdoptions()
{
    const int wanted = std::max(1, static_cast<int>(Families.size()) / 200);
    for (int attempt = 0; attempt < 4000 && static_cast<int>(Adoptions.size()) < wanted; ++attempt) {
        int person = R.Below(People.size());
        int family = R.Below(Families.size());
        const TPerson& p = People[person];
        const TFamily& f = Families[family];
        if (p.Family >= 0 || p.Birth == 0 || person == f.Husband || person == f.Wife)
            continue;
        bool taken = false;
        for (const TAdoption& a : Adoptions)
            taken = taken || a.Person == person;
        if (taken)
            continue;
        const int date = std::max(f.Start, p.Birth) + R.Between(30, 5 * 365);
        bool fits = date < YearsAfter(p.Birth, 15) && date < Today - 30 && (f.End == 0 || date < f.End);
        for (int parent : {f.Husband, f.Wife}) {
            if (parent >= 0)
                fits = fits && People[parent].Birth > 0 && People[parent].Birth <= YearsAfter(p.Birth, -20)
                    && (People[parent].Death == 0 || People[parent].Death > date);
        }
        if (!fits)
            continue;
        TAdoption a;
        a.Family = family;
        a.Person = person;
        a.Date = date;
        const int years = (date - p.Birth) / 365;
        a.Comment = (p.Female ? u"Удочерена в возрасте "_s : u"Усыновлён в возрасте "_s) + QString::number(years)
            + (years % 10 == 1 && years != 11 ? u" года"_s : u" лет"_s);
        Adoptions.push_back(a);
    }
}

bool TSeedPlan::Alive(int person, int day) const
{
    const TPerson& p = People[person];
    return p.Birth <= day && (p.Death == 0 || p.Death > day);
}

bool TSeedPlan::Adult(int person) const
{
    const TPerson& p = People[person];
    return p.Birth > 0 && p.Death == 0 && p.Birth <= YearsAfter(Today, -18);
}

int TSeedPlan::RandomAdult()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        int p = R.Below(People.size());
        if (Adult(p))
            return p;
    }
    return R.Below(People.size());
}

void TSeedPlan::FillPerson(TObjectRow& r, qint32 index) const
{
    const TPerson& p = People[index];
    Prepare(r, Kind::Person, Id(Ref(BPerson, index)));
    const TPersonView person(r);
    person.SetSurname(p.Surname);
    person.SetFirstName(FirstName(p));
    person.SetPatronymic(Patronymic(p));
    // The display name the store derives on save.
    person.SetDisplayName(PersonDisplayName(person.Surname(), person.FirstName(), person.Patronymic()));
    person.SetIsFemale(p.Female);
    person.SetNativeFamily(Id(Ref(BFamily, p.Family)));
    person.SetGodfather(Id(Ref(BPerson, p.Godfather)));
    person.SetGodmother(Id(Ref(BPerson, p.Godmother)));
    person.SetBirthDate(Serial(p.Birth));
    person.SetBirthDateComplete(p.Birth > 0);
    person.SetRemindBirthday(p.Birth > 0 && p.Remind);
    person.SetDeathDate(Serial(p.Death));
    person.SetIsDead(p.Death > 0);
    person.SetRemindDeathDay(p.Death > 0 && p.DeathRemind);
    if (p.Comment >= 0)
        person.SetComments(PersonComments().at(p.Comment));
    if (SeedPhotos::HasPortrait(index))
        person.SetPhoto(SeedPhotos::Portrait(index, p.Female));
}

void TSeedPlan::FillFamily(TObjectRow& r, qint32 index) const
{
    const TFamily& f = Families[index];
    Prepare(r, Kind::Family, Id(Ref(BFamily, index)));
    const TFamilyView family(r);
    family.SetHusband(Id(Ref(BPerson, f.Husband)));
    family.SetWife(Id(Ref(BPerson, f.Wife)));
    if (f.Husband >= 0)
        family.SetHusbandName(QString(People[f.Husband].Surname + u" "_s + FirstName(People[f.Husband])).trimmed());
    if (f.Wife >= 0)
        family.SetWifeName(QString(People[f.Wife].Surname + u" "_s + FirstName(People[f.Wife])).trimmed());
    family.SetStatus(f.Status);
    family.SetStart(Serial(f.Start));
    family.SetStartComplete(f.StartComplete);
    family.SetRemindStart(f.Remind);
    family.SetEnd(Serial(f.End));
    family.SetHasEnded(f.End > 0);
    family.SetComments(f.Comment);
}

void TSeedPlan::FillAdoption(TObjectRow& r, qint32 index) const
{
    const TAdoption& a = Adoptions[index];
    Prepare(r, Kind::AdoptiveFamilyLink, Id(Ref(BAdoption, index)));
    const TAdoptiveFamilyLinkView adoption(r);
    adoption.SetFamily(Id(Ref(BFamily, a.Family)));
    adoption.SetPerson(Id(Ref(BPerson, a.Person)));
    adoption.SetFrom(Serial(a.Date));
    adoption.SetHasFrom(true);
    adoption.SetComments(a.Comment);
}

} // namespace SeedPlan
