#pragma once

struct TShellKind;

/// The shell's descriptor of people (kind 1): the person editor in the edit dialog "Новый человек", the people
/// list in the pick dialog "Поиск знакомых" and as the side list of picture 1 (F1), the person card, the
/// deletion question and the window-list row of a person's card.
TShellKind PersonShellKind();

/// The shell's descriptor of families (kind 7): the family editor in the dialog "Новая семья", the family list
/// in the pick dialog "Поиск семьи" and as the side list of picture 40 (F2), the family card, the deletion
/// question and the window-list row.
TShellKind FamilyShellKind();
/// The shell's descriptor of adoptions (kind 81), edited in the dialog "Приемная семья".
TShellKind AdoptiveFamilyLinkShellKind();

/// Registers the contact screens: the kinds' descriptors with their screens, and the person card's section
/// of marriages.
/// The shell's descriptor of addresses (kind 3): the address editor in the edit dialog "Новый адрес", the
/// address list in the pick dialog "Поиск адреса" and as the side list of picture 3, the address card, the
/// deletion question and the window-list row of an address's card.
TShellKind AddressShellKind();

/// The shell's descriptor of residences (kind 80): edited in the dialog "Адрес жительства", never in a card.
TShellKind ResidenceShellKind();

/// Registers the contact screens: the descriptors of people, addresses and residences with their screens,
/// and the sections they give the person and address cards.
void RegisterContactScreens();
