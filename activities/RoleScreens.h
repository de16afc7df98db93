#pragma once

#include <QList>

struct TShellKind;

/**
 * The shell's descriptor of role rows (kind 20): the link dialog "Взаимосвязь, определение ролей", opened
 * for every role row instead of a card, and deleted from the main window as "эту роль".
 */
QList<TShellKind> RoleShellKinds();

/// Registers the role screens and the role and link sections of the person, organization, event and
/// project cards.
void RegisterRoleScreens();
