// zorvin-test-crash-worker DB SEED: a client that changes the database file DB at random until it is
// killed, for the crash-safety suite. It prints one line per change, and only after the change was
// committed, so that whoever kills it knows what must have survived:
//   R                                 ready (the database is open)
//   S id kind link1 .. link5 comments a row saved (new or changed), as it now is
//   U id                              a change of the existing row id begins (S follows when committed)
//   D id                              a deletion begins; then G id for every row it removed, then E
// The changes are the store's own: record saves, role pairs written in one transaction, transfers between
// accounts (two operations naming each other), changes of a person's native family, and cascading deletions.
#include "finance/OperationStore.h"
#include "store/CascadeDelete.h"
#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/EventView.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/MoneyOperationView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/RoleView.h"

#include <QCoreApplication>
#include <QMap>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <cstdio>
#include <functional>

namespace {


void Print(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PrintSaved(const TObjectRow& row)
{
    QStringList words{QStringLiteral("S"), row.Obj.Text(), QString::number(row.ObjType)};
    for (int n = 1; n <= 5; ++n)
        words << (row.Link(n).IsBlank() ? Ids::None : row.Link(n).Text());
    words << row.Comments;
    Print(words.join(QLatin1Char(' ')));
}

class TWorker
{
public:
    TWorker(TMyDataBase& db, quint32 seed)
        : m_db(db)
        , m_random(seed)
    {
        QStringList kinds;
        for (int kind : {Kind::Person, Kind::Phone, Kind::Family, Kind::Event, Kind::Role, Kind::AdoptiveFamilyLink,
                         Kind::Account, Kind::MoneyOperation})
            kinds << QString::number(kind);
        auto q = db.CreateQuery(QStringLiteral("select ObjId, ObjType from AllInfo where ObjType in (%1)").arg(kinds.join(u',')));
        while (q && q->next())
            m_ids[q->value(1).toInt()] << q->value(0).toString();
    }

    void Step()
    {
        const int choice = static_cast<int>(m_random.bounded(100));
        if (choice < 18)
            SaveNew(Kind::Person, {});
        else if (choice < 20)
            NewAccount();
        else if (choice < 26)
            NewTransfer();
        else if (choice < 32)
            SaveNew(Kind::Event, {});
        else if (choice < 42)
            NewFamily();
        else if (choice < 52)
            NewPhone();
        else if (choice < 62)
            NewRolePair();
        else if (choice < 67)
            NewAdoption();
        else if (choice < 75)
            SetNativeFamily();
        else if (choice < 82)
            ChangeComments();
        else
            DeleteOne();
    }

private:
    QString Pick(int kind)
    {
        const QStringList& ids = m_ids.value(kind);
        return ids.isEmpty() ? QString() : ids.at(static_cast<qsizetype>(m_random.bounded(static_cast<quint32>(ids.size()))));
    }

    QString Token() { return QStringLiteral("v%1").arg(++m_counter) + QString::number(m_random.generate() % 100000); }

    void Fail(const QString& what, const TStoreResult& result)
    {
        std::fprintf(stderr, "%s failed: %d %s\n", qPrintable(what), result.Code, qPrintable(result.Text));
        std::fflush(stderr);
        std::exit(3);
    }

    void SaveNew(int kind, const std::function<void(TDBMainInfo&)>& fill)
    {
        TDBMainInfo row;
        row.SetDatabase(&m_db);
        row.ObjType = kind;
        row.Comments = Token();
        if (kind == Kind::Person)
            PersonView(row).SetSurname(QStringLiteral("Иванов"));
        else if (kind == Kind::Event)
            EventView(row).SetName(QStringLiteral("Встреча"));
        if (fill)
            fill(row);
        const TStoreResult saved = row.Save();
        if (saved.Code != SaveResult::Done)
            Fail(QStringLiteral("save"), saved);
        m_ids[kind] << row.Obj.Text();
        PrintSaved(row);
    }

    void NewFamily()
    {
        const QString husband = Pick(Kind::Person);
        const QString wife = Pick(Kind::Person);
        if (husband.isEmpty() || SameId(husband, wife))
            return;
        SaveNew(Kind::Family, [&](TDBMainInfo& row) {
            FamilyView(row).SetHusband(husband);
            FamilyView(row).SetWife(wife);
        });
    }

    void NewPhone()
    {
        const QString owner = Pick(Kind::Person);
        if (owner.isEmpty())
            return;
        SaveNew(Kind::Phone, [&](TDBMainInfo& row) {
            PhoneView(row).SetOwner(owner);
            PhoneView(row).SetOwnerKind(Kind::Person);
            PhoneView(row).SetNumber(QStringLiteral("+7 900 000-00-00"));
        });
    }

    void NewAdoption()
    {
        const QString family = Pick(Kind::Family);
        const QString person = Pick(Kind::Person);
        if (family.isEmpty() || person.isEmpty())
            return;
        SaveNew(Kind::AdoptiveFamilyLink, [&](TDBMainInfo& row) {
            AdoptiveFamilyLinkView(row).SetFamily(family);
            AdoptiveFamilyLinkView(row).SetPerson(person);
        });
    }

    // A two-sided role: both rows name each other, written in one transaction.
    void NewRolePair()
    {
        const QString person = Pick(Kind::Person);
        const QString event = Pick(Kind::Event);
        if (person.isEmpty() || event.isEmpty())
            return;
        TDBMainInfo a;
        TDBMainInfo b;
        for (TDBMainInfo* side : {&a, &b}) {
            side->SetDatabase(&m_db);
            side->ObjType = Kind::Role;
            side->Comments = Token();
        }
        RoleView(a).SetHolder(person);
        RoleView(a).SetHolderKind(Kind::Person);
        RoleView(a).SetOtherKind(Kind::Event);
        RoleView(a).SetName(QStringLiteral("Участник"));
        RoleView(b).SetHolder(event);
        RoleView(b).SetHolderKind(Kind::Event);
        RoleView(b).SetOtherKind(Kind::Person);
        RoleView(b).SetName(QStringLiteral("Событие"));
        TWriteTransaction transaction(&m_db);
        if (!transaction.IsActive())
            Fail(QStringLiteral("role pair"), {-1, m_db.ErrorText()});
        a.Obj = a.NewId();
        b.Obj = b.NewId();
        RoleView(a).SetOppositeSide(b.Obj);
        RoleView(b).SetOppositeSide(a.Obj);
        const TStoreResult first = a.Save();
        const TStoreResult second = first.Code == SaveResult::Done ? b.Save() : first;
        if (second.Code != SaveResult::Done)
            Fail(QStringLiteral("role pair"), second);
        if (!transaction.Commit())
            Fail(QStringLiteral("role pair commit"), {-1, m_db.ErrorText()});
        m_ids[Kind::Role] << a.Obj.Text() << b.Obj.Text();
        PrintSaved(a);
        PrintSaved(b);
    }

    void NewAccount()
    {
        SaveNew(Kind::Account, [](TDBMainInfo& row) {
            AccountView(row).SetName(QStringLiteral("Счёт"));
            AccountView(row).SetCurrency(QStringLiteral("RUB"));
        });
    }

    // A transfer: the operation on the giving account and its second half on the receiving one, written in
    // one transaction by the operation store.
    void NewTransfer()
    {
        const QString from = Pick(Kind::Account);
        const QString to = Pick(Kind::Account);
        if (from.isEmpty() || SameId(from, to))
            return;
        TOperationEntry entry;
        entry.Code = OperationCode::Transfer;
        entry.Date = 46000 + m_random.bounded(1000);
        entry.Account = from;
        entry.SecondAccount = to;
        entry.Amount = 1 + m_random.bounded(1000000);
        entry.Comments = Token();
        TDBMainInfo first;
        first.SetDatabase(&m_db);
        first.ObjType = Kind::MoneyOperation;
        const TStoreResult stored = OperationStore::Store(first, entry);
        if (stored.Code != SaveResult::Done)
            Fail(QStringLiteral("transfer"), stored);
        TDBMainInfo second;
        if (!Load(second, MoneyOperationView(first).PairedRow().Text()))
            Fail(QStringLiteral("transfer's second half"), {-1, first.Obj.Text()});
        m_ids[Kind::MoneyOperation] << first.Obj.Text() << second.Obj.Text();
        PrintSaved(first);
        PrintSaved(second);
    }

    bool Load(TDBMainInfo& row, const QString& id)
    {
        row.SetDatabase(&m_db);
        return row.SetObj(id) && SameId(row.Obj, id) && row.ObjType != 0;
    }

    void SetNativeFamily()
    {
        const QString family = Pick(Kind::Family);
        TDBMainInfo person;
        if (family.isEmpty() || !Load(person, Pick(Kind::Person)))
            return;
        Print(QStringLiteral("U ") + person.Obj.Text());
        PersonView(person).SetNativeFamily(family);
        person.Comments = Token();
        const TStoreResult saved = person.Save();
        if (saved.Code != SaveResult::Done)
            Fail(QStringLiteral("native family"), saved);
        PrintSaved(person);
    }

    void ChangeComments()
    {
        static const int kinds[] = {Kind::Person, Kind::Event, Kind::Family, Kind::Phone, Kind::Role};
        TDBMainInfo row;
        if (!Load(row, Pick(kinds[m_random.bounded(5)])))
            return;
        Print(QStringLiteral("U ") + row.Obj.Text());
        row.Comments = Token();
        const TStoreResult saved = row.Save();
        if (saved.Code != SaveResult::Done)
            Fail(QStringLiteral("change"), saved);
        PrintSaved(row);
    }

    void DeleteOne()
    {
        static const int kinds[] = {Kind::Person, Kind::Person, Kind::Event, Kind::Family, Kind::Role, Kind::Phone};
        TDBMainInfo row;
        if (!Load(row, Pick(kinds[m_random.bounded(6)])))
            return;
        Print(QStringLiteral("D ") + row.Obj.Text());
        QStringList deleted;
        const TStoreResult result = CascadeDelete::Delete(row, &deleted);
        if (result.Code != CascadeDelete::Result::Deleted)
            Fail(QStringLiteral("delete"), result);
        for (const QString& id : deleted) {
            for (QStringList& ids : m_ids)
                ids.removeIf([&](const QString& known) { return SameId(known, id); });
            Print(QStringLiteral("G ") + id);
        }
        Print(QStringLiteral("E"));
    }

    TMyDataBase& m_db;
    QRandomGenerator m_random;
    QMap<int, QStringList> m_ids;
    int m_counter = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2) {
        std::fputs("usage: zorvin-test-crash-worker DB SEED\n", stderr);
        return 2;
    }
    TMyDataBase db;
    db.Open(ConnectionType::File, InstallMode::FilePath, QString(), QString(), QString(), args.at(0));
    if (db.StatusCode() != DbStatus::Ok) {
        std::fprintf(stderr, "cannot open the database: %s %s\n", qPrintable(db.StatusText()), qPrintable(db.ErrorText()));
        return 1;
    }
    SetCurrentDatabase(&db);
    TWorker worker(db, args.at(1).toUInt());
    Print(QStringLiteral("R"));
    for (;;)
        worker.Step();
}
