// The photo editor's arithmetic: zoomed sizes with the clamp of the zoom, the crop rectangle in the
// picture's own pixels, the cut-out's pixels, and the reading of pictures with huge ones scaled down.
#include "photos/PhotoCut.h"
#include "tests/photos/TestPictures.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

} // namespace

class TestPhotoCut : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ZoomedSizes_data();
    void ZoomedSizes();
    void CropRectangleInSourcePixels_data();
    void CropRectangleInSourcePixels();
    void CutOutShowsThePixelsUnderTheFrame();
    void ReadingScalesHugePicturesDown();
};

void TestPhotoCut::ZoomedSizes_data()
{
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("400 x 600 at 100") << QSize(400, 600) << 100 << QSize(400, 600);
    QTest::newRow("400 x 600 at 150") << QSize(400, 600) << 150 << QSize(600, 900);
    QTest::newRow("80 wide at 50") << QSize(80, 30) << 50 << QSize(40, 15);
    QTest::newRow("rounded down") << QSize(333, 101) << 33 << QSize(109, 33);
    QTest::newRow("zoom 0 counts as 1") << QSize(400, 600) << 0 << QSize(4, 6);
    QTest::newRow("zoom 1") << QSize(400, 600) << 1 << QSize(4, 6);
    QTest::newRow("zoom 2") << QSize(400, 600) << 2 << QSize(8, 12);
    QTest::newRow("negative zoom") << QSize(400, 600) << -20 << QSize(4, 6);
    QTest::newRow("at least a pixel") << QSize(50, 20) << 1 << QSize(1, 1);
    QTest::newRow("zoom 200") << QSize(1600, 1200) << 200 << QSize(3200, 2400);
    QTest::newRow("zoom past 200") << QSize(1600, 1200) << 201 << QSize(3200, 2400);
}

void TestPhotoCut::ZoomedSizes()
{
    QFETCH(QSize, natural);
    QFETCH(int, zoom);
    QFETCH(QSize, shown);
    QCOMPARE(PhotoCut::ZoomedSize(natural, zoom), shown);
}

void TestPhotoCut::CropRectangleInSourcePixels_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("cut");
    QTest::addColumn<QRect>("source");
    // The picture is 400 x 600.
    QTest::newRow("zoom 100: the same pixels") << 100 << QPoint(30, 40) << QRect(30, 40, 100, 115);
    QTest::newRow("zoom 200: half as many") << 200 << QPoint(100, 230) << QRect(50, 115, 50, 58);
    QTest::newRow("zoom 50: twice as many") << 50 << QPoint(10, 20) << QRect(20, 40, 200, 230);
    QTest::newRow("clipped at the right edge") << 100 << QPoint(350, 0) << QRect(350, 0, 50, 115);
    QTest::newRow("clipped at the bottom") << 100 << QPoint(0, 550) << QRect(0, 550, 100, 50);
    QTest::newRow("zoom 1: the whole picture") << 1 << QPoint(0, 0) << QRect(0, 0, 400, 600);
    QTest::newRow("beside the picture") << 100 << QPoint(400, 0) << QRect();
}

void TestPhotoCut::CropRectangleInSourcePixels()
{
    QFETCH(int, zoom);
    QFETCH(QPoint, cut);
    QFETCH(QRect, source);
    const QSize natural(400, 600);
    QCOMPARE(PhotoCut::SourceRect(natural, PhotoCut::ZoomedSize(natural, zoom), cut), source);
}

void TestPhotoCut::CutOutShowsThePixelsUnderTheFrame()
{
    const QImage picture = Halves(QSize(400, 600));
    QVERIFY(PhotoCut::Cut(QImage(), QSize(400, 600), QPoint()).isNull());

    // Across the middle at zoom 100: red to the left of x = 50, blue from there.
    QImage cut = PhotoCut::Cut(picture, QSize(400, 600), QPoint(150, 10));
    QCOMPARE(cut.size(), QSize(PhotoCut::CutWidth, PhotoCut::CutHeight));
    QCOMPARE(cut.pixelColor(10, 50), QColor(Qt::red));
    QCOMPARE(cut.pixelColor(48, 50), QColor(Qt::red));
    QCOMPARE(cut.pixelColor(52, 50), QColor(Qt::blue));
    QCOMPARE(cut.pixelColor(90, 50), QColor(Qt::blue));

    // At zoom 200 the middle lies where the zoomed picture has it: x = 400 on screen.
    cut = PhotoCut::Cut(picture, PhotoCut::ZoomedSize(picture.size(), 200), QPoint(370, 300));
    QCOMPARE(cut.pixelColor(20, 50), QColor(Qt::red));
    QCOMPARE(cut.pixelColor(40, 50), QColor(Qt::blue));

    // Past the picture's edge the cut-out is white.
    cut = PhotoCut::Cut(picture, picture.size(), QPoint(350, 540));
    QCOMPARE(cut.pixelColor(10, 10), QColor(Qt::blue));
    QCOMPARE(cut.pixelColor(80, 10), QColor(Qt::white));
    QCOMPARE(cut.pixelColor(10, 100), QColor(Qt::white));

    // At zoom 1 the whole picture is a few pixels in the corner.
    cut = PhotoCut::Cut(picture, PhotoCut::ZoomedSize(picture.size(), 0), QPoint(0, 0));
    QCOMPARE(cut.pixelColor(1, 3), QColor(Qt::red));
    QCOMPARE(cut.pixelColor(3, 3), QColor(Qt::blue));
    QCOMPARE(cut.pixelColor(20, 20), QColor(Qt::white));
}

void TestPhotoCut::ReadingScalesHugePicturesDown()
{
    // From bytes (the clipboard's PNG) and from a file (a JPEG), on the long side, proportions kept.
    const QImage wide = PhotoCut::Read(Encoded(Halves(QSize(4000, 3000)), "PNG"));
    QCOMPARE(wide.size(), QSize(1600, 1200));
    QCOMPARE(wide.pixelColor(100, 600), QColor(Qt::red));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tall.jpg"));
    QVERIFY(Halves(QSize(2000, 5000)).save(path, "JPEG"));
    QCOMPARE(PhotoCut::ReadFile(path).size(), QSize(640, 1600));

    // Smaller pictures keep their size; transparency lies on white.
    QImage clear(300, 200, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QImage read = PhotoCut::Read(Encoded(clear, "PNG"));
    QCOMPARE(read.size(), QSize(300, 200));
    QCOMPARE(read.pixelColor(5, 5), QColor(Qt::white));

    // What is no picture reads as none.
    QVERIFY(PhotoCut::Read(QByteArray("just some text")).isNull());
    QVERIFY(PhotoCut::Read(QByteArray()).isNull());
    QVERIFY(PhotoCut::ReadFile(folder.filePath(QStringLiteral("missing.png"))).isNull());
}

QTEST_GUILESS_MAIN(TestPhotoCut)
#include "tst_photocut.moc"
