#pragma once

#include "contacts/VCard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/**
 * What a vCard says about a person, in the terms the database keeps: the person's names, sex, birthday,
 * comment and photo, phones as twelve digit positions, internet contacts, addresses, organizations with the
 * role held there, and group names. FromCard reads a card (any version), Write writes one (3.0 or 4.0), so
 * that a person written and read back is the same person. Nothing here touches the database.
 */
namespace VCardContact {

struct TPhone
{
    /// Twelve positions as the phone editor keeps them (country 2, area 3, then 7), blanks where none.
    QString Number;
    /// PhoneType.
    int Type = 0;
    /// The phone's comment (a card keeps it in an X-ZORVIN-COMMENT property of the phone's group).
    QString Comment;
    friend bool operator==(const TPhone&, const TPhone&) = default;
};

struct TInternet
{
    /// InternetType.
    int Type = 0;
    QString Address;
    QString Name;
    /// The contact's comment, kept like a phone's.
    QString Comment;
    friend bool operator==(const TInternet&, const TInternet&) = default;
};

struct TAddress
{
    QString Country, Region, District, Settlement, Street, House, Flat, PostalIndex;
    /// Lives there now.
    bool Current = true;
    friend bool operator==(const TAddress&, const TAddress&) = default;
};

struct TOrganization
{
    /// The organization, or the parent of a branch when Branch is given.
    QString Name;
    /// The form of ownership of the organization ("АО").
    QString Form;
    QString Branch;
    /// The role the person holds there (the card's TITLE).
    QString Title;
    friend bool operator==(const TOrganization&, const TOrganization&) = default;
};

struct TPerson
{
    QString Surname, FirstName, Patronymic;
    /// 1 a man, 2 a woman, 0 not told.
    int Sex = 0;
    /// The birth date as a day serial (0: none) and whether day, month and year are all known.
    double Birth = 0;
    bool BirthComplete = false;
    bool RemindBirthday = false;
    /// A birthday known without its year (0 when none).
    int BirthdayDay = 0, BirthdayMonth = 0;
    double Death = 0;
    bool Dead = false;
    QString Note;
    /// JPEG bytes (or whatever picture the card held; the importer converts).
    QByteArray Photo;
    QList<TPhone> Phones;
    QList<TInternet> Internet;
    QList<TAddress> Addresses;
    QList<TOrganization> Organizations;
    QStringList Groups;
    /// The line of the card in its file.
    int Line = 0;
};

struct TReading
{
    /// Empty when the card holds no name at all.
    std::optional<TPerson> Person;
    /// What could not be read (a phone that does not fit, a date that is no date ...), with line numbers.
    QList<VCard::TProblem> Problems;
};

TReading FromCard(const VCard::TCard& card);

/// Writes \a person as one card.
void Write(VCard::TWriter& writer, const TPerson& person);

/// Splits a formatted name: "Иванов Иван Иванович" (surname first), "Иван Иванович Иванов", "Иван Иванов";
/// one word is a first name. Gives surname, first name, patronymic.
std::array<QString, 3> SplitFullName(const QString& fullName);

/// 1 or 2 when the patronymic or the surname tells the sex (Иванович, Ивановна, Иванова), otherwise 0.
int SexOfNameEndings(const QString& surname, const QString& patronymic);

/// The twelve positions of a phone number written as text ("+7 (495) 123-45-67", "8 916 123 45 67",
/// "123-45-67"); empty when it holds no digit or more than fit.
QString PhoneDigits(const QString& text);
/// A kept number as a card writes it: "+7 (495) 123-45-67".
QString PhoneText(const QString& digits);

/// The property holding the comment of the phone or internet contact of its group ("item1.TEL:...",
/// "item1.X-ZORVIN-COMMENT:...").
inline const QString CommentProperty = QStringLiteral("X-ZORVIN-COMMENT");

/// The first line of a comment that keeps a birthday without a year ("День рождения: 15.03").
inline const QString YearlessBirthdayCaption = QStringLiteral("День рождения: ");

} // namespace VCardContact
