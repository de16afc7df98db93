// Addresses, residences, phones and internet contacts.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"

namespace SeedPlan {

int TSeedPlan::NewAddress(int city)
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

int TSeedPlan::SomeAddress()
{
    if (static_cast<int>(Addresses.size()) < P.Addresses || Addresses.empty())
        return NewAddress(R.Weighted(CityWeights));
    return R.Below(Addresses.size());
}

void TSeedPlan::AddResidence(int address, TRef holder, int start, int end)
{
    TResidence r;
    r.Address = address;
    r.Holder = holder;
    r.Start = start;
    r.End = end;
    r.Now = end == 0;
    Residences.push_back(r);
}

void TSeedPlan::Reside(int person, int address, int start)
{
    const TPerson& p = People[person];
    start = std::max(start, p.Birth);
    if (p.Death && start >= p.Death)
        start = 0;
    AddResidence(address, Ref(BPerson, person), R.Percent(85) ? start : 0, p.Death);
    if (p.Death == 0)
        People[person].Address = address;
}

void TSeedPlan::PlanResidences()
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

QString TSeedPlan::PhoneNumber(const QString& areaCode, bool mobile)
{
    static const QStringList mobiles = {u"903"_s, u"905"_s, u"909"_s, u"915"_s, u"916"_s, u"917"_s, u"925"_s, u"926"_s,
        u"977"_s, u"985"_s, u"999"_s, u"963"_s};
    const QString code = mobile ? R.Pick(mobiles) : areaCode;
    return u"7 "_s + code + QStringLiteral("%1").arg(R.Below(10000000), 7, 10, QLatin1Char('0'));
}

void TSeedPlan::AddPhone(TRef owner, int ownerKind, const QString& number, int type, const QString& role)
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

void TSeedPlan::AddInternet(TRef owner, int type, const QString& address, const QString& name)
{
    TInternet n;
    n.Owner = owner;
    n.Type = type;
    n.Address = address;
    n.Name = name;
    Internet.push_back(n);
}

void TSeedPlan::PlanContacts()
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
            AddInternet(Ref(BPerson, i), 6, u"https://"_s + QString(login).replace(u'.', u'-') + u".livejournal.com"_s,
                u"Блог"_s);
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
            AddPhone(Ref(BOrg, i), 6, PhoneNumber(code.isEmpty() ? u"495"_s : code, false), R.Weighted({70, 10, 20}),
                R.Pick(roles));
        }
        const QString site = Transliterate(o.Parent >= 0 ? Orgs[o.Parent].Name : o.Name);
        if (o.Parent < 0 && !site.isEmpty() && R.Percent(50))
            AddInternet(Ref(BOrg, i), 2, u"https://"_s + site + u".ru"_s, QString());
        if (o.Parent < 0 && !site.isEmpty() && R.Percent(40))
            AddInternet(Ref(BOrg, i), 1, u"info@"_s + site + u".ru"_s, QString());
    }
}

void TSeedPlan::FillAddress(TObjectRow& r, qint32 index) const
{
    const TAddress& a = Addresses[index];
    const TCity& c = Cities().at(a.City);
    Prepare(r, Kind::Address, Id(Ref(BAddress, index)));
    const TAddressView address(r);
    address.SetCountry(c.Country);
    address.SetRegion(c.Region);
    address.SetDistrict(c.District);
    address.SetSettlement(c.Name);
    address.SetStreet(Streets().at(a.Street));
    address.SetPostalIndex(a.Index);
    address.SetHouse(a.House);
    address.SetFlat(a.Flat);
    address.SetComments(a.Comment);
}

void TSeedPlan::FillResidence(TObjectRow& r, qint32 index) const
{
    const TResidence& v = Residences[index];
    Prepare(r, Kind::Residence, Id(Ref(BResidence, index)));
    const TResidenceView residence(r);
    residence.SetAddress(Id(Ref(BAddress, v.Address)));
    residence.SetResident(Id(v.Holder));
    residence.SetCurrent(v.Now);
    residence.SetFrom(Serial(v.Start));
    residence.SetHasFrom(v.Start > 0);
    residence.SetTo(Serial(v.End));
    residence.SetHasTo(v.End > 0);
}

void TSeedPlan::FillPhone(TObjectRow& r, qint32 index) const
{
    const TPhone& t = Phones[index];
    Prepare(r, Kind::Phone, Id(Ref(BPhone, index)));
    const TPhoneView phone(r);
    phone.SetOwner(Id(t.Owner));
    phone.SetOwnerKind(t.OwnerKind);
    phone.SetNumber(t.Number);
    phone.SetPhoneKind(t.Type);
    phone.SetRole(t.Role);
    phone.SetComments(t.Comment);
}

void TSeedPlan::FillInternet(TObjectRow& r, qint32 index) const
{
    const TInternet& n = Internet[index];
    // The picture of each contact type, InternetType::Email .. InternetType::Other.
    static const int icons[] = {82, 43, 59, 60, 46, 0};
    Prepare(r, Kind::InternetContact, Id(Ref(BInternet, index)));
    const TInternetContactView contact(r);
    contact.SetOwner(Id(n.Owner));
    contact.SetContactType(n.Type);
    contact.SetPicture(icons[n.Type - 1]);
    contact.SetAddress(n.Address);
    contact.SetName(n.Name);
    contact.SetComments(n.Comment);
}

} // namespace SeedPlan
