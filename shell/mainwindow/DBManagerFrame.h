#pragma once

#include "shell/frames/BaseDBFrame.h"

class QAction;
class QLabel;
class QTableWidget;
class QTimer;
class QToolButton;
class TMyDataBase;
class TMyDBServerList;

/**
 * \brief The database manager (dialog kind 904): the current database and the databases attached to it,
 * attaching another database file and detaching one. The files themselves are never touched.
 */
class TDBManagerFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDBManagerFrame)

public:
    explicit TDBManagerFrame(QWidget* parent = nullptr);
    ~TDBManagerFrame() override;

    /// Row 0 the current database, then (while the current database is in order) one row per attached one.
    void FillGrid();
    /// The database of the selected row (row 0: the current database); nullptr without a selection.
    TMyDataBase* SelectedDatabase() const;

    void aNewExecute();
    void aDelExecute();
    void aHelpExecute();

    QSize sizeHint() const override;

private:
    TMyDBServerList* List() const;
    void dbGridSelectionChanged();

    QLabel* m_caption;
    QTableWidget* dbGrid;
    QAction* aNew;
    QAction* aDel;
    QAction* aHelp;
    QTimer* m_fillTimer;
};
