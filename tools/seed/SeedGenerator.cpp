#include "tools/seed/SeedGenerator.h"

#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "tools/seed/SeedWords.h"

#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;
using namespace SeedWords;

namespace {

// xoshiro256** seeded through splitmix64: the same numbers on every platform and compiler, which the
// standard library's distributions do not promise.
class TRandom
{
public:
    explicit TRandom(quint64 seed)
    {
        quint64 x = seed;
        for (quint64& s : m_s) {
            x += 0x9E3779B97F4A7C15ULL;
            quint64 z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            s = z ^ (z >> 31);
        }
    }
    quint64 Next()
    {
        const quint64 result = Rotl(m_s[1] * 5, 7) * 9;
        const quint64 t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = Rotl(m_s[3], 45);
        return result;
    }
    /// 0 .. n-1 (0 when n < 2).
    int Below(qint64 n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<quint64>(n)); }
    qint64 Below64(qint64 n) { return n <= 1 ? 0 : static_cast<qint64>(Next() % static_cast<quint64>(n)); }
    int Between(int lo, int hi) { return hi <= lo ? lo : lo + Below(static_cast<qint64>(hi) - lo + 1); }
    /// True with a probability of \a permille / 1000.
    bool Permille(int permille) { return Below(1000) < permille; }
    bool Percent(int percent) { return Below(100) < percent; }
    /// An index below n with the low ones more frequent (the smaller of two draws).
    int Skewed(int n) { return std::min(Below(n), Below(n)); }
    /// An index by weights.
    int Weighted(const std::vector<int>& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = Below(total);
        for (size_t i = 0; i < weights.size(); ++i) {
            if (r < weights[i])
                return static_cast<int>(i);
            r -= weights[i];
        }
        return 0;
    }
    template <typename L> const auto& Pick(const L& list) { return list.at(Below(list.size())); }

private:
    static quint64 Rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    quint64 m_s[4] = {};
};

enum TBlock : qint8 {
    BGroup,
    BOrg,
    BPerson,
    BFamily,
    BAdoption,
    BAddress,
    BResidence,
    BPhone,
    BInternet,
    BEvent,
    BRole,
    BNote,
    BNoteLink,
    BAccount,
    BOperation,
    BOpLink,
    BlockCount
};

// A reference from one planned object to another: its block and its position there.
struct TRef
{
    qint8 Block = -1;
    qint32 Index = -1;
    bool Valid() const { return Block >= 0 && Index >= 0; }
};

TRef Ref(TBlock block, qint64 index)
{
    return index < 0 ? TRef() : TRef {block, static_cast<qint32>(index)};
}

struct TStamp
{
    qint64 Created = 0; // seconds since the epoch, UTC calendar fields
    qint64 Modified = 0;
};

struct TGroup : TStamp
{
    int Type = 0;
    QString Name;
    TRef Owner;
    TRef Project;
    bool Limited = false;
    int From = 0; // Julian days; 0 = none
    int To = 0;
    QString Comment;
};

enum TOrgSort { OrgCompany, OrgBank, OrgShop, OrgInstitution };

struct TOrg : TStamp
{
    QString Name;
    QString Form;
    int Parent = -1;
    int Sort = OrgCompany;
    int Founded = 0;
    bool Remind = false;
    int Closed = 0;
    QString Comment;
    int Address = -1;
};

struct TPerson : TStamp
{
    QString Surname;
    int First = 0;
    bool Female = false;
    int FatherName = -1;
    int Birth = 0;
    bool Remind = false;
    int Death = 0;
    bool DeathRemind = false;
    int Family = -1;
    int Godfather = -1;
    int Godmother = -1;
    int Comment = -1;
    int Address = -1;
    int LiveUntil = 0; // the person was certainly alive on this day
    bool Married = false;
};

struct TFamily : TStamp
{
    int Husband = -1;
    int Wife = -1;
    int Status = 1;
    int Start = 0;
    bool StartComplete = true;
    bool Remind = false;
    int End = 0;
    QString Comment;
};

struct TAdoption : TStamp
{
    int Family = -1;
    int Person = -1;
    int Date = 0;
    QString Comment;
};

struct TAddress : TStamp
{
    int City = 0;
    int Street = 0;
    QString House;
    QString Flat;
    QString Index;
    QString Comment;
};

struct TResidence : TStamp
{
    int Address = -1;
    TRef Holder;
    bool Now = true;
    int Start = 0;
    int End = 0;
};

struct TPhone : TStamp
{
    TRef Owner;
    int OwnerKind = 1;
    QString Number;
    int Type = 0;
    QString Role;
    QString Comment;
};

struct TInternet : TStamp
{
    TRef Owner;
    int Type = 1;
    QString Address;
    QString Name;
    QString Comment;
};

struct TEvent : TStamp
{
    int Type = 1;
    QString Name;
    QString Aim;
    QString Result;
    QString Place;
    QString Comment;
    int Importance = 2;
    int Direction = 0;
    TRef Project;
    TRef Host;
    int Address = -1;
    bool FreePlace = false;
    double Start = 0;
    double End = 0;
};

struct TRoleSide
{
    TRef Holder;
    int Kind = 0;
    TRef Group;
    QString Role;
    int Rating = 0;
    bool Flag = false;
    TRef Third;
    QString Comment;
};

struct TRole : TStamp
{
    TRoleSide A;
    TRoleSide B;
    bool Paired = true;
    double D1 = 0;
    double D2 = 0;
    bool D1Flag = false;
    bool D2Flag = false;
};

struct TNote : TStamp
{
    QString Title;
    int Type = 1;
    QString Attachment;
    TRef Group;
    QString Text;
    double Date = 0;
};

struct TNoteLink : TStamp
{
    int Note = -1;
    TRef Object;
    bool BothWays = false;
    double Date = 0;
};

struct TAccount : TStamp
{
    QString Name;
    int Type = 0;
    QString Currency;
    int Bank = -1;
    int Opened = 0;
    qint64 Balance = 0;
    QString Comment;
};

struct TOperation : TStamp
{
    int Code = 2;
    int Account = -1;
    qint64 Amount = 0; // signed, on Account
    int Account2 = -1; // the receiving account of a pair
    qint64 Amount2 = 0;
    TRef Counterparty;
    TRef Category;
    TRef Subcategory;
    int Links = 0;
    QString Comment;
    int Date = 0;
};

struct TOpLink : TStamp
{
    int Operation = -1;
    TRef Object;
    TRef Category;
    QString Role;
    QString Comment;
    double Date = 0;
};

struct TUnit
{
    qint64 Created;
    qint8 Block;
    qint32 Index;
};

constexpr qint64 kDay = 24 * 60 * 60;

QDate DateOf(int julianDay)
{
    return QDate::fromJulianDay(julianDay);
}

double Serial(int julianDay)
{
    return julianDay > 0 ? DateSerial::FromDate(DateOf(julianDay)) : 0.0;
}

double SerialAt(int julianDay, int minuteOfDay)
{
    return DateSerial::FromDateTime(DateOf(julianDay), QTime(minuteOfDay / 60, minuteOfDay % 60));
}

qint64 SecsOf(int julianDay, int secondOfDay)
{
    return QDateTime(DateOf(julianDay), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + secondOfDay;
}

int YearsAfter(int julianDay, int years)
{
    return static_cast<int>(DateOf(julianDay).addYears(years).toJulianDay());
}

// The surname of a man of the family of a woman who bears \a surname ("Иванова" -> "Иванов").
QString MaleSurname(const QString& surname)
{
    if (surname.endsWith(u"ская"_s) || surname.endsWith(u"цкая"_s))
        return surname.chopped(2) + u"ий"_s;
    if (surname.endsWith(u"ая"_s))
        return surname.chopped(2) + u"ой"_s;
    if (surname.endsWith(u"ова"_s) || surname.endsWith(u"ева"_s) || surname.endsWith(u"ина"_s))
        return surname.chopped(1);
    return surname;
}

int YearOf(int julianDay)
{
    return DateOf(julianDay).year();
}

} // namespace

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

struct TSeedGenerator::TData
{
    TSeedProfile P;
    TRandom R;
    int Today = 0; // Julian day of the reference day
    int HistoryStart = 0; // the database was begun then
    qint64 Now = 0; // the latest moment any row is written
    quint32 Prefix = 0;
    quint32 FirstCounter = 0;

    std::vector<TGroup> Groups;
    std::vector<TOrg> Orgs;
    std::vector<TPerson> People;
    std::vector<TFamily> Families;
    std::vector<TAdoption> Adoptions;
    std::vector<TAddress> Addresses;
    std::vector<TResidence> Residences;
    std::vector<TPhone> Phones;
    std::vector<TInternet> Internet;
    std::vector<TEvent> Events;
    std::vector<TRole> Roles;
    std::vector<TNote> Notes;
    std::vector<TNoteLink> NoteLinks;
    std::vector<TAccount> Accounts;
    std::vector<TOperation> Operations;
    std::vector<TOpLink> OpLinks;

    // Groups by purpose, as indexes into Groups.
    std::vector<int> Projects;
    std::vector<int> PeopleGroupIndex;
    std::vector<int> OrgGroupIndex;
    std::vector<int> NoteGroupIndex;
    std::vector<std::vector<int>> EventGroupsOfProject; // by position in Projects
    std::vector<int> IncomeCategory; // by position in IncomeCategories()
    std::vector<std::vector<int>> IncomeSub;
    std::vector<int> ExpenseCategory;
    std::vector<std::vector<int>> ExpenseSub;
    std::vector<int> BankIndex;
    std::vector<int> OrgsBySort[4];
    std::vector<int> CityWeights;

    std::vector<TUnit> Units;
    std::vector<quint32> Counters[BlockCount];
    qint64 Rows = 0;
    quint32 Last = 0;

    TData(const TSeedProfile& profile, quint64 seed, const QDate& today, quint32 prefix, quint32 first)
        : P(profile)
        , R(seed)
        , Today(static_cast<int>(today.toJulianDay()))
        , Prefix(prefix)
        , FirstCounter(first)
    {
        HistoryStart = YearsAfter(Today, -std::max(P.Years, P.EventYears) - 1);
        Now = SecsOf(Today, 23 * 3600);
        for (const TCity& c : Cities())
            CityWeights.push_back(c.Weight);
    }

    // ---- time helpers ----------------------------------------------------------------------------

    qint64 Clamp(qint64 secs) const { return std::min(secs, Now); }
    qint64 RandomMomentBetween(int fromDay, int toDay)
    {
        fromDay = std::max(fromDay, HistoryStart);
        toDay = std::max(fromDay, std::min(toDay, Today));
        return Clamp(SecsOf(fromDay + R.Below(toDay - fromDay + 1), R.Between(8 * 3600, 23 * 3600)));
    }
    qint64 Shortly(qint64 after) { return Clamp(std::max(after, SecsOf(HistoryStart, 9 * 3600)) + R.Below(3 * kDay)); }
    int RandomDay(int fromDay, int toDay)
    {
        return toDay <= fromDay ? fromDay : fromDay + R.Below(toDay - fromDay + 1);
    }

    // ---- names --------------------------------------------------------------------------------------

    QString FirstName(const TPerson& p) const
    {
        return p.Female ? FemaleNames().at(p.First) : MaleNames().at(p.First).Name;
    }
    QString Patronymic(const TPerson& p) const
    {
        if (p.FatherName < 0)
            return QString();
        const TMaleName& father = MaleNames().at(p.FatherName);
        return p.Female ? father.DaughterPatronymic : father.SonPatronymic;
    }
    QString SurnameFor(const QString& maleSurname, bool female) const
    {
        return female ? FemaleSurname(maleSurname) : maleSurname;
    }
    QString RandomMaleSurname() { return Surnames().at(R.Skewed(Surnames().size())); }

    int NewPerson(bool female, int birth, const QString& maleSurname)
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

    // ---- groups -------------------------------------------------------------------------------------

    int AddGroup(int type, const QString& name)
    {
        TGroup g;
        g.Type = type;
        g.Name = name;
        Groups.push_back(g);
        return static_cast<int>(Groups.size()) - 1;
    }

    void PlanGroups()
    {
        for (const TCategory& c : IncomeCategories()) {
            IncomeCategory.push_back(AddGroup(25, c.Name));
            IncomeSub.emplace_back();
            for (const QString& s : c.Subcategories) {
                int g = AddGroup(27, s);
                Groups[g].Owner = Ref(BGroup, IncomeCategory.back());
                IncomeSub.back().push_back(g);
            }
        }
        for (const TCategory& c : ExpenseCategories()) {
            ExpenseCategory.push_back(AddGroup(26, c.Name));
            ExpenseSub.emplace_back();
            for (const QString& s : c.Subcategories) {
                int g = AddGroup(28, s);
                Groups[g].Owner = Ref(BGroup, ExpenseCategory.back());
                ExpenseSub.back().push_back(g);
            }
        }
        for (const QString& name : PeopleGroups())
            PeopleGroupIndex.push_back(AddGroup(1, name));
        for (const QString& name : OrganizationGroups())
            OrgGroupIndex.push_back(AddGroup(6, name));
        for (const QString& name : NoteGroups())
            NoteGroupIndex.push_back(AddGroup(10, name));
        for (int i = 0; i < P.Projects; ++i) {
            const QStringList& names = ProjectNames();
            QString name = names.at(i % names.size());
            int from = RandomDay(HistoryStart, Today - 30);
            if (i >= names.size())
                name += u" "_s + QString::number(YearOf(from));
            int g = AddGroup(9, name);
            Groups[g].From = from;
            Groups[g].To = R.Percent(25) ? 0 : std::min(Today + 180, from + R.Between(30, 700));
            if (R.Percent(60))
                Groups[g].Comment = R.Pick(NoteSentences());
            Projects.push_back(g);
            EventGroupsOfProject.emplace_back();
            if (R.Percent(50)) {
                for (const QString& eventGroup : EventGroups()) {
                    int e = AddGroup(8, eventGroup);
                    Groups[e].Project = Ref(BGroup, g);
                    EventGroupsOfProject.back().push_back(e);
                }
            }
        }
    }

    // A project running on \a day, or none.
    TRef ProjectAt(int day)
    {
        for (int attempt = 0; attempt < 8 && !Projects.empty(); ++attempt) {
            int g = R.Pick(Projects);
            if (Groups[g].From <= day && (Groups[g].To == 0 || Groups[g].To >= day))
                return Ref(BGroup, g);
        }
        return TRef();
    }
    int ProjectPosition(TRef project) const
    {
        for (size_t i = 0; i < Projects.size(); ++i) {
            if (Projects[i] == project.Index)
                return static_cast<int>(i);
        }
        return -1;
    }

    // ---- organizations ------------------------------------------------------------------------------

    int AddOrg(const QString& name, const QString& form, int sort, int parent)
    {
        TOrg o;
        o.Name = name;
        o.Form = form;
        o.Sort = sort;
        o.Parent = parent;
        o.Founded = parent >= 0 ? RandomDay(Orgs[parent].Founded, Today - 60)
                                : RandomDay(YearsAfter(Today, sort == OrgInstitution ? -70 : -30), Today - 365);
        o.Remind = R.Percent(10);
        if (R.Percent(3))
            o.Closed = RandomDay(o.Founded + 365, Today);
        if (R.Percent(10))
            o.Comment = R.Pick(NoteSentences());
        Orgs.push_back(o);
        int index = static_cast<int>(Orgs.size()) - 1;
        if (parent < 0)
            OrgsBySort[sort].push_back(index);
        return index;
    }

    QString CompanyName() { return R.Pick(CompanyStems()) + R.Pick(CompanyEndings()); }

    void PlanOrganizations()
    {
        int institutionNumber[16] = {};
        for (int i = 0; i < P.Banks; ++i) {
            const QStringList& names = BankNames();
            int bank = AddOrg(names.at(i % names.size()), i % 2 ? u"АО"_s : u"ПАО"_s, OrgBank, -1);
            BankIndex.push_back(bank);
        }
        const int independent = std::max(P.Banks + 1, P.Organizations * 4 / 5);
        while (static_cast<int>(Orgs.size()) < independent) {
            int sort = R.Weighted({45, 0, 32, 23});
            if (sort == OrgCompany) {
                int form = R.Weighted({60, 15, 10, 5, 10});
                if (form == 2) {
                    QString surname = RandomMaleSurname();
                    QString initials = MaleNames().at(R.Below(MaleNames().size())).Name.left(1) + u". "_s
                        + MaleNames().at(R.Below(MaleNames().size())).Name.left(1) + u"."_s;
                    AddOrg(surname + u" "_s + initials, u"ИП"_s, OrgCompany, -1);
                } else {
                    static const QStringList forms = {u"ООО"_s, u"АО"_s, u""_s, u"ЗАО"_s, u"ПАО"_s};
                    QString name = CompanyName();
                    // Some companies write their name in quotes, as in their papers.
                    if (R.Percent(8))
                        name = u"\""_s + name + u"\""_s;
                    AddOrg(name, forms.at(form), OrgCompany, -1);
                }
            } else if (sort == OrgShop) {
                AddOrg(R.Pick(ShopKinds()) + u" «"_s + R.Pick(ShopNames()) + u"»"_s, R.Percent(70) ? u"ООО"_s : u"ИП"_s,
                    OrgShop, -1);
            } else {
                int kind = R.Below(Institutions().size());
                const QStringList& inst = Institutions().at(kind);
                AddOrg(
                    inst.at(0) + u" "_s + QString::number(++institutionNumber[kind]), inst.at(1), OrgInstitution, -1);
            }
        }
        // Branches hang under independent companies and banks; two levels at most.
        while (static_cast<int>(Orgs.size()) < P.Organizations) {
            const bool ofBank = R.Percent(20) && !BankIndex.empty();
            int parent = ofBank ? R.Pick(BankIndex) : R.Pick(OrgsBySort[OrgCompany]);
            QString name;
            if (ofBank)
                name = u"Дополнительный офис № "_s + QString::number(R.Between(1, 999));
            else if (R.Percent(40))
                name = u"Филиал в г. "_s + Cities().at(R.Weighted(CityWeights)).Name;
            else
                name = R.Pick(BranchNames());
            AddOrg(name, Orgs[parent].Name, Orgs[parent].Sort, parent);
        }
    }

    int RandomOrg(int sort)
    {
        const std::vector<int>& list = OrgsBySort[sort];
        return list.empty() ? R.Below(Orgs.size()) : list[R.Skewed(list.size())];
    }

    // ---- people and kinship -------------------------------------------------------------------------

    void MustLive(int person, int day)
    {
        if (person >= 0)
            People[person].LiveUntil = std::max(People[person].LiveUntil, day);
    }

    // An unmarried child of an earlier family, of the sex and born in the range asked; -1 when none.
    int TakeChild(std::vector<int>& pool, bool female, int bornFrom, int bornTo)
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

    void PlanPeople()
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
                    husband = husband >= 0 ? husband
                                           : NewPerson(false, RandomDay(YearsAfter(start, -34), YearsAfter(start, -20)),
                                               RandomMaleSurname());
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
                if (wife >= 0
                    && (born > YearsAfter(People[wife].Birth, 42) || born < YearsAfter(People[wife].Birth, 18)))
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
    }

    void PlanDeaths()
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

    void PlanFamilyEnds()
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

    void PlanGodparents()
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

    void PlanAdoptions()
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

    bool Alive(int person, int day) const
    {
        const TPerson& p = People[person];
        return p.Birth <= day && (p.Death == 0 || p.Death > day);
    }
    bool Adult(int person) const
    {
        const TPerson& p = People[person];
        return p.Birth > 0 && p.Death == 0 && p.Birth <= YearsAfter(Today, -18);
    }
    // A living adult, or any person when none is found quickly.
    int RandomAdult()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            int p = R.Below(People.size());
            if (Adult(p))
                return p;
        }
        return R.Below(People.size());
    }

    // ---- addresses, residences, phones, internet ---------------------------------------------------

    int NewAddress(int city)
    {
        TAddress a;
        // A third of the addresses are in a building that already has one: flats of neighbours.
        if (!Addresses.empty() && R.Percent(35)) {
            for (int attempt = 0; attempt < 6; ++attempt) {
                int other = R.Below(Addresses.size());
                if (Addresses[other].City == city && !Addresses[other].Flat.isEmpty()) {
                    a = Addresses[other];
                    a.Flat = QString::number(R.Between(1, 350));
                    a.Comment.clear();
                    Addresses.push_back(a);
                    return static_cast<int>(Addresses.size()) - 1;
                }
            }
        }
        const TCity& c = Cities().at(city);
        a.City = city;
        a.Street = R.Below(Streets().size());
        a.House = QString::number(R.Between(1, 150));
        if (R.Percent(12))
            a.House += R.Percent(50) ? u"к"_s + QString::number(R.Between(1, 4)) : u"А"_s;
        const bool flats = c.Name != u"Горки Ленинские"_s && c.Name != u"Сущёво"_s && R.Percent(85);
        if (flats)
            a.Flat = QString::number(R.Between(1, 350));
        a.Index = QStringLiteral("%1").arg(c.IndexBase + R.Below(c.IndexRange), 6, 10, QLatin1Char('0'));
        if (R.Percent(8)) {
            static const QStringList notes = {u"Домофон 45К"_s, u"Код подъезда 1234"_s, u"Вход со двора"_s,
                u"Третий этаж, лифта нет"_s, u"Шлагбаум, звонить заранее"_s};
            a.Comment = R.Pick(notes);
        }
        Addresses.push_back(a);
        return static_cast<int>(Addresses.size()) - 1;
    }

    // A new address while the planned number is not reached; afterwards someone moves in with others.
    int SomeAddress()
    {
        if (static_cast<int>(Addresses.size()) < P.Addresses || Addresses.empty())
            return NewAddress(R.Weighted(CityWeights));
        return R.Below(Addresses.size());
    }

    void AddResidence(int address, TRef holder, int start, int end)
    {
        TResidence r;
        r.Address = address;
        r.Holder = holder;
        r.Start = start;
        r.End = end;
        r.Now = end == 0;
        Residences.push_back(r);
    }

    void Reside(int person, int address, int start)
    {
        const TPerson& p = People[person];
        start = std::max(start, p.Birth);
        if (p.Death && start >= p.Death)
            start = 0;
        AddResidence(address, Ref(BPerson, person), R.Percent(85) ? start : 0, p.Death);
        if (p.Death == 0)
            People[person].Address = address;
    }

    void PlanResidences()
    {
        for (int i = 0; i < static_cast<int>(Families.size()); ++i) {
            const TFamily& f = Families[i];
            const int home = SomeAddress();
            if (f.Husband >= 0 && R.Percent(20))
                AddResidence(SomeAddress(), Ref(BPerson, f.Husband), YearsAfter(People[f.Husband].Birth, 18), f.Start);
            for (int partner : {f.Husband, f.Wife}) {
                if (partner < 0)
                    continue;
                if (f.Status == 4 && partner == f.Husband) {
                    AddResidence(home, Ref(BPerson, partner), f.Start, f.End);
                    Reside(partner, SomeAddress(), f.End);
                } else {
                    Reside(partner, home, f.Start);
                }
            }
        }
        for (int i = 0; i < static_cast<int>(People.size()); ++i) {
            TPerson& p = People[i];
            if (p.Married)
                continue;
            if (p.Family >= 0) {
                const TFamily& f = Families[p.Family];
                const int parent = f.Wife >= 0 ? f.Wife : f.Husband;
                const int parentsHome = parent >= 0 ? People[parent].Address : -1;
                if (parentsHome >= 0 && (p.Birth == 0 || p.Birth > YearsAfter(Today, -25))) {
                    Reside(i, parentsHome, p.Birth);
                    continue;
                }
                if (R.Percent(60))
                    Reside(i, SomeAddress(), p.Birth ? YearsAfter(p.Birth, R.Between(18, 25)) : 0);
            } else if (R.Percent(60)) {
                Reside(i, SomeAddress(), RandomDay(p.Birth ? YearsAfter(p.Birth, 18) : HistoryStart, Today - 30));
            }
        }
        for (int i = 0; i < static_cast<int>(Orgs.size()); ++i) {
            if (R.Percent(Orgs[i].Parent >= 0 ? 40 : 70)) {
                int a = SomeAddress();
                AddResidence(a, Ref(BOrg, i), R.Percent(50) ? Orgs[i].Founded : 0, 0);
                Orgs[i].Address = a;
            }
        }
        // Addresses nobody lives at any more: the old flat of the parents, a dacha, a garage.
        while (static_cast<int>(Addresses.size()) < P.Addresses) {
            int a = NewAddress(R.Weighted(CityWeights));
            if (R.Percent(50)) {
                int p = R.Below(People.size());
                int start = People[p].Birth ? YearsAfter(People[p].Birth, 18) : HistoryStart;
                const int last = People[p].Death ? People[p].Death - 1 : Today - 30;
                if (start + 365 < last)
                    AddResidence(a, Ref(BPerson, p), start, RandomDay(start + 365, last));
            }
        }
    }

    QString PhoneNumber(const QString& areaCode, bool mobile)
    {
        static const QStringList mobiles = {u"903"_s, u"905"_s, u"909"_s, u"915"_s, u"916"_s, u"917"_s, u"925"_s,
            u"926"_s, u"977"_s, u"985"_s, u"999"_s, u"963"_s};
        const QString code = mobile ? R.Pick(mobiles) : areaCode;
        return u"7 "_s + code + QStringLiteral("%1").arg(R.Below(10000000), 7, 10, QLatin1Char('0'));
    }

    void AddPhone(TRef owner, int ownerKind, const QString& number, int type, const QString& role)
    {
        TPhone t;
        t.Owner = owner;
        t.OwnerKind = ownerKind;
        t.Number = number;
        t.Type = type;
        t.Role = role;
        if (R.Percent(8)) {
            static const QStringList notes
                = {u"только по будням"_s, u"после 18:00"_s, u"старый номер"_s, u"через секретаря"_s};
            t.Comment = R.Pick(notes);
        }
        Phones.push_back(t);
    }

    void AddInternet(TRef owner, int type, const QString& address, const QString& name)
    {
        TInternet n;
        n.Owner = owner;
        n.Type = type;
        n.Address = address;
        n.Name = name;
        Internet.push_back(n);
    }

    void PlanContacts()
    {
        static const QStringList domains
            = {u"mail.ru"_s, u"yandex.ru"_s, u"gmail.com"_s, u"rambler.ru"_s, u"bk.ru"_s, u"list.ru"_s};
        for (int i = 0; i < static_cast<int>(People.size()); ++i) {
            const TPerson& p = People[i];
            if (p.Death || (p.Birth && p.Birth > YearsAfter(Today, -10)))
                continue;
            if (R.Percent(80))
                AddPhone(Ref(BPerson, i), 1, PhoneNumber(QString(), true), 3, QString());
            if (R.Percent(12))
                AddPhone(Ref(BPerson, i), 1, PhoneNumber(QString(), true), 3, QString());
            const QString login = Transliterate(FirstName(p)) + u"."_s
                + Transliterate(p.Surname.isEmpty() ? Patronymic(p) : p.Surname)
                + (R.Percent(50) ? QString::number(R.Between(1, 99)) : QString());
            if (R.Percent(35))
                AddInternet(Ref(BPerson, i), 1, login + u"@"_s + R.Pick(domains), QString());
            if (R.Percent(15)) {
                const bool vk = R.Percent(70);
                AddInternet(Ref(BPerson, i), 3,
                    vk ? u"https://vk.com/id"_s + QString::number(R.Between(10000, 99999999))
                       : u"https://ok.ru/profile/"_s + QString::number(R.Between(100000, 999999999)),
                    vk ? u"ВКонтакте"_s : u"Одноклассники"_s);
            }
            if (R.Percent(15))
                AddInternet(Ref(BPerson, i), 4,
                    u"@"_s + login.left(login.indexOf(u'.')) + u"_"_s + QString::number(R.Between(10, 999)),
                    R.Percent(70) ? u"Telegram"_s : u"WhatsApp"_s);
            if (R.Percent(3))
                AddInternet(Ref(BPerson, i), 5, QString(login).replace(u'.', u'_'), QString());
            if (R.Percent(2))
                AddInternet(Ref(BPerson, i), 6,
                    u"https://"_s + QString(login).replace(u'.', u'-') + u".livejournal.com"_s, u"Блог"_s);
        }
        for (int i = 0; i < static_cast<int>(Addresses.size()); ++i) {
            const QString& code = Cities().at(Addresses[i].City).AreaCode;
            if (!code.isEmpty() && R.Percent(35))
                AddPhone(Ref(BAddress, i), 3, PhoneNumber(code, false), 0, QString());
        }
        for (int i = 0; i < static_cast<int>(Orgs.size()); ++i) {
            const TOrg& o = Orgs[i];
            const QString code = o.Address >= 0 ? Cities().at(Addresses[o.Address].City).AreaCode : u"495"_s;
            const int phones = R.Weighted({15, 50, 25, 10});
            for (int k = 0; k < phones; ++k) {
                static const QStringList roles
                    = {u""_s, u""_s, u""_s, u"Главный бухгалтер"_s, u"Директор"_s, u"Менеджер"_s, u"Секретарь"_s};
                AddPhone(Ref(BOrg, i), 6, PhoneNumber(code.isEmpty() ? u"495"_s : code, false),
                    R.Weighted({70, 10, 20}), R.Pick(roles));
            }
            const QString site = Transliterate(o.Parent >= 0 ? Orgs[o.Parent].Name : o.Name);
            if (o.Parent < 0 && !site.isEmpty() && R.Percent(50))
                AddInternet(Ref(BOrg, i), 2, u"https://"_s + site + u".ru"_s, QString());
            if (o.Parent < 0 && !site.isEmpty() && R.Percent(40))
                AddInternet(Ref(BOrg, i), 1, u"info@"_s + site + u".ru"_s, QString());
        }
    }

    // ---- events and roles ---------------------------------------------------------------------------

    TRef ParticipantAt(int day, int orgPercent)
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

    static int KindOf(TRef ref)
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

    int AddressOf(TRef holder) const
    {
        if (holder.Block == BPerson)
            return People[holder.Index].Address;
        if (holder.Block == BOrg)
            return Orgs[holder.Index].Address;
        return -1;
    }

    void PlanEvents()
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
            const int length = e.Type == 1 ? R.Between(4, 12) * 15 : (e.Type <= 3 ? R.Between(10, 45) : 0);
            if (e.Type == 11 && R.Percent(50))
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
            const int participants = e.Type == 1 ? R.Weighted({40, 35, 15, 10}) + 1 : 1;
            Events.push_back(e);
            const int event = static_cast<int>(Events.size()) - 1;
            TRef first;
            for (int k = 0; k < participants; ++k) {
                TRef who = ParticipantAt(day, e.Type == 1 ? 25 : 20);
                if (!first.Valid())
                    first = who;
                AddParticipation(event, who, past);
            }
            if (e.Type == 1) {
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

    void AddParticipation(int event, TRef who, bool past)
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

    TRef PeopleGroup(const QString& name) const
    {
        for (int g : PeopleGroupIndex) {
            if (Groups[g].Name == name)
                return Ref(BGroup, g);
        }
        return TRef();
    }
    TRef OrgGroup(const QString& name) const
    {
        for (int g : OrgGroupIndex) {
            if (Groups[g].Name == name)
                return Ref(BGroup, g);
        }
        return TRef();
    }

    void PlanRoles()
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
                r.A.Role = sort == OrgBank   ? u"Вкладчик"_s
                    : sort == OrgInstitution ? u"Пациент"_s
                                             : R.Pick(ClientRoles());
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
            int g = AddGroup(6, orgOnly.at(k % 2));
            Groups[g].Limited = true;
            // Distinct owners, so that no owner gets the same name twice.
            Groups[g].Owner = Ref(BOrg, (static_cast<qint64>(k) * 7919) % static_cast<qint64>(Orgs.size()));
            const int e = static_cast<int>((static_cast<qint64>(k) * 7919) % static_cast<qint64>(Events.size()));
            int h = AddGroup(8, eventOnly.at(k % 2));
            Groups[h].Limited = true;
            Groups[h].Owner = Ref(BEvent, e);
            Groups[h].Project = Events[e].Project;
        }
    }

    // ---- notes --------------------------------------------------------------------------------------

    TRef RandomObject()
    {
        const int roll = R.Below(100);
        if (roll < 50)
            return Ref(BPerson, R.Below(People.size()));
        if (roll < 65)
            return Ref(BOrg, R.Below(Orgs.size()));
        if (roll < 80 && !Events.empty())
            return Ref(BEvent, R.Below(Events.size()));
        if (roll < 92 && !Families.empty())
            return Ref(BFamily, R.Below(Families.size()));
        return Ref(BAddress, R.Below(Addresses.size()));
    }

    void PlanNotes()
    {
        for (int i = 0; i < P.Notes; ++i) {
            TNote n;
            n.Title = R.Pick(NoteTitles()).left(25);
            n.Type = R.Weighted({60, 15, 15, 10}) + 1;
            const QString folder = u"/home/user/Документы/"_s;
            if (n.Type == 2)
                n.Attachment = folder + n.Title;
            else if (n.Type == 3)
                n.Attachment = folder + n.Title + (R.Percent(50) ? u".pdf"_s : u".docx"_s);
            else if (n.Type == 4)
                n.Attachment = u"https://www."_s + Transliterate(n.Title).left(12) + u".ru/"_s;
            const int roll = R.Below(100);
            if (roll < 40)
                n.Group = Ref(BGroup, R.Pick(NoteGroupIndex));
            else if (roll < 60 && !Projects.empty())
                n.Group = Ref(BGroup, R.Pick(Projects));
            const int sentences = R.Percent(12) ? R.Between(6, 14) : R.Between(1, 3);
            QStringList text;
            for (int k = 0; k < sentences; ++k)
                text << R.Pick(NoteSentences());
            n.Text = text.join(u' ').left(1000);
            const qint64 u = R.Below(1000);
            const int day = Today - static_cast<int>(P.EventYears * 365 * u * u / 1000000);
            n.Created = Clamp(SecsOf(std::max(day, HistoryStart), R.Between(7 * 3600, 23 * 3600)));
            n.Date = DateSerial::FromDateTime(QDateTime::fromSecsSinceEpoch(n.Created, Qt::UTC));
            Notes.push_back(n);
            const int note = static_cast<int>(Notes.size()) - 1;
            if (R.Percent(70)) {
                const int links = R.Weighted({60, 30, 10}) + 1;
                for (int k = 0; k < links; ++k) {
                    TNoteLink l;
                    l.Note = note;
                    if (note > 0 && R.Percent(5)) {
                        l.Object = Ref(BNote, R.Below(note));
                        l.BothWays = true;
                    } else {
                        l.Object = RandomObject();
                    }
                    NoteLinks.push_back(l);
                }
            }
        }
    }

    // ---- finance ------------------------------------------------------------------------------------

    enum TAccountRole { Cash, Card, Savings, Dollars, DollarCash, Credit, Deposit, Wallet, Broker, EuroCash };

    // What may leave an account: cash and debit accounts never go below zero, a credit card has a limit.
    qint64 Available(int account) const { return Accounts[account].Balance + (account == Credit ? 30000000 : 0); }
    // The account a fixed payment is taken from: the one asked for while it holds enough, else the card.
    int Payer(int account, qint64 amount) const { return Available(account) >= amount ? account : int(Card); }

    int AddAccount(const QString& name, int type, const QString& currency, int bank)
    {
        TAccount a;
        a.Name = name;
        a.Type = type;
        a.Currency = currency;
        a.Bank = type > 0 ? bank : -1;
        a.Opened = type > 0 ? RandomDay(YearsAfter(Today, -P.Years) - 365, YearsAfter(Today, -P.Years)) : 0;
        Accounts.push_back(a);
        return static_cast<int>(Accounts.size()) - 1;
    }

    int Op(int code, int account, qint64 amount, int day)
    {
        TOperation o;
        o.Code = code;
        o.Account = account;
        o.Amount = amount;
        o.Date = day;
        o.Created = Clamp(SecsOf(day, R.Between(19 * 3600, 23 * 3600 + 3599)));
        o.Modified = o.Created;
        Operations.push_back(o);
        Accounts[account].Balance += amount;
        return static_cast<int>(Operations.size()) - 1;
    }

    int Income(int account, qint64 amount, int day, int category, int sub, TRef payer)
    {
        int o = Op(1, account, amount, day);
        Operations[o].Category = Ref(BGroup, IncomeCategory[category]);
        if (sub >= 0 && sub < static_cast<int>(IncomeSub[category].size()))
            Operations[o].Subcategory = Ref(BGroup, IncomeSub[category][sub]);
        Operations[o].Counterparty = payer;
        return o;
    }

    int Expense(int account, qint64 amount, int day, int category, int sub, TRef recipient)
    {
        int o = Op(2, account, -amount, day);
        Operations[o].Category = Ref(BGroup, ExpenseCategory[category]);
        if (sub >= 0 && sub < static_cast<int>(ExpenseSub[category].size()))
            Operations[o].Subcategory = Ref(BGroup, ExpenseSub[category][sub]);
        Operations[o].Counterparty = recipient;
        if (R.Percent(12))
            Operations[o].Comment = R.Pick(OperationComments());
        return o;
    }

    // A transfer (code 4, same currency) or an exchange (code 8): two rows, one on each account.
    void Pair(int code, int from, qint64 taken, int to, qint64 received, int day)
    {
        int o = Op(code, from, -taken, day);
        Operations[o].Account2 = to;
        Operations[o].Amount2 = received;
        Accounts[to].Balance += received;
    }

    static qint64 Round(qint64 amount, qint64 step) { return std::max<qint64>(step, amount / step * step); }

    int Category(const QString& name, bool income) const
    {
        const QList<TCategory>& list = income ? IncomeCategories() : ExpenseCategories();
        for (int i = 0; i < list.size(); ++i) {
            if (list.at(i).Name == name)
                return i;
        }
        return 0;
    }

    void PlanFinance()
    {
        const bool full = P.Accounts >= 10;
        const int bank0 = BankIndex.empty() ? -1 : BankIndex[0];
        const int bank1 = BankIndex.size() > 1 ? BankIndex[1] : bank0;
        const int bank2 = BankIndex.size() > 2 ? BankIndex[2] : bank0;
        AddAccount(u"Кошелёк"_s, 0, u"руб."_s, -1);
        AddAccount(u"Зарплатная карта"_s, 2, u"руб."_s, bank0);
        AddAccount(u"Сберегательный счёт"_s, 1, u"руб."_s, bank0);
        AddAccount(u"Валютный счёт"_s, 1, u"$"_s, bank1);
        AddAccount(u"Наличные доллары"_s, 0, u"$"_s, -1);
        if (full) {
            AddAccount(u"Кредитная карта"_s, 6, u"руб."_s, bank1);
            AddAccount(u"Вклад «Пополняемый»"_s, 4, u"руб."_s, bank2);
            AddAccount(u"Электронный кошелёк"_s, 3, u"руб."_s, -1);
            AddAccount(u"Брокерский счёт"_s, 5, u"руб."_s, bank2);
            AddAccount(u"Наличные евро"_s, 0, u"€"_s, -1);
        }
        Accounts[Cash].Comment = u"Наличные в кошельке"_s;
        Accounts[Dollars].Comment = u"Валютный вклад до востребования"_s;

        const int employer = OrgsBySort[OrgCompany].empty() ? 0 : OrgsBySort[OrgCompany][0];
        const int utilities = RandomOrg(OrgCompany);
        const int firstDay = YearsAfter(Today, -P.Years) + 1;
        const int days = Today - firstDay + 1;
        const double fixedPerDay = (full ? 280.0 : 210.0) / 365.0;
        const double rate = std::max(0.3, static_cast<double>(P.Operations) / days - fixedPerDay);
        const int whole = static_cast<int>(rate);
        const int fraction = static_cast<int>((rate - whole) * 1000);
        const std::vector<int> weights = {40, 15, 0, 0, 7, 6, 10, 3, 4, full ? 6 : 0, 5, 0};
        std::vector<int> friends;
        for (int attempt = 0; attempt < 30; ++attempt)
            friends.push_back(RandomAdult());

        struct TDebt
        {
            int Code;
            int Due;
            qint64 Amount;
            int Person;
            int Account;
        };
        std::vector<TDebt> debts;
        for (int day = firstDay; day <= Today; ++day) {
            const QDate date = DateOf(day);
            const double years = static_cast<double>(day - firstDay) / 365.0;
            // A monthly salary growing by about 8 % a year, to 150 000 roubles on the reference day.
            const qint64 salary = std::llround(15000000.0 * std::pow(1.08, years - P.Years) / 100.0) * 100;
            const double dollarRate = 30.0 + 65.0 * (day - firstDay + 365.0 * (20 - P.Years)) / (365.0 * 20);
            auto bank = [&](int account) { return Ref(BOrg, Accounts[account].Bank); };

            if (date.day() == 5)
                Income(Card, salary * 4 / 10, day, 0, 0, Ref(BOrg, employer));
            if (date.day() == 20)
                Income(Card, salary - salary * 4 / 10, day, 0, 1, Ref(BOrg, employer));
            if (date.month() == 12 && date.day() == 25 && full)
                Income(Card, salary / 2, day, 1, 1, Ref(BOrg, employer));
            if (date.day() == date.daysInMonth()) {
                if (Accounts[Savings].Balance > 0)
                    Income(
                        Savings, std::max<qint64>(1, Accounts[Savings].Balance * 3 / 1000), day, 2, -1, bank(Savings));
                if (full && Accounts[Deposit].Balance > 0)
                    Income(
                        Deposit, std::max<qint64>(1, Accounts[Deposit].Balance * 6 / 1000), day, 2, -1, bank(Deposit));
            }
            if (date.day() == 10) {
                const qint64 bill = salary * R.Between(3, 9) / 100;
                Expense(Payer(Card, bill), bill, day, Category(u"Жильё"_s, false), 0, Ref(BOrg, utilities));
            }
            if (date.day() == 15)
                Expense(Card, Round(salary / 200, 100), day, Category(u"Связь"_s, false), 0, TRef());
            if (date.day() == 16) {
                const qint64 bill = Round(salary / 180, 100);
                Expense(Payer(full ? int(Wallet) : int(Card), bill), bill, day, Category(u"Связь"_s, false), 1, TRef());
            }
            if (full && date.day() == 3 && Accounts[Wallet].Balance < salary / 50)
                Pair(4, Card, Round(salary / 50, 10000), Wallet, Round(salary / 50, 10000), day);
            if (date.dayOfWeek() == 6 && Accounts[Cash].Balance < salary / 6 && Accounts[Card].Balance > salary / 5) {
                const qint64 cash = Round(salary * R.Between(10, 20) / 100, 100000);
                Pair(4, Card, cash, Cash, cash, day);
            }
            if (date.day() == 21 && Accounts[Card].Balance > salary * 6 / 10) {
                const qint64 spare = Round(Accounts[Card].Balance - salary * 4 / 10, 100000);
                Pair(4, Card, spare, Savings, spare, day);
            }
            if (full && date.day() == 25 && Accounts[Credit].Balance < 0
                && Accounts[Card].Balance > -Accounts[Credit].Balance) {
                const qint64 debt = -Accounts[Credit].Balance;
                Pair(4, Card, debt, Credit, debt, day);
            }
            if (full && date.day() == 1 && date.month() % 3 == 1 && Accounts[Savings].Balance > salary * 2) {
                const qint64 amount = Round(Accounts[Savings].Balance / 5, 100000);
                Pair(4, Savings, amount, Deposit, amount, day);
            }
            // A deposit that has grown large is partly taken back, and then spent like other savings.
            if (full && date.day() == 10 && date.month() == 1 && Accounts[Deposit].Balance > salary * 40) {
                const qint64 amount = Round(Accounts[Deposit].Balance / 2, 100000);
                Pair(4, Deposit, amount, Savings, amount, day);
            }
            if (full && date.day() == 2 && date.month() == 2 && Accounts[Savings].Balance > salary * 2) {
                const qint64 amount = Round(Accounts[Savings].Balance / 10, 100000);
                Pair(4, Savings, amount, Broker, amount, day);
            }
            if (full && date.day() == 28 && date.month() % 3 == 0 && Accounts[Broker].Balance > 0)
                Income(Broker, Accounts[Broker].Balance / 100, day, Category(u"Инвестиции"_s, true), 0, bank(Broker));
            // Currency bought a few times a year, spent on holidays.
            if (date.day() == 12 && date.month() % 3 == 2 && Accounts[Savings].Balance > salary) {
                const qint64 roubles = Round(Accounts[Savings].Balance / 10, 100000);
                Pair(8, Savings, roubles, Dollars, std::llround(roubles / dollarRate), day);
            }
            if (date.month() == 6 && date.day() == 20 && Accounts[Dollars].Balance > 10000) {
                const qint64 dollars = Round(Accounts[Dollars].Balance * 3 / 10, 1000);
                Pair(4, Dollars, dollars, DollarCash, dollars, day);
            }
            if (full && date.month() == 5 && date.day() == 15 && Accounts[Savings].Balance > salary) {
                const qint64 roubles = Round(Accounts[Savings].Balance / 20, 100000);
                Pair(8, Savings, roubles, EuroCash, std::llround(roubles / (dollarRate * 1.1)), day);
            }
            const int travel = Category(u"Отдых"_s, false);
            if (date.month() == 7 && date.day() >= 10 && date.day() <= 20 && R.Percent(40)
                && Accounts[DollarCash].Balance > 2000)
                Expense(DollarCash, std::max<qint64>(100, Accounts[DollarCash].Balance / R.Between(4, 8)), day, travel,
                    R.Percent(50) ? 0 : 2, TRef());
            if (full && date.month() == 8 && date.day() >= 1 && date.day() <= 10 && R.Percent(40)
                && Accounts[EuroCash].Balance > 2000)
                Expense(EuroCash, std::max<qint64>(100, Accounts[EuroCash].Balance / R.Between(4, 8)), day, travel,
                    R.Percent(50) ? 0 : 2, TRef());
            // A large purchase when the savings have grown: filed under a project when one is running.
            if (Accounts[Savings].Balance > salary * 30) {
                const int o = Op(2, Savings, -Round(Accounts[Savings].Balance / 2, 100000), day);
                TRef project = ProjectAt(day);
                Operations[o].Category
                    = project.Valid() ? project : Ref(BGroup, ExpenseCategory[Category(u"Жильё"_s, false)]);
                if (!project.Valid())
                    Operations[o].Subcategory = Ref(BGroup, ExpenseSub[Category(u"Жильё"_s, false)][1]);
            }
            // Money lent and borrowed, and given back.
            if (R.Permille(25) && Accounts[Cash].Balance > salary / 10) {
                const int person = R.Pick(friends);
                const qint64 amount = Round(Accounts[Cash].Balance / R.Between(3, 8), 50000);
                int o = Op(16, Cash, -amount, day);
                Operations[o].Counterparty = Ref(BPerson, person);
                Operations[o].Subcategory = Ref(BPerson, person);
                debts.push_back({32, day + R.Between(7, 90), amount, person, Cash});
            }
            if (R.Permille(8)) {
                const int person = R.Pick(friends);
                const qint64 amount = Round(salary * R.Between(5, 20) / 100, 100000);
                int o = Op(64, Card, amount, day);
                Operations[o].Counterparty = Ref(BPerson, person);
                Operations[o].Subcategory = Ref(BPerson, person);
                debts.push_back({128, day + R.Between(14, 120), amount, person, Card});
            }
            for (size_t k = 0; k < debts.size();) {
                TDebt& debt = debts[k];
                if (debt.Due > day || (debt.Code == 128 && Accounts[debt.Account].Balance < debt.Amount)) {
                    ++k;
                    continue;
                }
                int o = Op(debt.Code, debt.Account, debt.Code == 32 ? debt.Amount : -debt.Amount, day);
                Operations[o].Counterparty = Ref(BPerson, debt.Person);
                Operations[o].Subcategory = Ref(BPerson, debt.Person);
                debts[k] = debts.back();
                debts.pop_back();
            }
            if (R.Permille(5))
                Income(Cash, Round(salary / R.Between(5, 20), 50000), day, Category(u"Подарки"_s, true), -1,
                    Ref(BPerson, R.Pick(friends)));
            // Everyday spending, as many rows a day as the data set asks for.
            const int count = whole + (R.Permille(fraction) ? 1 : 0);
            const qint64 mean = std::max<qint64>(500, static_cast<qint64>(salary * 0.5 / (rate * 30.4)));
            for (int k = 0; k < count; ++k) {
                const int category = R.Weighted(weights);
                qint64 amount = mean * R.Between(30, 170) / 100;
                if (category != 0)
                    amount = Round(amount, 100);
                int account = R.Percent(30) ? Cash : Card;
                if (full && R.Percent(10))
                    account = Credit;
                account = Payer(account, amount);
                if (Available(account) < amount) {
                    amount = Accounts[account].Balance * 9 / 10;
                    if (amount < 500)
                        continue;
                }
                const int subs = static_cast<int>(ExpenseSub[category].size());
                const int sub = subs > 0 && R.Percent(85) ? R.Below(subs) : -1;
                TRef recipient;
                if (R.Percent(40)) {
                    const int sort = category == 4       ? OrgInstitution
                        : category == 0 || category == 5 ? OrgShop
                                                         : OrgCompany;
                    recipient = Ref(BOrg, RandomOrg(sort));
                }
                const int o = Expense(account, amount, day, category, sub, recipient);
                TRef project = R.Percent(5) ? ProjectAt(day) : TRef();
                if (project.Valid()) {
                    Operations[o].Category = project;
                    Operations[o].Subcategory = TRef();
                }
            }
        }
        PlanOperationLinks();
    }

    void PlanOperationLinks()
    {
        const int n = static_cast<int>(Operations.size());
        const int wanted = n / 20;
        const int gifts = Category(u"Подарки"_s, false);
        for (int k = 0; k < wanted; ++k) {
            const int o = R.Below(n);
            TOperation& op = Operations[o];
            const int links = R.Percent(10) ? 2 : 1;
            for (int j = 0; j < links; ++j) {
                TOpLink l;
                l.Operation = o;
                l.Category = op.Category;
                const bool gift = op.Category.Valid() && op.Category.Index == ExpenseCategory[gifts];
                l.Object = gift ? Ref(BPerson, R.Below(People.size())) : RandomObject();
                l.Role = R.Pick(OperationLinkRoles());
                if (R.Percent(10))
                    l.Comment = R.Pick(OperationComments());
                l.Created = Shortly(op.Created);
                l.Date = DateSerial::FromDateTime(QDateTime::fromSecsSinceEpoch(l.Created, Qt::UTC));
                OpLinks.push_back(l);
                ++op.Links;
            }
        }
    }

    // ---- stamps and identifiers ---------------------------------------------------------------------

    qint64 CreatedOf(TRef ref) const
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

    static qint64 SecsOfSerial(double serial)
    {
        const QDateTime local = DateSerial::ToDateTime(serial);
        return QDateTime(local.date(), local.time(), Qt::UTC).toSecsSinceEpoch();
    }

    template <typename T> void Touch(std::vector<T>& list)
    {
        // A few objects were changed in the last month, so that the list of recent changes has rows.
        for (T& item : list) {
            if (item.Modified < item.Created)
                item.Modified = item.Created;
            if (R.Permille(20)) {
                const qint64 later = Now - R.Below64(30 * kDay);
                item.Modified = std::max(item.Modified, later);
            }
        }
    }

    void PlanStamps()
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
            qint64 later = std::max(
                {p.Family >= 0 ? Families[p.Family].Created : 0, p.Godfather >= 0 ? People[p.Godfather].Created : 0,
                    p.Godmother >= 0 ? People[p.Godmother].Created : 0});
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
            if (g.Type == 9)
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
            else if (g.Type == 8)
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

    int RowsOf(qint8 block, qint32 index) const
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

    template <typename T> void AddUnits(TBlock block, const std::vector<T>& list)
    {
        Counters[block].assign(list.size(), 0);
        for (size_t i = 0; i < list.size(); ++i)
            Units.push_back({list[i].Created, block, static_cast<qint32>(i)});
    }

    // Identifiers follow the moment of creation, as the program hands them out.
    void AssignIds()
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
        std::stable_sort(
            Units.begin(), Units.end(), [](const TUnit& a, const TUnit& b) { return a.Created < b.Created; });
        quint32 counter = FirstCounter;
        for (const TUnit& u : Units) {
            Counters[u.Block][u.Index] = counter + 1;
            counter += RowsOf(u.Block, u.Index);
        }
        Last = counter;
        Rows = counter - FirstCounter;
    }

    void PlanAll()
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

    // ---- rows ---------------------------------------------------------------------------------------

    QString Id(TRef ref, int offset = 0) const
    {
        if (!ref.Valid())
            return Ids::None;
        return MakeId(Counters[ref.Block][ref.Index] + offset, Prefix);
    }

    static void Prepare(TSeedRow& out, int kind, const QString& id)
    {
        out.Row = TObjectRow();
        out.Row.Obj = id;
        out.Row.ObjType = kind;
        for (int i = 1; i <= 5; ++i)
            out.Row.Link(i) = Ids::None;
    }

    static QString PersonName(const QString& surname, const QString& first, const QString& patronymic)
    {
        if (surname.isEmpty())
            return patronymic.isEmpty() ? first : first + u" "_s + patronymic;
        QString name = surname;
        if (!first.isEmpty())
            name += u" "_s + first.left(1) + u"."_s;
        if (!patronymic.isEmpty())
            name += u" "_s + patronymic.left(1) + u"."_s;
        return name;
    }

    QString OrgDisplayName(int index) const
    {
        const TOrg& o = Orgs[index];
        if (o.Parent >= 0)
            return OrgDisplayName(o.Parent) + u", "_s + o.Name;
        return o.Form.isEmpty() ? o.Name : o.Form + u", "_s + o.Name;
    }

    void Fill(TSeedRow& out, qint8 block, qint32 index, int part) const
    {
        const TRef self = Ref(static_cast<TBlock>(block), index);
        TObjectRow& r = out.Row;
        switch (block) {
        case BGroup: {
            const TGroup& g = Groups[index];
            Prepare(out, Kind::Group, Id(self));
            r.Int1 = g.Type;
            r.Str1 = g.Name;
            r.Str5 = g.Name;
            r.Link1 = Id(g.Owner);
            r.Link2 = Id(g.Project);
            r.Flag = g.Limited;
            r.Date1 = Serial(g.From);
            r.D1Flag = g.From > 0;
            r.Date2 = Serial(g.To);
            r.D2Flag = g.To > 0;
            r.Comments = g.Comment;
            break;
        }
        case BOrg: {
            const TOrg& o = Orgs[index];
            Prepare(out, Kind::Organization, Id(self));
            r.Str1 = o.Name;
            r.Str2 = o.Form;
            r.Str5 = OrgDisplayName(index);
            r.Link1 = Id(Ref(BOrg, o.Parent));
            r.Date1 = Serial(o.Founded);
            r.D1Flag = o.Founded > 0;
            r.D1Fixed = o.Remind;
            r.Date2 = Serial(o.Closed);
            r.D2Flag = o.Closed > 0;
            r.Comments = o.Comment;
            break;
        }
        case BPerson: {
            const TPerson& p = People[index];
            Prepare(out, Kind::Person, Id(self));
            r.Str1 = p.Surname;
            r.Str2 = FirstName(p);
            r.Str3 = Patronymic(p);
            r.Str5 = PersonName(r.Str1, r.Str2, r.Str3);
            r.Flag = p.Female;
            r.Link1 = Id(Ref(BFamily, p.Family));
            r.Link2 = Id(Ref(BPerson, p.Godfather));
            r.Link3 = Id(Ref(BPerson, p.Godmother));
            r.Date1 = Serial(p.Birth);
            r.D1Flag = p.Birth > 0;
            r.D1Fixed = p.Birth > 0 && p.Remind;
            r.Date2 = Serial(p.Death);
            r.D2Flag = p.Death > 0;
            r.D2Fixed = p.Death > 0 && p.DeathRemind;
            if (p.Comment >= 0)
                r.Comments = PersonComments().at(p.Comment);
            break;
        }
        case BFamily: {
            const TFamily& f = Families[index];
            Prepare(out, Kind::Family, Id(self));
            r.Link1 = Id(Ref(BPerson, f.Husband));
            r.Link2 = Id(Ref(BPerson, f.Wife));
            if (f.Husband >= 0)
                r.Str1 = QString(People[f.Husband].Surname + u" "_s + FirstName(People[f.Husband])).trimmed();
            if (f.Wife >= 0)
                r.Str2 = QString(People[f.Wife].Surname + u" "_s + FirstName(People[f.Wife])).trimmed();
            r.Int1 = f.Status;
            r.Date1 = Serial(f.Start);
            r.D1Flag = f.StartComplete;
            r.D1Fixed = f.Remind;
            r.Date2 = Serial(f.End);
            r.D2Flag = f.End > 0;
            r.Comments = f.Comment;
            break;
        }
        case BAdoption: {
            const TAdoption& a = Adoptions[index];
            Prepare(out, Kind::AdoptiveFamilyLink, Id(self));
            r.Link1 = Id(Ref(BFamily, a.Family));
            r.Link2 = Id(Ref(BPerson, a.Person));
            r.Date1 = Serial(a.Date);
            r.D1Flag = true;
            r.Comments = a.Comment;
            break;
        }
        case BAddress: {
            const TAddress& a = Addresses[index];
            const TCity& c = Cities().at(a.City);
            Prepare(out, Kind::Address, Id(self));
            r.Str1 = c.Country;
            r.Str2 = c.Region;
            r.Str3 = c.District;
            r.Str4 = c.Name;
            r.Str5 = Streets().at(a.Street);
            // The address keeps its postal index, house and flat as plain text in link columns.
            r.Link5 = a.Index;
            r.Link4 = a.House;
            r.Link3 = a.Flat;
            r.Comments = a.Comment;
            break;
        }
        case BResidence: {
            const TResidence& v = Residences[index];
            Prepare(out, Kind::Residence, Id(self));
            r.Link1 = Id(Ref(BAddress, v.Address));
            r.Link2 = Id(v.Holder);
            r.Flag = v.Now;
            r.Date1 = Serial(v.Start);
            r.D1Flag = v.Start > 0;
            r.Date2 = Serial(v.End);
            r.D2Flag = v.End > 0;
            break;
        }
        case BPhone: {
            const TPhone& t = Phones[index];
            Prepare(out, Kind::Phone, Id(self));
            r.Link1 = Id(t.Owner);
            r.Int2 = t.OwnerKind;
            r.Str1 = t.Number;
            r.Int1 = t.Type;
            r.Str2 = t.Role;
            r.Comments = t.Comment;
            break;
        }
        case BInternet: {
            const TInternet& n = Internet[index];
            static const int icons[] = {82, 43, 59, 60, 46, 0};
            Prepare(out, Kind::InternetContact, Id(self));
            r.Link1 = Id(n.Owner);
            r.Int1 = n.Type;
            r.Int2 = icons[n.Type - 1];
            r.Str1 = n.Address;
            r.Str2 = n.Name;
            r.Comments = n.Comment;
            break;
        }
        case BEvent: {
            const TEvent& e = Events[index];
            Prepare(out, Kind::Event, Id(self));
            r.Str1 = e.Name;
            r.Str2 = e.Aim;
            r.Str3 = e.Result;
            r.Int1 = e.Type;
            r.Int2 = e.Importance;
            r.Int3 = e.Direction;
            r.Link1 = Id(e.Project);
            r.Flag = e.FreePlace;
            if (e.FreePlace) {
                r.Str4 = e.Place;
            } else {
                r.Link3 = Id(e.Host);
                r.Link4 = Id(Ref(BAddress, e.Address));
            }
            r.Date1 = e.Start;
            r.D1Flag = true;
            r.Date2 = e.End;
            r.D2Flag = e.End != 0;
            r.Str5 = u"["_s + DateSerial::DateText(e.Start) + u"] "_s + e.Name;
            r.Comments = e.Comment;
            break;
        }
        case BRole: {
            const TRole& v = Roles[index];
            const TRoleSide& side = part == 0 ? v.A : v.B;
            const TRoleSide& other = part == 0 ? v.B : v.A;
            Prepare(out, Kind::Role, Id(self, part));
            r.Link1 = Id(side.Holder);
            r.Link2 = Id(side.Group);
            r.Link3 = Id(side.Third);
            r.Link5 = v.Paired ? Id(self, 1 - part) : Ids::None;
            r.Int1 = side.Kind;
            r.Int2 = v.Paired ? other.Kind : 0;
            r.Int4 = side.Rating;
            r.Str1 = side.Role;
            r.Flag = side.Flag;
            r.Date1 = v.D1;
            r.D1Flag = v.D1Flag;
            r.Date2 = v.D2;
            r.D2Flag = v.D2Flag;
            r.Comments = side.Comment;
            break;
        }
        case BNote: {
            const TNote& n = Notes[index];
            Prepare(out, Kind::Note, Id(self));
            r.Str1 = n.Title;
            r.Int1 = n.Type;
            r.Str2 = n.Attachment;
            r.Link1 = Id(n.Group);
            r.Str3 = n.Text.mid(0, 255);
            r.Str4 = n.Text.mid(255, 255);
            r.Str5 = n.Text.mid(510, 255);
            r.Comments = n.Text.mid(765);
            r.Date1 = n.Date;
            r.D1Flag = true;
            break;
        }
        case BNoteLink: {
            const TNoteLink& l = NoteLinks[index];
            Prepare(out, Kind::NoteLink, Id(self, part));
            const QString note = Id(Ref(BNote, l.Note));
            r.Link1 = part == 0 ? note : Id(l.Object);
            r.Link2 = part == 0 ? Id(l.Object) : note;
            r.Date1 = l.Date;
            r.D1Flag = true;
            break;
        }
        case BAccount: {
            const TAccount& a = Accounts[index];
            Prepare(out, Kind::Account, Id(self));
            r.Str1 = a.Name;
            r.Str4 = a.Currency;
            r.Str5 = a.Name + u", "_s + a.Currency;
            r.Int1 = a.Type;
            r.Int5 = a.Balance;
            r.Link1 = Id(Ref(BOrg, a.Bank));
            r.Date1 = Serial(a.Opened);
            r.D1Flag = a.Opened > 0;
            r.Comments = a.Comment;
            break;
        }
        case BOperation: {
            const TOperation& o = Operations[index];
            const bool pair = o.Account2 >= 0;
            const QString first = Id(Ref(BAccount, o.Account));
            const QString second = pair ? Id(Ref(BAccount, o.Account2)) : Ids::None;
            Prepare(out, Kind::MoneyOperation, Id(self, part));
            r.Int1 = o.Code;
            r.Link2 = Id(o.Counterparty);
            r.Date1 = Serial(o.Date);
            r.D1Flag = true;
            if (part == 0) {
                r.Int2 = o.Amount;
                r.Int3 = o.Links;
                r.Link1 = first;
                r.Link3 = Id(o.Category);
                r.Link4 = o.Code == 4 ? second : o.Code == 8 ? QString(Ids::None) : Id(o.Subcategory);
                r.Link5 = pair ? Id(self, 1) : Ids::None;
                r.Comments = o.Comment;
            } else {
                r.Int2 = o.Amount2;
                r.Int4 = 2;
                r.Link1 = second;
                r.Link4 = o.Code == 4 ? first : Ids::None;
                r.Link5 = Id(self, 0);
            }
            break;
        }
        case BOpLink: {
            const TOpLink& l = OpLinks[index];
            Prepare(out, Kind::OperationLink, Id(self));
            r.Link1 = Id(Ref(BOperation, l.Operation));
            r.Link2 = Id(l.Object);
            r.Link3 = Id(l.Category);
            r.Str1 = l.Role;
            r.Comments = l.Comment;
            r.Date1 = l.Date;
            r.D1Flag = true;
            break;
        }
        default:
            break;
        }
        const TStamp* stamp = StampOf(block, index);
        out.Created = QDateTime::fromSecsSinceEpoch(stamp->Created, Qt::UTC);
        out.Modified = QDateTime::fromSecsSinceEpoch(std::max(stamp->Modified, stamp->Created), Qt::UTC);
        // What the record's save derives.
        r.D1Search = SearchDate(r.Date1, r.D1Fixed);
        r.D2Search = SearchDate(r.Date2, r.D2Fixed);
        r.DCreate = DateSerial::FromDateTime(out.Created);
        r.DModify = DateSerial::FromDateTime(out.Modified);
        r.IsBlank = false;
    }

    const TStamp* StampOf(qint8 block, qint32 index) const
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
