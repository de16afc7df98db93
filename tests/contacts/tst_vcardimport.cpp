// vCard files into the database and out of it: what a phone's and an address book's export become (people,
// phones, mail, addresses reused, organizations and roles, groups, notes), the three answers for people who
// are there already, an import stopped or refused leaving the database untouched, and the demo database
// exported and imported into an empty one coming back the same.
#include "contacts/VCardStore.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"
#include "store/kinds/PersonView.h"
#include "tests/support/TempDatabase.h"
#include "tools/seed/Seed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using VCardStore::TDuplicates;

namespace {

QByteArray Corpus(const QString& name)
{
    const QDir folder(QStringLiteral(ZORVIN_VCARD_CORPUS));
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestVCardImport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_db;

    qint64 Count(const QString& where) const
    {
        return m_db->Scalar(u"select count(*) from AllInfo where "_s + where).toLongLong();
    }
    QString Text(const QString& sql) const { return m_db->Scalar(sql).toString(); }
    QString PersonId(const QString& surname) const
    {
        return Text(u"select ObjId from AllInfo where ObjType = 1 and Str1 = '"_s + surname + u"'"_s);
    }
    VCardStore::TReport Import(const QByteArray& data, TDuplicates duplicates = TDuplicates::Skip)
    {
        return VCardStore::Import(m_db->Db(), VCardStore::Read(data), duplicates);
    }
    QString Store(int kind, const std::function<void(TObjectRow&)>& fill)
    {
        TDBMainInfo row;
        row.SetDatabase(m_db->Db());
        row.ObjType = kind;
        fill(row);
        return row.Save().Ok() ? row.Obj.Text() : QString();
    }

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void init()
    {
        m_db = std::make_unique<TTempDatabase>();
        QVERIFY(m_db->IsOpen());
    }

    void cleanup() { m_db.reset(); }

    void phoneExportBecomesPeople()
    {
        // The address of the second card is there already, as the address editor stores it.
        const QString address = Store(Kind::Address, [](TObjectRow& r) {
            const TAddressView a(r);
            a.SetCountry(u"Россия"_s);
            a.SetSettlement(u"Санкт-Петербург"_s);
            a.SetStreet(u"ул. Садовая"_s);
            a.SetHouse(u"12"_s);
            a.SetPostalIndex(u"190000"_s);
        });
        QVERIFY(!address.isEmpty());
        const VCardStore::TReport report = Import(Corpus(u"phone-21.vcf"_s));
        QVERIFY2(report.Written(), qPrintable(report.Error));
        QCOMPARE(report.Added, 2);
        QCOMPARE(report.Problems.size(), 0);

        const QString anna = PersonId(u"Смирнова"_s);
        QVERIFY(!anna.isEmpty());
        TDBMainInfo person;
        person.SetDatabase(m_db->Db());
        QVERIFY(person.SetObj(anna));
        const TConstPersonView view(person);
        QCOMPARE(view.FirstName(), u"Анна"_s);
        QCOMPARE(view.Patronymic(), u"Сергеевна"_s);
        QCOMPARE(view.DisplayName(), u"Смирнова А. С."_s);
        QVERIFY(view.IsFemale()); // no first name known: the patronymic tells
        QCOMPARE(DateSerial::DateText(view.BirthDate()), u"04.11.1987"_s);
        QVERIFY(view.BirthDateComplete());
        QVERIFY(view.RemindBirthday());
        QVERIFY(view.Photo().startsWith("\xFF\xD8")); // the card's PNG is kept as the JPEG photos are
        QVERIFY(view.Comments().startsWith(u"Познакомились на конференции"_s));
        QCOMPARE(Count(u"ObjType = 4 and Link1 = '"_s + anna + u"'"_s), 2);
        QCOMPARE(Text(u"select Str1 from AllInfo where ObjType = 4 and Int1 = 3 and Link1 = '"_s + anna + u"'"_s),
            u"7 9165550123"_s);

        const QString petr = PersonId(u"Кузнецов"_s);
        QCOMPARE(Count(u"ObjType = 5 and Int1 = 1 and Str1 = 'petr.kuznetsov@example.ru' and Link1 = '"_s + petr
                     + u"'"_s),
            1);
        // The address found, not made again, and the person living there now.
        QCOMPARE(Count(u"ObjType = 3"_s), 1);
        QCOMPARE(Count(u"ObjType = 80 and Link1 = '"_s + address + u"' and Link2 = '"_s + petr + u"' and Flag <> 0"_s),
            1);
    }

    void addressBookWithOrganizationsGroupsAndNotes()
    {
        // Two women named Мария in the database: the first name tells the sex of a card without GENDER.
        for (int i = 0; i < 2; ++i) {
            QVERIFY(!Store(Kind::Person, [](TObjectRow& r) {
                PersonView(r).SetFirstName(u"Мария"_s);
                PersonView(r).SetIsFemale(true);
            }).isEmpty());
        }
        const VCardStore::TReport report = Import(Corpus(u"addressbook-30.vcf"_s));
        QVERIFY2(report.Written(), qPrintable(report.Error));
        QCOMPARE(report.Added, 2);
        const QString maria = PersonId(u"Павлова"_s);
        QCOMPARE(Text(u"select Flag from AllInfo where ObjId = '"_s + maria + u"'"_s).toInt() != 0, true);

        // ООО "Ромашка" made once, its branch under it; each person holds a role there, both sides named.
        QCOMPARE(Count(u"ObjType = 6"_s), 2);
        const QString firm = Text(u"select ObjId from AllInfo where ObjType = 6 and Str5 = 'ООО \"Ромашка\"'"_s);
        QVERIFY(!firm.isEmpty());
        QCOMPARE(Text(u"select Str5 from AllInfo where ObjType = 6 and Link1 = '"_s + firm + u"'"_s),
            u"ООО \"Ромашка\", Отдел продаж"_s);
        QCOMPARE(Count(u"ObjType = 20 and Link1 = '"_s + maria + u"' and Str1 = 'Бухгалтер' and Int2 = 6"_s), 1);
        QCOMPARE(Count(u"ObjType = 20 and Int1 = 6 and Link1 = '"_s + firm + u"'"_s), 1);
        QCOMPARE(m_db->Scalar(u"select count(*) from AllInfo as A, AllInfo as B where A.ObjType = 20 and "
                              u"B.ObjId = A.Link5 and B.Link5 = A.ObjId"_s)
                     .toInt(),
            4);
        // The groups: "Коллеги" once, with both people in it.
        QCOMPARE(Count(u"ObjType = 21 and Str1 = 'Коллеги' and Int1 = 1"_s), 1);
        QCOMPARE(Count(u"ObjType = 21"_s), 2);
        const QString colleagues = Text(u"select ObjId from AllInfo where ObjType = 21 and Str1 = 'Коллеги'"_s);
        QCOMPARE(Count(u"ObjType = 20 and Link2 = '"_s + colleagues + u"' and Int1 = 1"_s), 2);
        // Mail, site and social page; the flat and house of the address.
        const QString volkov = PersonId(u"Волков"_s);
        QCOMPARE(Count(u"ObjType = 5 and Link1 = '"_s + volkov + u"'"_s), 4);
        QCOMPARE(Text(u"select Link4 || '|' || Link3 from AllInfo where ObjType = 3"_s), u"30|45"_s);
    }

    void longNotesAndYearlessBirthdays()
    {
        const QString longNote = QString(150, u'а') + u' ' + QString(150, u'б');
        const QByteArray card = (u"BEGIN:VCARD\r\nVERSION:4.0\r\nN:Долгова;Вера;;;\r\nBDAY:--0315\r\nNOTE:"_s + longNote
                                 + u"\r\nEND:VCARD\r\n"_s)
                                    .toUtf8();
        QVERIFY(Import(card).Written());
        const QString vera = PersonId(u"Долгова"_s);
        const QString comment = Text(u"select Comments from AllInfo where ObjId = '"_s + vera + u"'"_s);
        QCOMPARE(comment.size(), VCardStore::CommentLength);
        QVERIFY(comment.startsWith(u"День рождения: 15.03\n"_s));
        // The whole text in a note of the person.
        const QString note = Text(u"select L.Link1 from AllInfo as L where L.ObjType = 34 and L.Link2 = '"_s + vera + u"'"_s);
        QCOMPARE(Text(u"select Str1 from AllInfo where ObjId = '"_s + note + u"'"_s), VCardStore::LongNoteTitle);
        QCOMPARE(Text(u"select Str3 || Str4 || Str5 || Comments from AllInfo where ObjId = '"_s + note + u"'"_s),
            u"День рождения: 15.03\n"_s + longNote);
        // Written back, the birthday has no year again.
        const QByteArray out = VCardStore::Export(m_db->Db(), {vera}, u"4.0"_s);
        QVERIFY(out.contains("BDAY:--0315"));
    }

    void duplicatesAskedOnce_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("people");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("updated");
        QTest::addColumn<int>("skipped");
        QTest::newRow("skip") << int(TDuplicates::Skip) << 2 << 0 << 0 << 2;
        QTest::newRow("update") << int(TDuplicates::Update) << 2 << 0 << 2 << 0;
        QTest::newRow("add anyway") << int(TDuplicates::Add) << 4 << 2 << 0 << 0;
    }

    void duplicatesAskedOnce()
    {
        QFETCH(int, answer);
        QFETCH(int, people);
        QFETCH(int, added);
        QFETCH(int, updated);
        QFETCH(int, skipped);
        QVERIFY(Import(Corpus(u"addressbook-30.vcf"_s)).Written());
        // The same people again, one with a new phone: found by name and birthday, and by name and phone.
        QByteArray again = Corpus(u"addressbook-30.vcf"_s);
        again.replace("TEL;TYPE=CELL:+7 925 555-77-88", "TEL;TYPE=CELL:+7 925 555-77-88\nTEL;TYPE=HOME:+7 495 555-00-99");
        const VCardStore::TPrepared prepared = VCardStore::Read(again);
        QCOMPARE(VCardStore::CountDuplicates(m_db->Db(), prepared), 2);
        const VCardStore::TReport report = VCardStore::Import(m_db->Db(), prepared, TDuplicates(answer));
        QVERIFY(report.Written());
        QCOMPARE(report.Added, added);
        QCOMPARE(report.Updated, updated);
        QCOMPARE(report.Skipped, skipped);
        QCOMPARE(Count(u"ObjType = 1"_s), qint64(people));
        const qint64 volkovPhones = Count(u"ObjType = 4 and Str1 = '7 4955550099'"_s);
        QCOMPARE(volkovPhones, answer == int(TDuplicates::Skip) ? 0 : 1);
        // An update adds what is new and keeps the rest once: the organization, its roles, the groups.
        if (answer == int(TDuplicates::Update)) {
            QCOMPARE(Count(u"ObjType = 4"_s), 3 + 1);
            QCOMPARE(Count(u"ObjType = 20 and Int1 = 1"_s), 2 + 3);
            QCOMPARE(Count(u"ObjType = 80"_s), 1);
        }
        QCOMPARE(Count(u"ObjType = 6"_s), 2);
    }

    void stoppedOrFailedImportLeavesNothing()
    {
        QVERIFY(Import(Corpus(u"phone-21.vcf"_s)).Written());
        const QString before = m_db->Dump();
        const VCardStore::TPrepared prepared = VCardStore::Read(Corpus(u"addressbook-30.vcf"_s));

        int calls = 0;
        VCardStore::TReport report = VCardStore::Import(m_db->Db(), prepared, TDuplicates::Add, [&calls](int done, int) {
            ++calls;
            return done < 2;
        });
        QVERIFY(report.Stopped);
        QCOMPARE(calls, 2);
        QCOMPARE(report.Added, 0);
        QCOMPARE(m_db->Dump(), before);

        // The engine refuses the second card's person: the first card goes too.
        QVERIFY(m_db->RefuseRows(u"Str1"_s, u"Павлова"_s));
        report = VCardStore::Import(m_db->Db(), prepared, TDuplicates::Add);
        QVERIFY(report.Failed);
        QVERIFY(!report.Error.isEmpty());
        QCOMPARE(report.Problems.size(), 1);
        QCOMPARE(report.Problems.at(0).Line, 19);
        QCOMPARE(m_db->Dump(), before);
        QVERIFY(VCardStore::ReportLines(report).at(0).startsWith(u"Импорт не выполнен"_s));
    }

    void brokenCardsReportedWithTheirLines()
    {
        const VCardStore::TReport report = Import(Corpus(u"broken-mixed.vcf"_s));
        QVERIFY(report.Written());
        QCOMPARE(report.Added, 3);
        QList<int> lines;
        for (const VCard::TProblem& p : report.Problems)
            lines << p.Line;
        QCOMPARE(lines, QList<int>({1, 7, 13, 14, 15, 17, 25}));
        const QStringList text = VCardStore::ReportLines(report);
        QCOMPARE(text.at(0), u"Добавлено людей: 3"_s);
        QCOMPARE(text.at(3), u"Не прочитано: 7"_s);
        QVERIFY(text.at(4).startsWith(u"Строка 1: "_s));
    }

    // The demo database written out and read into an empty database gives the same people with everything a
    // card carries: written out again, the two files are the same, byte for byte.
    void demoRoundTrip_data()
    {
        QTest::addColumn<QString>("version");
        QTest::newRow("3.0") << u"3.0"_s;
        QTest::newRow("4.0") << u"4.0"_s;
    }

    void demoRoundTrip()
    {
        QFETCH(QString, version);
        Seed::TOptions options;
        const Seed::TResult seeded = Seed::FillDatabase(*m_db->Db(), options);
        QVERIFY2(seeded.Ok, qPrintable(seeded.Error));
        const QStringList ids = VCardStore::PeopleIds(m_db->Db());
        QVERIFY(ids.size() >= 200);
        // What the demo lacks: a comment longer than a comment holds, kept whole in the person's note as an
        // import keeps it, and comments of internet contacts, with the characters a card escapes.
        const QString longNote = u"Познакомились в Сочи; звонить вечером, \"после 18:00\".\n"_s + QString(250, u'ж');
        QVERIFY(m_db->Run(u"update AllInfo set Comments = '"_s + longNote.left(VCardStore::CommentLength)
            + u"' where ObjId = '"_s + ids.at(5) + u"'"_s));
        const QString note = Store(Kind::Note, [&](TObjectRow& r) {
            NoteView(r).SetTitle(VCardStore::LongNoteTitle);
            NoteView(r).SetText(longNote);
        });
        QVERIFY(!note.isEmpty());
        QVERIFY(!Store(Kind::NoteLink, [&](TObjectRow& r) {
            NoteLinkView(r).SetNote(note);
            NoteLinkView(r).SetObject(ids.at(5));
        }).isEmpty());
        QVERIFY(m_db->Run(u"update AllInfo set Comments = 'рабочая, для писем; не личная' where ObjId in (select "
                           u"C.ObjId from AllInfo as C, AllInfo as P where C.ObjType = 5 and P.ObjId = C.Link1 and "
                           u"P.ObjType = 1 order by C.ObjId limit 7)"_s));
        const auto contents = [](TTempDatabase& db) -> QString {
            return db.Scalar(u"select count(*) from AllInfo as P where P.ObjType = 4 and P.Int2 = 1 and "
                             u"P.Comments <> ''"_s).toString()
                + u'|' + db.Scalar(u"select count(*) from AllInfo as C, AllInfo as P where C.ObjType = 5 and "
                                   u"P.ObjId = C.Link1 and P.ObjType = 1 and C.Comments <> ''"_s).toString()
                + u'|' + db.Scalar(u"select count(*) from AllInfo where ObjType = 10 and Str1 = '"_s
                                   + VCardStore::LongNoteTitle + u"'"_s).toString()
                + u'|' + db.Scalar(u"select count(*) from (select distinct R.Link1, G.Str1 from AllInfo as R, AllInfo "
                                   u"as G where R.ObjType = 20 and R.Int1 = 1 and G.ObjId = R.Link2 and G.ObjType = 21 "
                                   u"and G.Int1 = 1) as M"_s).toString();
        };
        const QString before = contents(*m_db);
        QVERIFY2(!before.startsWith(u"0|"_s) && !before.contains(u"|0"_s), qPrintable(before));

        const QByteArray first = VCardStore::Export(m_db->Db(), ids, version);
        // The file holds what the round trip is to keep (read with its folded lines joined).
        const QByteArray unfolded = QByteArray(first).replace("\r\n ", "");
        for (const char* what : {"TEL;", "EMAIL;", "ADR;", "ORG", "TITLE:", "CATEGORIES:", "BDAY", "PHOTO", "NOTE:",
                 "X-SOCIALPROFILE", "IMPP", "DEATHDATE", ".X-ZORVIN-COMMENT:после 18:00", "для писем\\; не личная"})
            QVERIFY2(unfolded.contains(what), what);
        QVERIFY(VCardStore::ReadPerson(m_db->Db(), ids.at(5)).Note == longNote);

        TTempDatabase empty;
        QVERIFY(empty.IsOpen());
        const VCardStore::TPrepared prepared = VCardStore::Read(first);
        QCOMPARE(prepared.Problems.size(), 0);
        QCOMPARE(prepared.People.size(), ids.size());
        const VCardStore::TReport report = VCardStore::Import(empty.Db(), prepared, TDuplicates::Add);
        QVERIFY2(report.Written(), qPrintable(report.Error));
        QCOMPARE(report.Added, int(ids.size()));
        const QByteArray second = VCardStore::Export(empty.Db(), VCardStore::PeopleIds(empty.Db()), version);
        if (first != second) {
            const QList<QByteArray> a = first.split('\n');
            const QList<QByteArray> b = second.split('\n');
            for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
                QCOMPARE(b.at(i), a.at(i));
        }
        QCOMPARE(second.size(), first.size());
        QCOMPARE(contents(empty), before);
        // One person alone, the way the card exports.
        QCOMPARE(VCardStore::Export(m_db->Db(), {ids.at(7)}, version),
            VCardStore::Export(empty.Db(), {VCardStore::PeopleIds(empty.Db()).at(7)}, version));
    }
};

QTEST_MAIN(TestVCardImport)
#include "tst_vcardimport.moc"
