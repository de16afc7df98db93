#pragma once

#include "shell/frames/ShellKinds.h"

/// The descriptors of the kinds whose screens are not written yet: their dialog captions, deletion questions,
/// window-list rows and side lists, without factories. The subsystem that writes a kind's screens takes its
/// descriptor from here into its own registration.
namespace ShellKinds {

QList<TShellKind> Pending();
/// The side lists that belong to no kind of their own (reminders, recent changes).
QList<TSideList> PendingSideLists();

} // namespace ShellKinds
