#pragma once

#include <QString>

/**
 * \brief File and folder choice.
 *
 * Filters are given in Qt's form ("Базы данных (*.zdb)"); an empty result means the user chose nothing.
 * The service is owned by whoever installs it with SetFileDialogService(); all calls are made from the
 * user-interface thread only.
 */
class TFileDialogService
{
public:
    virtual ~TFileDialogService() = default;
    /// An existing file to open, starting in \a folder.
    virtual QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    /// A file name to write, starting in \a folder; the file need not exist.
    virtual QString SaveFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    /// An existing folder, starting in \a folder.
    virtual QString ExistingFolder(const QString& caption, const QString& folder) = 0;
};

/// The installed service; one that chooses nothing until one is installed.
TFileDialogService& FileDialogs();
/// Installs \a service (not owned; nullptr restores the default). Returns the previous one.
TFileDialogService* SetFileDialogService(TFileDialogService* service);
