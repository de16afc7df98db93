#pragma once

#include "shell/frames/BaseDBFrame.h"

class QLabel;

/**
 * \brief The compact preview of a person beside lists and in cards: photo with the mark of death, the
 * three names on their own lines and, when asked for, the age.
 */
class TPeoplePrev final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPeoplePrev)
    Q_PROPERTY(bool OldVisible READ OldVisible WRITE SetOldVisible)

public:
    explicit TPeoplePrev(QWidget* parent = nullptr);
    ~TPeoplePrev() override;

    QLabel* lStr1() const { return m_lStr1; }
    QLabel* lStr2() const { return m_lStr2; }
    QLabel* lStr3() const { return m_lStr3; }
    QLabel* LOld() const { return m_lOld; }
    QLabel* Foto() const { return m_foto; }
    QLabel* imgDead() const { return m_imgDead; }

    bool OldVisible() const { return m_oldVisible; }
    void SetOldVisible(bool visible);

    void LoadData() override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();

    QLabel* m_foto;
    QLabel* m_imgDead;
    QLabel* m_lOld;
    QLabel* m_lStr1;
    QLabel* m_lStr2;
    QLabel* m_lStr3;
    bool m_oldVisible = false;
};
