#pragma once

#include "shell/frames/BaseFind.h"

class QToolBar;
class QToolButton;

/**
 * \brief The addresses near an address ("Соседние адреса"): those of the same settlement, or with "По улице"
 * down of the same street, or with "По дому" down of the same house; the address itself among them. A new
 * address made here starts as the one shown: the same parts down to the street (and the house), the index.
 */
class TStreetFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStreetFind)

public:
    explicit TStreetFind(QWidget* parent = nullptr);
    ~TStreetFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QToolBar* tbarChecked() const { return m_tbarChecked; }
    QToolButton* tbStreet() const { return m_tbStreet; }
    QToolButton* tbHouse() const { return m_tbHouse; }

    void ParseOptionList() override;
    QString GetWhereSQL() override;
    void InitFindMode() override;
    /// Without a row to stand on, the list stands on the address it was given.
    void RunQuery(const QString& id) override;
    void aNewExecute();

private:
    QToolBar* m_tbarChecked;
    QToolButton* m_tbStreet;
    QToolButton* m_tbHouse;
};
