#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TMyDataBase;

/**
 * \file
 * How two people are related: the shortest chain of kinship links between them and its Russian name.
 *
 * The links followed are the ones kinship is stored in: a person's native family (Link1) and adoptive
 * families (kind 81) lead to the parents and to the brothers and sisters; the families a person founded lead
 * to the partner and the children; the godparents (Link2, Link3) and the godchildren. No widgets: the same
 * search serves the person card and the reports.
 */

/// One step of a kinship path, from one person to the next.
struct TKinshipStep
{
    enum TKind {
        Parent, ///< to the father or mother
        Child, ///< to a son or daughter
        Sibling, ///< to a brother or sister of the same family
        Partner, ///< to the husband or wife
        Godparent, ///< to the godfather or godmother
        Godchild, ///< to a godson or goddaughter
    };
    TKind Kind = Parent;
    /// Through an adoption (kind 81) rather than birth.
    bool Adoptive = false;
    /// The family the step goes through; for a godparent step the godchild's own row.
    QString Link;
};

/// A person on a kinship path.
struct TKinshipPerson
{
    QString Id;
    QString Name; ///< surname, first name and patronymic
    bool Female = false;
};

/// The chain between two people: People has one more entry than Steps.
struct TKinshipPath
{
    bool Found = false;
    QList<TKinshipPerson> People;
    QList<TKinshipStep> Steps;
    /// What the last person is to the first ("двоюродный брат", "тёща", "не родственники" ...).
    QString Word;

    int Length() const { return int(Steps.size()); }
};

namespace KinshipTexts {
inline const QString NotRelated = QStringLiteral("не родственники");
inline const QString SamePerson = QStringLiteral("один и тот же человек");
} // namespace KinshipTexts

/// The deepest search, in steps, before two people are called not related.
inline constexpr int KinshipSearchDepth = 12;

/// The shortest kinship path from \a fromId to \a toId on \a db (the current database when nullptr), at most
/// \a maxDepth steps long. A blood relation (up to a common ancestor, then down) is preferred to any shorter
/// path through marriages or godparents. Not found: Word is "не родственники". A failing query ends the
/// search as not found.
TKinshipPath FindKinshipPath(TMyDataBase* db, const QString& fromId, const QString& toId,
                             int maxDepth = KinshipSearchDepth);

/// The Russian name of what the last person of \a people is to the first, for the steps between them
/// (people.size() == steps.size() + 1); "родственник" or "родственница" when there is no closer name.
QString KinshipWord(const QList<TKinshipPerson>& people, const QList<TKinshipStep>& steps);

/// The caption of one step for a path shown person by person: "отец", "жена", "крёстная мать" ...
/// (what the step's target is to the person before it).
QString KinshipStepWord(const TKinshipStep& step, bool targetFemale);
