// The database manager: the grid of the current and attached databases, attaching a file (once),
// detaching the selected one, and its place in the edit dialog.
#include "platform/ProgramPaths.h"
#include "shell/mainwindow/DBManagerFrame.h"
#include "shell/mainwindow/Main.h"
#include "shell/frames/MainModalForm.h"
#include "shell/mainwindow/ShellScreens.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/DBServerList.h"
#include "store/DataBase.h"
#include "store/Schema.h"
#include "store/SettingsFile.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableWidget>

namespace {
const QString kAlreadyAttached = QStringLiteral("Данный файл базы данных уже подключен!");
const QString kDetachQuestion = QStringLiteral("Вы действительно хотите отключить выбранную БД?");
} // namespace

class TestDBManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void gridShowsTheCurrentDatabase();
    void attachAFile();
    void attachTheSameFileTwice_data();
    void attachTheSameFileTwice();
    void attachTheCurrentDatabasesOwnFile();
    void attachSomethingElse_data();
    void attachSomethingElse();
    void detachRemovesTheSelectedEntry_data();
    void detachRemovesTheSelectedEntry();
    void detachRefusedByTheEngine();
    void detachNeedsAnAttachedRow();
    void settingsOpenTheManager();

private:
    QString MakeDatabase(const QString& name, const QString& description);
    int Entries() const;
    QString Cell(int row, int column) const;

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedFileDialogs> m_files;
    std::unique_ptr<TMain> m_main;
    std::unique_ptr<TDBManagerFrame> m_frame;
    QTableWidget* m_grid = nullptr;
};

void TestDBManager::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_files = std::make_unique<TScriptedFileDialogs>();
    TSettings settings;
    settings.Mode = InstallMode::Flash;
    QVERIFY(SettingsFile::Write(QDir(m_fixture->Folder()).filePath(QStringLiteral("Zorvin.ini")), settings));
    m_main = std::make_unique<TMain>();
    QTRY_VERIFY(m_main->IsStarted());
    m_frame = std::make_unique<TDBManagerFrame>();
    m_grid = m_frame->findChild<QTableWidget*>(QStringLiteral("dbGrid"));
    QVERIFY(m_grid);
    QTRY_COMPARE(m_grid->rowCount(), 1);
}

void TestDBManager::cleanup()
{
    m_frame.reset();
    m_main.reset();
    m_files.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestDBManager::MakeDatabase(const QString& name, const QString& description)
{
    const QString path = QDir(m_fixture->Folder()).filePath(name);
    TNewDatabase options;
    options.Description = description;
    options.Prefix = 0x2B;
    QString error;
    if (!Schema::CreateDatabaseFile(path, options, &error))
        qWarning("%s", qPrintable(error));
    return path;
}

int TestDBManager::Entries() const
{
    return m_fixture->Scalar(QStringLiteral("select count(*) from AllInfo where ObjType = 898")).toInt();
}

QString TestDBManager::Cell(int row, int column) const
{
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void TestDBManager::gridShowsTheCurrentDatabase()
{
    QCOMPARE(m_grid->horizontalHeaderItem(0)->text(), QStringLiteral("Название БД"));
    QCOMPARE(m_grid->horizontalHeaderItem(1)->text(), QStringLiteral("Путь к файлу БД"));
    QCOMPARE(Cell(0, 0), QStringLiteral("Тестовая база"));
    QCOMPARE(Cell(0, 1), QDir::toNativeSeparators(m_fixture->FilePath()));
    QCOMPARE(m_grid->currentRow(), 0);
    QCOMPARE(m_frame->SelectedDatabase(), CurrentDatabase());
    QVERIFY(!m_frame->findChild<QAction*>(QStringLiteral("aDel"))->isEnabled());
}

void TestDBManager::attachAFile()
{
    const QString second = MakeDatabase(QStringLiteral("second.zdb"), QStringLiteral("Вторая база"));
    m_files->QueueChoice(second);
    m_frame->aNewExecute();
    QCOMPARE(m_files->Requests().size(), 1);
    QVERIFY(m_files->Requests().at(0).endsWith(QStringLiteral("(*.zdb)")));
    QCOMPARE(m_messages->Shown(), QStringList{DbStatus::SystemRowRead});
    QCOMPARE(Entries(), 1);
    QCOMPARE(m_grid->rowCount(), 2);
    QCOMPARE(Cell(1, 0), QStringLiteral("Вторая база"));
    QCOMPARE(m_grid->currentRow(), 0);

    // Nothing chosen: nothing happens.
    m_messages->ClearShown();
    m_files->QueueChoice(QString());
    m_frame->aNewExecute();
    QVERIFY(m_messages->Shown().isEmpty());
    QCOMPARE(Entries(), 1);
}

void TestDBManager::attachTheSameFileTwice_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::newRow("the same path") << QStringLiteral("second.zdb");
    QTest::newRow("a path with ./ and ../") << QStringLiteral("./Data/../second.zdb");
    QTest::newRow("a link to the file") << QStringLiteral("link.zdb");
}

void TestDBManager::attachTheSameFileTwice()
{
    QFETCH(QString, spelling);
    const QString second = MakeDatabase(QStringLiteral("second.zdb"), QStringLiteral("Вторая база"));
    QVERIFY(QFile::link(second, QDir(m_fixture->Folder()).filePath(QStringLiteral("link.zdb"))));
    m_files->QueueChoice(second);
    m_frame->aNewExecute();
    QCOMPARE(Entries(), 1);
    m_messages->ClearShown();
    m_files->QueueChoice(m_fixture->Folder() + QLatin1Char('/') + spelling);
    m_frame->aNewExecute();
    QCOMPARE(m_messages->Shown(), QStringList{kAlreadyAttached});
    QCOMPARE(Entries(), 1);
    QCOMPARE(m_grid->rowCount(), 2);
}

void TestDBManager::attachTheCurrentDatabasesOwnFile()
{
    m_files->QueueChoice(m_fixture->FilePath());
    m_frame->aNewExecute();
    QCOMPARE(m_messages->Shown(), QStringList{DbStatus::SystemRowRead});
    QCOMPARE(Entries(), 1);
    QCOMPARE(m_grid->rowCount(), 2);
}

void TestDBManager::attachSomethingElse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("a file that does not exist") << QStringLiteral("none.zdb") << QByteArray()
                                                << DbStatus::Text(DbStatus::FileMissing);
    QTest::newRow("a text file") << QStringLiteral("notes.zdb") << QByteArrayLiteral("not a database\n")
                                 << DbStatus::Text(DbStatus::ConnectFailed);
}

void TestDBManager::attachSomethingElse()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = QDir(m_fixture->Folder()).filePath(name);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString before = m_fixture->Dump();
    m_files->QueueChoice(path);
    m_frame->aNewExecute();
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY2(m_messages->Shown().at(0) == message || m_messages->Shown().at(0) == DbStatus::Text(DbStatus::BadFormat),
             qPrintable(m_messages->Shown().at(0)));
    QCOMPARE(m_fixture->Dump(), before);
    QCOMPARE(m_grid->rowCount(), 1);
}

void TestDBManager::detachRemovesTheSelectedEntry_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<TAnswer>("answer");
    QTest::addColumn<QString>("left");
    QTest::newRow("first attached, Yes") << 1 << TAnswer::Yes << QStringLiteral("Вторая база");
    QTest::newRow("second attached, Yes") << 2 << TAnswer::Yes << QStringLiteral("Первая база");
    QTest::newRow("No keeps both") << 1 << TAnswer::No << QString();
}

void TestDBManager::detachRemovesTheSelectedEntry()
{
    QFETCH(int, row);
    QFETCH(TAnswer, answer);
    QFETCH(QString, left);
    const QString first = MakeDatabase(QStringLiteral("first.zdb"), QStringLiteral("Первая база"));
    const QString second = MakeDatabase(QStringLiteral("second.zdb"), QStringLiteral("Вторая база"));
    m_files->QueueChoice(first);
    m_frame->aNewExecute();
    m_files->QueueChoice(second);
    m_frame->aNewExecute();
    QCOMPARE(m_grid->rowCount(), 3);
    QCOMPARE(Cell(1, 0), QStringLiteral("Первая база"));
    QCOMPARE(Cell(2, 0), QStringLiteral("Вторая база"));
    m_messages->ClearShown();

    m_grid->selectRow(row);
    QVERIFY(m_frame->findChild<QAction*>(QStringLiteral("aDel"))->isEnabled());
    QCOMPARE(m_frame->SelectedDatabase()->Description(), Cell(row, 0));
    m_messages->QueueAnswer(answer);
    m_frame->aDelExecute();
    QCOMPARE(m_messages->Shown(), QStringList{kDetachQuestion});
    if (answer == TAnswer::No) {
        QCOMPARE(Entries(), 2);
        return;
    }
    QCOMPARE(Entries(), 1);
    QCOMPARE(m_grid->rowCount(), 2);
    QCOMPARE(Cell(1, 0), left);
    // The file itself is untouched.
    QVERIFY(QFile::exists(row == 1 ? first : second));
}

// A removal the database refuses keeps the entry, and the user is told.
void TestDBManager::detachRefusedByTheEngine()
{
    m_files->QueueChoice(MakeDatabase(QStringLiteral("first.zdb"), QStringLiteral("Первая база")));
    m_frame->aNewExecute();
    QCOMPARE(m_grid->rowCount(), 2);
    m_messages->ClearShown();
    if (TTempDatabase::OnServer()) {
        QVERIFY(m_fixture->Run(QStringLiteral("create function zorvin_refuse_delete() returns trigger language plpgsql "
                                              "as $$ begin raise exception 'refused'; end $$")));
        QVERIFY(m_fixture->Run(QStringLiteral("create trigger zorvin_refuse_delete before delete on AllInfo for each "
                                              "row when (old.ObjType = 898) execute function zorvin_refuse_delete()")));
    } else {
        QVERIFY(m_fixture->Run(QStringLiteral("create trigger zorvin_refuse_delete before delete on AllInfo when "
                                              "old.ObjType = 898 begin select raise(abort, 'refused'); end")));
    }
    m_grid->selectRow(1);
    m_messages->QueueAnswer(TAnswer::Yes);
    m_frame->aDelExecute();
    QCOMPARE(m_messages->Shown(), (QStringList {kDetachQuestion, QStringLiteral("Запрос вызвал ошибку")}));
    QCOMPARE(Entries(), 1);
    QCOMPARE(m_grid->rowCount(), 2);
}

void TestDBManager::detachNeedsAnAttachedRow()
{
    m_grid->selectRow(0);
    m_frame->aDelExecute();
    QVERIFY(m_messages->Shown().isEmpty());
    QCOMPARE(m_main->DatabaseList()->Count(), 0);
}

void TestDBManager::settingsOpenTheManager()
{
    RegisterShellScreens();
    QString caption;
    bool hostsManager = false;
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        caption = dialog.windowTitle();
        hostsManager = qobject_cast<TDBManagerFrame*>(dialog.Frame()) != nullptr;
        Press(Qt::Key_Escape);
    });
    m_main->aSettingsExecute();
    QVERIFY(hostsManager);
    QCOMPARE(caption, QStringLiteral("Подключенные базы данных"));
}

QTEST_MAIN(TestDBManager)
#include "tst_dbmanager.moc"
