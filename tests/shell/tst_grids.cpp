// The grids: the list model that reads rows as they are shown, the row-height rule, the self-drawn cells of
// the data grid, the cell text layout, and the string grid's pictures as rows come and go.
#include "shell/widgets/CellText.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/DBImageFrame.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/StringGrid.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/LookupLists.h"
#include "store/ObjectRecord.h"
#include "store/TextHelpers.h"
#include "tests/support/ScriptedBroker.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

// Fills AllInfo with \a count people named Name00000, Name00001 ... (in that order) in one transaction.
bool AddPeople(TTempDatabase& fixture, int count, int firstNumber = 0)
{
    QSqlDatabase connection = fixture.Db()->Connection();
    QSqlQuery insert(connection);
    if (!connection.transaction()
        || !insert.prepare(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Str2) values (?, 1, ?, ?)")))
        return false;
    for (int i = firstNumber; i < firstNumber + count; ++i) {
        insert.bindValue(0, MakeId(static_cast<quint32>(i + 100), 3));
        insert.bindValue(1, QStringLiteral("Name%1").arg(i, 5, 10, QLatin1Char('0')));
        insert.bindValue(2, QString::number(i));
        if (!insert.exec())
            return false;
    }
    return connection.commit();
}

const QString PeopleSql = QStringLiteral("select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str1, Str2, Str3");

QByteArray Jpeg(const QSize& size, const QColor& colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 100);
    return bytes;
}

bool IsRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 70 && qBlue(pixel) < 70;
}

bool AllWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

QPixmap Filled(const QColor& colour)
{
    QPixmap picture(32, 32);
    picture.fill(colour);
    return picture;
}

// What a cell of \a size with \a picture drawn at \a at looks like.
QImage OnWhite(const QSize& size, const QPixmap& picture, const QPoint& at)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(at, picture);
    return image;
}

QRgb ColourOf(const TPictureList& list, int number)
{
    return list.Picture(number).toImage().pixel(1, 1);
}

} // namespace

class TestGrids : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void ModelCountsAtOnceAndReadsOnDemand();
    void ModelKeepsOnlyAWindowOfALongList();
    void CountIgnoresOrderingInsideTextsAndSubSelects_data();
    void CountIgnoresOrderingInsideTextsAndSubSelects();
    void FailingStatementLeavesTheModelEmpty();
    void ModelLetsGoOfADatabaseThatGoes();
    void ModelShowsEmptyWhenItsConnectionCloses();
    void TotalOrderReadsTheSameRowsBackwards_data();
    void TotalOrderReadsTheSameRowsBackwards();
    void LocateIgnoresLetterCase();
    void DisplayTexts();
    void DeferredReadsShowNothingNew();
    void ShortListIsCountedByReadingOn_data();
    void ShortListIsCountedByReadingOn();
    void HeavyRowsAreCountedAndKeepTheFirstPage();

    void RowHeightRule_data();
    void RowHeightRule();
    void GridRowHeightFollowsItsSettings();
    void KindPictures_data();
    void KindPictures();
    void PicturesAreDrawnForScaledScreens();
    void SelectedCellHasTheGradient();
    void ImageCellsShowPhotoOrKind();
    void StatusCells();
    void TextCellEventsSeeTheRowBeingDrawn();
    void CellTextLayout_data();
    void CellTextLayout();

    void StringGridPictureNumbers();
    void StringGridRemoveRowRenumbers();
    void StringGridRemovingTheOnlyRowLeavesAnEmptyOne();
    void StringGridAppendsOnlyAfterAUsedRow();
    void StringGridNewPictureListClearsOldNumbers();

    void PhotoFrameShowsTheRecordsPicture();
    void PhotoFrameClickReplacesThePicture();
    void PhotoFrameStoresTheBytesItWasGiven();

private:
    QImage PaintCell(TMyDBGrid& grid, int row, int column, bool selected, int width = 100);
};

void TestGrids::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

QImage TestGrids::PaintCell(TMyDBGrid& grid, int row, int column, bool selected, int width)
{
    const int height = grid.DefaultRowHeight() + TMyDBGrid::RowMargin;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    grid.PaintCell(painter, QRect(0, 0, width, height), grid.model()->index(row, column), selected);
    painter.end();
    return image;
}

void TestGrids::ModelCountsAtOnceAndReadsOnDemand()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 2000));
    TListModel model;
    QSignalSpy counted(&model, &TListModel::CountKnown);
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    // The first rows are there at once; the count follows as soon as the first screen could be shown.
    QCOMPARE(model.CachedRows(), model.FirstRowCount());
    QCOMPARE(model.rowCount(), model.FirstRowCount());
    QVERIFY(!model.IsCountKnown());
    QCOMPARE(model.FieldValue(0, QStringLiteral("str1")).toString(), QStringLiteral("Name00000"));
    QTRY_VERIFY(model.IsCountKnown());
    QCOMPARE(counted.size(), 1);
    QCOMPARE(counted.first().first().toInt(), 2000);
    QCOMPARE(model.rowCount(), 2000);
    QCOMPARE(model.RecordCount(), 2000);

    // Asking for the count before it came runs it at once; a list within its first rows needs none.
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), 2000);
    QVERIFY(model.IsCountKnown());
    QVERIFY(model.Open(fixture.Db(), QStringLiteral("select top 5 AllInfo.* from AllInfo where ObjType = 1 order by Str1")));
    QVERIFY(model.IsCountKnown());
    QCOMPARE(model.rowCount(), 5);
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), 2000);

    QCOMPARE(model.FieldValue(1999, QStringLiteral("STR1")).toString(), QStringLiteral("Name01999"));
    QCOMPARE(model.FieldValue(700, QStringLiteral("Str1")).toString(), QStringLiteral("Name00700"));
    QCOMPARE(model.FieldValue(5, QStringLiteral("Str1")).toString(), QStringLiteral("Name00005"));
    QCOMPARE(model.FieldValue(2000, QStringLiteral("Str1")), QVariant());
    QCOMPARE(model.FieldValue(0, QStringLiteral("NoSuchField")), QVariant());
    QCOMPARE(model.FieldIndex(QStringLiteral("objid")), 0);
}

void TestGrids::ModelKeepsOnlyAWindowOfALongList()
{
    TTempDatabase fixture;
    const int rows = TListModel::MaxPages * TListModel::PageSize + 5000;
    QVERIFY(AddPeople(fixture, rows));
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), rows);
    for (int row = 0; row < rows; row += 37)
        QCOMPARE(model.FieldValue(row, QStringLiteral("Str2")).toInt(), row);
    QVERIFY(model.CachedRows() <= TListModel::MaxPages * TListModel::PageSize);
    QVERIFY(model.CachedRows() < rows);

    // Upwards from the end, and jumps both ways, read the right rows.
    for (int row = rows - 1; row > rows - 3000; row -= 11)
        QCOMPARE(model.FieldValue(row, QStringLiteral("Str2")).toInt(), row);
    for (const int row : {3, rows - 2, rows / 2, 130, rows / 3, 0})
        QCOMPARE(model.FieldValue(row, QStringLiteral("Str2")).toInt(), row);
    QVERIFY(model.CachedRows() <= TListModel::MaxPages * TListModel::PageSize);
}

void TestGrids::CountIgnoresOrderingInsideTextsAndSubSelects_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("count");
    QTest::newRow("plain ordering") << PeopleSql << 10;
    QTest::newRow("ordering words in a literal")
        << QStringLiteral("select AllInfo.* from AllInfo where ObjType = 1 and Str1 <> \"x order by y\" order by Str1") << 10;
    QTest::newRow("ordered sub-select")
        << QStringLiteral("select AllInfo.* from AllInfo where ObjId in (select top 3 ObjId from AllInfo where ObjType = 1 "
                          "order by Str1 desc) order by Str2")
        << 3;
    QTest::newRow("union ordered as a whole")
        << QStringLiteral("select ObjId, Str1 from AllInfo where ObjType = 1 and Str2 = \"1\" union "
                          "select ObjId, Str1 from AllInfo where ObjType = 1 and Str2 = \"2\" order by 2")
        << 2;
    QTest::newRow("top rows") << QStringLiteral("select top 4 AllInfo.* from AllInfo where ObjType = 1 order by Str1") << 4;
    QTest::newRow("no ordering") << QStringLiteral("select Str1 from AllInfo where ObjType = 1 and Str2 <> \"5\"") << 9;
}

void TestGrids::CountIgnoresOrderingInsideTextsAndSubSelects()
{
    QFETCH(QString, sql);
    QFETCH(int, count);
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 10));
    TListModel model;
    QVERIFY2(model.Open(fixture.Db(), sql), qPrintable(model.ErrorText()));
    QCOMPARE(model.RecordCount(), count);
    int read = 0;
    while (read < count + 2 && model.FieldValue(read, 0).isValid())
        ++read;
    QCOMPARE(read, count);
}

void TestGrids::FailingStatementLeavesTheModelEmpty()
{
    TScriptedMessages messages;
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 10));
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.FieldValue(3, QStringLiteral("Str2")).toInt(), 3);

    QVERIFY(!model.Open(fixture.Db(), QStringLiteral("select * from NoSuchTable")));
    QCOMPARE(model.RecordCount(), 0);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.FieldValue(3, QStringLiteral("Str2")), QVariant());
    QVERIFY(!model.ErrorText().isEmpty());
    QVERIFY(messages.Shown().isEmpty());

    TMyDataBase closed;
    QVERIFY(!model.Open(&closed, PeopleSql));
    QCOMPARE(model.RecordCount(), 0);
}

void TestGrids::ModelLetsGoOfADatabaseThatGoes()
{
    TListModel model;
    {
        TTempDatabase fixture;
        QVERIFY(AddPeople(fixture, 300));
        QVERIFY(model.Open(fixture.Db(), PeopleSql));
        QCOMPARE(model.FieldValue(10, QStringLiteral("Str2")).toInt(), 10);
    }
    QCOMPARE(model.RecordCount(), 0);
    QVERIFY(!model.IsOpen());
    QCOMPARE(model.FieldValue(200, QStringLiteral("Str2")), QVariant());
}

void TestGrids::ModelShowsEmptyWhenItsConnectionCloses()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 3000));
    TListModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), 3000);
    QCOMPARE(model.FieldValue(1500, QStringLiteral("Str2")).toInt(), 1500);

    // A reconnection cuts every statement off: the list is empty, not a list ending where the reads broke.
    reset.clear();
    QVERIFY(fixture.Db()->Reconnect());
    QCOMPARE(reset.size(), 1);
    QVERIFY(!model.IsOpen());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.RecordCount(), 0);
    QCOMPARE(model.FieldValue(2500, QStringLiteral("Str2")), QVariant());
    QCOMPARE(model.Database(), fixture.Db());
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), 3000);
    QCOMPARE(model.FieldValue(2999, QStringLiteral("Str2")).toInt(), 2999);

    fixture.Db()->Close();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.IsOpen());
}

void TestGrids::TotalOrderReadsTheSameRowsBackwards_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("reversible");
    QTest::newRow("ascending") << QStringLiteral(
        "select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str2, AllInfo.ObjId")
                               << true;
    QTest::newRow("mixed directions") << QStringLiteral(
        "select AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str3 desc, Str2 ASC, ObjId desc")
                                      << true;
    QTest::newRow("ties without the id") << PeopleSql << false;
    QTest::newRow("row limit") << QStringLiteral(
        "select top 2500 AllInfo.* from AllInfo where AllInfo.ObjType = 1 order by Str2, ObjId")
                               << false;
}

// Rows far down a list whose order ends with the id are read backwards from its last row; they are the rows
// the forward statement has there, whatever the directions of its order.
void TestGrids::TotalOrderReadsTheSameRowsBackwards()
{
    QFETCH(QString, sql);
    QFETCH(bool, reversible);
    QCOMPARE(!TListModel::ReversedStatement(sql).isEmpty(), reversible);
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 3000));
    // Many rows share Str3, and Str2 sorts as text, not as the number it holds.
    // In the dialect: a server's text columns take like only through the translator's folding.
    QCOMPARE(fixture.Db()->Execute(
                 QStringLiteral("update AllInfo set Str3 = \"Отчество\" where ObjType = 1 and Str2 like \"%7%\"")),
        0);
    QStringList expected;
    {
        auto all = fixture.Db()->CreateQuery(sql);
        QVERIFY(all);
        while (all->next())
            expected << all->value(QStringLiteral("ObjId")).toString();
    }
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), sql));
    QCOMPARE(model.RecordCount(), int(expected.size()));
    for (int row = model.RecordCount() - 1; row >= model.RecordCount() - 700; --row)
        QCOMPARE(model.FieldValue(row, QStringLiteral("ObjId")).toString(), expected[row]);
    for (const int row : {2100, 2450, 1200})
        QCOMPARE(model.FieldValue(row, QStringLiteral("ObjId")).toString(), expected[row]);
}

void TestGrids::LocateIgnoresLetterCase()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 600));
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    const QString id = MakeId(100 + 450, 3);
    QCOMPARE(model.Locate(QStringLiteral("objid"), id.toLower()), 450);
    QCOMPARE(model.FieldValue(0, 0).toString(), MakeId(100, 3));
    QCOMPARE(model.Locate(QStringLiteral("ObjId"), MakeId(100 + 3, 3)), 3);
    QCOMPARE(model.Locate(QStringLiteral("ObjId"), MakeId(99999, 3)), -1);
    QCOMPARE(model.Locate(QStringLiteral("NoSuchField"), id), -1);
}

void TestGrids::DisplayTexts()
{
    TTempDatabase fixture;
    QSqlQuery insert(fixture.Db()->Connection());
    QVERIFY(insert.prepare(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Date1, Foto) values (?, 1, ?, ?, ?)")));
    insert.bindValue(0, QStringLiteral("0000000300000100"));
    insert.bindValue(1, QStringLiteral("Иванов"));
    insert.bindValue(2, DateSerial::FromDate(QDate(1975, 3, 14)));
    insert.bindValue(3, QByteArray("\xFF\xD8"));
    QVERIFY(insert.exec());
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.DisplayText(0, model.FieldIndex(QStringLiteral("Date1"))), QStringLiteral("14.03.1975"));
    QCOMPARE(model.DisplayText(0, model.FieldIndex(QStringLiteral("Date2"))), QString());
    QCOMPARE(model.DisplayText(0, model.FieldIndex(QStringLiteral("Foto"))), QString());
    model.SetFieldTextHandler(QStringLiteral("str1"), [](const TListRow& row, const QVariant& value) -> QString {
        return value.toString() + QStringLiteral(" (") + row.DisplayText(QStringLiteral("Date1")) + QLatin1Char(')');
    });
    QCOMPARE(model.Row(0).DisplayText(QStringLiteral("Str1")), QStringLiteral("Иванов (14.03.1975)"));
    model.SetColumns({{QStringLiteral("STR1"), QStringLiteral("Фамилия"), 120, true, Qt::AlignRight}});
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Иванов (14.03.1975)"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Фамилия"));
}

void TestGrids::DeferredReadsShowNothingNew()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 1000));
    TListModel model;
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    QCOMPARE(model.RecordCount(), 1000);
    QCOMPARE(model.FieldValue(1, QStringLiteral("Str2")).toInt(), 1);
    model.SetReadsDeferred(true);
    QCOMPARE(model.FieldValue(2, QStringLiteral("Str2")).toInt(), 2);
    QCOMPARE(model.FieldValue(900, QStringLiteral("Str2")), QVariant());
    model.SetReadsDeferred(false);
    QCOMPARE(model.FieldValue(900, QStringLiteral("Str2")).toInt(), 900);
}

void TestGrids::ShortListIsCountedByReadingOn_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("countStatementsOnFile");
    QTest::addColumn<int>("countStatementsOnServer");
    constexpr int page = TListModel::PageSize;
    constexpr int bound = TListModel::ReadAheadPages * page;
    // A server hands over its first rows in one window of several pages, so it counts a short list by them.
    QTest::newRow("a few rows over the first page") << page + 3 << 0 << 0;
    QTest::newRow("one row short of the read-ahead bound") << bound - 1 << 0 << 1;
    QTest::newRow("exactly the read-ahead bound") << bound << 1 << 1;
    QTest::newRow("one row over the read-ahead bound") << bound + 1 << 1 << 1;
    QTest::newRow("far longer than the bound") << 3 * bound + 17 << 1 << 1;
}

void TestGrids::ShortListIsCountedByReadingOn()
{
    QFETCH(int, rows);
    QFETCH(int, countStatementsOnFile);
    QFETCH(int, countStatementsOnServer);
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, rows));
    const bool file = !TTempDatabase::OnServer();
    TListModel model;
    QSignalSpy counted(&model, &TListModel::CountKnown);
    QVERIFY(model.Open(fixture.Db(), PeopleSql));
    // A list that ends within its first rows is known at once and has nothing to announce.
    const bool countedLater = !model.IsCountKnown();
    QTRY_VERIFY(model.IsCountKnown());
    QCOMPARE(counted.size(), countedLater ? 1 : 0);
    if (countedLater)
        QCOMPARE(counted.first().first().toInt(), rows);
    QCOMPARE(model.RecordCount(), rows);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.CountReads(), file ? countStatementsOnFile : countStatementsOnServer);

    for (const int row : {0, 1, rows / 2, rows - 1})
        QCOMPARE(model.FieldValue(row, QStringLiteral("Str2")).toInt(), row);
    QCOMPARE(model.FieldValue(rows, QStringLiteral("Str2")), QVariant());
    // Counted by reading on, a list holds every row it has: showing any of them reads nothing more.
    if (file && countStatementsOnFile == 0)
        QCOMPARE(model.PageReads(), 0);
}

void TestGrids::HeavyRowsAreCountedAndKeepTheFirstPage()
{
    TTempDatabase fixture;
    const int rows = 2 * TListModel::PageSize + 5;
    QVERIFY(AddPeople(fixture, rows));
    QSqlQuery fill(fixture.Db()->Connection());
    QVERIFY(fill.prepare(QStringLiteral("update AllInfo set Comments = ? where ObjType = 1")));
    fill.bindValue(0, QString(10000, QLatin1Char('x')));
    QVERIFY(fill.exec());
    // Seven copies of a long comment make a page of rows weigh more than half of what the model keeps.
    const QString heavySql = QStringLiteral("select AllInfo.*, Comments + Comments + Comments + Comments + Comments + "
                                            "Comments + Comments as Heavy from AllInfo where AllInfo.ObjType = 1 "
                                            "order by Str1, Str2, Str3");
    TListModel model;
    QVERIFY2(model.Open(fixture.Db(), heavySql), qPrintable(model.ErrorText()));
    QCOMPARE(model.FieldValue(0, QStringLiteral("Heavy")).toString().size(), 70000);
    // On a server the first window read every row, though not all of them stayed in memory.
    QCOMPARE(model.RecordCount(), rows);
    if (!TTempDatabase::OnServer()) {
        // On a file the first page stays: reading on stopped before it would have pushed it out, and the
        // count statement counted the list.
        QCOMPARE(model.CountReads(), 1);
        QCOMPARE(model.FieldValue(0, QStringLiteral("Str2")).toInt(), 0);
        QCOMPARE(model.PageReads(), 0);
    }
    QCOMPARE(model.FieldValue(rows - 1, QStringLiteral("Str2")).toInt(), rows - 1);
    QCOMPARE(model.FieldValue(TListModel::PageSize, QStringLiteral("Str2")).toInt(), TListModel::PageSize);
}

void TestGrids::RowHeightRule_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("defImage");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("height");
    QTest::newRow("one line, no pictures") << 1 << 0 << 0 << 20;
    QTest::newRow("two lines, no pictures") << 2 << 0 << 0 << 32;
    QTest::newRow("three lines, no pictures") << 3 << 0 << 0 << 48;
    QTest::newRow("one line, 32-pixel status pictures") << 1 << 0 << 32 << 32;
    QTest::newRow("two lines, 32-pixel status pictures") << 2 << 0 << 32 << 32;
    QTest::newRow("three lines, 32-pixel status pictures") << 3 << 0 << 32 << 48;
    QTest::newRow("one line, 40-pixel default photo") << 1 << 40 << 32 << 40;
    QTest::newRow("three lines, 60-pixel default photo") << 3 << 60 << 0 << 60;
}

void TestGrids::RowHeightRule()
{
    QFETCH(int, lines);
    QFETCH(int, defImage);
    QFETCH(int, status);
    QFETCH(int, height);
    QCOMPARE(TMyDBGrid::RowHeightRule(lines, defImage, status), height);
}

void TestGrids::GridRowHeightFollowsItsSettings()
{
    TMyDBGrid grid;
    QCOMPARE(grid.DefaultRowHeight(), 20);
    grid.SetTextLineCount(0);
    QCOMPARE(grid.TextLineCount(), 1);
    grid.SetTextLineCount(-3);
    QCOMPARE(grid.TextLineCount(), 1);

    // Status pictures count only when a status or image field is named.
    grid.SetStatusImages(&MainData().LagreIcons());
    QCOMPARE(grid.DefaultRowHeight(), 20);
    grid.SetStatusFields({QStringLiteral("Int1")});
    QCOMPARE(grid.DefaultRowHeight(), MainData().LagreIcons().Size().height());
    grid.SetTextLineCount(3);
    QCOMPARE(grid.DefaultRowHeight(), std::max(48, MainData().LagreIcons().Size().height()));
    QCOMPARE(grid.verticalHeader()->defaultSectionSize(), grid.DefaultRowHeight() + TMyDBGrid::RowMargin);

    // The grid keeps its own font whatever is set from outside.
    const QFont own = grid.font();
    grid.setFont(QFont(QStringLiteral("Serif"), 30));
    QCOMPARE(grid.font().pointSize(), own.pointSize());
    QCOMPARE(grid.font().family(), CellFont().family());
}

void TestGrids::KindPictures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("picture");
    QTest::newRow("woman") << 1 << true << 56;
    QTest::newRow("man") << 1 << false << 38;
    QTest::newRow("address") << 3 << false << 3;
    QTest::newRow("organization") << 6 << false << 2;
    QTest::newRow("family") << 7 << false << 40;
    QTest::newRow("event") << 8 << false << 4;
    QTest::newRow("project") << 9 << false << 109;
    QTest::newRow("note") << 10 << false << 5;
    QTest::newRow("role") << 20 << false << 47;
    QTest::newRow("residence") << 80 << false << 61;
    QTest::newRow("adoption") << 81 << false << 67;
    QTest::newRow("phone has none") << 4 << false << -1;
    QTest::newRow("no kind") << 0 << true << -1;
}

void TestGrids::KindPictures()
{
    QFETCH(int, kind);
    QFETCH(bool, flag);
    QFETCH(int, picture);
    QCOMPARE(TMyDBGrid::KindPicture(kind, flag), picture);
}

// A scaled desktop (200%) gets pictures drawn at twice the pixels, placed where the ordinary ones are; every
// picture the screens name is drawn.
void TestGrids::PicturesAreDrawnForScaledScreens()
{
    TPictureList sharp(QSize(32, 32));
    TPictureList plain(QSize(32, 32));
    TMainData::Fill(sharp, 2.0);
    TMainData::Fill(plain, 1.0);
    const QPixmap person = sharp.Picture(1);
    QCOMPARE(person.size(), QSize(64, 64));
    QCOMPARE(person.deviceIndependentSize().toSize(), QSize(32, 32));
    // Drawn, not enlarged: the outline is finer than the ordinary picture made twice as big.
    const QImage enlarged = plain.Picture(1).toImage().scaled(64, 64).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(person.toImage().convertToFormat(QImage::Format_ARGB32) != enlarged);
    // Centred in a cell by its size on the screen.
    QImage cell(60, 40, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    DrawCentred(painter, QRect(0, 0, 60, 40), person);
    painter.end();
    QRect drawn;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (qAlpha(cell.pixel(x, y)) > 0)
                drawn |= QRect(x, y, 1, 1);
    QVERIFY2(QRect(14, 4, 32, 32).contains(drawn) && drawn.width() > 16, qPrintable(QString::number(drawn.width())));
    // A picture put into a list keeps its sharpness at the list's size.
    TPictureList small(QSize(16, 16));
    small.Append(person);
    QCOMPARE(small.Picture(0).size(), QSize(32, 32));
    QCOMPARE(small.Picture(0).devicePixelRatio(), 2.0);

    QList<int> named;
    for (int n = 0; n <= 10; ++n)
        named << FamilyStatusPicture(n) << NoteAttachmentPicture(n) << AccountTypePicture(n, -1) << EventTypePicture(n);
    for (int kind : {Kind::Person, Kind::Address, Kind::Organization, Kind::Family, Kind::Event, Kind::Note, Kind::Role,
             Kind::Residence, Kind::AdoptiveFamilyLink})
        named << TMyDBGrid::KindPicture(kind, false) << TMyDBGrid::KindPicture(kind, true);
    for (int number : std::as_const(named)) {
        if (number < 0)
            continue;
        const QImage picture = plain.Picture(number).toImage();
        bool painted = false;
        for (int y = 0; y < picture.height() && !painted; ++y)
            for (int x = 0; x < picture.width() && !painted; ++x)
                painted = qAlpha(picture.pixel(x, y)) > 0;
        QVERIFY2(painted, qPrintable(QStringLiteral("picture %1 is empty").arg(number)));
    }
}

void TestGrids::SelectedCellHasTheGradient()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 1));
    TMyDBGrid grid;
    grid.SetTextLineCount(3);
    grid.SetColumns({{QStringLiteral("Comments"), QString(), 100, true, Qt::AlignLeft}});
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));

    const QImage selected = PaintCell(grid, 0, 0, true);
    QVERIFY(qRed(selected.pixel(50, 0)) >= 250 && qGreen(selected.pixel(50, 0)) >= 250);
    const QColor bottom(selected.pixel(50, selected.height() - 2));
    QVERIFY(qAbs(bottom.red() - 166) <= 8 && qAbs(bottom.green() - 202) <= 8 && qAbs(bottom.blue() - 240) <= 8);
    QVERIFY(AllWhite(PaintCell(grid, 0, 0, false)));
}

void TestGrids::ImageCellsShowPhotoOrKind()
{
    TTempDatabase fixture;
    QSqlQuery insert(fixture.Db()->Connection());
    QVERIFY(insert.prepare(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Flag, D2Flag, Foto) values (?, ?, ?, ?, ?, ?)")));
    const auto add = [&insert](const QString& id, int kind, const QString& name, bool flag, bool dead, const QByteArray& photo) {
        insert.bindValue(0, id);
        insert.bindValue(1, kind);
        insert.bindValue(2, name);
        insert.bindValue(3, flag ? -1 : 0);
        insert.bindValue(4, dead ? -1 : 0);
        insert.bindValue(5, photo.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(photo));
        return insert.exec();
    };
    QVERIFY(add(QStringLiteral("0000000300000101"), 1, QStringLiteral("A woman"), true, false, QByteArray()));
    QVERIFY(add(QStringLiteral("0000000300000102"), 1, QStringLiteral("B dead man"), false, true, QByteArray()));
    QVERIFY(add(QStringLiteral("0000000300000103"), 1, QStringLiteral("C small photo"), false, false, Jpeg(QSize(10, 10), Qt::red)));
    QVERIFY(add(QStringLiteral("0000000300000104"), 1, QStringLiteral("D large photo"), false, true, Jpeg(QSize(200, 100), Qt::red)));
    QVERIFY(add(QStringLiteral("0000000300000105"), 1, QStringLiteral("E broken photo"), false, false, QByteArray("not a jpeg")));

    TMyDBGrid grid;
    grid.SetImageFields({QStringLiteral("foto")});
    grid.SetStatusImages(&MainData().LagreIcons());
    grid.SetColumns({{QStringLiteral("Foto"), QString(), 100, true, Qt::AlignLeft}});
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));
    const int height = grid.DefaultRowHeight() + TMyDBGrid::RowMargin;

    // A woman without photo: picture 56 of the large list, centred.
    const QPixmap woman = MainData().LagreIcons().Picture(56);
    QVERIFY(!woman.isNull());
    const QPoint origin((100 - woman.width()) / 2, (height - woman.height()) / 2);
    QCOMPARE(PaintCell(grid, 0, 0, false), OnWhite(QSize(100, height), woman, origin));

    // A dead man: the black square in the bottom-right corner, a quarter of the cell wide.
    const QImage dead = PaintCell(grid, 1, 0, false);
    QCOMPARE(QColor(dead.pixel(99, height - 3)), QColor(Qt::black));
    QCOMPARE(QColor(dead.pixel(100 - 25, height - 3 - 24)), QColor(Qt::black));
    QCOMPARE(QColor(dead.pixel(99, height - 1)), QColor(Qt::white));
    QVERIFY(dead.pixel(100 - 27, height - 3) != qRgb(0, 0, 0));

    // A photo smaller than the cell keeps its size, centred in the box one pixel below the top.
    const QImage small = PaintCell(grid, 2, 0, false);
    const QRect smallRect = FitRect(QSize(10, 10), 99, height - 1).translated(0, 1);
    QCOMPARE(smallRect.size(), QSize(10, 10));
    QVERIFY(IsRed(small.pixel(smallRect.center())));
    QCOMPARE(QColor(small.pixel(smallRect.left() - 2, smallRect.center().y())), QColor(Qt::white));
    QCOMPARE(QColor(small.pixel(smallRect.center().x(), smallRect.top() - 2)), QColor(Qt::white));

    // A larger one is scaled down with its proportions kept; the dead mark is drawn over it.
    const QImage large = PaintCell(grid, 3, 0, false);
    const QRect largeRect = FitRect(QSize(200, 100), 99, height - 1).translated(0, 1);
    QCOMPARE(largeRect.height(), height - 1);
    QCOMPARE(largeRect.width(), qRound(2.0 * (height - 1)));
    QVERIFY(IsRed(large.pixel(largeRect.left() + 2, largeRect.center().y())));
    QCOMPARE(QColor(large.pixel(largeRect.left() - 2, largeRect.center().y())), QColor(Qt::white));
    QCOMPARE(QColor(large.pixel(99, height - 3)), QColor(Qt::black));

    // A photo that does not decode falls back to the kind picture; a row without ObjId shows nothing.
    const QImage broken = PaintCell(grid, 4, 0, false);
    QCOMPARE(broken, OnWhite(QSize(100, height), MainData().LagreIcons().Picture(38), origin));
    QVERIFY(grid.Model()->Open(fixture.Db(), QStringLiteral("select Foto, ObjType from AllInfo where ObjType = 1 order by Str1")));
    QVERIFY(AllWhite(PaintCell(grid, 0, 0, false)));

    // A default picture stands in for a missing photo, not for one that does not decode.
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));
    QPixmap green(20, 20);
    green.fill(Qt::green);
    grid.SetDefImage(green);
    const QRect greenRect = FitRect(QSize(20, 20), 99, height - 1).translated(0, 1);
    QCOMPARE(QColor(PaintCell(grid, 0, 0, false).pixel(greenRect.center())), QColor(Qt::green));
    QVERIFY(QColor(PaintCell(grid, 4, 0, false).pixel(greenRect.center())) != QColor(Qt::green));
    grid.SetDefImage(QPixmap());

    // The kind picture can be changed by the event; -1 draws nothing.
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));
    QStringList asked;
    grid.OnImageColumnGetImage = [&asked](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& picture) {
        asked << row.Text(QStringLiteral("Str1"));
        picture = -1;
    };
    QVERIFY(AllWhite(PaintCell(grid, 0, 0, false)));
    QCOMPARE(asked, QStringList{QStringLiteral("A woman")});
}

void TestGrids::StatusCells()
{
    TTempDatabase fixture;
    QVERIFY(fixture.Run(QStringLiteral("insert into AllInfo (ObjId, ObjType, Str1, Int1) values "
                                       "('0000000300000101', 1, 'a', 0), ('0000000300000102', 1, 'b', 1), "
                                       "('0000000300000103', 1, 'c', 100000)")));
    TMyDBGrid grid;
    grid.SetStatusFields({QStringLiteral("INT1")});
    grid.SetStatusImages(&MainData().LagreIcons());
    grid.SetColumns({{QStringLiteral("Int1"), QString(), 100, true, Qt::AlignLeft}});
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));

    QVERIFY(AllWhite(PaintCell(grid, 0, 0, false)));
    const QImage first = PaintCell(grid, 1, 0, false);
    const QPixmap picture0 = MainData().LagreIcons().Picture(0);
    const QPoint origin((100 - picture0.width()) / 2, (grid.DefaultRowHeight() - picture0.height()) / 2);
    QCOMPARE(first, OnWhite(first.size(), picture0, origin));
    QVERIFY(AllWhite(PaintCell(grid, 2, 0, false)));

    grid.OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& picture) {
        picture = row.Text(QStringLiteral("Str1")) == QStringLiteral("a") ? 0 : -1;
    };
    QVERIFY(!AllWhite(PaintCell(grid, 0, 0, false)));
    QVERIFY(AllWhite(PaintCell(grid, 1, 0, false)));
}

void TestGrids::TextCellEventsSeeTheRowBeingDrawn()
{
    TTempDatabase fixture;
    QVERIFY(AddPeople(fixture, 3));
    TMyDBGrid grid;
    grid.SetColumns({{QStringLiteral("Str1"), QString(), 100, true, Qt::AlignLeft}});
    QVERIFY(grid.Model()->Open(fixture.Db(), PeopleSql));
    QStringList rows;
    grid.OnGetFontColor = [&rows](TMyDBGrid&, const TListRow& row, const TGridColumn& column, QColor& colour, TFontStyles& style) {
        rows << row.Text(QStringLiteral("Str2")) + QLatin1Char('/') + column.FieldName;
        colour = Qt::red;
        style = TFontStyle::Bold;
    };
    const QImage cell = PaintCell(grid, 2, 0, false);
    QCOMPARE(rows, QStringList{QStringLiteral("2/Str1")});
    bool red = false;
    for (int y = 0; y < cell.height() && !red; ++y)
        for (int x = 0; x < cell.width() && !red; ++x)
            red = IsRed(cell.pixel(x, y));
    QVERIFY(red);
}

void TestGrids::CellTextLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("right");
    QTest::addColumn<TCellTextLayout>("layout");
    const QFontMetrics metrics(CellFont());
    const QString word = QStringLiteral("Иванов");
    const int wordWidth = metrics.horizontalAdvance(word);
    QTest::newRow("short text on one line") << word << wordWidth + 20 << false << TCellTextLayout::LeftLine;
    QTest::newRow("a line break wraps a short text") << QStringLiteral("Иван\rов") << 400 << false << TCellTextLayout::Wrapped;
    QTest::newRow("exactly the cell minus 4 wraps") << word << wordWidth + 4 << false << TCellTextLayout::Wrapped;
    QTest::newRow("one pixel narrower stays on one line") << word << wordWidth + 5 << false << TCellTextLayout::LeftLine;
    QTest::newRow("wider than the cell wraps") << word << wordWidth << false << TCellTextLayout::Wrapped;
    QTest::newRow("right-aligned is one line, even with a break")
        << QStringLiteral("1\r250,00") << 20 << true << TCellTextLayout::RightLine;
}

void TestGrids::CellTextLayout()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, right);
    QFETCH(TCellTextLayout, layout);
    QCOMPARE(::CellTextLayout(QFontMetrics(CellFont()), width, text, right), layout);
}

void TestGrids::StringGridPictureNumbers()
{
    TPictureList own(QSize(32, 32));
    TMyStringGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(2);
    grid.SetCell(1, 0, QStringLiteral("12"));
    grid.SetCell(2, 0, QStringLiteral("7"));
    grid.SetCell(0, 1, QStringLiteral("-1"));
    grid.SetCell(1, 1, QStringLiteral("abc"));

    // Without an own list no column shows pictures.
    QVERIFY(!grid.IsPictureColumn(1));
    QCOMPARE(grid.PictureOf(1, 0).List, nullptr);

    grid.SetExtImages(&own);
    grid.SetCell(0, 0, QStringLiteral("503"));
    QCOMPARE(own.Count(), 2);
    QVERIFY(grid.IsPictureColumn(0));
    QVERIFY(grid.IsPictureColumn(1));
    QVERIFY(!grid.IsPictureColumn(2));
    QCOMPARE(grid.PictureOf(0, 0).List, &own);
    QCOMPARE(grid.PictureOf(0, 0).Number, 3);
    QCOMPARE(grid.PictureOf(1, 0).List, &MainData().LagreIcons());
    QCOMPARE(grid.PictureOf(1, 0).Number, 12);
    QCOMPARE(grid.PictureOf(2, 0).List, nullptr);
    QCOMPARE(grid.PictureOf(0, 1).List, nullptr);
    QCOMPARE(grid.PictureOf(1, 1).List, nullptr);
    grid.SetImageSize(TImageSize::imSmall);
    QCOMPARE(grid.PictureOf(1, 0).List, &MainData().SmallIcons());

    // With fewer than three columns only column 0 shows pictures.
    grid.setColumnCount(2);
    QVERIFY(!grid.IsPictureColumn(1));
}

void TestGrids::StringGridRemoveRowRenumbers()
{
    TPictureList own(QSize(32, 32));
    TMyStringGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(5);
    grid.SetExtImages(&own);
    QCOMPARE(own.Count(), 5);
    for (int row = 0; row < 5; ++row) {
        own.Replace(row, Filled(QColor::fromHsv(row * 60, 255, 255)));
        grid.SetCell(0, row, QString::number(500 + row));
        grid.SetCell(1, row, QStringLiteral("12"));
        grid.SetCell(3, row, QStringLiteral("row %1").arg(row));
        grid.SetObject(row, row);
    }
    QList<int> removed;
    QList<int> rowsBefore;
    grid.OnBeforeDeleteRow = [&removed, &rowsBefore](TMyStringGrid& sender, int row) {
        removed << row;
        rowsBefore << sender.rowCount();
    };
    grid.RemoveRow(2);

    QCOMPARE(removed, QList<int>{2});
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(own.Count(), 4);
    QCOMPARE(grid.Cell(0, 1), QStringLiteral("501"));
    QCOMPARE(grid.Cell(0, 2), QStringLiteral("502"));
    QCOMPARE(grid.Cell(3, 2), QStringLiteral("row 3"));
    QCOMPARE(grid.Cell(0, 3), QStringLiteral("503"));
    QCOMPARE(grid.Cell(1, 3), QStringLiteral("12"));
    QCOMPARE(grid.Object(2).toInt(), 3);
    // The old row 3 shows its own picture, now number 2.
    QCOMPARE(ColourOf(own, 2), QColor::fromHsv(3 * 60, 255, 255).rgb());
    QCOMPARE(ColourOf(own, 1), QColor::fromHsv(60, 255, 255).rgb());
    QCOMPARE(grid.currentRow(), 2);

    grid.RemoveRow(3);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(own.Count(), 3);
    grid.RemoveRow(-1);
    grid.RemoveRow(7);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(removed, (QList<int>{2, 3}));
    QCOMPARE(rowsBefore, (QList<int>{5, 4}));
}

void TestGrids::StringGridRemovingTheOnlyRowLeavesAnEmptyOne()
{
    TPictureList own(QSize(32, 32));
    TMyStringGrid grid;
    grid.setColumnCount(4);
    grid.SetExtImages(&own);
    grid.SetCell(0, 0, QStringLiteral("500"));
    grid.SetCell(3, 0, QStringLiteral("Иванов"));
    grid.SetObject(0, 42);
    grid.RemoveRow(0);
    QCOMPARE(grid.rowCount(), 1);
    QCOMPARE(grid.Cell(0, 0), QString());
    QCOMPARE(grid.Cell(3, 0), QString());
    QVERIFY(!grid.RowInUse(0));
    QCOMPARE(own.Count(), 1);
}

void TestGrids::StringGridAppendsOnlyAfterAUsedRow()
{
    TPictureList own(QSize(32, 32));
    TMyStringGrid grid;
    grid.setColumnCount(4);
    grid.SetExtImages(&own);
    grid.AppendRow();
    QCOMPARE(grid.rowCount(), 1);
    grid.SetObject(0, 1);
    grid.AppendRow();
    QCOMPARE(grid.rowCount(), 2);
    QCOMPARE(own.Count(), 2);
    grid.AppendRow();
    QCOMPARE(grid.rowCount(), 2);
}

void TestGrids::StringGridNewPictureListClearsOldNumbers()
{
    TPictureList first(QSize(32, 32));
    TPictureList second(QSize(32, 32));
    TMyStringGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(3);
    grid.SetExtImages(&first);
    grid.SetCell(0, 0, QStringLiteral("500"));
    grid.SetCell(1, 1, QStringLiteral("501"));
    grid.SetCell(0, 2, QStringLiteral("9"));
    grid.SetCell(2, 2, QStringLiteral("502"));
    grid.SetExtImages(&second);
    QCOMPARE(grid.Cell(0, 0), QStringLiteral("-1"));
    QCOMPARE(grid.Cell(1, 1), QStringLiteral("-1"));
    QCOMPARE(grid.Cell(0, 2), QStringLiteral("9"));
    QCOMPARE(grid.Cell(2, 2), QStringLiteral("502"));
    QCOMPARE(second.Count(), 3);
    grid.SetExtImages(nullptr);
    QVERIFY(!grid.IsPictureColumn(0));
}

void TestGrids::PhotoFrameShowsTheRecordsPicture()
{
    TScriptedMessages messages;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Foto = Jpeg(QSize(40, 80), Qt::red);
    TDBImageFrame frame;
    frame.SetFoneString(QStringLiteral("Фото"));
    frame.resize(120, 120);
    frame.show();
    frame.SetMasterDBInfo(&person);
    QCOMPARE(frame.Picture().size(), QSize(40, 80));
    QVERIFY(!frame.imgDead()->isVisible());
    QVERIFY(!frame.Changed());
    // Fitted and centred: the full height of the panel, half as wide.
    const QRect shown = frame.Foto()->geometry();
    QCOMPARE(shown.height(), frame.p()->contentsRect().height());
    QCOMPARE(shown.width(), shown.height() / 2);
    QVERIFY(qAbs(shown.center().x() - frame.p()->contentsRect().center().x()) <= 1);

    TDBMainInfo dead;
    dead.ObjType = Kind::Person;
    dead.D2Flag = true;
    dead.Foto = QByteArray("not a picture");
    frame.SetMasterDBInfo(&dead);
    QVERIFY(frame.Picture().isNull());
    QVERIFY(frame.imgDead()->isVisible());
    auto* caption = frame.p()->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(caption);
    QCOMPARE(caption->text(), QStringLiteral("Фото"));
    QVERIFY(messages.Shown().isEmpty());

    // A dead organization has no mark; an unchanged picture is not written back.
    TDBMainInfo firm;
    firm.ObjType = Kind::Organization;
    firm.D2Flag = true;
    firm.Foto = QByteArray("kept as it is");
    frame.SetMasterDBInfo(&firm);
    QVERIFY(!frame.imgDead()->isVisible());
    QVERIFY(firm.ApplyFrames(false));
    QCOMPARE(firm.Foto, QByteArray("kept as it is"));
}

void TestGrids::PhotoFrameClickReplacesThePicture()
{
    TScriptedBroker broker;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Foto = Jpeg(QSize(30, 30), Qt::red);
    TDBImageFrame frame;
    frame.resize(100, 100);
    frame.SetMasterDBInfo(&person);

    // Cancelled: nothing changes.
    frame.FrameClick();
    QCOMPARE(broker.Calls().size(), 1);
    QCOMPARE(broker.Calls()[0].Request, TScriptedBroker::TRequest::Edit);
    QCOMPARE(broker.Calls()[0].Kind, TDBImageFrame::PhotoDialogKind);
    QImage handed;
    QVERIFY(handed.loadFromData(broker.Calls()[0].Record.Foto, "JPEG"));
    QCOMPARE(handed.size(), QSize(30, 30));
    QVERIFY(!frame.Changed());

    // Chosen: the new picture shows and is stored with the host's save.
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [](TDBMainInfo& photo) { photo.Foto = Jpeg(QSize(60, 20), Qt::blue); });
    QTest::mouseClick(&frame, Qt::LeftButton);
    QCOMPARE(broker.Calls().size(), 2);
    QVERIFY(frame.Changed());
    QCOMPARE(frame.Picture().size(), QSize(60, 20));
    QVERIFY(person.ApplyFrames(false));
    QImage stored;
    QVERIFY(stored.loadFromData(person.Foto, "JPEG"));
    QCOMPARE(stored.size(), QSize(60, 20));

    // A photo removed in the dialog removes it from the record.
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [](TDBMainInfo& photo) { photo.Foto.clear(); });
    frame.FrameClick();
    QVERIFY(frame.Picture().isNull());
    QVERIFY(person.ApplyFrames(false));
    QVERIFY(person.Foto.isEmpty());

    // The preview inside the photo dialog is disabled and ignores clicks.
    frame.setEnabled(false);
    frame.FrameClick();
    QCOMPARE(broker.Calls().size(), 3);
}

// A photo is stored as the bytes handed over, never as a new encoding of them; a picture that cannot be
// encoded leaves the stored photo as it is.
void TestGrids::PhotoFrameStoresTheBytesItWasGiven()
{
    TScriptedBroker broker;
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Foto = Jpeg(QSize(30, 30), Qt::red);
    const QByteArray stored = person.Foto;
    TDBImageFrame frame;
    frame.resize(100, 100);
    frame.SetMasterDBInfo(&person);

    // The dialog gets the stored bytes; a cancelled dialog changes nothing.
    frame.FrameClick();
    QCOMPARE(broker.Calls()[0].Record.Foto, stored);

    // The chosen photo is stored byte for byte, again and again.
    const QByteArray chosen = Jpeg(QSize(60, 20), Qt::blue);
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [chosen](TDBMainInfo& photo) { photo.Foto = chosen; });
    frame.FrameClick();
    QCOMPARE(frame.Picture().size(), QSize(60, 20));
    QVERIFY(person.ApplyFrames(false));
    QCOMPARE(person.Foto, chosen);
    QVERIFY(person.ApplyFrames(false));
    QCOMPARE(person.Foto, chosen);

    // A photo the frame cannot show is still not lost.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(&buffer, "PNG"));
    broker.Queue(TScriptedBroker::TRequest::Edit, 1, [png](TDBMainInfo& photo) { photo.Foto = png; });
    frame.FrameClick();
    QVERIFY(person.ApplyFrames(false));
    QCOMPARE(person.Foto, png);

    // A new cut-out is encoded once; one too wide for JPEG is refused and the stored photo stays.
    frame.SetMasterDBInfo(&person);
    QImage wide(70000, 2, QImage::Format_RGB32);
    wide.fill(Qt::green);
    QVERIFY(!frame.SetPicture(wide));
    QCOMPARE(frame.PictureBytes(), png);
    QVERIFY(!frame.Changed());
    QVERIFY(person.ApplyFrames(false));
    QCOMPARE(person.Foto, png);
    QImage cut(100, 115, QImage::Format_RGB32);
    cut.fill(Qt::red);
    QVERIFY(frame.SetPicture(cut));
    QVERIFY(person.ApplyFrames(false));
    QImage decoded;
    QVERIFY(decoded.loadFromData(person.Foto, "JPEG"));
    QCOMPARE(decoded.size(), QSize(100, 115));
    QCOMPARE(person.Foto, frame.PictureBytes());
}

QTEST_MAIN(TestGrids)
#include "tst_grids.moc"
