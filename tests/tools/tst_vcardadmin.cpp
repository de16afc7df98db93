// zorvin-admin import-vcard and export-vcard: a phone's export into a database file and the people out of
// it again, the duplicates option, broken cards reported with their lines, and the refusals of wrong words.
#include "store/Schema.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TProgramRun Admin(const QStringList& args)
{
    return RunProgram(QStringLiteral(ZORVIN_ADMIN), args);
}

QString Corpus(const QString& name)
{
    return QDir(QStringLiteral(ZORVIN_VCARD_CORPUS)).filePath(name);
}

QString Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestVCardAdmin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importThenExport()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(u"WBD.zdb"_s);
        QString error;
        QVERIFY2(Schema::CreateDatabaseFile(db, TNewDatabase(), &error), qPrintable(error));

        TProgramRun run = Admin({u"import-vcard"_s, db, Corpus(u"phone-21.vcf"_s)});
        QCOMPARE(run.Code, 0);
        QVERIFY2(run.Out.contains(u"Добавлено людей: 2"_s), qPrintable(run.Out));
        run = Admin({u"import-vcard"_s, db, Corpus(u"addressbook-30.vcf"_s)});
        QCOMPARE(run.Code, 0);
        // The same file again: skipped by default, added with --duplicates add.
        run = Admin({u"import-vcard"_s, db, Corpus(u"phone-21.vcf"_s)});
        QVERIFY2(run.Out.contains(u"Пропущено: 2"_s), qPrintable(run.Out));
        run = Admin({u"import-vcard"_s, db, Corpus(u"phone-21.vcf"_s), u"--duplicates"_s, u"update"_s});
        QVERIFY2(run.Out.contains(u"Обновлено: 2"_s), qPrintable(run.Out));
        // Broken cards: the good ones written, the rest named by line.
        run = Admin({u"import-vcard"_s, db, Corpus(u"broken-mixed.vcf"_s)});
        QCOMPARE(run.Code, 0);
        QVERIFY(run.Out.contains(u"Добавлено людей: 3"_s));
        QVERIFY2(run.Out.contains(u"Строка 13: Строка не прочитана"_s), qPrintable(run.Out));

        const QString all = dir.filePath(u"all.vcf"_s);
        run = Admin({u"export-vcard"_s, db, all});
        QCOMPARE(run.Code, 0);
        QVERIFY2(run.Out.contains(u"Выгружено людей: 7"_s), qPrintable(run.Out));
        const QString text = Read(all);
        QCOMPARE(text.count(u"BEGIN:VCARD"_s), 7);
        QVERIFY(text.contains(u"VERSION:3.0\r\n"_s));
        QVERIFY(text.contains(u"FN:Смирнова Анна Сергеевна\r\n"_s));

        const QString some = dir.filePath(u"some.vcf"_s);
        run = Admin({u"export-vcard"_s, db, some, u"--filter"_s, u"смир"_s, u"--version"_s, u"4.0"_s});
        QCOMPARE(run.Code, 0);
        QVERIFY(run.Out.contains(u"Выгружено людей: 1"_s));
        const QString one = Read(some);
        QCOMPARE(one.count(u"BEGIN:VCARD"_s), 1);
        QVERIFY(one.contains(u"VERSION:4.0\r\n"_s));
        QVERIFY(one.contains(u"GENDER:F\r\n"_s));
        QVERIFY(one.contains(u"TEL;TYPE=CELL:+7 (916) 555-01-23\r\n"_s));

        // What was exported imports into a new database as the same people.
        const QString copy = dir.filePath(u"copy.zdb"_s);
        QVERIFY(Schema::CreateDatabaseFile(copy, TNewDatabase(), &error));
        QCOMPARE(Admin({u"import-vcard"_s, copy, all, u"--duplicates"_s, u"add"_s}).Code, 0);
        const QString again = dir.filePath(u"again.vcf"_s);
        QCOMPARE(Admin({u"export-vcard"_s, copy, again}).Code, 0);
        QCOMPARE(Read(again), text);
    }

    void refusals()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(u"WBD.zdb"_s);
        QString error;
        QVERIFY(Schema::CreateDatabaseFile(db, TNewDatabase(), &error));
        QCOMPARE(Admin({u"import-vcard"_s, db}).Code, 2);
        QCOMPARE(Admin({u"import-vcard"_s, db, Corpus(u"phone-21.vcf"_s), u"--duplicates"_s, u"merge"_s}).Code, 2);
        QCOMPARE(Admin({u"export-vcard"_s, db, dir.filePath(u"x.vcf"_s), u"--version"_s, u"2.1"_s}).Code, 2);
        QCOMPARE(Admin({u"export-vcard"_s, db, dir.filePath(u"x.vcf"_s), u"--colour"_s, u"red"_s}).Code, 2);
        TProgramRun run = Admin({u"import-vcard"_s, dir.filePath(u"missing.zdb"_s), Corpus(u"phone-21.vcf"_s)});
        QCOMPARE(run.Code, 1);
        QVERIFY(run.Err.contains(u"не существует"_s));
        run = Admin({u"import-vcard"_s, db, dir.filePath(u"missing.vcf"_s)});
        QCOMPARE(run.Code, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"x.vcf"_s)));
    }
};

QTEST_GUILESS_MAIN(TestVCardAdmin)
#include "tst_vcardadmin.moc"
