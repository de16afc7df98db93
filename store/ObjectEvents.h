#pragma once

/**
 * \brief Who hears that objects of a kind were saved or deleted: the main window, which refreshes its
 * lists and, for money operations (kind 24), recomputes the account balances.
 *
 * The installed listener is not owned. Calls are made on the user-interface thread.
 */
class TObjectEvents
{
public:
    virtual ~TObjectEvents() = default;
    /// Objects of \a kind were saved or deleted.
    virtual void ObjectSaved(int kind) = 0;
};

/// The installed listener, or nullptr.
TObjectEvents* ObjectEvents();
/// Installs \a listener (not owned; nullptr: none). Returns the previous one.
TObjectEvents* SetObjectEvents(TObjectEvents* listener);
/// Tells the installed listener, if any, that objects of \a kind were saved or deleted.
void AnnounceObjectSaved(int kind);
