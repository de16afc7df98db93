#include "store/DateSerial.h"
#include "store/TextHelpers.h"
#include "tests/support/FixedClock.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestTextHelpers : public QObject
{
    Q_OBJECT

private slots:
    void serials_data()
    {
        QTest::addColumn<double>("serial");
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("time");
        QTest::newRow("0 is the epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << u"00:00"_s;
        QTest::newRow("-1.25 counts the time forward")
            << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << u"06:00"_s;
        QTest::newRow("long before the epoch")
            << -36522.0 - 0.5 << QDateTime(QDate(1800, 1, 1), QTime(12, 0)) << u"12:00"_s;
        QTest::newRow("five past nine on a leap day")
            << 45351.0 + 545.0 / 1440 << QDateTime(QDate(2024, 2, 29), QTime(9, 5)) << u"09:05"_s;
        QTest::newRow("last millisecond of a day")
            << 45351.0 + 86399999.0 / 86400000 << QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999)) << u"23:59"_s;
    }
    void serials()
    {
        QFETCH(double, serial);
        QFETCH(QDateTime, moment);
        QFETCH(QString, time);
        QCOMPARE(DateSerial::ToDateTime(serial), moment);
        QCOMPARE(DateSerial::FromDateTime(moment), serial);
        QCOMPARE(DateSerial::FromDate(moment.date()), std::trunc(serial));
        QCOMPARE(DateSerial::DateText(serial), moment.date().toString(u"dd.MM.yyyy"_s));
        QCOMPARE(TimeText(serial), time);
    }

    // A serial beyond 3,000,000 days of the epoch, or not a number at all, is no date.
    void serialsThatAreNoDate()
    {
        const double inf = std::numeric_limits<double>::infinity();
        for (double serial :
            {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e300, -1e19, 3000000.5, -3000001.0}) {
            QVERIFY2(!DateSerial::ToDate(serial).isValid(), qPrintable(QString::number(serial)));
            QVERIFY(!DateSerial::ToDateTime(serial).isValid());
            QCOMPARE(DateSerial::DateText(serial), QString());
        }
        QCOMPARE(DateSerial::ToDate(3000000.0), QDate(1899, 12, 30).addDays(3000000));
        QCOMPARE(DateSerial::ToDate(-3000000.0), QDate(1899, 12, 30).addDays(-3000000));
    }

    void clockAndInvalidDate()
    {
        TFixedClock clock(QDateTime(QDate(2024, 3, 1), QTime(18, 0)));
        QCOMPARE(DateSerial::Today(), 45352.0);
        QCOMPARE(DateSerial::Now(), 45352.75);
        QCOMPARE(DateSerial::FromDate(QDate(2023, 2, 29)), 0.0);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("integer");
        QTest::addColumn<double>("number");
        const qint64 largest = std::numeric_limits<qint64>::max();
        QTest::newRow("grouped by blanks") << u" 1 250 "_s << qint64(1250) << 1250.0;
        QTest::newRow("trailing letter") << u"12a"_s << qint64(0) << 0.0;
        QTest::newRow("sign apart from digits") << u"- 3"_s << qint64(-3) << -3.0;
        QTest::newRow("tab is not a blank") << u"1\t2"_s << qint64(0) << 0.0;
        QTest::newRow("decimal comma") << u"1 250,5"_s << qint64(0) << 1250.5;
        QTest::newRow("decimal point") << u"1250.5"_s << qint64(0) << 1250.5;
        QTest::newRow("no integer part") << u",5"_s << qint64(0) << 0.5;
        QTest::newRow("two separators") << u"1,2.3"_s << qint64(0) << 0.0;
        QTest::newRow("largest integer") << u"9223372036854775807"_s << largest << 9223372036854775807.0;
        QTest::newRow("one above largest") << u"9223372036854775808"_s << qint64(0) << 9223372036854775808.0;
        QTest::newRow("number overflow") << u"1e999"_s << qint64(0) << 0.0;
        QTest::newRow("infinity word") << u"inf"_s << qint64(0) << 0.0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(qint64, integer);
        QFETCH(double, number);
        QCOMPARE(IntOfText(text), integer);
        QCOMPARE(FloatOfText(text), number);
    }

    void tryDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("dd.mm.yyyy") << u"01.02.2024"_s << QDate(2024, 2, 1);
        QTest::newRow("d.m.yyyy with blanks") << u" 1.2.2024 "_s << QDate(2024, 2, 1);
        QTest::newRow("leap day in a leap year") << u"29.02.2024"_s << QDate(2024, 2, 29);
        QTest::newRow("leap day in another year") << u"29.02.2023"_s << QDate();
        QTest::newRow("31 April") << u"31.04.2024"_s << QDate();
        QTest::newRow("month 13") << u"01.13.2024"_s << QDate();
        QTest::newRow("two-digit year") << u"01.02.24"_s << QDate();
        QTest::newRow("with a time") << u"01.02.2024 10:00"_s << QDate();
        QTest::newRow("before the epoch") << u"29.12.1899"_s << QDate(1899, 12, 29);
    }
    void tryDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        double serial = 12345.0;
        QCOMPARE(TryDate(serial, text), expected.isValid());
        QCOMPARE(serial, DateSerial::FromDate(expected));
    }

    void capitalizeFirst_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("surname with blanks") << u"  иванов\t"_s << u"Иванов"_s;
        QTest::newRow("yo") << u"ёлкин"_s << u"Ёлкин"_s;
        QTest::newRow("rest unchanged") << u"иВАН-пЁТР"_s << u"ИВАН-пЁТР"_s;
        QTest::newRow("outside the basic plane") << u"\U00010428x"_s << u"\U00010400x"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blank") << u"   "_s << QString();
    }
    void capitalizeFirst()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CapitalizeFirst(text), expected);
    }

    void periodText_data()
    {
        const double start = DateSerial::FromDateTime(QDate(2024, 1, 5), QTime(10, 30));
        const double end = DateSerial::FromDate(QDate(2024, 2, 7));
        QTest::addColumn<bool>("hasStart");
        QTest::addColumn<bool>("hasEnd");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << true << true << start << end << u"05.01.2024\r07.02.2024"_s;
        QTest::newRow("start only") << true << false << start << end << u"05.01.2024"_s;
        QTest::newRow("end only") << false << true << start << end << u"__.__.____\r07.02.2024"_s;
        QTest::newRow("neither") << false << false << start << end << QString();
        QTest::newRow("flagged start without date") << true << true << 0.0 << end << u"__.__.____\r07.02.2024"_s;
        QTest::newRow("flagged end without date") << true << true << start << 0.0 << u"05.01.2024"_s;
    }
    void periodText()
    {
        QFETCH(bool, hasStart);
        QFETCH(bool, hasEnd);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QString, expected);
        QCOMPARE(PeriodText(hasStart, hasEnd, end, start), expected);
    }

    void ageText_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<double>("birth");
        QTest::addColumn<bool>("noAge");
        QTest::addColumn<bool>("atNext");
        QTest::addColumn<QString>("expected");
        // Births in the evening against a clock late in the day: only the calendar dates count.
        auto born = [](int y, int m, int d) { return DateSerial::FromDateTime(QDate(y, m, d), QTime(18, 0)); };
        const double leapling = born(2000, 2, 29);
        const QDate june1(2024, 6, 1);
        QTest::newRow("leapling on 28.02 of a leap year")
            << QDate(2024, 2, 28) << leapling << false << false << u"23"_s;
        QTest::newRow("leapling on 01.03 of a leap year") << QDate(2024, 3, 1) << leapling << false << false << u"24"_s;
        QTest::newRow("leapling on 28.02 of another year")
            << QDate(2023, 2, 28) << leapling << false << false << u"22"_s;
        QTest::newRow("leapling on 01.03 of another year")
            << QDate(2023, 3, 1) << leapling << false << false << u"23"_s;
        QTest::newRow("day before first birthday") << june1 << born(2023, 6, 2) << false << false << u"< 1"_s;
        QTest::newRow("first birthday") << june1 << born(2023, 6, 1) << false << false << u"1"_s;
        QTest::newRow("day after first birthday") << june1 << born(2023, 5, 31) << false << false << u"1"_s;
        QTest::newRow("born this year") << june1 << born(2024, 1, 10) << false << false << u"< 1"_s;
        QTest::newRow("no age") << june1 << born(1990, 1, 1) << true << true << u"-"_s;
        QTest::newRow("no date") << june1 << 0.0 << false << false << u"-"_s;
        QTest::newRow("before the epoch") << june1 << -1.75 << false << true << u"-"_s;
        QTest::newRow("next: birthday yesterday") << june1 << born(1990, 5, 31) << false << true << u"35"_s;
        QTest::newRow("next: birthday today") << june1 << born(1990, 6, 1) << false << true << u"34"_s;
        QTest::newRow("next: birthday tomorrow") << june1 << born(1990, 6, 2) << false << true << u"34"_s;
        QTest::newRow("next: across the new year")
            << QDate(2024, 12, 31) << born(2000, 1, 1) << false << true << u"25"_s;
        QTest::newRow("next: born today") << june1 << born(2024, 6, 1) << false << true << u"< 1"_s;
        QTest::newRow("next: leapling before 01.03") << QDate(2023, 2, 28) << leapling << false << true << u"23"_s;
        QTest::newRow("next: leapling on 01.03") << QDate(2023, 3, 1) << leapling << false << true << u"23"_s;
        QTest::newRow("next: leapling after 01.03") << QDate(2023, 3, 2) << leapling << false << true << u"24"_s;
    }
    void ageText()
    {
        QFETCH(QDate, today);
        QFETCH(double, birth);
        QFETCH(bool, noAge);
        QFETCH(bool, atNext);
        QFETCH(QString, expected);
        TFixedClock clock(QDateTime(today, QTime(23, 59)));
        QCOMPARE(AgeText(noAge, atNext, birth), expected);
    }

    void fitRect_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QRect>("expected");
        const QSize tallBox(100, 115);
        const QSize wideBox(200, 100);
        QTest::newRow("small picture keeps its size") << QSize(50, 40) << tallBox << QRect(25, 37, 50, 40);
        QTest::newRow("wide picture in a tall box") << QSize(200, 100) << tallBox << QRect(0, 32, 100, 50);
        QTest::newRow("one narrower than the box") << QSize(99, 40) << tallBox << QRect(0, 37, 99, 40);
        QTest::newRow("as wide as the box") << QSize(100, 40) << tallBox << QRect(0, 37, 100, 40);
        QTest::newRow("one wider than the box") << QSize(101, 40) << tallBox << QRect(0, 37, 100, 40);
        QTest::newRow("tall picture in a tall box") << QSize(100, 400) << tallBox << QRect(35, 0, 29, 115);
        QTest::newRow("wide picture in a wide box") << QSize(400, 100) << wideBox << QRect(0, 25, 200, 50);
        QTest::newRow("wide picture limited by height") << QSize(300, 250) << wideBox << QRect(40, 0, 120, 100);
        QTest::newRow("zero width takes the box") << QSize(0, 40) << tallBox << QRect(0, 0, 100, 115);
        QTest::newRow("sliver keeps one pixel") << QSize(10000, 1) << QSize(100, 100) << QRect(0, 49, 100, 1);
    }
    void fitRect()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(QRect, expected);
        QCOMPARE(FitRect(picture, box.width(), box.height()), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
