#include "store/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TSettings)

namespace {

TSettings Local(int mode, const QString& path)
{
    TSettings settings;
    settings.Mode = mode;
    settings.Path = path;
    return settings;
}

TSettings ServerSettings(const QString& server, const QString& user, const QString& password, const QString& catalog)
{
    TSettings settings;
    settings.Mode = InstallMode::Server;
    settings.Server = server;
    settings.EncodedUser = SettingsFile::EncodeText(user);
    settings.EncodedPassword = SettingsFile::EncodeText(password);
    settings.Catalog = catalog;
    return settings;
}

void CompareSettings(const TSettings& actual, const TSettings& expected)
{
    QCOMPARE(actual.Mode, expected.Mode);
    QCOMPARE(actual.Path, expected.Path);
    QCOMPARE(actual.Server, expected.Server);
    QCOMPARE(actual.EncodedUser, expected.EncodedUser);
    QCOMPARE(actual.EncodedPassword, expected.EncodedPassword);
    QCOMPARE(actual.Catalog, expected.Catalog);
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void encodingOfAB()
    {
        QCOMPARE(SettingsFile::EncodeText(u"  AB "_s), u"24001400"_s);
        QCOMPARE(SettingsFile::EncodeField(u"AB"_s), u"000824001400"_s);
        QString payload = u"000824001400"_s + SettingsFile::EncodeField(u"Я"_s);
        bool ok = false;
        QCOMPARE(SettingsFile::DecodeField(payload, &ok), u"AB"_s);
        QVERIFY(ok);
        QCOMPARE(payload, u"0004F240"_s);
        QCOMPARE(SettingsFile::DecodeField(payload, &ok), u"Я"_s);
        QVERIFY(payload.isEmpty());
    }

    void modeNames_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("displayName");
        QTest::newRow("none") << 0 << QString() << QString();
        QTest::newRow("all users") << 1 << u"ALLUSERS"_s << u"Общая БД пользователей Windows"_s;
        QTest::newRow("file path") << 2 << u"FILEPATH"_s << u"БД по указанному пути"_s;
        QTest::newRow("flash") << 3 << u"FLASH"_s << u"ПО и БД на флешке"_s;
        QTest::newRow("server") << 4 << u"SERVER"_s << u"БД - SQL Сервер"_s;
        QTest::newRow("unknown code") << 5 << QString() << QString();
    }
    void modeNames()
    {
        QFETCH(int, mode);
        QFETCH(QString, keyword);
        QFETCH(QString, displayName);
        QCOMPARE(InstallMode::Keyword(mode), keyword);
        QCOMPARE(InstallMode::DisplayName(mode), displayName);
        if (!keyword.isEmpty())
            QCOMPARE(InstallMode::FromKeyword(keyword.toLower()), mode);
    }

    void roundTrip_data()
    {
        QTest::addColumn<TSettings>("settings");
        QTest::newRow("all users") << Local(InstallMode::AllUsers, QString());
        QTest::newRow("cyrillic path") << Local(InstallMode::FilePath, u"/home/пользователь/Мои базы/WBD.zdb"_s);
        QTest::newRow("windows path with bar") << Local(InstallMode::FilePath, u"D:\\Базы|2024\\WBD.zdb"_s);
        QTest::newRow("server") << ServerSettings(u"SRV\\SQLEXPRESS"_s, u"админ"_s, u"p|ss wörd"_s, u"Zorvin"_s);
    }
    void roundTrip()
    {
        QFETCH(TSettings, settings);
        const QString path = m_dir.filePath(u"Zorvin.ini"_s);
        QString error = u"stale"_s;
        QVERIFY(SettingsFile::Write(path, settings, &error));
        QCOMPARE(error, QString());
        CompareSettings(SettingsFile::Read(path), settings);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, SettingsFile::FormatLine(settings).toUtf8() + '\n');
    }

    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<TSettings>("expected");
        const TSettings invalid;
        QTest::newRow("lower-case keyword, empty field")
            << u"filepath|0000"_s << Local(InstallMode::FilePath, QString());
        QTest::newRow("keyword alone") << u"FLASH"_s << Local(InstallMode::Flash, QString());
        QTest::newRow("unknown keyword") << u"NETWORK|000824001400"_s << invalid;
        QTest::newRow("fewer than 4 characters left") << u"FILEPATH|000"_s << Local(InstallMode::FilePath, QString());
        QTest::newRow("length below the digits") << u"FILEPATH|000724001400"_s << Local(InstallMode::FilePath, u"А"_s);
        QTest::newRow("length of the digits") << u"FILEPATH|000824001400"_s << Local(InstallMode::FilePath, u"AB"_s);
        QTest::newRow("length past the payload") << u"FILEPATH|000924001400"_s << invalid;
        QTest::newRow("length not hexadecimal") << u"FILEPATH|00G824001400"_s << invalid;
        QTest::newRow("length with a sign") << u"FILEPATH|+00824001400"_s << invalid;
        QTest::newRow("digits not hexadecimal") << u"FILEPATH|000824Z01400"_s << invalid;
        QTest::newRow("text after the field") << u"FLASH|000824001400 0004"_s << Local(InstallMode::Flash, u"AB"_s);
        QTest::newRow("server with one field") << u"SERVER|"_s + SettingsFile::EncodeField(u"srv"_s)
                                               << ServerSettings(u"srv"_s, QString(), QString(), QString());
        QTest::newRow("server user not once-encoded")
            << u"SERVER|0000"_s + SettingsFile::EncodeField(u"user"_s) << invalid;
    }
    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(TSettings, expected);
        CompareSettings(SettingsFile::ParseLine(line), expected);
    }

    void readFixture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TSettings>("expected");
        const TSettings invalid;
        const TSettings ab = Local(InstallMode::FilePath, u"AB"_s);
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("byte-order mark and CRLF") << QByteArray(bom + "FILEPATH|000824001400\r\n") << ab;
        QTest::newRow("lone CR ends the line") << QByteArray("FILEPATH|000824001400\rSERVER|0000") << ab;
        QTest::newRow("second line ignored") << QByteArray("FILEPATH|000824001400\nFLASH|0000\n") << ab;
        QTest::newRow("empty first line") << QByteArray("\nFLASH|0000\n") << invalid;
        QTest::newRow("empty file") << QByteArray() << invalid;
        QTest::newRow("not UTF-8") << QByteArray("FLASH|\xFF\xFE") << invalid;
        QTest::newRow("cut inside a field") << QByteArray("FILEPATH|00082400") << invalid;
    }
    void readFixture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TSettings, expected);
        const QString path = m_dir.filePath(u"fixture.ini"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        CompareSettings(SettingsFile::Read(path), expected);
    }

    void writeRefused()
    {
        const TSettings flash = Local(InstallMode::Flash, QString());
        QString error;
        QVERIFY(!SettingsFile::Write(m_dir.filePath(u"missing/folder/Zorvin.ini"_s), flash, &error));
        QVERIFY(!error.isEmpty());

        QVERIFY(QDir(m_dir.path()).mkpath(u"taken"_s));
        error.clear();
        QVERIFY(!SettingsFile::Write(m_dir.filePath(u"taken"_s), flash, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(m_dir.filePath(u"taken"_s)).isDir());

        error.clear();
        QVERIFY(!SettingsFile::Write(m_dir.filePath(u"none.ini"_s), TSettings(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath(u"none.ini"_s)));

        QCOMPARE(SettingsFile::Read(m_dir.filePath(u"absent.ini"_s)).Mode, int(InstallMode::None));
    }

    void longestField()
    {
        const int longest = SettingsFile::MaxFieldLength;
        QCOMPARE(SettingsFile::EncodeField(QString(longest - 1, u'x')).left(4), u"FFF8"_s);
        QCOMPARE(SettingsFile::EncodeField(QString(longest, u'x')).left(4), u"FFFC"_s);
        QCOMPARE(SettingsFile::EncodeField(QString(longest + 1, u'x')).left(4), u"FFFC"_s);

        const QString path = m_dir.filePath(u"long.ini"_s);
        const TSettings fits = Local(InstallMode::FilePath, QString(longest, u'ж'));
        QVERIFY(SettingsFile::Write(path, fits));
        CompareSettings(SettingsFile::Read(path), fits);

        QString error;
        QVERIFY(!SettingsFile::Write(path, Local(InstallMode::FilePath, QString(longest + 1, u'ж')), &error));
        QVERIFY(!error.isEmpty());
        CompareSettings(SettingsFile::Read(path), fits);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
