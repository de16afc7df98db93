// vCard in the real main window: the import from the tool bar with the one question about people already
// there and the end report, an import from the people list stopped with "Стоп" leaving nothing, broken cards
// named in the report, and the export of the list and of a person's card.
#include "contacts/ContactScreens.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "contacts/VCardScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"
#include "tests/shell/DialogScript.h"
#include "tests/shell/Screenshots.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

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

class TestVCardScreens : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedFileDialogs> m_files;

    void StartMain(TMain& main)
    {
        QVERIFY(m_fixture->WriteSettingsFile());
        QTRY_VERIFY(main.IsStarted());
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
    }

    qint64 People() const { return m_fixture->Scalar(u"select count(*) from AllInfo where ObjType = 1"_s).toLongLong(); }

    // Runs \a step on the end report of the import the next command starts, then closes it.
    static void OnReport(const std::function<void(TFVCardReport&)>& step)
    {
        WhenDialogShown<TFVCardReport>([step](TFVCardReport& report) {
            step(report);
            report.accept();
        });
    }

private Q_SLOTS:
    void initTestCase() { ZORVIN_REQUIRE_TEST_ENGINE(); }

    void init()
    {
        m_fixture = std::make_unique<TTempDatabase>();
        QVERIFY(m_fixture->IsOpen());
        ProgramPaths::SetProgramFolder(m_fixture->Folder());
        m_messages = std::make_unique<TScriptedMessages>();
        m_files = std::make_unique<TScriptedFileDialogs>();
        RegisterContactScreens();
    }

    void cleanup()
    {
        m_files.reset();
        m_messages.reset();
        ProgramPaths::SetProgramFolder(QString());
        m_fixture.reset();
        Screens::Clear();
    }

    void ImportAndExportInTheMainWindow()
    {
        // Дмитрий Волков of the address book is here already, with his birthday.
        TDBMainInfo volkov;
        volkov.ObjType = Kind::Person;
        const TPersonView view(volkov);
        view.SetSurname(u"Волков"_s);
        view.SetFirstName(u"Дмитрий"_s);
        view.SetPatronymic(u"Андреевич"_s);
        view.SetBirthDate(DateSerial::FromDate(QDate(1979, 6, 21)));
        view.SetBirthDateComplete(true);
        QVERIFY(volkov.Save().Ok());

        TMain main;
        StartMain(main);
        QTest::keyClick(&main, Qt::Key_F1);
        auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
        QVERIFY(people);
        QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);

        // From the main window's tool bar: one question for the file, "Отмена" skips him.
        auto* button = main.findChild<QToolButton*>(u"tbImportVCard"_s);
        QVERIFY(button);
        m_files->QueueChoice(Corpus(u"addressbook-30.vcf"_s));
        m_messages->QueueAnswer(TAnswer::Cancel);
        QString summary;
        OnReport([&summary](TFVCardReport& report) {
            summary = report.lSummary()->text();
            QVERIFY(!report.mProblems()->isVisible());
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_messages->Shown().size(), 1);
        QVERIFY(m_messages->Shown().at(0).startsWith(u"Людей из файла, которые уже есть в базе данных: 1."_s));
        QVERIFY2(summary.contains(u"Добавлено людей: 1\nОбновлено: 0\nПропущено: 1"_s), qPrintable(summary));
        QCOMPARE(People(), 2);
        // The list shows the newcomer at once.
        QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 2);

        // From the list's menu, stopped at once with "Стоп": nothing is written.
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const QString before = m_fixture->Dump();
        m_files->QueueChoice(Corpus(u"phone-21.vcf"_s));
        QTimer::singleShot(0, this, []() {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<TFVCardProgress*>(w); progress && progress->isVisible())
                    QTest::mouseClick(progress->bStop(), Qt::LeftButton);
            }
        });
        OnReport([&summary](TFVCardReport& report) { summary = report.lSummary()->text(); });
        people->findChild<QAction*>(u"aImportVCard"_s)->trigger();
        QVERIFY2(summary.contains(u"Импорт остановлен, в базу данных ничего не записано."_s), qPrintable(summary));
        QCOMPARE(m_fixture->Dump(), before);

        // Broken cards among good ones: the report names every line that could not be read.
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const QString phone = QDir(m_fixture->Folder()).filePath(u"Контакты телефона.vcf"_s);
        QVERIFY(QFile::copy(Corpus(u"broken-mixed.vcf"_s), phone));
        m_files->QueueChoice(phone);
        QString problems;
        OnReport([&problems](TFVCardReport& report) {
            problems = report.mProblems()->toPlainText();
            QVERIFY(report.mProblems()->isVisible());
            QVERIFY(SaveScreenshot(report, u"vcard-import-report.png"_s));
        });
        people->findChild<QAction*>(u"aImportVCard"_s)->trigger();
        QVERIFY2(problems.startsWith(u"Не прочитано: 7\nСтрока 1: Строка не прочитана: this line is outside every card\n"_s),
            qPrintable(problems));
        QVERIFY(problems.contains(u"Строка 15: Номер телефона не помещается в 12 цифр"_s));
        QCOMPARE(People(), 5);
        QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 5);

        // The list's people out into a file, 3.0.
        const QString all = QDir(m_fixture->Folder()).filePath(u"all.vcf"_s);
        m_files->QueueChoice(all);
        m_messages->ClearShown();
        people->findChild<QAction*>(u"aExportVCard"_s)->trigger();
        QCOMPARE(m_messages->Shown().value(0).section(u'\r', 0, 0), u"Выгружено людей: 5"_s);
        const QString text = Read(all);
        QCOMPARE(text.count(u"BEGIN:VCARD\r\nVERSION:3.0\r\n"_s), 5);
        QVERIFY(text.contains(u"N:Павлова;Мария;;;\r\n"_s));

        // One person from the card.
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(people->eFindEdit()->lineEdit(), Qt::Key_Return);
        auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
        QVERIFY(card);
        const QString one = QDir(m_fixture->Folder()).filePath(u"one.vcf"_s);
        m_files->QueueChoice(one);
        card->findChild<QAction*>(u"aExportVCard"_s)->trigger();
        QVERIFY(m_files->Requests().last().startsWith(u"save: Экспорт в vCard"_s));
        const QString person = Read(one);
        QCOMPARE(person.count(u"BEGIN:VCARD"_s), 1);
        QVERIFY(person.contains(u"N:"_s + card->MasterDBInfo()->Str1 + u';'));
    }
};

QTEST_MAIN(TestVCardScreens)
#include "tst_vcardscreens.moc"
