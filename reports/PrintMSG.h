#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class TELSObject;

/**
 * \brief The wait window of a report: a borderless window on top of the others, centred on the screen,
 * with a running indicator, the bold red caption "Идет формирование документа" and the button that stops
 * the report.
 *
 * It is modal to the whole program while it is shown, so nothing under the report (its card, its list, the
 * object it reads) can be closed, deleted or run again until the report ends or is stopped.
 */
class TFPrintMSG final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFPrintMSG)

public:
    explicit TFPrintMSG(QWidget* parent = nullptr);
    ~TFPrintMSG() override;

    /// Shows the window centred on the screen and paints it.
    void Start();
    /// Lets the window repaint and answer its Stop button, at most every few hundredths of a second.
    void Tick();
    /// Whether the user stopped the report.
    bool Stopped() const { return m_stopped; }

    QLabel* lCaption() const { return m_caption; }
    QPushButton* bStop() const { return m_stop; }

    void reject() override;

private:
    QLabel* m_caption = nullptr;
    QProgressBar* m_busy = nullptr;
    QPushButton* m_stop = nullptr;
    QElapsedTimer m_sinceTick;
    bool m_stopped = false;
};

/// Writes what a report puts into its workbook; it stops early when the writer was cancelled.
using TReportWriter = std::function<void(TELSObject& writer)>;

namespace Reports {

/**
 * Runs one report: opens a new workbook named after \a title in the reports folder (constant memory for a
 * \a longReport), shows the wait window while \a write fills it, then writes the file and opens it with the
 * desktop's spreadsheet program. Nothing is produced, and nothing is said, when the workbook cannot be
 * opened; a stopped report leaves no file; a workbook that could not be saved is named to the user. A report
 * asked for while another runs is refused. Answers the file written, empty when none.
 */
QString Run(const QString& title, bool longReport, const TReportWriter& write);

/// Whether a report is being written now.
bool IsRunning();

} // namespace Reports
