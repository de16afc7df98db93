#pragma once

#include "shell/frames/BaseFind.h"

class QToolBar;
class QToolButton;

/**
 * \brief The people and organizations living or located at an address ("Соседи", "Жильцы" on the address
 * card): those living there now with "Проживают" down, those who lived there with "Проживали" down, everyone
 * with both up. A new resident is a person or organization picked here, tied by a residence edited in its
 * dialog; deleting removes the residence.
 */
class TSosedyFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSosedyFind)

public:
    explicit TSosedyFind(QWidget* parent = nullptr);
    ~TSosedyFind() override;

    /// The caption: "Соседи", or "Жильцы" on the address card.
    void SetTitle(const QString& title);
    TMyDBGrid* ListGrid() const { return Grid; }
    QToolButton* tbHow() const { return m_tbHow; }
    QToolButton* tbHistory() const { return m_tbHistory; }
    QMenu* NewMenu() const { return pmNew; }

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    void InitFindMode() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    bool LinkObject() override;

private:
    QToolBar* m_tbarChecked;
    QToolButton* m_tbHow;
    QToolButton* m_tbHistory;
};
