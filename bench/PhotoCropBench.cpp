// zorvin-bench-photo: the photo editor on a 24-megapixel photo. Loads it through the editor, then drags the
// crop frame across it at zoom 200, 100 and 50, repainting the editor after every move as the screen would,
// and prints the frames per second and the process's peak memory; beside it, as the baseline, the cost of
// stretching the whole loaded picture once per move.
//   zorvin-bench-photo [MOVES]
#include "bench/ProcessMemory.h"
#include "photos/ImgEditFrame.h"
#include "photos/PhotoCut.h"
#include "platform/FileDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize PhotoSize(6000, 4000);
constexpr double TargetFps = 30;
constexpr double MemoryLimitMb = 300;

// The photo is made by a child process, so that its full-size bitmap never counts in this one's memory.
int MakePhoto(const QString& path)
{
    QImage photo(PhotoSize, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, PhotoSize.width(), PhotoSize.height());
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(230, 180, 90));
    painter.fillRect(photo.rect(), sky);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220));
        painter.drawEllipse(QPoint((i * 997) % PhotoSize.width(), (i * 613) % PhotoSize.height()), 200, 150);
    }
    painter.end();
    return photo.save(path, "JPEG", 90) ? 0 : 1;
}

class TOneFile final : public TFileDialogService
{
public:
    explicit TOneFile(const QString& path) : m_path(path) {}
    QString OpenFileName(const QString&, const QString&, const QString&) override { return m_path; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString ExistingFolder(const QString&, const QString&) override { return QString(); }

private:
    QString m_path;
};

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& global, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Drags the crop frame back and forth across the box for \a moves moves, repainting the window after each;
// frames per second.
double DragFps(TImgEditFrame& editor, int moves)
{
    QWidget* shape = editor.Shp();
    editor.MoveShape(QPoint(0, 0));
    const QPoint grip = shape->mapToGlobal(shape->rect().center());
    SendMouse(shape, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    QElapsedTimer timer;
    timer.start();
    const int span = editor.sBox()->width() - shape->width();
    for (int i = 0; i < moves; ++i) {
        const int phase = (i * 7) % (2 * span);
        const int x = phase < span ? phase : 2 * span - phase;
        SendMouse(shape, QEvent::MouseMove, grip + QPoint(x, i % 60), Qt::LeftButton);
        editor.repaint();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    SendMouse(shape, QEvent::MouseButtonRelease, shape->mapToGlobal(shape->rect().center()), Qt::NoButton);
    return moves / seconds;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--make-photo") {
        QGuiApplication maker(argc, argv);
        return MakePhoto(QString::fromLocal8Bit(argv[2]));
    }
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    const int moves = args.size() > 1 ? std::max(10, args.at(1).toInt()) : 300;
    QTextStream out(stdout);

    QTemporaryDir folder;
    const QString photo = folder.filePath(u"photo-24mp.jpg"_s);
    if (QProcess::execute(QApplication::applicationFilePath(), {u"--make-photo"_s, photo}) != 0) {
        out << "the 24-megapixel photo could not be made" << Qt::endl;
        return 1;
    }
    const double startMb = ProcessMemoryMb("VmHWM:");

    TOneFile files(photo);
    TFileDialogService* previous = SetFileDialogService(&files);
    TImgEditFrame editor;
    editor.show();
    QElapsedTimer timer;
    timer.start();
    editor.tbLoadClick();
    const double loadMs = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents();

    out << "== Photo editor: a " << PhotoSize.width() << " x " << PhotoSize.height() << " JPEG ("
        << QFile(photo).size() / 1024 << " KB), loaded as " << editor.NaturalSize().width() << " x "
        << editor.NaturalSize().height() << " in " << QString::number(loadMs, 'f', 0) << " ms" << Qt::endl;
    out << "   crop drag, " << moves << " moves, the editor repainted after each:" << Qt::endl;
    bool fast = true;
    for (int zoom : {200, 100, 50}) {
        editor.MSlider()->setValue(zoom);
        QApplication::processEvents();
        const double fps = DragFps(editor, moves);
        fast = fast && fps >= TargetFps;
        out << "   zoom " << zoom << "%: " << QString::number(fps, 'f', 1) << " frames/s" << Qt::endl;
    }
    const double peakMb = ProcessMemoryMb("VmHWM:");
    out << "   peak memory: " << QString::number(peakMb, 'f', 1) << " MB (" << QString::number(startMb, 'f', 1)
        << " MB before loading)" << Qt::endl;

    // Baseline: the whole loaded picture stretched to zoom 200 once per move, then the cut taken from it.
    const int baselineMoves = std::max(5, moves / 20);
    const QSize zoomed = PhotoCut::ZoomedSize(editor.NaturalSize(), 200);
    timer.restart();
    for (int i = 0; i < baselineMoves; ++i) {
        const QImage stretched = editor.Picture().scaled(zoomed);
        const QImage cut = stretched.copy(i % 100, i % 100, PhotoCut::CutWidth, PhotoCut::CutHeight);
        if (cut.isNull())
            return 1;
    }
    const double baselineFps = baselineMoves / (timer.nsecsElapsed() / 1e9);
    out << "   baseline, the whole picture stretched per move at zoom 200: " << QString::number(baselineFps, 'f', 1)
        << " moves/s, " << QString::number(zoomed.width() * qint64(zoomed.height()) * 4 / 1048576.0, 'f', 0)
        << " MB per move" << Qt::endl;
    SetFileDialogService(previous);

    const bool small = peakMb < MemoryLimitMb;
    out << "   " << (fast ? "ok" : "SLOW") << ": at least " << TargetFps << " frames/s; " << (small ? "ok" : "LARGE")
        << ": under " << MemoryLimitMb << " MB" << Qt::endl;
    return fast && small ? 0 : 2;
}
