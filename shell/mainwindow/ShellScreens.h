#pragma once

/// Registers the screens the shell itself offers (the database manager, dialog kind 904).
void RegisterShellScreens();
