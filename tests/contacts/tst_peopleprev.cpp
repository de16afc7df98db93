// The person preview: names and age from the record, the photo, the mark of death only over a dead
// person's photo, and the name lines moving aside for the age.
#include "contacts/PeoplePrev.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/support/FixedClock.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray Jpeg()
{
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG");
    return bytes;
}

} // namespace

class TestPeoplePrev : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ShowsRecord_data();
    void ShowsRecord();
    void AgeMovesTheNames();
};

void TestPeoplePrev::ShowsRecord_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("dead");
    QTest::addColumn<bool>("photo");
    QTest::addColumn<QString>("age");
    QTest::addColumn<bool>("marker");
    QTest::newRow("living person with photo") << int(Kind::Person) << false << true << u"34"_s << false;
    QTest::newRow("dead person with photo") << int(Kind::Person) << true << true << u"-"_s << true;
    QTest::newRow("dead person without photo") << int(Kind::Person) << true << false << u"-"_s << false;
    QTest::newRow("organization flagged, with logo") << int(Kind::Organization) << true << true << u"-"_s << false;
}

void TestPeoplePrev::ShowsRecord()
{
    QFETCH(int, kind);
    QFETCH(bool, dead);
    QFETCH(bool, photo);
    QFETCH(QString, age);
    QFETCH(bool, marker);
    TFixedClock clock(QDateTime(QDate(2024, 6, 15), QTime(9, 0)));
    TDBMainInfo record;
    record.ObjType = kind;
    record.Str1 = u"Петров"_s;
    record.Str2 = u"Иван"_s;
    record.Str3 = u"Сергеевич"_s;
    record.Date1 = DateSerial::FromDate(QDate(1990, 5, 10));
    record.D2Flag = dead;
    if (photo)
        record.Foto = Jpeg();
    TPeoplePrev preview;
    preview.SetMasterDBInfo(&record);
    QCOMPARE(preview.lStr1()->text(), u"Петров"_s);
    QCOMPARE(preview.lStr2()->text(), u"Иван"_s);
    QCOMPARE(preview.lStr3()->text(), u"Сергеевич"_s);
    QCOMPARE(preview.LOld()->text(), age);
    QCOMPARE(!preview.Foto()->pixmap().isNull(), photo);
    QCOMPARE(!preview.imgDead()->isHidden(), marker);

    // A later record without a photo leaves no picture or marker behind.
    record.Foto.clear();
    record.NotifyLoaded();
    QVERIFY(preview.Foto()->pixmap().isNull());
    QVERIFY(preview.imgDead()->isHidden());
}

void TestPeoplePrev::AgeMovesTheNames()
{
    TPeoplePrev preview;
    preview.resize(300, 52);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const int plain = preview.lStr1()->x();
    QCOMPARE(preview.lStr1()->geometry().right(), 300 - 1 - 4);
    preview.SetOldVisible(true);
    QVERIFY(preview.lStr1()->x() > plain);
    QVERIFY(!preview.LOld()->isHidden());
    QCOMPARE(preview.lStr2()->geometry().right(), 300 - 1 - 4);
}

QTEST_MAIN(TestPeoplePrev)
#include "tst_peopleprev.moc"
