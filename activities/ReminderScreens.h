#pragma once

/// The side lists of the reminders: picture 58, the memorable dates of the coming week (shown at start), and
/// picture 9, the objects changed lately. Their names in the side panel are the main window's.
void RegisterReminderScreens();
