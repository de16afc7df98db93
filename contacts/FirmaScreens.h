#pragma once

struct TShellKind;

/// The shell's descriptor of organizations (kind 6): the organization editor in the edit dialog "Новая
/// организация", the organization list in the pick dialog "Поиск организации" and as the side list of
/// picture 2 (F3), the organization card, the deletion question and the window-list row.
TShellKind FirmaShellKind();

/// Registers the organization screens: the descriptor, the card's sections of contacts, branches and
/// neighbours, and the text previews of addresses, organizations and notes and the person preview the
/// object picker shows.
void RegisterFirmaScreens();
