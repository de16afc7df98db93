#pragma once

#include "store/StoreResult.h"

/// Shows the text of a save or a deletion (when it has one) in a message box; whether it succeeded. Every
/// screen that saves or deletes tells the user through here, so that the words are the store's own.
bool ShowStoreResult(const TStoreResult& result);
