#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// The Russian words the demo data is made of: names, places, organizations, events, categories.
namespace SeedWords {

struct TMaleName
{
    QString Name;
    QString SonPatronymic; ///< "Иванович"
    QString DaughterPatronymic; ///< "Ивановна"
};

/// A settlement with what its addresses and phones carry.
struct TCity
{
    QString Country;
    QString Region; ///< without " обл."; empty for a city of its own standing
    QString District; ///< without " р-н"
    QString Name;
    int IndexBase = 0; ///< the first postal index of the settlement
    int IndexRange = 1; ///< how many indexes follow it
    QString AreaCode; ///< three digits of the home phones; empty: no home phones
    int Weight = 1; ///< how often people live there
};

/// A category of money operations with its subcategories.
struct TCategory
{
    QString Name;
    QStringList Subcategories;
};

/// Male surnames; the most frequent first.
const QStringList& Surnames();
/// The surname as a woman bears it ("Иванова", "Покровская"; "Черных" stays).
QString FemaleSurname(const QString& maleSurname);
const QList<TMaleName>& MaleNames();
const QStringList& FemaleNames();
/// Latin spelling of a Russian text, for e-mail addresses and web sites ("Щукин" -> "shchukin").
QString Transliterate(const QString& text);

const QList<TCity>& Cities();
const QStringList& Streets();

/// Word parts of company names ("Техно" + "сервис").
const QStringList& CompanyStems();
const QStringList& CompanyEndings();
/// Names in guillemets for shops, cafés and the like ("Ромашка").
const QStringList& ShopNames();
/// Kinds of shops and services: "Магазин", "Кафе" ...
const QStringList& ShopKinds();
/// Names of banks (without the form of ownership).
const QStringList& BankNames();
/// Kinds of numbered public institutions with their form: {"Школа №", "МБОУ"} ...
const QList<QStringList>& Institutions();
const QStringList& BranchNames();

/// Event names by event type (index 0 = type 1 ... index 10 = type 11).
const QList<QStringList>& EventNames();
const QStringList& EventAims();
const QStringList& EventResults();
const QStringList& MeetingPlaces();

const QStringList& ProjectNames();
const QStringList& PeopleGroups();
const QStringList& OrganizationGroups();
const QStringList& NoteGroups();
const QStringList& EventGroups();
const QList<TCategory>& IncomeCategories();
const QList<TCategory>& ExpenseCategories();

const QStringList& JobRoles();
const QStringList& ClientRoles();
/// Roles two people hold towards each other: pairs {one side, other side}; a symmetric role twice.
const QList<QStringList>& PersonPairRoles();
const QList<QStringList>& OrganizationPairRoles();
const QStringList& ParticipantRoles();
const QStringList& ParticipationResults();
const QStringList& PersonTraits();

const QStringList& PersonComments();
const QStringList& NoteTitles();
const QStringList& NoteSentences();
const QStringList& OperationComments();
const QStringList& OperationLinkRoles();

} // namespace SeedWords
