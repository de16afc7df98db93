#pragma once

#include <QString>

#include <functional>

class TDBMainInfo;
class TMyDataBase;

/**
 * \file
 * The rules by which kinship is recorded, and the tests of whether two objects are linked already.
 *
 * A family names its partners in Link1 (husband) and Link2 (wife); a person names the family he or she was
 * born into in Link1; an adoption is a row of kind 81 (Link1 the family, Link2 the person). Kinship screens
 * change kinship only through these rules. Every refusal is shown through the message service and leaves
 * the database as it was; a change of several rows is one write transaction. User-interface thread only.
 */

/// Edits a new adoption row in the adoption dialog; true when the dialog saved it.
using TAdoptionEditor = std::function<bool(TDBMainInfo& adoption)>;

/// Makes \a family (a loaded family record) the native family of \a personId. An adoption of the person by
/// the same family is removed, after the user agreed, in the same transaction as the person is saved.
bool SetNativeFamily(const TDBMainInfo& family, const QString& personId);
/// Adds an adoption of \a personId by \a family through \a edit (the adoption dialog); true when saved.
bool AddAdoptiveFamily(const TDBMainInfo& family, const QString& personId, const TAdoptionEditor& edit);
/// Removes the native family of \a personId after the user agreed; true when it was removed.
bool RemoveParents(const QString& personId, TMyDataBase* db);

/// Whether a kind-81 row ties \a personId to \a familyId; false when the database cannot be read.
bool IsAdoptedBy(const QString& familyId, const QString& personId, TMyDataBase* db);
/// Whether the stored native family of \a personId is \a familyId.
bool IsNativeFamily(const QString& familyId, const QString& personId, TMyDataBase* db);
/// True when no row of \a kind links \a link1 to \a link2; false when one does, and then \a id holds its id.
/// A failing query counts as no row.
bool NoLinkRow(TMyDataBase* db, const QString& link1, const QString& link2, int kind, QString& id);
/// True when no role of \a a has its opposite side held by \a b; a failing query counts as true.
bool NoRolePair(TMyDataBase* db, const QString& a, const QString& b);
/// Whether some organization has \a organizationId as its parent; a failing query counts as true.
bool HasBranches(const QString& organizationId, TMyDataBase* db);

/// The refusals and questions of the rules, as the user reads them.
namespace FamilyRuleTexts {
inline const QString OwnParent = QStringLiteral("Человек не может быть\rсам себе родителем");
inline const QString AdoptiveToNative
    = QStringLiteral("Данная семья для человека уже указана как приемная,\rопределить ее как родную?");
inline const QString AlreadyNative = QStringLiteral("Данная семья для человека уже указана как родная!");
inline const QString AlreadyAdoptive = QStringLiteral("Данная семья для человека уже указана как приемная!");
inline const QString RemoveParentsQuestion
    = QStringLiteral("Вы действительно хотите удалить\rсвязь человека с родителями?");
} // namespace FamilyRuleTexts
