#include "store/KinshipPath.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

/// How many ids one "in (...)" list holds.
constexpr int IdsPerStatement = 400;

QString Key(const QString& id)
{
    return id.trimmed().toUpper();
}

struct TPersonRow
{
    QString Name;
    bool Female = false;
    QString NativeFamily;
    QString Godfather;
    QString Godmother;
};

struct TFamilyRow
{
    QString Husband;
    QString Wife;
};

struct TChildLink
{
    QString Child;
    bool Adoptive = false;
};

/// Where a person was reached from.
struct TReached
{
    QString From;
    TKinshipStep Step;
};

/**
 * The part of the kinship graph the search has read so far. Every read takes a whole frontier at once, so a
 * search issues a few statements per step of depth, not per person.
 */
class TKinGraph
{
public:
    explicit TKinGraph(TMyDataBase* db) : m_db(db) {}

    bool Failed() const { return m_failed; }

    /// Reads the rows of \a ids not read yet.
    void LoadPeople(const QStringList& ids)
    {
        QStringList missing;
        for (const QString& id : ids)
            if (!m_people.contains(id))
                missing << id;
        ForChunks(missing, [&](const QString& list) {
            Read(u"select ObjId, Str1, Str2, Str3, Flag, Link1, Link2, Link3 from AllInfo where ObjType = "_s
                     + QString::number(Kind::Person) + u" and ObjId in ("_s + list + u')',
                [&](const QSqlQuery& q) { StorePerson(q, 0); });
        });
        for (const QString& id : missing)
            (void)m_people[id]; // a dangling link reads as an empty person, once
    }

    /// Reads the links a step from \a frontier (people already read) follows.
    void LoadLinksOf(const QStringList& frontier)
    {
        // Adoptions of the frontier, and the families the frontier founded.
        ForChunks(frontier, [&](const QString& list) {
            Read(u"select Link1, Link2 from AllInfo where ObjType = "_s + QString::number(Kind::AdoptiveFamilyLink)
                     + u" and Link2 in ("_s + list + u") order by ObjId"_s,
                [&](const QSqlQuery& q) { m_adoptiveOf[Key(q.value(1).toString())] << Key(q.value(0).toString()); });
            const QString families = u"select ObjId, Link1, Link2 from AllInfo where ObjType = "_s
                + QString::number(Kind::Family);
            for (const char* column : {"Link1", "Link2"})
                Read(families + u" and "_s + QLatin1StringView(column) + u" in ("_s + list + u") order by Date1 desc, ObjId"_s,
                    [&](const QSqlQuery& q) {
                        const QString id = StoreFamily(q);
                        const TFamilyRow& family = m_families[id];
                        for (const QString& partner : {family.Husband, family.Wife})
                            if (!IsEmptyId(partner) && !m_ownFamilies[partner].contains(id))
                                m_ownFamilies[partner] << id;
                    });
            // Godchildren, read whole: they are people the next step stands on.
            for (const char* column : {"Link2", "Link3"})
                Read(u"select ObjId, Str1, Str2, Str3, Flag, Link1, Link2, Link3 from AllInfo where ObjType = "_s
                         + QString::number(Kind::Person) + u" and "_s + QLatin1StringView(column) + u" in ("_s + list
                         + u") order by ObjId"_s,
                    [&](const QSqlQuery& q) {
                        const QString child = StorePerson(q, 0);
                        const TPersonRow& row = m_people[child];
                        for (const QString& godparent : {row.Godfather, row.Godmother})
                            if (!IsEmptyId(godparent) && !m_godchildren[godparent].contains(child))
                                m_godchildren[godparent] << child;
                    });
        });
        for (const QString& id : frontier) {
            (void)m_ownFamilies[id];
            (void)m_godchildren[id];
            (void)m_adoptiveOf[id];
        }
        // The families the frontier belongs to, and the children of every family met.
        QStringList families;
        for (const QString& id : frontier) {
            const TPersonRow& person = m_people[id];
            if (!IsEmptyId(person.NativeFamily))
                families << person.NativeFamily;
            families << m_adoptiveOf[id] << m_ownFamilies[id];
        }
        families.removeDuplicates();
        QStringList unread;
        QStringList childless;
        for (const QString& family : std::as_const(families)) {
            if (!m_families.contains(family))
                unread << family;
            if (!m_children.contains(family))
                childless << family;
        }
        ForChunks(unread, [&](const QString& list) {
            Read(u"select ObjId, Link1, Link2 from AllInfo where ObjType = "_s + QString::number(Kind::Family)
                     + u" and ObjId in ("_s + list + u')',
                [&](const QSqlQuery& q) { StoreFamily(q); });
        });
        for (const QString& family : std::as_const(unread))
            (void)m_families[family];
        ForChunks(childless, [&](const QString& list) {
            Read(u"select ObjId, Link1 from AllInfo where ObjType = "_s + QString::number(Kind::Person)
                     + u" and Link1 in ("_s + list + u") order by Date1, ObjId"_s,
                [&](const QSqlQuery& q) {
                    m_children[Key(q.value(1).toString())] << TChildLink{Key(q.value(0).toString()), false};
                });
            Read(u"select Link1, Link2 from AllInfo where ObjType = "_s + QString::number(Kind::AdoptiveFamilyLink)
                     + u" and Link1 in ("_s + list + u") order by ObjId"_s,
                [&](const QSqlQuery& q) {
                    m_children[Key(q.value(0).toString())] << TChildLink{Key(q.value(1).toString()), true};
                });
        });
        for (const QString& family : std::as_const(childless))
            (void)m_children[family];
    }

    /// The people one step from \a id (whose links were read), in the order a search prefers them.
    void ForNeighbours(const QString& id, const std::function<void(const QString&, const TKinshipStep&)>& visit)
    {
        const TPersonRow person = m_people.value(id);
        QList<QPair<QString, bool>> parentFamilies;
        if (!IsEmptyId(person.NativeFamily))
            parentFamilies << qMakePair(person.NativeFamily, false);
        for (const QString& family : m_adoptiveOf.value(id))
            parentFamilies << qMakePair(family, true);
        for (const auto& [family, adoptive] : std::as_const(parentFamilies)) {
            const TFamilyRow row = m_families.value(family);
            for (const QString& parent : {row.Husband, row.Wife})
                if (!IsEmptyId(parent) && parent != id)
                    visit(parent, {TKinshipStep::Parent, adoptive, family});
        }
        for (const auto& [family, adoptive] : std::as_const(parentFamilies))
            for (const TChildLink& child : m_children.value(family))
                if (child.Child != id)
                    visit(child.Child, {TKinshipStep::Sibling, adoptive || child.Adoptive, family});
        const QStringList own = m_ownFamilies.value(id);
        for (const QString& family : own)
            for (const TChildLink& child : m_children.value(family))
                if (child.Child != id)
                    visit(child.Child, {TKinshipStep::Child, child.Adoptive, family});
        for (const QString& family : own) {
            const TFamilyRow row = m_families.value(family);
            const QString partner = row.Husband == id ? row.Wife : row.Husband;
            if (!IsEmptyId(partner) && partner != id)
                visit(partner, {TKinshipStep::Partner, false, family});
        }
        for (const QString& godparent : {person.Godfather, person.Godmother})
            if (!IsEmptyId(godparent) && godparent != id)
                visit(godparent, {TKinshipStep::Godparent, false, id});
        for (const QString& child : m_godchildren.value(id))
            if (child != id)
                visit(child, {TKinshipStep::Godchild, false, child});
    }

    TKinshipPerson Person(const QString& id) const
    {
        const TPersonRow row = m_people.value(id);
        return {id, row.Name, row.Female};
    }

private:
    void Read(const QString& sql, const std::function<void(const QSqlQuery&)>& row)
    {
        if (m_failed)
            return;
        auto query = TMyDataBase::QueryOn(m_db, sql);
        if (!query) {
            m_failed = true;
            return;
        }
        while (query->next())
            row(*query);
    }

    static void ForChunks(const QStringList& ids, const std::function<void(const QString&)>& run)
    {
        for (qsizetype i = 0; i < ids.size(); i += IdsPerStatement) {
            QStringList quoted;
            for (const QString& id : ids.mid(i, IdsPerStatement))
                quoted << SqlDialect::Quote(id);
            run(quoted.join(u','));
        }
    }

    QString StorePerson(const QSqlQuery& q, int first)
    {
        const QString id = Key(q.value(first).toString());
        TPersonRow& row = m_people[id];
        QStringList names;
        for (int i = 1; i <= 3; ++i)
            if (const QString part = q.value(first + i).toString().trimmed(); !part.isEmpty())
                names << part;
        row.Name = names.join(u' ');
        row.Female = q.value(first + 4).toBool();
        row.NativeFamily = Key(q.value(first + 5).toString());
        row.Godfather = Key(q.value(first + 6).toString());
        row.Godmother = Key(q.value(first + 7).toString());
        return id;
    }

    QString StoreFamily(const QSqlQuery& q)
    {
        const QString id = Key(q.value(0).toString());
        m_families[id] = {Key(q.value(1).toString()), Key(q.value(2).toString())};
        return id;
    }

    TMyDataBase* m_db;
    bool m_failed = false;
    QHash<QString, TPersonRow> m_people;
    QHash<QString, TFamilyRow> m_families;
    QHash<QString, QList<TChildLink>> m_children; ///< by family
    QHash<QString, QStringList> m_adoptiveOf; ///< by person: the adoptive families
    QHash<QString, QStringList> m_ownFamilies; ///< by person: the families founded
    QHash<QString, QStringList> m_godchildren; ///< by godparent
};

} // namespace

namespace {

/// A breadth-first search from \a from to \a to; the ids of the path into \a ids and its steps into \a steps.
/// A blood search goes up to the parents first and then only down: a path through a child to the child's
/// other parent is no blood relation.
bool Search(TKinGraph& graph, const QString& from, const QString& to, int maxDepth, bool bloodOnly, QStringList& ids,
            QList<TKinshipStep>& steps)
{
    // A state is a person and, in a blood search, whether the path already turned down ("d") or not ("u").
    const auto state = [bloodOnly](const QString& id, bool down) {
        return bloodOnly ? id + (down ? u"|d"_s : u"|u"_s) : id;
    };
    struct TState
    {
        QString Id;
        bool Down = false;
    };
    // Between paths of the same length the one with fewer godparent links, then fewer marriages, wins, so
    // that a pair searched both ways gives the same path.
    const auto cost = [](const TKinshipStep& step) {
        return step.Kind == TKinshipStep::Godparent || step.Kind == TKinshipStep::Godchild ? 1000
            : step.Kind == TKinshipStep::Partner                                          ? 1
                                                                                          : 0;
    };
    QHash<QString, TReached> reached;
    QHash<QString, TState> states;
    QHash<QString, int> rank;
    const QString start = state(from, false);
    reached.insert(start, {});
    states.insert(start, {from, false});
    rank.insert(start, 0);
    QList<TState> frontier{{from, false}};
    QString found = from == to ? start : QString();
    for (int depth = 0; depth < maxDepth && found.isEmpty() && !frontier.isEmpty() && !graph.Failed(); ++depth) {
        QStringList people;
        for (const TState& at : std::as_const(frontier))
            people << at.Id;
        people.removeDuplicates();
        graph.LoadPeople(people);
        graph.LoadLinksOf(people);
        QList<TState> next;
        QSet<QString> thisLevel;
        for (const TState& at : std::as_const(frontier)) {
            const QString atKey = state(at.Id, at.Down);
            graph.ForNeighbours(at.Id, [&](const QString& neighbour, const TKinshipStep& step) {
                bool down = at.Down;
                if (bloodOnly) {
                    if (step.Kind != TKinshipStep::Parent && step.Kind != TKinshipStep::Sibling
                        && step.Kind != TKinshipStep::Child)
                        return;
                    if (at.Down && step.Kind != TKinshipStep::Child)
                        return;
                    down = step.Kind != TKinshipStep::Parent;
                }
                const QString key = state(neighbour, down);
                const int newRank = rank.value(atKey) + cost(step);
                if (reached.contains(key) && (!thisLevel.contains(key) || rank.value(key) <= newRank))
                    return;
                if (!reached.contains(key))
                    next << TState{neighbour, down};
                reached.insert(key, {atKey, step});
                states.insert(key, {neighbour, down});
                rank.insert(key, newRank);
                thisLevel.insert(key);
            });
        }
        for (const TState& at : std::as_const(next))
            if (at.Id == to && found.isEmpty())
                found = state(at.Id, at.Down);
        frontier = next;
    }
    if (found.isEmpty() || graph.Failed())
        return false;
    ids = QStringList{to};
    for (QString at = found; at != start; at = reached[at].From) {
        steps.prepend(reached[at].Step);
        ids.prepend(states[reached[at].From].Id);
    }
    return true;
}

} // namespace

TKinshipPath FindKinshipPath(TMyDataBase* db, const QString& fromId, const QString& toId, int maxDepth)
{
    TKinshipPath path;
    path.Word = KinshipTexts::NotRelated;
    const QString from = Key(fromId);
    const QString to = Key(toId);
    if (IsEmptyId(from) || IsEmptyId(to))
        return path;
    // Blood first: a cousin who is also a godchild is named a cousin. Then every link, the shortest path.
    TKinGraph graph(db);
    QStringList ids;
    QList<TKinshipStep> steps;
    if (!Search(graph, from, to, maxDepth, true, ids, steps) && !Search(graph, from, to, maxDepth, false, ids, steps))
        return path;
    graph.LoadPeople(ids);
    if (graph.Failed())
        return path;
    for (const QString& id : std::as_const(ids))
        path.People << graph.Person(id);
    path.Steps = steps;
    path.Found = true;
    path.Word = KinshipWord(path.People, path.Steps);
    return path;
}
