#pragma once

#include "contacts/VCardStore.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

/**
 * \brief The progress of an import or export: a bar of the cards done and the button "Стоп".
 *
 * Modal to the whole program while shown, so nothing changes the database under the import.
 */
class TFVCardProgress final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFVCardProgress)

public:
    TFVCardProgress(const QString& caption, QWidget* parent);
    ~TFVCardProgress() override;
    /// Shows the bar at \a done of \a total and lets the window answer its button, at most every few
    /// hundredths of a second; false once the user stopped.
    bool Step(int done, int total);
    bool Stopped() const { return m_stopped; }
    QProgressBar* pbProgress() const { return m_bar; }
    QPushButton* bStop() const { return m_stop; }
    void reject() override;

private:
    QLabel* m_caption = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_stop = nullptr;
    QElapsedTimer m_sinceEvents;
    bool m_stopped = false;
};

/// \brief The end report of an import: the counts, then every card or line that could not be read.
class TFVCardReport final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFVCardReport)

public:
    TFVCardReport(const VCardStore::TReport& report, const QString& file, QWidget* parent);
    ~TFVCardReport() override;
    QLabel* lSummary() const { return m_summary; }
    QPlainTextEdit* mProblems() const { return m_problems; }

private:
    QLabel* m_summary = nullptr;
    QPlainTextEdit* m_problems = nullptr;
};

/// The import and export of vCard files from the screens: the people list, the person card, the main window.
namespace VCardScreens {

/// The caption of the import command and of its windows.
inline const QString ImportCaption = QStringLiteral("Импорт из vCard");
inline const QString ExportCaption = QStringLiteral("Экспорт в vCard");

/// Asks for a file and imports it into the current database: the question on the people already there, the
/// progress with "Стоп", the end report. True when something was written.
bool ImportFile(QWidget* parent);
/// Asks for a file and writes the people \a ids into it as vCard \a version ("3.0" or "4.0"); \a name is the
/// file name offered. True when written.
bool ExportPeople(QWidget* parent, const QStringList& ids, const QString& version, const QString& name);

/// Puts the import on the main window's tool bar.
void RegisterVCardScreens();

} // namespace VCardScreens
