#pragma once

#include <QString>

/// Where reports are written: the folder "Zorvin" in the user's documents folder, one workbook per report
/// under a dated name ("Досье Иванов И. И. 2026-12-09 14-05.xlsx").
namespace ReportFile {

/// The folder of the reports (no trailing separator).
QString Folder();
/// Overrides the folder (tests); an empty text restores the documents folder.
void SetFolder(const QString& folder);
/// A path in Folder() for a new workbook titled \a title, dated now by the installed clock; a name already
/// taken gets " (2)", " (3)" ... Characters a file name cannot hold become "_".
QString NewPath(const QString& title);

} // namespace ReportFile
