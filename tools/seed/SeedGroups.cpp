// Groups, role groups, finance categories and projects.

#include "tools/seed/SeedPlan.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/kinds/GroupView.h"

namespace SeedPlan {

int TSeedPlan::AddGroup(int type, const QString& name)
{
    TGroup g;
    g.Type = type;
    g.Name = name;
    Groups.push_back(g);
    return static_cast<int>(Groups.size()) - 1;
}

void TSeedPlan::PlanGroups()
{
    for (const TCategory& c : IncomeCategories()) {
        IncomeCategory.push_back(AddGroup(GroupType::IncomeCategory, c.Name));
        IncomeSub.emplace_back();
        for (const QString& s : c.Subcategories) {
            int g = AddGroup(GroupType::IncomeSubcategory, s);
            Groups[g].Owner = Ref(BGroup, IncomeCategory.back());
            IncomeSub.back().push_back(g);
        }
    }
    for (const TCategory& c : ExpenseCategories()) {
        ExpenseCategory.push_back(AddGroup(GroupType::ExpenseCategory, c.Name));
        ExpenseSub.emplace_back();
        for (const QString& s : c.Subcategories) {
            int g = AddGroup(GroupType::ExpenseSubcategory, s);
            Groups[g].Owner = Ref(BGroup, ExpenseCategory.back());
            ExpenseSub.back().push_back(g);
        }
    }
    for (const QString& name : PeopleGroups())
        PeopleGroupIndex.push_back(AddGroup(GroupType::PeopleRoles, name));
    for (const QString& name : OrganizationGroups())
        OrgGroupIndex.push_back(AddGroup(GroupType::OrganizationRoles, name));
    for (const QString& name : NoteGroups())
        NoteGroupIndex.push_back(AddGroup(GroupType::NoteGroups, name));
    for (int i = 0; i < P.Projects; ++i) {
        const QStringList& names = ProjectNames();
        QString name = names.at(i % names.size());
        int from = RandomDay(HistoryStart, Today - 30);
        if (i >= names.size())
            name += u" "_s + QString::number(YearOf(from));
        int g = AddGroup(GroupType::Project, name);
        Groups[g].From = from;
        Groups[g].To = R.Percent(25) ? 0 : std::min(Today + 180, from + R.Between(30, 700));
        if (R.Percent(60))
            Groups[g].Comment = R.Pick(NoteSentences());
        Projects.push_back(g);
        EventGroupsOfProject.emplace_back();
        if (R.Percent(50)) {
            for (const QString& eventGroup : EventGroups()) {
                int e = AddGroup(GroupType::EventRoles, eventGroup);
                Groups[e].Project = Ref(BGroup, g);
                EventGroupsOfProject.back().push_back(e);
            }
        }
    }
}

TRef TSeedPlan::ProjectAt(int day)
{
    for (int attempt = 0; attempt < 8 && !Projects.empty(); ++attempt) {
        int g = R.Pick(Projects);
        if (Groups[g].From <= day && (Groups[g].To == 0 || Groups[g].To >= day))
            return Ref(BGroup, g);
    }
    return TRef();
}

int TSeedPlan::ProjectPosition(TRef project) const
{
    for (size_t i = 0; i < Projects.size(); ++i) {
        if (Projects[i] == project.Index)
            return static_cast<int>(i);
    }
    return -1;
}

void TSeedPlan::FillGroup(TObjectRow& r, qint32 index) const
{
    const TGroup& g = Groups[index];
    Prepare(r, Kind::Group, Id(Ref(BGroup, index)));
    const TGroupView group(r);
    group.SetGroupKind(g.Type);
    group.SetName(g.Name);
    group.SetDisplayName(g.Name);
    group.SetOwner(Id(g.Owner));
    group.SetProject(Id(g.Project));
    group.SetScopedToOwner(g.Limited);
    group.SetFrom(Serial(g.From));
    group.SetHasFrom(g.From > 0);
    group.SetTo(Serial(g.To));
    group.SetHasTo(g.To > 0);
    group.SetComments(g.Comment);
}

} // namespace SeedPlan
