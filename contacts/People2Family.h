#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"

class QGroupBox;
class QPlainTextEdit;
class TFamilyPrev;
class TPeoplePrev;
class TdbTimeEdit;

/**
 * \brief The editor of an adoption (the dialog "Приемная семья"): the person and the adoptive family it
 * ties, the period and a comment.
 */
class TPeople2Family final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPeople2Family)

public:
    explicit TPeople2Family(QWidget* parent = nullptr);
    ~TPeople2Family() override;

    TPeoplePrev* People() const { return m_people; }
    TFamilyPrev* Family() const { return m_family; }
    QGroupBox* gbFamily() const { return m_gbFamily; }
    TdbTimeEdit* dtStart() const { return m_start; }
    TdbTimeEdit* dtEnd() const { return m_end; }
    QPlainTextEdit* mComments() const { return m_comments; }

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    void StoreData() override;

private:
    TDBMainInfo m_dbPeople;
    TDBMainInfo m_dbFamily;
    TPeoplePrev* m_people;
    QGroupBox* m_gbFamily;
    TFamilyPrev* m_family;
    TdbTimeEdit* m_start;
    TdbTimeEdit* m_end;
    QPlainTextEdit* m_comments;
};
