#include "contacts/VCardStore.h"

#include "store/BulkRecordWriter.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/GroupView.h"
#include "store/kinds/InternetContactView.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace VCardStore {

namespace {

using namespace VCardContact;

QString Q(const QString& value)
{
    return SqlDialect::Quote(value);
}

// The picture of each internet contact type, as the contact's editor shows it (InternetType::Email ..
// InternetType::Other).
int InternetPicture(int type)
{
    static const int pictures[] = {82, 43, 59, 60, 46, -1};
    return type >= InternetType::Email && type <= InternetType::Other ? pictures[type - 1] : -1;
}

// A new row of \a kind with every link naming nobody, as the store keeps links that are not used.
TObjectRow NewRow(int kind)
{
    TObjectRow row;
    row.ObjType = kind;
    for (int i = 1; i <= 5; ++i)
        row.Link(i) = Ids::None;
    return row;
}

// A stored photo is a JPEG; another picture is converted.
QByteArray JpegPhoto(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.startsWith("\xFF\xD8"))
        return bytes;
    QImage image;
    if (!image.loadFromData(bytes))
        return QByteArray();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return jpeg;
}

QString Key(const QStringList& parts)
{
    return parts.join(QChar(0x1F)).toLower();
}

// Writes the people of one import inside the import's transaction: new rows through the store's bulk writer,
// a person already there through the person's record.
class TImporter
{
public:
    explicit TImporter(TMyDataBase* db)
        : m_db(db)
        , m_writer(db)
    {
    }

    bool Save(TObjectRow& row) { return Saved(m_writer.Insert(row)); }

    // Gives back what the writer took and did not use; call before committing.
    bool Finish()
    {
        if (m_writer.Finish())
            return true;
        m_error = m_db->ErrorText().isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : m_db->ErrorText();
        return false;
    }

    bool WritePerson(const TPerson& card, const QString& existing)
    {
        // A person already there is loaded and saved by its record, which writes only what changed.
        TDBMainInfo person;
        person.SetDatabase(m_db);
        TObjectRow fresh = NewRow(Kind::Person);
        const bool update = !existing.isEmpty();
        if (update && !person.SetObj(existing)) {
            m_error = DbStatus::Text(DbStatus::QueryFailed);
            return false;
        }
        TObjectRow& row = update ? static_cast<TObjectRow&>(person) : fresh;
        const TPersonView view(row);
        if (!update) {
            view.SetSurname(CapitalizeFirst(card.Surname));
            view.SetFirstName(CapitalizeFirst(card.FirstName));
            view.SetPatronymic(CapitalizeFirst(card.Patronymic));
        }
        int sex = card.Sex;
        if (sex == 0 && !update) {
            sex = GuessSex(CapitalizeFirst(card.FirstName));
            if (sex == 0)
                sex = SexOfNameEndings(card.Surname, card.Patronymic);
        }
        if (sex != 0)
            view.SetIsFemale(sex == 2);
        view.SetSexHint(0);
        if (card.Birth != 0) {
            view.SetBirthDate(card.Birth);
            view.SetBirthDateComplete(card.BirthComplete);
            view.SetRemindBirthday(card.RemindBirthday);
        }
        if (card.Dead) {
            view.SetIsDead(true);
            view.SetDeathDate(card.Death);
        }
        QString text = card.Note;
        if (card.Birth == 0 && card.BirthdayDay != 0) {
            const QString day = QStringLiteral("%1.%2")
                                    .arg(card.BirthdayDay, 2, 10, QLatin1Char('0'))
                                    .arg(card.BirthdayMonth, 2, 10, QLatin1Char('0'));
            text = YearlessBirthdayCaption + day + (text.isEmpty() ? QString() : u'\n' + text);
        }
        if (!text.isEmpty())
            view.SetComments(text.left(CommentLength));
        if (!card.Photo.isEmpty()) {
            const QByteArray photo = JpegPhoto(card.Photo);
            if (!photo.isEmpty())
                view.SetPhoto(photo);
        }
        if (!Saved(update ? person.Save() : m_writer.Insert(fresh)))
            return false;
        const QString id = row.Obj;
        if (!update && !card.FirstName.isEmpty())
            Counted(CapitalizeFirst(card.FirstName), view.IsFemale());
        if (text.size() > CommentLength && !WriteLongNote(id, text))
            return false;
        return WritePhones(id, card, update) && WriteInternet(id, card, update) && WriteAddresses(id, card, update)
            && WriteOrganizations(id, card, update) && WriteGroups(id, card, update);
    }

    const QString& Error() const { return m_error; }

private:
    bool Saved(const TStoreResult& result)
    {
        if (!result.Ok())
            m_error = result.Text.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : result.Text;
        return result.Ok();
    }

    // The sex the first name suggests, as the person editor guesses it: the men and women of the database
    // bearing it, read once per name and counted on as the import adds people.
    int GuessSex(const QString& firstName)
    {
        if (firstName.isEmpty())
            return 0;
        auto known = m_names.find(firstName.toLower());
        if (known == m_names.end()) {
            qint64 men = 0;
            qint64 women = 0;
            auto query = TMyDataBase::QueryOn(m_db,
                u"select count(*), flag from AllInfo where ObjType = 1 and Str2 = "_s + Q(firstName) + u" group by Flag"_s);
            while (query && query->next())
                (query->value(1).toBool() ? women : men) += query->value(0).toLongLong();
            known = m_names.insert(firstName.toLower(), {men, women});
        }
        return SexOfCounts(known->first, known->second);
    }

    void Counted(const QString& firstName, bool female)
    {
        GuessSex(firstName);
        auto& [men, women] = m_names[firstName.toLower()];
        ++(female ? women : men);
    }

    // An update adds only what the person does not have yet: true (and remembered) when \a value is new.
    static bool Fresh(QSet<QString>& have, const QString& value)
    {
        const QString key = value.toLower();
        if (have.contains(key))
            return false;
        have.insert(key);
        return true;
    }

    QSet<QString> Existing(const QString& sql)
    {
        QSet<QString> values;
        auto query = TMyDataBase::QueryOn(m_db, sql);
        while (query && query->next())
            values.insert(query->value(0).toString().toLower());
        return values;
    }

    // The first organization of \a sql (ObjId, Link1) that is no branch.
    QString FirstIndependent(const QString& sql)
    {
        auto query = TMyDataBase::QueryOn(m_db, sql);
        while (query && query->next()) {
            if (IsEmptyId(query->value(1).toString()))
                return query->value(0).toString();
        }
        return QString();
    }

    QString FirstId(const QString& sql)
    {
        auto query = TMyDataBase::QueryOn(m_db, sql);
        return query && query->next() ? query->value(0).toString() : QString();
    }

    bool WriteLongNote(const QString& person, const QString& text)
    {
        TObjectRow note = NewRow(Kind::Note);
        const TNoteView view(note);
        view.SetTitle(LongNoteTitle);
        view.SetNoteKind(NoteType::Plain);
        view.SetDate(DateSerial::Today());
        view.SetHasDate(true);
        view.SetText(text);
        if (!Save(note))
            return false;
        TObjectRow link = NewRow(Kind::NoteLink);
        const TNoteLinkView linkView(link);
        linkView.SetNote(note.Obj);
        linkView.SetObject(person);
        return Save(link);
    }

    bool WritePhones(const QString& person, const TPerson& card, bool update)
    {
        QSet<QString> have;
        if (update && !card.Phones.isEmpty())
            have = Existing(u"select Str1 from AllInfo where ObjType = 4 and Link1 = "_s + Q(person));
        for (const TPhone& phone : card.Phones) {
            if (update && !Fresh(have, phone.Number))
                continue;
            TObjectRow row = NewRow(Kind::Phone);
            const TPhoneView view(row);
            view.SetOwner(person);
            view.SetOwnerKind(Kind::Person);
            view.SetNumber(phone.Number);
            view.SetPhoneKind(phone.Type);
            view.SetComments(phone.Comment.left(CommentLength));
            if (!Save(row))
                return false;
        }
        return true;
    }

    bool WriteInternet(const QString& person, const TPerson& card, bool update)
    {
        QSet<QString> have;
        if (update && !card.Internet.isEmpty())
            have = Existing(u"select Str1 from AllInfo where ObjType = 5 and Link1 = "_s + Q(person));
        for (const TInternet& contact : card.Internet) {
            if (update && !Fresh(have, contact.Address))
                continue;
            TObjectRow row = NewRow(Kind::InternetContact);
            const TInternetContactView view(row);
            view.SetOwner(person);
            view.SetContactType(contact.Type);
            view.SetPicture(InternetPicture(contact.Type));
            view.SetAddress(contact.Address);
            view.SetName(contact.Name);
            view.SetComments(contact.Comment.left(CommentLength));
            if (!Save(row))
                return false;
        }
        return true;
    }

    // An address already stored with the same parts (and postal index, when the card gives one) is reused, as
    // the address editor's completion lists lead the user to the address already there; otherwise a new one is
    // made, with the parts as the card writes them.
    QString AddressId(const TAddress& a)
    {
        const QString key = Key({a.Country, a.Region, a.District, a.Settlement, a.Street, a.House, a.Flat, a.PostalIndex});
        const auto known = m_addresses.constFind(key);
        if (known != m_addresses.constEnd())
            return *known;
        QString id = FirstId(u"select ObjId from AllInfo where ObjType = 3 and Str1 = "_s + Q(a.Country)
            + u" and Str2 = "_s + Q(a.Region) + u" and Str3 = "_s + Q(a.District) + u" and Str4 = "_s
            + Q(a.Settlement) + u" and Str5 = "_s + Q(a.Street) + u" and Link4 = "_s + Q(a.House)
            + u" and Link3 = "_s + Q(a.Flat)
            + (a.PostalIndex.isEmpty() ? QString() : u" and Link5 = "_s + Q(a.PostalIndex)) + u" order by ObjId"_s);
        if (id.isEmpty()) {
            TObjectRow row = NewRow(Kind::Address);
            const TAddressView view(row);
            view.SetCountry(a.Country);
            view.SetRegion(a.Region);
            view.SetDistrict(a.District);
            view.SetSettlement(a.Settlement);
            view.SetStreet(a.Street);
            view.SetHouse(a.House);
            view.SetFlat(a.Flat);
            view.SetPostalIndex(a.PostalIndex);
            if (!Save(row))
                return QString();
            id = row.Obj;
        }
        m_addresses.insert(key, id);
        return id;
    }

    bool WriteAddresses(const QString& person, const TPerson& card, bool update)
    {
        QSet<QString> have;
        if (update && !card.Addresses.isEmpty())
            have = Existing(u"select Link1 from AllInfo where ObjType = 80 and Link2 = "_s + Q(person));
        for (const TAddress& a : card.Addresses) {
            const QString address = AddressId(a);
            if (address.isEmpty())
                return false;
            if (update && !Fresh(have, address))
                continue;
            TObjectRow row = NewRow(Kind::Residence);
            const TResidenceView view(row);
            view.SetAddress(address);
            view.SetResident(person);
            view.SetCurrent(a.Current);
            if (!Save(row))
                return false;
        }
        return true;
    }

    QString OrganizationId(const QString& name, const QString& form, const QString& parent, const QString& parentName)
    {
        const QString key = Key({name, form, parent});
        const auto known = m_organizations.constFind(key);
        if (known != m_organizations.constEnd())
            return *known;
        QString id;
        if (parent.isEmpty()) {
            // An organization is found by its name (and form, when the card tells it) or by the name it is
            // shown with ("ООО, Ромашка").
            // Found through the name index; the parent is told apart from the rows read.
            id = FirstIndependent(u"select ObjId, Link1 from AllInfo where ObjType = 6 and Str1 = "_s + Q(name)
                + (form.isEmpty() ? QString() : u" and Str2 = "_s + Q(form)) + u" order by ObjId"_s);
            if (id.isEmpty() && form.isEmpty())
                id = FirstIndependent(
                    u"select ObjId, Link1 from AllInfo where ObjType = 6 and Str5 = "_s + Q(name) + u" order by ObjId"_s);
        } else {
            id = FirstId(u"select ObjId from AllInfo where ObjType = 6 and Link1 = "_s + Q(parent) + u" and Str1 = "_s
                + Q(name) + u" order by ObjId"_s);
        }
        if (id.isEmpty()) {
            TObjectRow row = NewRow(Kind::Organization);
            const TOrganizationView view(row);
            view.SetName(name);
            if (parent.isEmpty()) {
                view.SetFormOrParent(form);
                view.SetDisplayName(OrganizationDisplayName(QString(), form, name));
            } else {
                view.SetParent(parent);
                view.SetFormOrParent(parentName);
                view.SetDisplayName(OrganizationDisplayName(parentName, QString(), name));
            }
            if (!Save(row))
                return QString();
            id = row.Obj;
        }
        m_organizations.insert(key, id);
        return id;
    }

    bool WriteOrganizations(const QString& person, const TPerson& card, bool update)
    {
        QSet<QString> have;
        if (update && !card.Organizations.isEmpty()) {
            have = Existing(u"select S.Link1 + \"|\" + P.Str1 from AllInfo as P, AllInfo as S where P.ObjType = 20 "
                            u"and P.Link1 = "_s
                + Q(person) + u" and S.ObjId = P.Link5"_s);
        }
        for (const TOrganization& org : card.Organizations) {
            QString id = OrganizationId(org.Name, org.Form, QString(), QString());
            if (id.isEmpty())
                return false;
            if (!org.Branch.isEmpty()) {
                const QString parentName = OrganizationDisplayName(QString(), org.Form, org.Name);
                id = OrganizationId(org.Branch, QString(), id, parentName);
                if (id.isEmpty())
                    return false;
            }
            const QString title = org.Title.isEmpty() ? u"-"_s : CapitalizeFirst(org.Title);
            if (update && !Fresh(have, id + u'|' + title))
                continue;
            // The two sides of the link name each other, so both identifiers are taken first.
            TObjectRow side = NewRow(Kind::Role);
            TObjectRow other = NewRow(Kind::Role);
            side.Obj = m_writer.NewId(Kind::Role);
            other.Obj = m_writer.NewId(Kind::Role);
            if (IsNewId(side.Obj) || IsNewId(other.Obj)) {
                m_error = DbStatus::Text(DbStatus::QueryFailed);
                return false;
            }
            const TRoleView a(side);
            a.SetHolder(person);
            a.SetHolderKind(Kind::Person);
            a.SetOtherKind(Kind::Organization);
            a.SetOppositeSide(other.Obj);
            a.SetName(title);
            const TRoleView b(other);
            b.SetHolder(id);
            b.SetHolderKind(Kind::Organization);
            b.SetOtherKind(Kind::Person);
            b.SetOppositeSide(side.Obj);
            b.SetName(u"-"_s);
            if (!Save(side) || !Save(other))
                return false;
        }
        return true;
    }

    QString GroupId(const QString& name)
    {
        const auto known = m_groups.constFind(name.toLower());
        if (known != m_groups.constEnd())
            return *known;
        QString id = FirstId(u"select ObjId from AllInfo where ObjType = 21 and Int1 = "_s
            + QString::number(GroupType::PeopleRoles) + u" and Str1 = "_s + Q(name) + u" order by ObjId"_s);
        if (id.isEmpty()) {
            TObjectRow row = NewRow(Kind::Group);
            const TGroupView view(row);
            view.SetName(name);
            view.SetGroupKind(GroupType::PeopleRoles);
            if (!Save(row))
                return QString();
            id = row.Obj;
        }
        m_groups.insert(name.toLower(), id);
        return id;
    }

    // A category is a group of people the person belongs to: a role of the person in that group.
    bool WriteGroups(const QString& person, const TPerson& card, bool update)
    {
        QSet<QString> have;
        if (update && !card.Groups.isEmpty())
            have = Existing(u"select Link2 from AllInfo where ObjType = 20 and Int1 = 1 and Link1 = "_s + Q(person));
        for (const QString& name : card.Groups) {
            const QString group = GroupId(name);
            if (group.isEmpty())
                return false;
            if (update && !Fresh(have, group))
                continue;
            TObjectRow row = NewRow(Kind::Role);
            const TRoleView view(row);
            view.SetHolder(person);
            view.SetHolderKind(Kind::Person);
            view.SetGroup(group);
            view.SetName(u"-"_s);
            if (!Save(row))
                return false;
        }
        return true;
    }

    TMyDataBase* m_db;
    TBulkRecordWriter m_writer;
    QString m_error;
    QHash<QString, QString> m_addresses;
    QHash<QString, QString> m_organizations;
    QHash<QString, QString> m_groups;
    QHash<QString, std::pair<qint64, qint64>> m_names;
};

// A person updated by an import is saved by its record inside the import's transaction, so each such save is
// a savepoint; on a database file SQLite keeps what a savepoint would undo in a statement journal, a temporary
// file by default, written page by page. For the import's length that journal is kept in memory.
class TJournalInMemory final
{
public:
    explicit TJournalInMemory(TMyDataBase* db)
    {
        if (db->Engine() != TSqlEngine::SQLite)
            return;
        m_connection = db->Connection();
        QSqlQuery pragma(m_connection);
        if (pragma.exec(u"PRAGMA temp_store"_s) && pragma.next()) {
            m_previous = pragma.value(0).toInt();
            m_set = pragma.exec(u"PRAGMA temp_store = MEMORY"_s);
        }
    }
    ~TJournalInMemory()
    {
        if (m_set)
            QSqlQuery(m_connection).exec(u"PRAGMA temp_store = %1"_s.arg(m_previous));
    }
    TJournalInMemory(const TJournalInMemory&) = delete;
    TJournalInMemory& operator=(const TJournalInMemory&) = delete;

private:
    QSqlDatabase m_connection;
    int m_previous = 0;
    bool m_set = false;
};

// The condition "and COLUMN in (...)" over the people exported, or nothing when every person is read.
QString OwnerCondition(const QString& column, const QStringList* ids)
{
    if (!ids)
        return QString();
    QStringList quoted;
    quoted.reserve(ids->size());
    for (const QString& id : *ids)
        quoted << Q(id);
    return u" and "_s + column + u" in ("_s + quoted.join(u", "_s) + u')';
}

// Reads the people \a ids (every person when \a ids is nullptr) with a few statements over the whole set.
QHash<QString, TPerson> ReadPeople(TMyDataBase* db, const QStringList* ids)
{
    QHash<QString, TPerson> people;
    // The whole text of a comment an import had to cut, kept in a note of the person.
    QHash<QString, QString> longNotes;
    auto query = TMyDataBase::QueryOn(db,
        u"select L.Link2 as PersonId, N.Str3, N.Str4, N.Str5, N.Comments from AllInfo as L, AllInfo as N where "
        u"L.ObjType = "_s + QString::number(Kind::NoteLink) + u" and N.ObjId = L.Link1 and N.ObjType = "_s
            + QString::number(Kind::Note) + u" and N.Str1 = "_s + Q(LongNoteTitle) + OwnerCondition(u"L.Link2"_s, ids)
            + u" order by N.ObjId"_s);
    while (query && query->next()) {
        longNotes.insert(query->value(0).toString().toUpper(), query->value(1).toString() + query->value(2).toString()
                + query->value(3).toString() + query->value(4).toString());
    }
    TDBMainInfo row;
    row.SetDatabase(db);
    query = TMyDataBase::QueryOn(db, u"select * from AllInfo where ObjType = 1"_s + OwnerCondition(u"ObjId"_s, ids));
    while (query && query->next()) {
        row.LoadFromDataset(query->record());
        const TPersonView view(row);
        TPerson p;
        p.Surname = view.Surname();
        p.FirstName = view.FirstName();
        p.Patronymic = view.Patronymic();
        p.Sex = view.IsFemale() ? 2 : 1;
        p.Birth = view.BirthDate();
        p.BirthComplete = view.BirthDateComplete();
        p.RemindBirthday = view.RemindBirthday();
        p.Dead = view.IsDead();
        p.Death = view.IsDead() ? view.DeathDate() : 0;
        p.Note = view.Comments();
        // The note is the comment's whole text while the comment is still the beginning of it.
        const auto longNote = longNotes.constFind(QString(row.Obj).toUpper());
        if (longNote != longNotes.constEnd() && longNote->size() > p.Note.size() && longNote->startsWith(p.Note))
            p.Note = *longNote;
        if (p.Birth == 0 && p.Note.startsWith(YearlessBirthdayCaption)) {
            const QString day = p.Note.mid(YearlessBirthdayCaption.size(), 5);
            const QDate date = QDate::fromString(day + u".2000"_s, u"dd.MM.yyyy"_s);
            if (date.isValid()) {
                p.BirthdayDay = date.day();
                p.BirthdayMonth = date.month();
                const qsizetype lineEnd = p.Note.indexOf(u'\n');
                p.Note = lineEnd < 0 ? QString() : p.Note.mid(lineEnd + 1);
            }
        }
        p.Photo = view.Photo();
        people.insert(QString(row.Obj).toUpper(), p);
    }
    const auto owner = [&](const QVariant& id) -> TPerson* {
        auto it = people.find(id.toString().toUpper());
        return it == people.end() ? nullptr : &*it;
    };
    query = TMyDataBase::QueryOn(db, u"select Link1, Str1, Int1, Comments from AllInfo where ObjType = 4 and Int2 = 1"_s
            + OwnerCondition(u"Link1"_s, ids) + u" order by ObjId"_s);
    while (query && query->next()) {
        if (TPerson* p = owner(query->value(0)))
            p->Phones.append({query->value(1).toString(), query->value(2).toInt(), query->value(3).toString()});
    }
    query = TMyDataBase::QueryOn(db, u"select Link1, Int1, Str1, Str2, Comments from AllInfo where ObjType = 5"_s
            + OwnerCondition(u"Link1"_s, ids) + u" order by ObjId"_s);
    while (query && query->next()) {
        if (TPerson* p = owner(query->value(0)))
            p->Internet.append({query->value(1).toInt(), query->value(2).toString(), query->value(3).toString(),
                query->value(4).toString()});
    }
    query = TMyDataBase::QueryOn(db,
        u"select R.Link2 as ResidentId, R.Flag as Cur, A.Str1, A.Str2, A.Str3, A.Str4, A.Str5, A.Link4, A.Link3, "
        u"A.Link5 from AllInfo as R, AllInfo as A where R.ObjType = 80 and A.ObjId = R.Link1 and A.ObjType = 3"_s
            + OwnerCondition(u"R.Link2"_s, ids) + u" order by R.ObjId"_s);
    while (query && query->next()) {
        if (TPerson* p = owner(query->value(0))) {
            TAddress a;
            a.Current = query->value(1).toInt() != 0;
            a.Country = query->value(2).toString();
            a.Region = query->value(3).toString();
            a.District = query->value(4).toString();
            a.Settlement = query->value(5).toString();
            a.Street = query->value(6).toString();
            const auto text = [](const QVariant& v) {
                const QString t = v.toString();
                return IsEmptyId(t) ? QString() : t;
            };
            a.House = text(query->value(7));
            a.Flat = text(query->value(8));
            a.PostalIndex = text(query->value(9));
            p->Addresses.append(a);
        }
    }
    QHash<QString, std::pair<QString, QString>> parents; // id -> name, form
    query = TMyDataBase::QueryOn(db,
        u"select P.Link1 as PersonId, P.Str1 as RoleName, O.Str1 as OrgName, O.Str2 as OrgForm, O.Link1 as OrgParent "
        u"from AllInfo as P, AllInfo as S, AllInfo as O where P.ObjType = 20 and P.Int1 = 1 and P.Int2 = 6 and "
        u"S.ObjId = P.Link5 and O.ObjId = S.Link1 and O.ObjType = 6"_s
            + OwnerCondition(u"P.Link1"_s, ids) + u" order by P.ObjId"_s);
    while (query && query->next()) {
        TPerson* p = owner(query->value(0));
        if (!p)
            continue;
        TOrganization org;
        const QString role = query->value(1).toString();
        org.Title = role == u"-"_s ? QString() : role;
        const QString parent = query->value(4).toString();
        if (IsEmptyId(parent)) {
            org.Name = query->value(2).toString();
            org.Form = query->value(3).toString();
        } else {
            if (!parents.contains(parent.toUpper())) {
                auto parentQuery = TMyDataBase::QueryOn(
                    db, u"select Str1, Str2 from AllInfo where ObjType = 6 and ObjId = "_s + Q(parent));
                if (parentQuery && parentQuery->next())
                    parents.insert(parent.toUpper(), {parentQuery->value(0).toString(), parentQuery->value(1).toString()});
                else
                    parents.insert(parent.toUpper(), {});
            }
            const auto& [name, form] = parents.value(parent.toUpper());
            org.Name = name;
            org.Form = form;
            org.Branch = query->value(2).toString();
        }
        p->Organizations.append(org);
    }
    query = TMyDataBase::QueryOn(db,
        u"select R.Link1 as PersonId, G.Str1 as GroupName from AllInfo as R, AllInfo as G where R.ObjType = 20 and "
        u"R.Int1 = 1 and G.ObjId = R.Link2 and G.ObjType = 21 and G.Int1 = "_s
            + QString::number(GroupType::PeopleRoles) + OwnerCondition(u"R.Link1"_s, ids) + u" order by G.Str1"_s);
    while (query && query->next()) {
        TPerson* p = owner(query->value(0));
        const QString name = query->value(1).toString();
        if (p && !name.isEmpty() && !p->Groups.contains(name))
            p->Groups << name;
    }
    return people;
}

} // namespace

TPrepared Read(const QByteArray& data)
{
    TPrepared prepared;
    const VCard::TFile file = VCard::Parse(data);
    prepared.Problems = file.Problems;
    prepared.Cards = static_cast<int>(file.Cards.size());
    for (const VCard::TCard& card : file.Cards) {
        const TReading reading = FromCard(card);
        prepared.Problems << reading.Problems;
        if (reading.Person)
            prepared.People.append(*reading.Person);
    }
    std::stable_sort(prepared.Problems.begin(), prepared.Problems.end(),
        [](const VCard::TProblem& a, const VCard::TProblem& b) { return a.Line < b.Line; });
    return prepared;
}

QString FindDuplicate(TMyDataBase* db, const TPerson& person)
{
    auto query = TMyDataBase::QueryOn(db,
        u"select ObjId, Date1 from AllInfo where ObjType = 1 and Str1 = "_s + Q(CapitalizeFirst(person.Surname))
            + u" and Str2 = "_s + Q(CapitalizeFirst(person.FirstName)) + u" and Str3 = "_s
            + Q(CapitalizeFirst(person.Patronymic)) + u" order by ObjId"_s);
    QStringList candidates;
    while (query && query->next()) {
        const QString id = query->value(0).toString();
        if (person.Birth != 0 && query->value(1).toDouble() == person.Birth)
            return id;
        candidates << id;
    }
    if (candidates.isEmpty())
        return QString();
    QStringList values;
    for (const TPhone& phone : person.Phones)
        values << Q(phone.Number);
    for (const TInternet& contact : person.Internet) {
        if (contact.Type == InternetType::Email)
            values << Q(contact.Address);
    }
    if (values.isEmpty())
        return QString();
    QStringList owners;
    for (const QString& id : candidates)
        owners << Q(id);
    query = TMyDataBase::QueryOn(db, u"select Link1 from AllInfo where ObjType in (4, 5) and Link1 in ("_s
            + owners.join(u", "_s) + u") and Str1 in ("_s + values.join(u", "_s) + u") order by Link1"_s);
    return query && query->next() ? query->value(0).toString() : QString();
}

int CountDuplicates(TMyDataBase* db, const TPrepared& prepared)
{
    int count = 0;
    for (const TPerson& person : prepared.People) {
        if (!FindDuplicate(db, person).isEmpty())
            ++count;
    }
    return count;
}

TReport Import(TMyDataBase* db, const TPrepared& prepared, TDuplicates duplicates, const TProgress& progress)
{
    TReport report;
    report.Problems = prepared.Problems;
    if (!db) {
        report.Failed = true;
        report.Error = DbStatus::Text(DbStatus::NoDatabase);
        return report;
    }
    const TJournalInMemory journal(db);
    TWriteTransaction transaction(db);
    if (!transaction.IsActive()) {
        report.Failed = true;
        report.Error = db->ErrorText().isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : db->ErrorText();
        return report;
    }
    TImporter importer(db);
    const int total = static_cast<int>(prepared.People.size());
    for (int i = 0; i < total; ++i) {
        const TPerson& person = prepared.People.at(i);
        const QString existing = duplicates == TDuplicates::Add ? QString() : FindDuplicate(db, person);
        if (!existing.isEmpty() && duplicates == TDuplicates::Skip) {
            ++report.Skipped;
        } else if (!importer.WritePerson(person, existing)) {
            transaction.Rollback();
            report.Failed = true;
            report.Error = importer.Error();
            report.Problems.append({person.Line, u"Карточка не записана: "_s + importer.Error()});
            report.Added = report.Updated = report.Skipped = 0;
            return report;
        } else {
            ++(existing.isEmpty() ? report.Added : report.Updated);
        }
        if (progress && !progress(i + 1, total)) {
            transaction.Rollback();
            report.Stopped = true;
            report.Added = report.Updated = report.Skipped = 0;
            return report;
        }
    }
    if (!importer.Finish()) {
        transaction.Rollback();
        report.Failed = true;
        report.Error = importer.Error();
        report.Added = report.Updated = report.Skipped = 0;
    } else if (!transaction.Commit()) {
        report.Failed = true;
        report.Error = db->ErrorText().isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : db->ErrorText();
        report.Added = report.Updated = report.Skipped = 0;
    }
    return report;
}

TPerson ReadPerson(TMyDataBase* db, const QString& id)
{
    const QStringList ids{id};
    return ReadPeople(db, &ids).value(id.toUpper());
}

QByteArray Export(TMyDataBase* db, const QStringList& ids, const QString& version, const TProgress& progress)
{
    // A few people are read by their ids; many by whole statements, which is faster than long id lists.
    constexpr int FewPeople = 200;
    const QHash<QString, TPerson> people = ReadPeople(db, ids.size() <= FewPeople ? &ids : nullptr);
    VCard::TWriter writer(version);
    const int total = static_cast<int>(ids.size());
    for (int i = 0; i < total; ++i) {
        const auto it = people.constFind(ids.at(i).toUpper());
        if (it != people.constEnd())
            Write(writer, *it);
        if (progress && !progress(i + 1, total))
            return QByteArray();
    }
    return writer.Data();
}

QStringList PeopleIds(TMyDataBase* db, const QString& filter)
{
    QString sql = u"select ObjId from AllInfo where ObjType = 1"_s;
    const QString f = filter.trimmed();
    if (!f.isEmpty()) {
        const QString like = Q(f + u'%');
        sql += u" and (Str1 like "_s + like + u" or Str2 like "_s + like + u" or Str3 like "_s + like + u')';
    }
    sql += u" order by Str1, Str2, Str3, ObjId"_s;
    QStringList ids;
    auto query = TMyDataBase::QueryOn(db, sql);
    while (query && query->next())
        ids << query->value(0).toString();
    return ids;
}

QStringList ReportLines(const TReport& report)
{
    QStringList lines;
    if (report.Stopped) {
        lines << u"Импорт остановлен, в базу данных ничего не записано."_s;
    } else if (report.Failed) {
        lines << u"Импорт не выполнен, в базу данных ничего не записано: "_s + report.Error;
    } else {
        lines << u"Добавлено людей: "_s + QString::number(report.Added);
        lines << u"Обновлено: "_s + QString::number(report.Updated);
        lines << u"Пропущено: "_s + QString::number(report.Skipped);
    }
    if (!report.Problems.isEmpty())
        lines << u"Не прочитано: "_s + QString::number(report.Problems.size());
    for (const VCard::TProblem& problem : report.Problems)
        lines << u"Строка "_s + QString::number(problem.Line) + u": "_s + problem.Text;
    return lines;
}

} // namespace VCardStore
