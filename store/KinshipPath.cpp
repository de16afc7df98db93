#include "store/KinshipPath.h"

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <functional>
#include <tuple>

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
            // The families the frontier founded, as husband or as wife.
            Read(u"select ObjId, Link1, Link2 from AllInfo where ObjType = "_s + QString::number(Kind::Family)
                     + u" and (Link1 in ("_s + list + u") or Link2 in ("_s + list + u")) order by Date1 desc, ObjId"_s,
                [&](const QSqlQuery& q) {
                    const QString id = StoreFamily(q);
                    const TFamilyRow& family = m_families[id];
                    for (const QString& partner : {family.Husband, family.Wife})
                        if (!IsEmptyId(partner) && !m_ownFamilies[partner].contains(id))
                            m_ownFamilies[partner] << id;
                });
            // Godchildren, read whole: they are people the next step stands on.
            Read(u"select ObjId, Str1, Str2, Str3, Flag, Link1, Link2, Link3 from AllInfo where ObjType = "_s
                     + QString::number(Kind::Person) + u" and (Link2 in ("_s + list + u") or Link3 in ("_s + list
                     + u")) order by ObjId"_s,
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
            // The children born into the families, read whole: the next step stands on them.
            Read(u"select ObjId, Str1, Str2, Str3, Flag, Link1, Link2, Link3 from AllInfo where ObjType = "_s
                     + QString::number(Kind::Person) + u" and Link1 in ("_s + list + u") order by Date1, ObjId"_s,
                [&](const QSqlQuery& q) {
                    const QString child = StorePerson(q, 0);
                    m_children[m_people[child].NativeFamily] << TChildLink{child, false};
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

/// The step \a step seen from its other end: a parent's child, a godchild's godparent; the family or row it
/// goes through stays the same.
TKinshipStep Reversed(TKinshipStep step)
{
    switch (step.Kind) {
    case TKinshipStep::Parent: step.Kind = TKinshipStep::Child; break;
    case TKinshipStep::Child: step.Kind = TKinshipStep::Parent; break;
    case TKinshipStep::Godparent: step.Kind = TKinshipStep::Godchild; break;
    case TKinshipStep::Godchild: step.Kind = TKinshipStep::Godparent; break;
    case TKinshipStep::Sibling:
    case TKinshipStep::Partner: break;
    }
    return step;
}

/// Between paths of the same length the one with fewer godparent links, then fewer marriages, wins, so that
/// a pair searched both ways gives the same path.
int Cost(const TKinshipStep& step)
{
    return step.Kind == TKinshipStep::Godparent || step.Kind == TKinshipStep::Godchild ? 1000
        : step.Kind == TKinshipStep::Partner                                          ? 1
                                                                                      : 0;
}

/**
 * A breadth-first search from both ends at once, \a from forwards and \a to backwards, a whole level of the
 * smaller side at a time, until the two meet; the ids of the path into \a ids and its steps into \a steps.
 * Each side goes about half the depth, so the people read grow with the square root of what a search from one
 * end would read. A blood search goes up to the parents first and then only down: a path through a child to
 * the child's other parent is no blood relation.
 */
bool Search(TKinGraph& graph, const QString& from, const QString& to, int maxDepth, bool bloodOnly, QStringList& ids,
            QList<TKinshipStep>& steps)
{
    // A state is a person and, in a blood search, whether the path already turned down or not.
    struct TState
    {
        QString Id;
        bool Down = false;
    };
    const auto key = [bloodOnly](const TState& state) {
        return bloodOnly ? state.Id + (state.Down ? u"|d"_s : u"|u"_s) : state.Id;
    };
    // How a side reached a state: its distance and cost from that side's end, the state it came from and the
    // step between them, always written in the path's direction (from -> to).
    struct TMark
    {
        TState State;
        int Distance = 0;
        int Cost = 0;
        QString Via;
        TKinshipStep Step;
        int Order = 0;
    };
    struct TSide
    {
        QHash<QString, TMark> Marks;
        QList<TState> Frontier;
        int Radius = 0;
    };
    TSide ahead;
    TSide behind;
    int order = 0;
    const auto plant = [&](TSide& side, const TState& state) {
        side.Marks.insert(key(state), TMark{state, 0, 0, QString(), {}, order++});
        side.Frontier << state;
    };
    plant(ahead, {from, false});
    plant(behind, {to, false});
    if (bloodOnly)
        plant(behind, {to, true}); // a blood path ends going up or going down
    // The states a forward step of kind \a kind may reach from \a at (forwards), or come from to reach \a at
    // (backwards).
    const auto nextStates = [bloodOnly](bool forwards, bool atDown, TKinshipStep::TKind kind) -> QList<bool> {
        if (!bloodOnly)
            return {false};
        if (kind != TKinshipStep::Parent && kind != TKinshipStep::Sibling && kind != TKinshipStep::Child)
            return {};
        if (forwards) {
            if (atDown && kind != TKinshipStep::Child)
                return {};
            return {kind != TKinshipStep::Parent};
        }
        if (!atDown)
            return kind == TKinshipStep::Parent ? QList<bool>{false} : QList<bool>{};
        if (kind == TKinshipStep::Sibling)
            return {false};
        return kind == TKinshipStep::Child ? QList<bool>{false, true} : QList<bool>{};
    };
    QString meeting;
    const auto meet = [&](const QString& at) {
        const TMark& a = ahead.Marks[at];
        const TMark& b = behind.Marks[at];
        if (meeting.isEmpty()) {
            meeting = at;
            return;
        }
        const TMark& ma = ahead.Marks[meeting];
        const TMark& mb = behind.Marks[meeting];
        const auto rank = [](const TMark& x, const TMark& y) {
            return std::tuple(x.Distance + y.Distance, x.Cost + y.Cost, x.Order, y.Order);
        };
        if (rank(a, b) < rank(ma, mb))
            meeting = at;
    };
    if (behind.Marks.contains(key({from, false})))
        meet(key({from, false}));
    while (meeting.isEmpty() && ahead.Radius + behind.Radius < maxDepth && !ahead.Frontier.isEmpty()
           && !behind.Frontier.isEmpty() && !graph.Failed()) {
        const bool forwards = ahead.Frontier.size() <= behind.Frontier.size();
        TSide& side = forwards ? ahead : behind;
        const TSide& other = forwards ? behind : ahead;
        QStringList people;
        for (const TState& at : std::as_const(side.Frontier))
            people << at.Id;
        people.removeDuplicates();
        graph.LoadPeople(people);
        graph.LoadLinksOf(people);
        QList<TState> next;
        QSet<QString> thisLevel;
        for (const TState& at : std::as_const(side.Frontier)) {
            const QString atKey = key(at);
            graph.ForNeighbours(at.Id, [&](const QString& neighbour, const TKinshipStep& seen) {
                const TKinshipStep step = forwards ? seen : Reversed(seen);
                for (const bool down : nextStates(forwards, at.Down, step.Kind)) {
                    const TState state{neighbour, down};
                    const QString stateKey = key(state);
                    const TMark& atMark = side.Marks[atKey];
                    const int cost = atMark.Cost + Cost(step);
                    const auto known = side.Marks.constFind(stateKey);
                    if (known != side.Marks.cend() && (!thisLevel.contains(stateKey) || known->Cost <= cost))
                        continue;
                    if (known == side.Marks.cend())
                        next << state;
                    side.Marks.insert(stateKey, TMark{state, atMark.Distance + 1, cost, atKey, step, order++});
                    thisLevel.insert(stateKey);
                }
            });
        }
        side.Frontier = next;
        ++side.Radius;
        for (const TState& state : std::as_const(next))
            if (other.Marks.contains(key(state)))
                meet(key(state));
    }
    if (meeting.isEmpty() || graph.Failed())
        return false;
    ids = QStringList{ahead.Marks[meeting].State.Id};
    for (QString at = meeting; ahead.Marks[at].Distance > 0; at = ahead.Marks[at].Via) {
        steps.prepend(ahead.Marks[at].Step);
        ids.prepend(ahead.Marks[ahead.Marks[at].Via].State.Id);
    }
    for (QString at = meeting; behind.Marks[at].Distance > 0; at = behind.Marks[at].Via) {
        steps.append(behind.Marks[at].Step);
        ids.append(behind.Marks[behind.Marks[at].Via].State.Id);
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
