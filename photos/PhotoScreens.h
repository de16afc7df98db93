#pragma once

struct TShellKind;

/// The photo dialog's descriptor: the dialog kind the photo frame opens, with the photo editor as its frame.
TShellKind PhotoShellKind();

/// Registers the photo screens with the shell; called once by the program.
void RegisterPhotoScreens();
