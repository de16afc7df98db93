#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/**
 * vCard files as text: the cards of a file with their properties, read from versions 2.1, 3.0 and 4.0, and
 * written as 3.0 or 4.0. Nothing here knows the database; what a card means for a person is in
 * VCardContact.h.
 *
 * Reading takes a file as its bytes: a UTF-8 or UTF-16 byte-order mark, CR LF, LF or CR line ends, folded
 * lines (a line beginning with a blank or a tab continues the one before), several cards, and the 2.1
 * habits: parameters without a name ("TEL;CELL"), quoted-printable values with their soft line breaks and a
 * CHARSET of their own. A line or a card that cannot be read is told with its line number and never stops
 * the cards after it.
 */
namespace VCard {

/// One property of a card: "item1.TEL;TYPE=CELL:+7 ..." gives the group "item1", the name "TEL", the
/// parameter TYPE with the value "CELL" and the value text.
struct TProperty
{
    QString Group;
    /// Upper case.
    QString Name;
    /// Parameter names in upper case with their values (a list parameter "TYPE=HOME,CELL" gives two values;
    /// a 2.1 bare word "CELL" is a TYPE value).
    QList<std::pair<QString, QStringList>> Params;
    /// The value with quoted-printable and the charset decoded; still escaped as the version escapes it
    /// (split it with Components or Unescape).
    QString Value;
    /// The bytes of a base64 value (ENCODING=BASE64 or b); empty otherwise.
    QByteArray Binary;
    /// The line of the file the property begins on, counted from 1.
    int Line = 0;

    /// The values of parameter \a name (upper case), every occurrence joined.
    QStringList Param(const QString& name) const;
    /// Whether TYPE holds \a type (case ignored).
    bool HasType(const QString& type) const;
};

struct TCard
{
    /// "2.1", "3.0", "4.0", or what the card's VERSION says.
    QString Version;
    QList<TProperty> Properties;
    /// The line of BEGIN:VCARD.
    int Line = 0;

    /// The first property named \a name, or nullptr.
    const TProperty* First(const QString& name) const;
};

/// A line or card that could not be read.
struct TProblem
{
    int Line = 0;
    QString Text;
};

struct TFile
{
    QList<TCard> Cards;
    QList<TProblem> Problems;
};

/// Reads every card of the file \a data.
TFile Parse(const QByteArray& data);

/// The text of an escaped value: "\n" and "\N" a line break, "\," "\;" "\:" and "\\" the character itself.
QString Unescape(const QString& value);
/// The components of a structured value split at unescaped \a separator, each unescaped.
QStringList Components(const QString& value, QChar separator = u';');

/// Writes cards line by line: escaping, quoting parameter values, and folding lines longer than 75 bytes
/// without splitting a character. Lines end with CR LF.
class TWriter final
{
public:
    /// \a version: "3.0" or "4.0".
    explicit TWriter(const QString& version);
    void Begin();
    void End();
    /// A property whose value is \a components, each escaped, joined by ";".
    void Add(const QString& name, const QList<std::pair<QString, QString>>& params, const QStringList& components);
    /// A property with one text value, escaped.
    void AddText(const QString& name, const QString& text, const QList<std::pair<QString, QString>>& params = {});
    /// A property whose value is written as it is (a date, a URI, base64).
    void AddRaw(const QString& name, const QString& value, const QList<std::pair<QString, QString>>& params = {});
    const QString& Version() const { return m_version; }
    const QByteArray& Data() const { return m_data; }

private:
    void Line(const QString& text);

    QString m_version;
    QByteArray m_data;
};

/// \a text with the characters a vCard value escapes ("\\", ",", ";", line breaks) escaped.
QString Escape(const QString& text);

} // namespace VCard
