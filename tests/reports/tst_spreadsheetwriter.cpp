// The spreadsheet writer and the wrapped line, read back from the written files by a reader of their own
// (and by LibreOffice when it is installed): cell names, texts that stay texts, the cell limit, numbers,
// pictures, constant memory, cancelling, and the names of the report files.
#include "platform/Clock.h"
#include "reports/ELSObject.h"
#include "reports/ReportFile.h"
#include "reports/ReportSheet.h"
#include "tests/reports/XlsxReader.h"
#include "tests/support/FixedClock.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSpreadsheetWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellNames_data();
    void cellNames();
    void textsStayTexts();
    void longTextIsCut();
    void numbersAndPictures();
    void constantMemoryKeepsRowsInOrder();
    void cancelledWorkbookLeavesNoFile();
    void wrap_data();
    void wrap();
    void wrappedLineTakesRows();
    void reportFilesAreDatedAndNumbered();
    void libreOfficeReadsTheWorkbook();

private:
    QString Path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    QTemporaryDir m_dir;
};

void TestSpreadsheetWriter::cellNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("a1") << u"a1"_s << 0 << 0;
    QTest::newRow("upper case") << u"F4"_s << 3 << 5;
    QTest::newRow("z and aa") << u"aa10"_s << 9 << 26;
    QTest::newRow("az") << u"az2"_s << 1 << 51;
    QTest::newRow("last cell") << u"xfd1048576"_s << 1048575 << 16383;
    QTest::newRow("column past the last") << u"xfe1"_s << -1 << -1;
    QTest::newRow("row past the last") << u"a1048577"_s << -1 << -1;
    QTest::newRow("row 0") << u"a0"_s << -1 << -1;
    QTest::newRow("no row") << u"ab"_s << -1 << -1;
    QTest::newRow("no column") << u"12"_s << -1 << -1;
    QTest::newRow("digits then letters") << u"a1b"_s << -1 << -1;
    QTest::newRow("cyrillic") << u"д2"_s << -1 << -1;
    QTest::newRow("dotted capital I") << u"\u01301"_s << -1 << -1;
    QTest::newRow("Kelvin sign") << u"a\u212A1"_s << -1 << -1;
    QTest::newRow("sign") << u"a-1"_s << -1 << -1;
    QTest::newRow("empty") << QString() << -1 << -1;
}

void TestSpreadsheetWriter::cellNames()
{
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(int, column);
    int r = -1;
    int c = -1;
    QCOMPARE(CellName::Parse(name, &r, &c), row >= 0);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
}

void TestSpreadsheetWriter::textsStayTexts()
{
    TELSObject writer;
    QVERIFY(!writer.SetText(u"a1"_s, u"before open"_s));
    QVERIFY(writer.Open(Path(u"texts.xlsx"_s)));
    QVERIFY(writer.SetText(u"a1"_s, u"=SUM(B1:B2)"_s));
    QVERIFY(writer.SetText(u"a2"_s, u"'=1+1"_s));
    QVERIFY(writer.SetText(u"a3"_s, u"''кавычка"_s));
    QVERIFY(writer.SetText(u"a4"_s, u"0012"_s));
    QVERIFY(writer.SetText(u"aa10"_s, u"Иванов & <Сын> \"ООО\""_s, TCellStyle::Bold));
    QVERIFY(writer.SetText(u"AB11"_s, u"12.03.1975"_s));
    QVERIFY(!writer.SetText(u"1a"_s, u"nowhere"_s));
    int steps = 0;
    writer.SetStepHandler([&steps]() { ++steps; });
    writer.SetText(u"zz"_s, u"a bad cell is a step too"_s);
    QCOMPARE(steps, 1);
    QVERIFY(writer.Close());

    const TXlsxReader book(Path(u"texts.xlsx"_s));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Cells().size(), 6);
    for (const QString& cell : book.Cells().keys())
        QVERIFY2(book.Cells().value(cell).IsText(), qPrintable(cell));
    QCOMPARE(book.Text(u"a1"_s), u"=SUM(B1:B2)"_s);
    QCOMPARE(book.Text(u"a2"_s), u"=1+1"_s);
    QCOMPARE(book.Text(u"a3"_s), u"'кавычка"_s);
    QCOMPARE(book.Text(u"a4"_s), u"0012"_s);
    QCOMPARE(book.Text(u"aa10"_s), u"Иванов & <Сын> \"ООО\""_s);
    QCOMPARE(book.Text(u"ab11"_s), u"12.03.1975"_s);
}

void TestSpreadsheetWriter::longTextIsCut()
{
    // 9/10/11: the limit, one over it, and a character of two code units across the limit.
    const QString limit(TELSObject::MaxTextLength, u'я');
    QCOMPARE(TELSObject::CellText(limit), limit);
    QCOMPARE(TELSObject::CellText(limit + u'ю').size(), TELSObject::MaxTextLength);
    const QString emoji = QString(TELSObject::MaxTextLength - 1, u'x') + u"😀"_s;
    QCOMPARE(TELSObject::CellText(emoji), QString(TELSObject::MaxTextLength - 1, u'x'));

    TELSObject writer;
    QVERIFY(writer.Open(Path(u"long.xlsx"_s)));
    QVERIFY(writer.SetText(u"b2"_s, QString(100000, u'ж') + u"конец"_s));
    QVERIFY(writer.SetText(u"b3"_s, u"после"_s));
    QVERIFY(writer.Close());
    const TXlsxReader book(Path(u"long.xlsx"_s));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Text(u"b2"_s), QString(TELSObject::MaxTextLength, u'ж'));
    QCOMPARE(book.Text(u"b3"_s), u"после"_s);
}

void TestSpreadsheetWriter::numbersAndPictures()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));

    TELSObject writer;
    QVERIFY(writer.Open(Path(u"numbers.xlsx"_s)));
    QVERIFY(writer.SetNumber(u"f4"_s, 1250.5));
    QVERIFY(writer.SetNumber(u"a1"_s, -3));
    QVERIFY(writer.InsertPicture(u"c2"_s, png, 60, 80));
    QVERIFY(!writer.InsertPicture(u"c9"_s, QByteArray("not a picture"), 60, 80));
    QVERIFY(!writer.InsertPicture(u"c9"_s, png, 0, 80));
    writer.SetColumnWidth(u"b"_s, 42);
    writer.FitToPageWidth(true);
    QVERIFY(writer.Close());

    const TXlsxReader book(Path(u"numbers.xlsx"_s));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Cells().value(u"f4"_s).Type, u"n"_s);
    QCOMPARE(book.Text(u"f4"_s).toDouble(), 1250.5);
    QCOMPARE(book.Text(u"a1"_s).toDouble(), -3.0);
    // A spreadsheet program stores 42 characters with the cell's padding.
    QVERIFY(book.ColumnWidths().value(2) > 42 && book.ColumnWidths().value(2) < 43);
    const QStringList media = book.Entries().filter(u"xl/media/"_s);
    QCOMPARE(media.size(), 1);
    const QImage placed = QImage::fromData(book.Entry(media.first()));
    QCOMPARE(placed.size(), QSize(80, 60));
    QVERIFY(book.Entry(u"xl/drawings/drawing1.xml"_s).contains("<xdr:col>2</xdr:col>"));
    // Printed on A4 across, one page wide.
    const QByteArray sheet = book.Entry(u"xl/worksheets/sheet1.xml"_s);
    QVERIFY(sheet.contains("<pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"landscape\"/>"));
    QVERIFY(sheet.contains("<pageSetUpPr fitToPage=\"1\"/>"));
}

void TestSpreadsheetWriter::constantMemoryKeepsRowsInOrder()
{
    TELSObject writer;
    QVERIFY(writer.Open(Path(u"rows.xlsx"_s), true));
    QVERIFY(writer.SetText(u"b1"_s, u"Результат поиска"_s, TCellStyle::Title));
    QVERIFY(writer.SetText(u"b3"_s, u"третья"_s));
    QVERIFY(writer.SetText(u"a3"_s, u"'1"_s));
    QVERIFY(!writer.SetText(u"a2"_s, u"назад"_s));
    for (int row = 4; row < 2004; ++row)
        QVERIFY(writer.SetText(u"b"_s + QString::number(row), u"=строка "_s + QString::number(row)));
    QVERIFY(writer.Close());
    const TXlsxReader book(Path(u"rows.xlsx"_s));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Text(u"b1"_s), u"Результат поиска"_s);
    QCOMPARE(book.Text(u"a3"_s), u"1"_s);
    QVERIFY(book.Cells().value(u"a3"_s).IsText());
    QVERIFY(!book.Has(u"a2"_s));
    QCOMPARE(book.Text(u"b2003"_s), u"=строка 2003"_s);
    QVERIFY(book.Cells().value(u"b2003"_s).IsText());
}

void TestSpreadsheetWriter::cancelledWorkbookLeavesNoFile()
{
    TELSObject writer;
    QVERIFY(writer.Open(Path(u"cancelled/report.xlsx"_s)));
    QVERIFY(writer.SetText(u"a1"_s, u"начало"_s));
    writer.Cancel();
    QVERIFY(!writer.SetText(u"a2"_s, u"после отмены"_s));
    QVERIFY(!writer.Close());
    QVERIFY(!writer.Show());
    QCOMPARE(QDir(Path(u"cancelled"_s)).entryList(QDir::Files | QDir::Hidden), QStringList());

    // A workbook that cannot be written (its name is taken by a folder) leaves nothing either.
    QVERIFY(QDir().mkpath(Path(u"taken.xlsx"_s)));
    TELSObject blocked;
    if (blocked.Open(Path(u"taken.xlsx"_s))) {
        blocked.SetText(u"a1"_s, u"текст"_s);
        QVERIFY(!blocked.Close());
    }
    QVERIFY(QFileInfo(Path(u"taken.xlsx"_s)).isDir());
}

void TestSpreadsheetWriter::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("pieces");
    const QString x130(130, u'x');
    QTest::newRow("130 without blanks in d") << x130 << 60 << QStringList{QString(60, u'x'), QString(60, u'x'), QString(10, u'x')};
    QTest::newRow("short") << u"Москва"_s << 60 << QStringList{u"Москва"_s};
    QTest::newRow("empty") << QString() << 60 << QStringList{QString()};
    QTest::newRow("exactly the width") << QString(10, u'x') << 10 << QStringList{QString(10, u'x'), QString()};
    QTest::newRow("cut before the last blank") << u"aaa bbb ccc ddd"_s << 10 << QStringList{u"aaa bbb"_s, u"ccc ddd"_s};
    QTest::newRow("cut after the last comma") << u"aaa, bbb,ccc ddd"_s << 10 << QStringList{u"aaa, bbb,"_s, u"ccc ddd"_s};
    QTest::newRow("blanks trimmed") << u"  aaaaa      bbbbb  "_s << 6 << QStringList{u"aaaaa"_s, u"bbbbb"_s};
    QTest::newRow("width 0 does not cut") << x130 << 0 << QStringList{x130};
    QTest::newRow("negative width does not cut") << x130 << -300 << QStringList{x130};
    QTest::newRow("width 1") << u"ab, c"_s << 1 << QStringList{u"a"_s, u"b"_s, u","_s, u"c"_s, QString()};
}

void TestSpreadsheetWriter::wrap()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QStringList, pieces);
    QCOMPARE(TReportSheet::Wrap(text, width), pieces);
}

void TestSpreadsheetWriter::wrappedLineTakesRows()
{
    QCOMPARE(TReportSheet::WrapWidth(u"d"_s), 60);
    QCOMPARE(TReportSheet::WrapWidth(u"b"_s), 80);
    QVERIFY(TReportSheet::WrapWidth(u"x"_s) <= 0);
    TELSObject writer;
    QVERIFY(writer.Open(Path(u"wrapped.xlsx"_s), true));
    TReportSheet sheet(writer, 10);
    sheet.WrappedLine(u"Проживает"_s, QString(130, u'x'), u"d"_s);
    QCOMPARE(sheet.Row(), 13);
    sheet.WrappedLine(QString(), QString(), u"d"_s);
    QCOMPARE(sheet.Row(), 14);
    // A column far to the right has no width to cut to: its line takes one row and ends.
    sheet.WrappedLine(u"метка"_s, QString(500, u'y'), u"x"_s);
    QCOMPARE(sheet.Row(), 15);
    QVERIFY(writer.Close());
    const TXlsxReader book(Path(u"wrapped.xlsx"_s));
    QVERIFY(book.IsValid());
    QCOMPARE(book.Text(u"a10"_s), u"Проживает"_s);
    QCOMPARE(book.Column(u"d"_s, 10), (QStringList{QString(60, u'x'), QString(60, u'x'), QString(10, u'x')}));
    QCOMPARE(book.Text(u"x14"_s), QString(500, u'y'));
}

void TestSpreadsheetWriter::reportFilesAreDatedAndNumbered()
{
    TFixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 30)));
    ReportFile::SetFolder(Path(u"Документы/Zorvin"_s));
    const QString first = ReportFile::NewPath(u"Досье Иванов И. И."_s);
    QCOMPARE(first, Path(u"Документы/Zorvin/Досье Иванов И. И. 2026-12-09 14-05.xlsx"_s));
    TELSObject writer;
    QVERIFY(writer.Open(first));
    QVERIFY(writer.Close());
    QCOMPARE(ReportFile::NewPath(u"Досье Иванов И. И."_s), Path(u"Документы/Zorvin/Досье Иванов И. И. 2026-12-09 14-05 (2).xlsx"_s));
    QCOMPARE(QFileInfo(ReportFile::NewPath(u"../a/b\tc"_s)).fileName(), u"_a_b c 2026-12-09 14-05.xlsx"_s);
    ReportFile::SetFolder(QString());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(ReportFile::Folder().endsWith(u"/Zorvin"_s));
    if (!documents.isEmpty())
        QCOMPARE(ReportFile::Folder(), QDir(documents).filePath(u"Zorvin"_s));
}

void TestSpreadsheetWriter::libreOfficeReadsTheWorkbook()
{
    const QString office = QStandardPaths::findExecutable(u"soffice"_s);
    if (office.isEmpty())
        QSKIP("LibreOffice is not installed");
    TELSObject writer;
    QVERIFY(writer.Open(Path(u"office.xlsx"_s), true));
    writer.SetText(u"a1"_s, u"=1+1"_s);
    writer.SetText(u"b1"_s, u"Иванов"_s);
    writer.SetNumber(u"c1"_s, 2.5);
    writer.SetText(u"aa1"_s, u"'далеко"_s);
    QVERIFY(writer.Close());
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(office, {u"--headless"_s, u"-env:UserInstallation=file://"_s + Path(u"office-profile"_s),
                           u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):44,34,76"_s, u"--outdir"_s, Path(u"csv"_s),
                           Path(u"office.xlsx"_s)});
    QVERIFY(process.waitForFinished(180000));
    QFile csv(Path(u"csv/office.csv"_s));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QString line = QString::fromUtf8(csv.readLine()).trimmed();
    QVERIFY2(line.startsWith(u"=1+1,Иванов,2.5,"_s), qPrintable(line));
    QVERIFY2(line.endsWith(u",далеко"_s), qPrintable(line));
}

QTEST_GUILESS_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheetwriter.moc"
