#pragma once

#include <QList>

struct TShellKind;

/**
 * The shell's descriptor of events (kind 8), with their screens: the event editor in the edit dialog
 * "Новое событие", the event card, the events list as the side list of picture 4 (F2) and in the pick
 * dialog "Поиск события"; events are deleted from the main window with "все данные о событии".
 */
QList<TShellKind> EventShellKinds();

/// Registers the event screens.
void RegisterEventScreens();
