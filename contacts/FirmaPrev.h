#pragma once

#include "shell/frames/BaseDBFrame.h"

class QLabel;

/**
 * \brief The small text preview of an address, an organization or a note: its short text cut into three
 * lines (lStr1, lStr2, lStr3) as wide as the labels. Linked to a record owned elsewhere.
 */
class TFFirmaPrev final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFFirmaPrev)

public:
    explicit TFFirmaPrev(QWidget* parent = nullptr);
    ~TFFirmaPrev() override;

    QLabel* lStr1() const { return m_lines[0]; }
    QLabel* lStr2() const { return m_lines[1]; }
    QLabel* lStr3() const { return m_lines[2]; }

    void LoadData() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowText();

    QLabel* m_lines[3];
    QString m_text;
    bool m_note = false;
};
