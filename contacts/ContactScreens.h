#pragma once

/// Registers the contact screens: the person editor (dialog kind 1), the people list in the pick dialog
/// of kind 1 and as the side list of picture 1 (F1).
void RegisterContactScreens();
