#pragma once

#include <QString>

/// Install modes: where the current database lives.
namespace InstallMode {
enum : int {
    None = 0,     ///< no valid settings: no current database
    AllUsers = 1, ///< the database shared by every user of the machine
    FilePath = 2, ///< a database at a given path
    Flash = 3,    ///< program and database together in the program's folder
    Server = 4,   ///< a database server
};
/// "ALLUSERS", "FILEPATH", "FLASH", "SERVER"; empty for other codes.
QString Keyword(int mode);
/// The display name of a mode ("Общая БД пользователей Windows" ...); empty for other codes.
QString DisplayName(int mode);
/// The mode of a keyword compared upper-cased; None when unknown.
int FromKeyword(const QString& keyword);
} // namespace InstallMode

/// What the settings file "Zorvin.ini" selects. User and password are kept once-encoded, as the
/// connection keeps them.
struct TSettings
{
    int Mode = InstallMode::None;
    QString Path;            ///< modes 1-3: the decoded path (may be empty)
    QString Server;          ///< mode 4
    QString EncodedUser;     ///< mode 4, once-encoded
    QString EncodedPassword; ///< mode 4, once-encoded
    QString Catalog;         ///< mode 4

    bool IsValid() const { return Mode != InstallMode::None; }
};

/**
 * The field encoding of the settings file. To encode a text: trim it, write every UTF-16 code unit as
 * 4 upper-case hexadecimal digits, reverse the digit string. A field is 4 hexadecimal digits giving the
 * length of the digit string, then the digit string.
 */
namespace SettingsFile {

/// The most code units a field can hold: its length prefix states at most FFFF digits.
inline constexpr int MaxFieldLength = 0xFFFF / 4;

/// The once-encoded form of \a text (no length prefix).
QString EncodeText(const QString& text);
/// The text of a once-encoded form; false in \a ok for anything that is not hexadecimal digits.
QString DecodeText(const QString& encoded, bool* ok = nullptr);
/// Length prefix + encoded text; a text longer than MaxFieldLength is cut to it.
QString EncodeField(const QString& text);
/// Takes one field off the front of \a payload and returns its decoded text (the empty text when fewer
/// than 4 characters are left). Never reads past the payload: a bad field sets \a ok to false.
QString DecodeField(QString& payload, bool* ok = nullptr);

/// The settings of one settings-file line (keyword, optionally "|" and the payload).
/// A line that is not a valid settings line gives Mode None: an unknown keyword, a field that does not
/// decode, or a server user or password that is not a once-encoded text. Text after the last field the
/// mode needs is ignored; missing fields are empty.
TSettings ParseLine(const QString& line);
/// The settings-file line for \a settings (user and password taken once-encoded).
QString FormatLine(const TSettings& settings);

/// Reads the first line of the file at \a path (a byte-order mark and CR line ends are accepted).
/// A missing or unreadable file gives Mode None.
TSettings Read(const QString& path);
/// Writes \a settings as the file at \a path: one line of UTF-8 without a byte-order mark, replacing the
/// file only once it is completely written. False with \a error set when the settings have no mode, a
/// field is longer than MaxFieldLength or the file cannot be written.
bool Write(const QString& path, const TSettings& settings, QString* error = nullptr);

} // namespace SettingsFile
