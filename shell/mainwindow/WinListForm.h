#pragma once

#include "shell/widgets/PictureList.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QStackedWidget;
class QTableWidget;
class QToolButton;
class TBaseDBFrame;
class TMyDataBase;
class TDBMainInfo;

/**
 * \brief The list of open object cards: a borderless pop-up with one row per card (its picture or photo,
 * a second small text, its text). Clicking a row brings its card to the front of the object area.
 *
 * The grid always keeps one row; a row without a card is the empty row that the next card takes. The
 * cards belong to the object area; closing a card's row frees the card.
 */
class TWinListForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TWinListForm)

public:
    /// \a explorer shows the cards; \a closeButton is the main window's "close card" button, whose "Tag"
    /// property names the row it closes.
    TWinListForm(QStackedWidget* explorer, QToolButton* closeButton, QWidget* parent = nullptr);
    ~TWinListForm() override;

    static constexpr int RowHeight = 34;
    /// The first picture number that names a photo of ObjFotos (500 + the row).
    static constexpr int PhotoBase = 500;

    int RowCount() const;
    /// The card of \a row, nullptr for the empty row.
    TBaseDBFrame* CardAt(int row) const;
    /// The row of \a card, -1 when it has none.
    int RowOf(const TBaseDBFrame* card) const;
    /// The text of a cell as the row holds it (column 0: the picture number).
    QString CellText(int row, int column) const;
    const TPictureList& ObjFotos() const { return m_objFotos; }

    /// Gives \a card a row (the empty row when there is one) and selects it.
    void AddCard(TBaseDBFrame* card);
    /// Shows the card's record in its row.
    void UpdateCard(TBaseDBFrame* card);
    /// The first row whose card shows the object \a id of the database \a db (nullptr: the current database);
    /// -1 when none. Databases seeded alike share their ids, so the id alone names no object.
    int FindCard(const QString& id, const TMyDataBase* db = nullptr) const;
    /// Closes the card of \a row, first asking about unsaved changes: 1 closed; 0 kept (Cancel, or no card
    /// in the row); a negative save result when the changes could not be saved (the card stays open).
    int CloseCard(int row);
    /// Closes every card of the objects \a ids of database \a db (the current one when none) without asking:
    /// they were deleted, so nothing of them is left to save, and a save would only write them anew.
    void DiscardCardsOf(const QStringList& ids, const TMyDataBase* db = nullptr);
    /// Brings the card of \a row to the front and makes it the one the close button closes.
    void SelectRow(int row);
    /// Shows the list under \a button, right edges aligned, when there is an open card.
    void ShowUnder(QWidget* button);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetCell(int row, int column, const QString& text);
    void SetRow(int row, const QString& picture, const QString& second, const QString& text);
    QString PhotoPicture(int row, const QByteArray& photo, const QString& fallback);
    void RemoveRow(int row);
    /// Removes \a row and brings the last card left to the front.
    void Dismiss(int row);
    void WinGridDblClick(int row);
    void UpdateCloseButton(int row);

    QStackedWidget* m_explorer;
    QToolButton* m_closeButton;
    QTableWidget* m_grid;
    TPictureList m_objFotos;
    QList<QPointer<TBaseDBFrame>> m_cards;
};
