#pragma once

#include <QString>

/// The program's help document, "Help/Help_Zorvin_Base_1_0.pdf" in the program's folder (in the installed
/// share folder when the program is installed).
namespace HelpDocument {

/// Where the help document lies.
QString Path();
/// Opens the help document with the desktop's program for it; a missing document or one the desktop
/// cannot open is explained in a message. Whether it was opened.
bool Open();

} // namespace HelpDocument
