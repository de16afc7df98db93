#include "reports/PrintMSG.h"

#include "platform/Messages.h"
#include "reports/ELSObject.h"
#include "reports/ReportFile.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

/// The window repaints and answers its button at most this often while a report writes.
constexpr qint64 TickMs = 40;

bool& Running()
{
    static bool running = false;
    return running;
}

} // namespace

TFPrintMSG::TFPrintMSG(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"FPrintMSG"_s);
    setWindowTitle(u"Идет формирование документа"_s);
    setWindowModality(Qt::ApplicationModal);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(24, 18, 24, 18);
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(u"aniPrint"_s);
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setMinimumWidth(280);
    frame->addWidget(m_busy);
    m_caption = new QLabel(u"Идет формирование документа"_s, this);
    m_caption->setObjectName(u"lCaption"_s);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont font = m_caption->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    m_caption->setFont(font);
    QPalette palette = m_caption->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_caption->setPalette(palette);
    frame->addWidget(m_caption);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_stop = new QPushButton(u"Остановить"_s, this);
    m_stop->setObjectName(u"bStop"_s);
    buttons->addWidget(m_stop);
    buttons->addStretch();
    frame->addLayout(buttons);
    connect(m_stop, &QPushButton::clicked, this, &TFPrintMSG::reject);
}

TFPrintMSG::~TFPrintMSG() = default;

void TFPrintMSG::Start()
{
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    m_stop->setFocus();
    m_sinceTick.start();
    QCoreApplication::processEvents();
}

void TFPrintMSG::Tick()
{
    if (m_sinceTick.isValid() && m_sinceTick.elapsed() < TickMs)
        return;
    m_sinceTick.restart();
    QCoreApplication::processEvents();
}

void TFPrintMSG::reject()
{
    // Escape and the button stop the report; the window stays until the report has let go of its workbook.
    m_stopped = true;
    m_stop->setEnabled(false);
}

namespace Reports {

bool IsRunning()
{
    return Running();
}

QString Run(const QString& title, bool longReport, const TReportWriter& write)
{
    if (Running())
        return QString();
    TELSObject writer;
    if (!writer.Open(ReportFile::NewPath(title), longReport))
        return QString();
    Running() = true;
    {
        TFPrintMSG wait(QApplication::activeWindow());
        writer.SetStepHandler([&wait, &writer]() {
            wait.Tick();
            if (wait.Stopped())
                writer.Cancel();
        });
        wait.Start();
        write(writer);
        writer.SetStepHandler(nullptr);
        if (wait.Stopped())
            writer.Cancel();
        wait.hide();
    }
    const bool written = writer.Close();
    Running() = false;
    if (!written) {
        // A report the user stopped is gone as asked; one that could not be saved is not kept silent.
        if (!writer.IsCancelled())
            Messages().ShowMessage(u"Не удалось записать документ в файл\r"_s + QDir::toNativeSeparators(writer.FileName())
                                   + u"\rПроверьте, что папка доступна для записи и на диске есть место."_s);
        return QString();
    }
    writer.Show();
    return writer.FileName();
}

} // namespace Reports
