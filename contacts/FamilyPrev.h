#pragma once

#include "shell/frames/BaseDBFrame.h"

class QLabel;
class QPlainTextEdit;
class TPictureList;

/// The picture of a family status (1..7) in the shared large picture list; -1 for none.
int FamilyStatusImage(qint64 status);

/**
 * \brief The compact preview of a family: the status picture, the period of the marriage and the two
 * partners' names. Linked to a family record owned elsewhere.
 */
class TFamilyPrev final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFamilyPrev)

public:
    explicit TFamilyPrev(QWidget* parent = nullptr);
    ~TFamilyPrev() override;

    QLabel* ImageStatus() const { return m_imageStatus; }
    QPlainTextEdit* mPeriod() const { return m_period; }
    QPlainTextEdit* mFIO() const { return m_fio; }
    /// The pictures the status is drawn from (not owned); the shared large list by default.
    void SetStatusImages(const TPictureList* pictures) { m_statusImages = pictures; }

    void LoadData() override;

private:
    QLabel* m_imageStatus;
    QPlainTextEdit* m_period;
    QPlainTextEdit* m_fio;
    const TPictureList* m_statusImages = nullptr;
};
