// The desktop layer: the real message boxes (Russian buttons, line breaks, answers, Esc) and what the
// desktop helpers agree to open or start.
#include "platform/Desktop.h"
#include "platform/gui/WidgetMessages.h"
#include "tests/support/ScriptedDesktop.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct TSeenBox
{
    QStringList Buttons;
    QString Text;
};

// Answers the next message box by pressing the button with \a press (or Esc when it is empty), after
// noting what the box showed.
void AnswerNextBox(const QString& press, TSeenBox* seen)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, press, seen]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        for (QAbstractButton* button : box->buttons())
            seen->Buttons << button->text();
        seen->Text = box->text();
        if (press.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == press)
                button->click();
        }
    });
    timer->start();
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questions_data();
    void questions();
    void messageShowsLineBreaksAndPlainText();
    void boxWhoseWindowClosesWhileShown();
    void webUrl_data();
    void webUrl();
    void mailUrl_data();
    void mailUrl();
    void openingGoesThroughTheChecks();
    void startProgram();
};

void TestDesktop::questions_data()
{
    QTest::addColumn<bool>("withCancel");
    QTest::addColumn<QString>("press");
    QTest::addColumn<TAnswer>("answer");
    QTest::newRow("Yes/No: Да") << false << QStringLiteral("Да") << TAnswer::Yes;
    QTest::newRow("Yes/No: Нет") << false << QStringLiteral("Нет") << TAnswer::No;
    QTest::newRow("Yes/No: Esc is No") << false << QString() << TAnswer::No;
    QTest::newRow("Yes/No/Cancel: Да") << true << QStringLiteral("Да") << TAnswer::Yes;
    QTest::newRow("Yes/No/Cancel: Нет") << true << QStringLiteral("Нет") << TAnswer::No;
    QTest::newRow("Yes/No/Cancel: Отмена") << true << QStringLiteral("Отмена") << TAnswer::Cancel;
    QTest::newRow("Yes/No/Cancel: Esc is Cancel") << true << QString() << TAnswer::Cancel;
}

void TestDesktop::questions()
{
    QFETCH(bool, withCancel);
    QFETCH(QString, press);
    QFETCH(TAnswer, answer);
    TWidgetMessages messages;
    TSeenBox seen;
    AnswerNextBox(press, &seen);
    const TAnswer given = withCancel ? messages.AskYesNoCancel(QStringLiteral("Вопрос")) : messages.AskYesNo(QStringLiteral("Вопрос"));
    QCOMPARE(given, answer);
    QStringList expected{QStringLiteral("Да"), QStringLiteral("Нет")};
    if (withCancel)
        expected << QStringLiteral("Отмена");
    seen.Buttons.sort();
    expected.sort();
    QCOMPARE(seen.Buttons, expected);
}

void TestDesktop::messageShowsLineBreaksAndPlainText()
{
    TWidgetMessages messages;
    TSeenBox seen;
    AnswerNextBox(QStringLiteral("ОК"), &seen);
    messages.ShowMessage(QStringLiteral("Объект изменен\rYes - сохранить\r\n<b>ООО \"Ромашка\"</b>"));
    QCOMPARE(seen.Buttons, QStringList{QStringLiteral("ОК")});
    QCOMPARE(seen.Text, QStringLiteral("Объект изменен\nYes - сохранить\n<b>ООО \"Ромашка\"</b>"));
}

// The window a box belongs to closes while the box is shown: the window takes the box along, and the
// question answers as if escaped.
void TestDesktop::boxWhoseWindowClosesWhileShown()
{
    TWidgetMessages messages;
    for (int question = 0; question < 3; ++question) {
        auto* window = new QDialog;
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        QCOMPARE(QApplication::activeModalWidget(), window);
        QPointer<QDialog> alive(window);
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            delete box->parentWidget();
        });
        timer->start();
        if (question == 0) {
            messages.ShowMessage(QStringLiteral("Сообщение"));
        } else if (question == 1) {
            QCOMPARE(messages.AskYesNo(QStringLiteral("Вопрос")), TAnswer::No);
        } else {
            QCOMPARE(messages.AskYesNoCancel(QStringLiteral("Вопрос")), TAnswer::Cancel);
        }
        QVERIFY(alive.isNull());
    }
}

void TestDesktop::webUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("url");
    QTest::newRow("host only is http") << "www.example.ru" << "http://www.example.ru";
    QTest::newRow("https kept") << "https://example.ru/a?b=1" << "https://example.ru/a?b=1";
    QTest::newRow("blanks around") << "  http://example.ru  " << "http://example.ru";
    QTest::newRow("host with a port") << "localhost:8080" << "http://localhost:8080";
    QTest::newRow("ftp refused") << "ftp://example.ru" << "";
    QTest::newRow("file refused") << "file:///etc/passwd" << "";
    QTest::newRow("script refused") << "javascript:alert(1)" << "";
    QTest::newRow("blank inside") << "exa mple.ru" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("no host") << "http://" << "";
}

void TestDesktop::webUrl()
{
    QFETCH(QString, typed);
    QFETCH(QString, url);
    QCOMPARE(Desktop::WebUrl(typed).toString(), url);
}

void TestDesktop::mailUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("url");
    QTest::newRow("address") << "ivan@example.ru" << "mailto:ivan@example.ru";
    QTest::newRow("already mailto") << "MAILTO:ivan@example.ru" << "mailto:ivan@example.ru";
    QTest::newRow("blanks around") << " ivan@example.ru " << "mailto:ivan@example.ru";
    QTest::newRow("headers refused") << "ivan@example.ru?subject=x" << "";
    QTest::newRow("two addresses refused") << "a@example.ru,b@example.ru" << "";
    QTest::newRow("no domain") << "ivan@" << "";
    QTest::newRow("no at") << "ivan.example.ru" << "";
    QTest::newRow("two at") << "a@b@example.ru" << "";
}

void TestDesktop::mailUrl()
{
    QFETCH(QString, typed);
    QFETCH(QString, url);
    QCOMPARE(Desktop::MailUrl(typed).toString(), url);
}

void TestDesktop::openingGoesThroughTheChecks()
{
    TScriptedDesktop desktop;
    QTemporaryDir folder;
    QVERIFY(!Desktop::OpenPath(QDir(folder.path()).filePath(QStringLiteral("missing.pdf"))));
    QVERIFY(!Desktop::OpenWebAddress(QStringLiteral("file:///etc/passwd")));
    QVERIFY(!Desktop::OpenMailAddress(QStringLiteral("not an address")));
    QVERIFY(desktop.Opened().isEmpty());

    QVERIFY(Desktop::OpenPath(folder.path()));
    QVERIFY(Desktop::OpenWebAddress(QStringLiteral("www.example.ru")));
    QVERIFY(Desktop::OpenMailAddress(QStringLiteral("ivan@example.ru")));
    QCOMPARE(desktop.Opened(), (QList<QUrl>{QUrl::fromLocalFile(folder.path()), QUrl(QStringLiteral("http://www.example.ru")),
                                            QUrl(QStringLiteral("mailto:ivan@example.ru"))}));
    // What the desktop answers is what the caller learns.
    desktop.QueueResult(false);
    QVERIFY(!Desktop::OpenWebAddress(QStringLiteral("www.example.ru")));
}

void TestDesktop::startProgram()
{
    TScriptedDesktop desktop;
    QVERIFY(!Desktop::StartProgram(QStringLiteral("/no/such/program")));
    QVERIFY(!Desktop::StartProgram(QString()));
    QVERIFY(desktop.Started().isEmpty());
    // Arguments stay separate words: nothing is read by a shell.
    QVERIFY(Desktop::StartProgram(QStringLiteral("/bin/true"), {QStringLiteral("a b"), QStringLiteral("; rm -rf ~")},
                                  QStringLiteral("/tmp")));
    QCOMPARE(desktop.Started(), QStringList{QStringLiteral("/bin/true a b ; rm -rf ~ @ /tmp")});
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
