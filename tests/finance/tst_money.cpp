// Amounts read from typed text: exact digits into hundredths, both separators, blanks ignored, half to even,
// refusals with their messages, and the text an amount is shown as.
#include "store/Money.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMoney : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("hundredths");
        QTest::newRow("comma") << u"12,34"_s << qint64(1234);
        QTest::newRow("point") << u"12.34"_s << qint64(1234);
        QTest::newRow("whole") << u"7"_s << qint64(700);
        QTest::newRow("one decimal") << u"0,5"_s << qint64(50);
        QTest::newRow("no whole part") << u",05"_s << qint64(5);
        QTest::newRow("trailing separator") << u"3."_s << qint64(300);
        QTest::newRow("half to even, up") << u"2.675"_s << qint64(268);
        QTest::newRow("half to even, down") << u"0.125"_s << qint64(12);
        QTest::newRow("just above half") << u"0.1250001"_s << qint64(13);
        QTest::newRow("below half") << u"0.1249999"_s << qint64(12);
        QTest::newRow("beyond double precision") << u"0.00500000000000000000001"_s << qint64(1);
        QTest::newRow("thirty million") << u"30 000 000,00"_s << qint64(3000000000LL);
        QTest::newRow("no-break spaces") << u"1\u00A0234\u202F567,8"_s << qint64(123456780);
        QTest::newRow("leading and trailing blanks") << u"  \t15,5  "_s << qint64(1550);
        QTest::newRow("negative") << u"-12,34"_s << qint64(-1234);
        QTest::newRow("minus sign") << u"\u22125"_s << qint64(-500);
        QTest::newRow("minus zero") << u"-0"_s << qint64(0);
        QTest::newRow("plus") << u"+1"_s << qint64(100);
        QTest::newRow("the limit") << u"100 000 000 000,00"_s << Money::MaxHundredths;
        QTest::newRow("leading zeros") << u"000000000000000000000001"_s << qint64(100);
    }

    void parses()
    {
        QFETCH(QString, text);
        QFETCH(qint64, hundredths);
        const Money::TParsed parsed = Money::Parse(text);
        QVERIFY2(parsed.Ok, qPrintable(parsed.Error));
        QCOMPARE(parsed.Hundredths, hundredths);
        QCOMPARE(parsed.Error, QString());
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("blank") << u"   "_s << Money::NoAmount;
        QTest::newRow("empty") << QString() << Money::NoAmount;
        QTest::newRow("lone comma") << u","_s << Money::NoAmount;
        QTest::newRow("lone minus") << u"-"_s << Money::NoAmount;
        QTest::newRow("letters") << u"двести"_s << Money::NoAmount;
        QTest::newRow("two separators") << u"1.234,56"_s << Money::NoAmount;
        QTest::newRow("sign after digits") << u"5-"_s << Money::NoAmount;
        QTest::newRow("exponent") << u"1e5"_s << Money::NoAmount;
        QTest::newRow("just above the limit") << u"100000000000,01"_s << Money::TooLarge;
        QTest::newRow("rounded above the limit") << u"100000000000,005001"_s << Money::TooLarge;
        QTest::newRow("far above") << u"99999999999999999999999999"_s << Money::TooLarge;
        QTest::newRow("negative far above") << u"-10000000000000"_s << Money::TooLarge;
    }

    void refuses()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const Money::TParsed parsed = Money::Parse(text);
        QVERIFY(!parsed.Ok);
        QCOMPARE(parsed.Error, error);
        QCOMPARE(parsed.Hundredths, qint64(0));
    }

    void shownWithTwoDecimals()
    {
        QCOMPARE(Money::Text(-1234), u"-12,34"_s);
        QCOMPARE(Money::Text(0), u"0,00"_s);
        QCOMPARE(Money::Text(5), u"0,05"_s);
        QCOMPARE(Money::Text(-5), u"-0,05"_s);
        QCOMPARE(Money::Text(3000000000LL), u"30000000,00"_s);
        QCOMPARE(Money::Text(std::numeric_limits<qint64>::min()), u"-92233720368547758,08"_s);
        // What is shown reads back as the same amount.
        for (const qint64 amount : {qint64(1), qint64(-99), qint64(123456789), Money::MaxHundredths})
            QCOMPARE(Money::Parse(Money::Text(amount)).Hundredths, amount);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
