#pragma once

// The plan of a data set shared by the sources of the seed generator: the planned objects of every sort,
// the random numbers and the calendar helpers. Each sort of object is planned and turned into rows in a
// source of its own (SeedPeople.cpp, SeedFinance.cpp ...); SeedGenerator.cpp holds the core: the stamps,
// the identifiers and the order of the rows.

#include "store/DateSerial.h"
#include "store/ObjectRecord.h"
#include "tools/seed/SeedGenerator.h"
#include "tools/seed/SeedWords.h"

#include <QTime>

#include <algorithm>
#include <vector>

namespace SeedPlan {

using namespace Qt::StringLiterals;
using namespace SeedWords;

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

inline TRef Ref(TBlock block, qint64 index)
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

inline QDate DateOf(int julianDay)
{
    return QDate::fromJulianDay(julianDay);
}

inline double Serial(int julianDay)
{
    return julianDay > 0 ? DateSerial::FromDate(DateOf(julianDay)) : 0.0;
}

inline double SerialAt(int julianDay, int minuteOfDay)
{
    return DateSerial::FromDateTime(DateOf(julianDay), QTime(minuteOfDay / 60, minuteOfDay % 60));
}

inline qint64 SecsOf(int julianDay, int secondOfDay)
{
    return QDateTime(DateOf(julianDay), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + secondOfDay;
}

inline int YearsAfter(int julianDay, int years)
{
    return static_cast<int>(DateOf(julianDay).addYears(years).toJulianDay());
}

// The surname of a man of the family of a woman who bears \a surname ("Иванова" -> "Иванов").
inline QString MaleSurname(const QString& surname)
{
    if (surname.endsWith(u"ская"_s) || surname.endsWith(u"цкая"_s))
        return surname.chopped(2) + u"ий"_s;
    if (surname.endsWith(u"ая"_s))
        return surname.chopped(2) + u"ой"_s;
    if (surname.endsWith(u"ова"_s) || surname.endsWith(u"ева"_s) || surname.endsWith(u"ина"_s))
        return surname.chopped(1);
    return surname;
}

inline int YearOf(int julianDay)
{
    return DateOf(julianDay).year();
}

/// Everything planned for one data set; the rows are composed from it on demand, in identifier order.
struct TSeedPlan
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

    TSeedPlan(const TSeedProfile& profile, quint64 seed, const QDate& today, quint32 prefix, quint32 first)
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
    qint64 RandomMomentBetween(int fromDay, int toDay);
    qint64 Shortly(qint64 after) { return Clamp(std::max(after, SecsOf(HistoryStart, 9 * 3600)) + R.Below(3 * kDay)); }
    int RandomDay(int fromDay, int toDay);

    // ---- names --------------------------------------------------------------------------------------

    QString FirstName(const TPerson& p) const;
    QString Patronymic(const TPerson& p) const;
    QString SurnameFor(const QString& maleSurname, bool female) const;
    QString RandomMaleSurname() { return Surnames().at(R.Skewed(Surnames().size())); }

    int NewPerson(bool female, int birth, const QString& maleSurname);

    // ---- groups -------------------------------------------------------------------------------------

    int AddGroup(int type, const QString& name);

    void PlanGroups();

    // A project running on \a day, or none.
    TRef ProjectAt(int day);
    int ProjectPosition(TRef project) const;

    // ---- organizations ------------------------------------------------------------------------------

    int AddOrg(const QString& name, const QString& form, int sort, int parent);

    QString CompanyName() { return R.Pick(CompanyStems()) + R.Pick(CompanyEndings()); }

    void PlanOrganizations();

    int RandomOrg(int sort);

    // ---- people and kinship -------------------------------------------------------------------------

    void MustLive(int person, int day);

    // An unmarried child of an earlier family, of the sex and born in the range asked; -1 when none.
    int TakeChild(std::vector<int>& pool, bool female, int bornFrom, int bornTo);

    void PlanPeople();

    void PlanDeaths();

    void PlanFamilyEnds();

    void PlanGodparents();

    void PlanAdoptions();

    /// How many people get a birthday in the week after the reference day.
    static constexpr int ComingBirthdays = 3;
    void PlanComingBirthdays();

    bool Alive(int person, int day) const;
    bool Adult(int person) const;
    // A living adult, or any person when none is found quickly.
    int RandomAdult();

    // ---- addresses, residences, phones, internet ---------------------------------------------------

    int NewAddress(int city);

    // A new address while the planned number is not reached; afterwards someone moves in with others.
    int SomeAddress();

    void AddResidence(int address, TRef holder, int start, int end);

    void Reside(int person, int address, int start);

    void PlanResidences();

    QString PhoneNumber(const QString& areaCode, bool mobile);

    void AddPhone(TRef owner, int ownerKind, const QString& number, int type, const QString& role);

    void AddInternet(TRef owner, int type, const QString& address, const QString& name);

    void PlanContacts();

    // ---- events and roles ---------------------------------------------------------------------------

    TRef ParticipantAt(int day, int orgPercent);

    static int KindOf(TRef ref);

    int AddressOf(TRef holder) const;

    void PlanEvents();

    void AddParticipation(int event, TRef who, bool past);

    TRef PeopleGroup(const QString& name) const;
    TRef OrgGroup(const QString& name) const;

    void PlanRoles();

    // ---- notes --------------------------------------------------------------------------------------

    TRef RandomObject();

    void PlanNotes();

    // ---- finance ------------------------------------------------------------------------------------

    enum TAccountRole { Cash, Card, Savings, Dollars, DollarCash, Credit, Deposit, Wallet, Broker, EuroCash };

    // What may leave an account: cash and debit accounts never go below zero, a credit card has a limit.
    qint64 Available(int account) const { return Accounts[account].Balance + (account == Credit ? 30000000 : 0); }
    // The account a fixed payment is taken from: the one asked for while it holds enough, else the card.
    int Payer(int account, qint64 amount) const { return Available(account) >= amount ? account : int(Card); }

    int AddAccount(const QString& name, int type, const QString& currency, int bank);

    int Op(int code, int account, qint64 amount, int day);

    int Income(int account, qint64 amount, int day, int category, int sub, TRef payer);

    int Expense(int account, qint64 amount, int day, int category, int sub, TRef recipient);

    // A transfer (code 4, same currency) or an exchange (code 8): two rows, one on each account.
    void Pair(int code, int from, qint64 taken, int to, qint64 received, int day);

    static qint64 Round(qint64 amount, qint64 step) { return std::max<qint64>(step, amount / step * step); }

    int Category(const QString& name, bool income) const;

    void PlanFinance();

    void PlanOperationLinks();

    // ---- stamps and identifiers ---------------------------------------------------------------------

    qint64 CreatedOf(TRef ref) const;

    static qint64 SecsOfSerial(double serial);

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

    void PlanStamps();

    int RowsOf(qint8 block, qint32 index) const;

    template <typename T> void AddUnits(TBlock block, const std::vector<T>& list)
    {
        Counters[block].assign(list.size(), 0);
        for (size_t i = 0; i < list.size(); ++i)
            Units.push_back({list[i].Created, block, static_cast<qint32>(i)});
    }

    // Identifiers follow the moment of creation, as the program hands them out.
    void AssignIds();

    void PlanAll();

    // ---- rows ---------------------------------------------------------------------------------------

    /// A fresh row of \a kind with the none id in every link.
    static void Prepare(TObjectRow& r, int kind, const QString& id);
    /// The row \a part (0, or 1 for the second row of a pair) of the object \a index of \a block.
    void Fill(TSeedRow& out, qint8 block, qint32 index, int part) const;
    void FillGroup(TObjectRow& r, qint32 index) const;
    void FillOrganization(TObjectRow& r, qint32 index) const;
    void FillPerson(TObjectRow& r, qint32 index) const;
    void FillFamily(TObjectRow& r, qint32 index) const;
    void FillAdoption(TObjectRow& r, qint32 index) const;
    void FillAddress(TObjectRow& r, qint32 index) const;
    void FillResidence(TObjectRow& r, qint32 index) const;
    void FillPhone(TObjectRow& r, qint32 index) const;
    void FillInternet(TObjectRow& r, qint32 index) const;
    void FillEvent(TObjectRow& r, qint32 index) const;
    void FillRole(TObjectRow& r, qint32 index, int part) const;
    void FillNote(TObjectRow& r, qint32 index) const;
    void FillNoteLink(TObjectRow& r, qint32 index, int part) const;
    void FillAccount(TObjectRow& r, qint32 index) const;
    void FillOperation(TObjectRow& r, qint32 index, int part) const;
    void FillOperationLink(TObjectRow& r, qint32 index) const;

    QString Id(TRef ref, int offset = 0) const;

    QString OrgDisplayName(int index) const;

    const TStamp* StampOf(qint8 block, qint32 index) const;
};

} // namespace SeedPlan
