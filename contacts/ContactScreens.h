#pragma once

struct TShellKind;

/// The shell's descriptor of people (kind 1): the person editor in the edit dialog "Новый человек", the people
/// list in the pick dialog "Поиск знакомых" and as the side list of picture 1 (F1), the person card, the
/// deletion question and the window-list row of a person's card.
TShellKind PersonShellKind();

/// Registers the contact screens: the people kind's descriptor with its screens.
void RegisterContactScreens();
