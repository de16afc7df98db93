#pragma once

#include <QList>

struct TShellKind;

/**
 * The shell's descriptors of accounts, with their screens:
 *  - 23 (accounts): the account editor in the edit dialog "Определение счета" (accounts are edited in the
 *    dialog, never in a card); the accounts list as the side list "MyBuchRest" of picture 28; deleted from
 *    the main window with their operations;
 *  - the dialog-only code 103: the accounts list in the dialog "Счета";
 *  - 24 (money operations): the operation editor in the edit dialog (captioned by the operation code), the
 *    operation card, and the finance list as the side list "Buchaltery" of picture 27 (F8).
 */
QList<TShellKind> FinanceShellKinds();

/// Registers the account and operation screens, and the recomputation of the balances after every save or deletion of
/// money operations (and once as the program starts).
void RegisterFinanceScreens();
