#pragma once

#include "shell/frames/BaseDBFrame.h"

class QLabel;

/**
 * \brief The small preview of an event other editors show: its type's picture, direction, "[project]",
 * name and start date.
 */
class TFEventPrev final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFEventPrev)

public:
    explicit TFEventPrev(QWidget* parent = nullptr);
    ~TFEventPrev() override;

    void LoadData() override;

    QLabel* ImageStatus() const { return m_imageStatus; }
    QLabel* lDirect() const { return m_lDirect; }
    QLabel* lStr1() const { return m_lStr1; }
    QLabel* lStr2() const { return m_lStr2; }
    QLabel* lStr3() const { return m_lStr3; }

private:
    QLabel* m_imageStatus;
    QLabel* m_lDirect;
    QLabel* m_lStr1;
    QLabel* m_lStr2;
    QLabel* m_lStr3;
};
