#pragma once

#include <QFrame>

class QToolButton;
class TDBMainInfo;
class TFSelectClientFrame;
class TMyDataBase;
class TMyDBGrid;

/**
 * \brief The suggestion popup of the object picker: the objects named (Link2) by the rows of the context's
 * kind that share the context's links, most used first. Enter or a double click chooses the row's object for
 * the picker; Esc or a click elsewhere hides the popup; the buttons hide it and open the picker's choice of a
 * person or an organization.
 */
class TLinksBuchObjForm final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLinksBuchObjForm)

public:
    /// A popup of \a picker, which it serves.
    explicit TLinksBuchObjForm(TFSelectClientFrame* picker);
    ~TLinksBuchObjForm() override;

    /// The statement of the suggestions for \a context (its kind; Link1, Link3 and Link4 when set).
    static QString SelectSQL(const TDBMainInfo& context);
    /// Reads the suggestions for \a context on \a db; false when the statement failed.
    bool Open(TMyDataBase* db, const TDBMainInfo& context);

    TMyDBGrid* Grid2() const { return m_grid; }
    QToolButton* tbFindPeople() const { return m_findPeople; }
    QToolButton* tbFindFirma() const { return m_findFirma; }

    /// The current row's object becomes the picker's, and the popup hides.
    void Grid2DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FindKind(int kind);

    TFSelectClientFrame* m_picker;
    TMyDBGrid* m_grid;
    QToolButton* m_findPeople;
    QToolButton* m_findFirma;
};
