// Where the program finds its settings file, its database and its help, run from its build folder or
// installed, and the installed program's first start, which makes the settings file it needs.
#include "platform/ProgramPaths.h"
#include "shell/mainwindow/FirstStart.h"
#include "shell/mainwindow/Main.h"
#include "store/DataBase.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBadSettings = QStringLiteral("Некорректный формат файла Zorvin.ini");

enum class TFirstAnswer { Create, CreateBesideExisting, OpenExisting, ChooseNothingThenCancel, Cancel };

} // namespace

Q_DECLARE_METATYPE(TFirstAnswer)

class TestFirstStart final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lookUpOrder();
    void unwritableProgramFolder();
    void installedProgramOpensTheUsersDatabase();
    void firstStart_data();
    void firstStart();
    void damagedUserSettingsAreNotAFirstStart();

private:
    QString Path(const QString& relative) const { return QDir(m_root->path()).filePath(relative); }
    void Install() { QVERIFY(QDir().mkpath(Path(QStringLiteral("usr/share/zorvin/Help")))); }
    static bool MakeDatabase(const QString& path, const QString& description = QString())
    {
        TNewDatabase options;
        options.Description = description;
        QString error;
        return QDir().mkpath(QFileInfo(path).absolutePath()) && Schema::CreateDatabaseFile(path, options, &error);
    }

    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_configHome;
    QByteArray m_dataHome;
};

void TestFirstStart::init()
{
    // A machine in a folder: the program in usr/bin, the user's folders under home/.
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir().mkpath(Path(QStringLiteral("usr/bin"))));
    m_configHome = qgetenv("XDG_CONFIG_HOME");
    m_dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("home/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", Path(QStringLiteral("home/.local/share")).toUtf8());
    ProgramPaths::SetProgramFolder(Path(QStringLiteral("usr/bin")));
}

void TestFirstStart::cleanup()
{
    if (CurrentDatabase())
        SetCurrentDatabase(nullptr);
    ProgramPaths::SetProgramFolder(QString());
    qputenv("XDG_CONFIG_HOME", m_configHome);
    qputenv("XDG_DATA_HOME", m_dataHome);
    QFile::setPermissions(Path(QStringLiteral("usr/bin")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_root.reset();
}

void TestFirstStart::lookUpOrder()
{
    const QString bin = Path(QStringLiteral("usr/bin"));
    const QString config = Path(QStringLiteral("home/.config/zorvin"));
    const QString data = Path(QStringLiteral("home/.local/share/zorvin"));

    // A build folder keeps everything beside the program, settings file or not.
    QVERIFY(!ProgramPaths::IsInstalled());
    QCOMPARE(ProgramPaths::SettingsFile(), bin + QStringLiteral("/Zorvin.ini"));
    QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::Flash, QString()), bin + QStringLiteral("/Data/WBD.zdb"));
    QCOMPARE(ProgramPaths::ResourceFolder(), bin);

    // Installed: the user's folders, and the help from the share folder.
    Install();
    QVERIFY(ProgramPaths::IsInstalled());
    QCOMPARE(ProgramPaths::UserConfigFolder(), config);
    QCOMPARE(ProgramPaths::SettingsFile(), config + QStringLiteral("/Zorvin.ini"));
    QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::Flash, QString()), data + QStringLiteral("/Data/WBD.zdb"));
    QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::FilePath, QStringLiteral(" ")),
             data + QStringLiteral("/Data/WBD.zdb"));
    QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::FilePath, QStringLiteral("/srv/x.zdb")), QStringLiteral("/srv/x.zdb"));
    QCOMPARE(ProgramPaths::ResourceFolder(), Path(QStringLiteral("usr/share/zorvin")));

    // A settings file beside the program wins: the portable layout, whatever else is installed.
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(SettingsFile::Write(bin + QStringLiteral("/Zorvin.ini"), settings));
    QVERIFY(!ProgramPaths::IsInstalled());
    QCOMPARE(ProgramPaths::SettingsFile(), bin + QStringLiteral("/Zorvin.ini"));
    QCOMPARE(TMyDataBase::DatabaseFileFor(InstallMode::Flash, QString()), bin + QStringLiteral("/Data/WBD.zdb"));
    // Help beside the program is the program's own.
    QCOMPARE(ProgramPaths::ResourceFolder(), Path(QStringLiteral("usr/share/zorvin")));
    QVERIFY(QDir().mkpath(bin + QStringLiteral("/Help")));
    QCOMPARE(ProgramPaths::ResourceFolder(), bin);

    // Without the variables the user's folders are the base directory defaults under the home folder.
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(ProgramPaths::UserConfigFolder(), QDir::homePath() + QStringLiteral("/.config/zorvin"));
    QCOMPARE(ProgramPaths::UserDataFolder(), QDir::homePath() + QStringLiteral("/.local/share/zorvin"));
}

void TestFirstStart::unwritableProgramFolder()
{
    const QString bin = Path(QStringLiteral("usr/bin"));
    QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(bin).isWritable())
        QSKIP("this user may write into any folder");
    QVERIFY(ProgramPaths::IsInstalled());
    QCOMPARE(ProgramPaths::SettingsFile(), Path(QStringLiteral("home/.config/zorvin/Zorvin.ini")));
    QCOMPARE(ProgramPaths::ResourceFolder(), bin);
}

void TestFirstStart::installedProgramOpensTheUsersDatabase()
{
    Install();
    const QString file = Path(QStringLiteral("home/.local/share/zorvin/Data/WBD.zdb"));
    QVERIFY(MakeDatabase(file));
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(QDir().mkpath(Path(QStringLiteral("home/.config/zorvin"))));
    QVERIFY(SettingsFile::Write(Path(QStringLiteral("home/.config/zorvin/Zorvin.ini")), settings));
    QVERIFY(!FirstStart::IsFirstStart());
    std::unique_ptr<TMyDataBase> db = OpenCurrentDatabase();
    QVERIFY(db);
    QCOMPARE(db->StatusCode(), int(DbStatus::Ok));
    QCOMPARE(db->DataSource(), file);
}

void TestFirstStart::firstStart_data()
{
    QTest::addColumn<TFirstAnswer>("answer");
    QTest::newRow("create an empty database") << TFirstAnswer::Create;
    QTest::newRow("create where a database lies already") << TFirstAnswer::CreateBesideExisting;
    QTest::newRow("open an existing file") << TFirstAnswer::OpenExisting;
    QTest::newRow("choose no file, then cancel") << TFirstAnswer::ChooseNothingThenCancel;
    QTest::newRow("cancel") << TFirstAnswer::Cancel;
}

void TestFirstStart::firstStart()
{
    QFETCH(TFirstAnswer, answer);
    Install();
    const QString ini = Path(QStringLiteral("home/.config/zorvin/Zorvin.ini"));
    const QString own = Path(QStringLiteral("home/.local/share/zorvin/Data/WBD.zdb"));
    const QString existing = Path(QStringLiteral("home/Документы/Старая база.zdb"));
    TScriptedMessages messages;
    TScriptedFileDialogs dialogs;
    QStringList asked{FirstStart::Question};
    QString expectedFile;
    switch (answer) {
    case TFirstAnswer::CreateBesideExisting: {
        // A database left where the new one would go is the user's: it is kept, not replaced.
        QVERIFY(MakeDatabase(own, QStringLiteral("Мои данные")));
        [[fallthrough]];
    }
    case TFirstAnswer::Create:
        messages.QueueAnswer(TAnswer::Yes);
        expectedFile = own;
        break;
    case TFirstAnswer::OpenExisting:
        QVERIFY(MakeDatabase(existing));
        messages.QueueAnswer(TAnswer::No);
        dialogs.QueueChoice(existing);
        expectedFile = existing;
        break;
    case TFirstAnswer::ChooseNothingThenCancel:
        messages.QueueAnswer(TAnswer::No);
        dialogs.QueueChoice(QString());
        messages.QueueAnswer(TAnswer::Cancel);
        asked << FirstStart::Question;
        break;
    case TFirstAnswer::Cancel:
        messages.QueueAnswer(TAnswer::Cancel);
        break;
    }
    QVERIFY(FirstStart::IsFirstStart());

    TMain main;
    QSignalSpy terminate(&main, &TMain::Terminate);
    QTRY_VERIFY(main.IsStarted() || terminate.count() == 1);
    QCOMPARE(messages.Shown(), asked);
    if (expectedFile.isEmpty()) {
        QCOMPARE(terminate.count(), 1);
        QVERIFY(!QFileInfo::exists(ini));
        QVERIFY(!QFileInfo::exists(own));
        return;
    }
    QVERIFY(main.IsStarted());
    QCOMPARE(main.Database()->DataSource(), expectedFile);
    const TSettings written = SettingsFile::Read(ini);
    QCOMPARE(written.Mode, int(answer == TFirstAnswer::OpenExisting ? InstallMode::FilePath : InstallMode::Flash));
    if (answer == TFirstAnswer::OpenExisting)
        QCOMPARE(written.Path, existing);
    if (answer == TFirstAnswer::Create) {
        // Nobody but its owner reads a new personal database.
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFileInfo(own).permissions() & others, QFile::Permissions());
        QCOMPARE(QFileInfo(QFileInfo(own).absolutePath()).permissions() & (others | QFile::ExeOther), QFile::Permissions());
    }
    if (answer == TFirstAnswer::CreateBesideExisting) {
        std::unique_ptr<QSqlQuery> kept =
            main.Database()->CreateQuery(QStringLiteral("select Comments from AllInfo where ObjType = 897"));
        QVERIFY(kept && kept->next());
        QCOMPARE(kept->value(0).toString(), QStringLiteral("Мои данные"));
    }
    QVERIFY(!FirstStart::IsFirstStart());
}

void TestFirstStart::damagedUserSettingsAreNotAFirstStart()
{
    Install();
    QVERIFY(QDir().mkpath(Path(QStringLiteral("home/.config/zorvin"))));
    QFile ini(Path(QStringLiteral("home/.config/zorvin/Zorvin.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("FLOPPY|0000\n");
    ini.close();
    TScriptedMessages messages;
    TMain main;
    QSignalSpy terminate(&main, &TMain::Terminate);
    QTRY_COMPARE(terminate.count(), 1);
    QCOMPARE(messages.Shown(), QStringList{kBadSettings});
}

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
