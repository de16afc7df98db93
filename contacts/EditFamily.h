#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QToolButton;
class TPeoplePrev;
class TdbTimeEdit;

/**
 * \brief The editor of a family (the dialog "Новая семья" and the family card's edit frame): husband and
 * wife with their previews and picks, the period and status of the marriage, the comment.
 *
 * The partners are held in two preview records of the editor's own. Whatever order they were stored in,
 * the woman is shown on the wife's side, and the family is stored with Link1 = husband, Link2 = wife.
 */
class TEditFamily final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditFamily)

public:
    /// The sides of the couple, as the partner picks give the sex.
    enum TSide : int { HusbandSide = 1, WifeSide = 2 };

    explicit TEditFamily(QWidget* parent = nullptr);
    ~TEditFamily() override;

    TPeoplePrev* p1() const { return m_p1; }
    TPeoplePrev* p2() const { return m_p2; }
    QToolButton* miAdd1() const { return m_add1; }
    QToolButton* ToolButton5() const { return m_add2; }
    QToolButton* miEdit1() const { return m_edit1; }
    QToolButton* miEdit2() const { return m_edit2; }
    QToolButton* miDel1() const { return m_del1; }
    QToolButton* miDel2() const { return m_del2; }
    TdbTimeEdit* dtStart() const { return m_start; }
    TdbTimeEdit* dtEnd() const { return m_end; }
    QComboBox* cbStatus() const { return m_status; }
    QPlainTextEdit* mComments() const { return m_comments; }
    /// The person on \a side (its record is blank when the side is empty).
    const TDBMainInfo& Partner(int side) const { return side == WifeSide ? m_db2 : m_db1; }

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    // The handlers, callable as the buttons call them; the side is HusbandSide or WifeSide.
    void miAdd1Click(int side);
    void miEdit1Click(int side);
    void miDel1Click(int side);
    void db1ChangeEvent(int side);

private:
    TDBMainInfo& PartnerRecord(int side) { return side == WifeSide ? m_db2 : m_db1; }
    static bool HoldsPerson(const TDBMainInfo& record);

    /// What a side held when the family was loaded, and whether the user has changed it since: a side left
    /// alone is stored as it was, even when it names no one the editor can show.
    struct TLoadedSide
    {
        QString Id;
        QString Name;
        bool Touched = false;
    };
    TLoadedSide& Loaded(int side) { return side == WifeSide ? m_loaded2 : m_loaded1; }

    TDBMainInfo m_db1;
    TDBMainInfo m_db2;
    TLoadedSide m_loaded1;
    TLoadedSide m_loaded2;
    /// A stored status that is none of the seven is kept while the user does not choose one.
    bool m_keepStatus = false;
    qint64 m_otherStatus = 0;
    int m_loadedStatusIndex = 0;
    TPeoplePrev* m_p1;
    TPeoplePrev* m_p2;
    QToolButton* m_add1;
    QToolButton* m_add2;
    QToolButton* m_edit1;
    QToolButton* m_edit2;
    QToolButton* m_del1;
    QToolButton* m_del2;
    TdbTimeEdit* m_start;
    TdbTimeEdit* m_end;
    QComboBox* m_status;
    QPlainTextEdit* m_comments;
};
