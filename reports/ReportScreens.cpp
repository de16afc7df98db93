#include "reports/ReportScreens.h"

#include "reports/EventReport.h"
#include "reports/FinanceReport.h"
#include "reports/PersonReport.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

void RegisterReportScreens()
{
    Screens::RegisterObjectReport(Kind::Person, [](const TDBMainInfo& person) {
        PersonReport::PrintDossier(person.Database(), person.Obj);
    });
    Screens::RegisterListReport(Kind::Person, [](const TListModel& rows) { PersonReport::PrintPeopleList(rows); });
    Screens::RegisterListReport(Kind::MoneyOperation, [](const TListModel& rows) { FinanceReport::Print(rows); });
    Screens::RegisterObjectReport(Kind::Event, [](const TDBMainInfo& event) {
        EventReport::Print(event.Database(), event.Obj);
    });
}
