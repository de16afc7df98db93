#include "activities/ReminderScreens.h"

#include "activities/FindAlarm.h"
#include "activities/FindLastModifyObj.h"
#include "shell/frames/ScreenRegistry.h"

namespace {
constexpr int MemorableDatesPicture = 58;
constexpr int RecentChangesPicture = 9;
} // namespace

void RegisterReminderScreens()
{
    Screens::RegisterSideList(MemorableDatesPicture, [](QWidget* parent) { return new TFindAlarm(parent); });
    Screens::RegisterSideList(RecentChangesPicture, [](QWidget* parent) { return new TFindLastModifyObj(parent); });
}
