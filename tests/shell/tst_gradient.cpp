// The band gradient: band colours and sizes, narrow areas, the painted-area rule, and the panel.
#include "shell/widgets/GradientFill.h"
#include "shell/widgets/GradientPanel.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QColor kStart(0, 100, 200);
const QColor kEnd(200, 0, 100);
const QColor kUntouched(7, 7, 7);

QImage Painted(const QSize& size, const QRect& area, const QRect& clip, bool vertical)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    GradientFill(painter, area, clip, kEnd, kStart, vertical);
    return image;
}

} // namespace

class TestGradient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mulDiv_data();
    void mulDiv();
    void bands_data();
    void bands();
    void narrowAreaTakesTheStartColour_data();
    void narrowAreaTakesTheStartColour();
    void bandsPastTheClipAreLeftOut();
    void panelPaintsItsGradient();
};

void TestGradient::mulDiv_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("exact") << 200 << 2 << 4 << 100;
    QTest::newRow("rounds down below a half") << 10 << 1 << 3 << 3;
    QTest::newRow("rounds up above a half") << 20 << 1 << 3 << 7;
    QTest::newRow("half away from zero") << 5 << 1 << 2 << 3;
    QTest::newRow("negative half away from zero") << -5 << 1 << 2 << -3;
    QTest::newRow("negative") << -200 << 1 << 3 << -67;
    QTest::newRow("no overflow") << 2000000000 << 3 << 4 << 1500000000;
}

void TestGradient::mulDiv()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(MulDiv(a, b, c), result);
}

void TestGradient::bands_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QColor>("colour");
    // 10 pixels: five bands of 2; channels step by a quarter of the way each band.
    QTest::newRow("vertical, first band") << true << 10 << 0 << kStart;
    QTest::newRow("vertical, first band second line") << true << 10 << 1 << kStart;
    QTest::newRow("vertical, middle band") << true << 10 << 4 << QColor(100, 50, 150);
    QTest::newRow("vertical, second band") << true << 10 << 2 << QColor(50, 75, 175);
    QTest::newRow("vertical, last band") << true << 10 << 9 << kEnd;
    QTest::newRow("horizontal, last band") << false << 10 << 8 << kEnd;
    QTest::newRow("horizontal, fourth band") << false << 10 << 6 << QColor(150, 25, 125);
    // 5 pixels: two bands of 2, the last line is not a band.
    QTest::newRow("odd extent, second band") << true << 5 << 3 << kEnd;
    QTest::newRow("odd extent, last line untouched") << true << 5 << 4 << kUntouched;
}

void TestGradient::bands()
{
    QFETCH(bool, vertical);
    QFETCH(int, extent);
    QFETCH(int, offset);
    QFETCH(QColor, colour);
    const QRect area = vertical ? QRect(3, 2, 6, extent) : QRect(3, 2, extent, 6);
    const QImage image = Painted(QSize(20, 20), area, QRect(0, 0, 20, 20), vertical);
    const QPoint at = vertical ? QPoint(5, area.top() + offset) : QPoint(area.left() + offset, 4);
    QCOMPARE(QColor(image.pixel(at)), colour);
    // Nothing outside the area is painted.
    QCOMPARE(QColor(image.pixel(1, 1)), kUntouched);
}

void TestGradient::narrowAreaTakesTheStartColour_data()
{
    QTest::addColumn<int>("extent");
    QTest::newRow("1 pixel") << 1;
    QTest::newRow("2 pixels") << 2;
    QTest::newRow("3 pixels: one band") << 3;
}

void TestGradient::narrowAreaTakesTheStartColour()
{
    QFETCH(int, extent);
    const QRect area(0, 0, 8, extent);
    const QImage image = Painted(QSize(8, 8), area, area, true);
    for (int y = 0; y < extent; ++y)
        QCOMPARE(QColor(image.pixel(4, y)), kStart);
    QCOMPARE(QColor(image.pixel(4, extent)), kUntouched);
}

void TestGradient::bandsPastTheClipAreLeftOut()
{
    const QRect area(0, 0, 10, 10);
    // The clip ends inside the third band (lines 4-5): that band and those below stay unpainted.
    const QImage image = Painted(QSize(10, 10), area, QRect(0, 0, 10, 5), true);
    QCOMPARE(QColor(image.pixel(5, 3)), QColor(50, 75, 175));
    QCOMPARE(QColor(image.pixel(5, 4)), kUntouched);
    QCOMPARE(QColor(image.pixel(5, 9)), kUntouched);
}

void TestGradient::panelPaintsItsGradient()
{
    TGradientPanel panel;
    panel.resize(40, 100);
    panel.SetColor(kStart);
    panel.SetColorEnd(kEnd);
    QImage image = panel.grab().toImage();
    QCOMPARE(QColor(image.pixel(20, 0)), kStart);
    QCOMPARE(QColor(image.pixel(20, 99)), kEnd);
    panel.SetGradientDirection(TGradientDirection::gdHorizontal);
    image = panel.grab().toImage();
    QCOMPARE(QColor(image.pixel(0, 50)), kStart);
    QCOMPARE(QColor(image.pixel(39, 50)), kEnd);
}

QTEST_MAIN(TestGradient)
#include "tst_gradient.moc"
