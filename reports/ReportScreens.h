#pragma once

/// Registers the reports as the print actions of the person card, the people list and the event card.
/// Called once at start-up, before the main window is made.
void RegisterReportScreens();
