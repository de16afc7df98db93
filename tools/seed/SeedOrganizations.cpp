// Organizations, their branches and the banks.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/OrganizationView.h"

namespace SeedPlan {

int TSeedPlan::AddOrg(const QString& name, const QString& form, int sort, int parent)
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

void TSeedPlan::PlanOrganizations()
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
            AddOrg(inst.at(0) + u" "_s + QString::number(++institutionNumber[kind]), inst.at(1), OrgInstitution, -1);
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

int TSeedPlan::RandomOrg(int sort)
{
    const std::vector<int>& list = OrgsBySort[sort];
    return list.empty() ? R.Below(Orgs.size()) : list[R.Skewed(list.size())];
}

QString TSeedPlan::OrgDisplayName(int index) const
{
    const TOrg& o = Orgs[index];
    return OrganizationDisplayName(o.Parent >= 0 ? OrgDisplayName(o.Parent) : QString(), o.Form, o.Name);
}

void TSeedPlan::FillOrganization(TObjectRow& r, qint32 index) const
{
    const TOrg& o = Orgs[index];
    Prepare(r, Kind::Organization, Id(Ref(BOrg, index)));
    const TOrganizationView org(r);
    org.SetName(o.Name);
    org.SetFormOrParent(o.Form);
    org.SetDisplayName(OrgDisplayName(index));
    org.SetParent(Id(Ref(BOrg, o.Parent)));
    org.SetFounded(Serial(o.Founded));
    org.SetFoundedComplete(o.Founded > 0);
    org.SetRemindFounded(o.Remind);
    org.SetClosed(Serial(o.Closed));
    org.SetIsClosed(o.Closed > 0);
    org.SetComments(o.Comment);
}

} // namespace SeedPlan
