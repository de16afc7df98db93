#pragma once

#include <QList>

struct TShellKind;

/**
 * The shell's descriptors of groups and projects, with their screens:
 *  - 21 (groups, categories, projects): the group editor in the edit dialog, captioned by the group's type;
 *    the project card; projects are deleted from the main window with "все данные о проекте";
 *  - 9 (projects): the projects list as the side list of picture 109 (F7) and in the pick dialog
 *    "Поиск проекта";
 *  - 31 (meeting kinds): the group editor, "Определение вида втречи";
 *  - the dialog-only codes 123 (the category editor), 124 (the projects table) and 125 (the groups of one
 *    object or kind, OK reading "Обновить").
 */
QList<TShellKind> GroupShellKinds();

/// Registers the group and project screens.
void RegisterGroupScreens();
