#pragma once

#include "store/FamilyRules.h"

#include <QString>

class TBaseDBFrame;
class TDBMainInfo;
class TListRow;
class TMyDataBase;

/// What the kinship lists share: the mark of a family against a reference couple, the person cells, and the
/// one way they change a kinship column of a person.
namespace Kinship {

/// The mark of a row's family against the reference family, shown as a picture.
enum class TMark {
    None,       ///< the reference family itself, or the same couple
    SameFather, ///< only the husband is the reference husband
    SameMother, ///< only the wife is the reference wife
    Other,      ///< neither
};

/// The mark of the couple (\a husband, \a wife) against (\a refHusband, \a refWife). An empty id (blank,
/// null or none) never matches: two families that both lack a wife do not share a mother.
TMark CoupleMark(const QString& refHusband, const QString& refWife, const QString& husband, const QString& wife);
/// The picture of \a mark in the large picture list; -1 for none.
int MarkPicture(TMark mark);

/// The pictures of a woman and a man in the large picture list.
inline constexpr int WomanPicture = 56;
inline constexpr int ManPicture = 38;

/// The surname, first name and patronymic of a person row on three lines (columns \a prefix + Str1..Str3);
/// empty on an empty row.
QString NamesCell(const TListRow& row, const QString& prefix = QString());
/// The age text of a person row (\a prefix + Date1 and D2Flag); empty on an empty row.
QString AgeCell(const TListRow& row, const QString& prefix = QString());

/// Makes \a godparentId the godmother (\a godmother) or the godfather of \a personId; an empty id removes
/// that godparent. The person is read afresh from \a db and only that column is written, so what other
/// screens changed meanwhile stays. A failed save is shown; true when written. Announces the saved person.
bool SetGodparent(const QString& personId, TMyDataBase* db, bool godmother, const QString& godparentId);
/// Reads the stored native family and godparents of \a person into it, as a list's copy of the person may
/// be older than the row.
void RefreshKinship(TDBMainInfo& person);

/// Edits a new adoption in the main window's adoption dialog, through \a frame's requests.
TAdoptionEditor AdoptionDialog(TBaseDBFrame* frame);

/// The question and refusals of the godparent lists, as the user reads them.
inline const QString SelfGodparent = QStringLiteral("Человек не может сам себя крестить!");
inline const QString ParentGodparent = QStringLiteral("Родители не могут крестить своего ребенка!");
inline const QString ReplaceGodmother = QStringLiteral("Вы действительно хотите заменить крестную?");
inline const QString ReplaceGodfather = QStringLiteral("Вы действительно хотите заменить крестного?");
/// "Вы действительно хотите удалить связь с крестной?" (\a godmother) or "... с крестным?".
QString RemoveGodparentQuestion(bool godmother);

} // namespace Kinship
