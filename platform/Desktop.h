#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

/**
 * \brief What the desktop does for the system: open an address with the program associated with it,
 * and start a program.
 *
 * The service is owned by whoever installs it with SetDesktopService(); all calls are made from the
 * user-interface thread only. Callers go through the Desktop helpers below, which decide what may be
 * opened at all; the service only carries out an address already checked.
 */
class TDesktopService
{
public:
    virtual ~TDesktopService() = default;
    /// Opens \a url (a local file or folder, an http/https address or a mailto: address); false when the
    /// desktop could not open it.
    virtual bool OpenUrl(const QUrl& url) = 0;
    /// Starts \a program with \a arguments as separate words (no shell is involved), detached from this
    /// process; false when it could not be started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) = 0;
};

/// The installed service; one that refuses everything until one is installed.
TDesktopService& DesktopServices();
/// Installs \a service (not owned; nullptr restores the default). Returns the previous one.
TDesktopService* SetDesktopService(TDesktopService* service);

/// Opening things on the desktop. Every helper checks its input first and answers false, without asking
/// the desktop, for anything it must not open.
namespace Desktop {

/// The file URL of an existing file or folder; an empty URL when \a path names nothing.
QUrl PathUrl(const QString& path);
/// The http/https URL of a typed web address ("www.example.ru" is read as http); an empty URL for
/// anything else (another scheme, no host, blanks inside).
QUrl WebUrl(const QString& address);
/// The mailto: URL of one e-mail address ("name@example.ru", optionally already prefixed "mailto:");
/// an empty URL when the text is not one address.
QUrl MailUrl(const QString& address);

/// Opens an existing file or folder with its associated program.
bool OpenPath(const QString& path);
/// Opens a web address in the browser (http and https only).
bool OpenWebAddress(const QString& address);
/// Opens a new message to an e-mail address in the mail program.
bool OpenMailAddress(const QString& address);
/// Starts an existing program file with arguments; never through a shell command line.
bool StartProgram(const QString& program, const QStringList& arguments = QStringList(),
                  const QString& workingFolder = QString());

} // namespace Desktop
