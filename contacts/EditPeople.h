#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"

#include <QSet>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class TDBImageFrame;
class TdbTimeEdit;


/**
 * \brief The editor of a person (the dialog "Новый человек" and the card's edit frame): names with their
 * completion lists, sex, photo, birth date with its reminder, death and comment.
 *
 * The photo and the birth date are frames linked to the same record, so one save writes them too. The
 * death date is edited on a private copy of the record and carried over on save.
 */
class TFEditPeople final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFEditPeople)

public:
    explicit TFEditPeople(QWidget* parent = nullptr);
    ~TFEditPeople() override;

    QLineEdit* eFamily() const { return m_eFamily; }
    QLineEdit* eName() const { return m_eName; }
    QLineEdit* eParent() const { return m_eParent; }
    QGroupBox* gSex() const { return m_gSex; }
    QRadioButton* SexButton(int index) const;
    TDBImageFrame* pFoto() const { return m_pFoto; }
    QToolButton* tbBDTab() const { return m_tbBDTab; }
    QToolButton* tbDeadTab() const { return m_tbDeadTab; }
    TdbTimeEdit* dbdtEdit_BDay() const { return m_birth; }
    QCheckBox* cbDead() const { return m_cbDead; }
    TdbTimeEdit* dbdtEdit_EDay() const { return m_death; }
    QPlainTextEdit* mComments() const { return m_comments; }
    /// 0 unknown, 1 male, 2 female.
    int Sex() const { return m_sex; }
    const TDBMainInfo& DBDead() const { return m_dead; }
    /// The names \a edit (eFamily, eName or eParent) offers while typing, read now when not read yet.
    QStringList Offered(QLineEdit* edit);

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    // The handlers, callable as the controls call them.
    void eFamilyExit(QLineEdit* edit);
    void eNameExit();
    void gSexClick(int index);
    void cbDeadClick();
    void tbBDTabClick(bool birth);

private:
    void SetSex(int sex);
    /// Reads the names \a edit offers, once: they are read when the user first types into the edit, since
    /// reading the names of every person for each card opened would keep a large database busy.
    void EnsureCompletion(QLineEdit* edit);
    void RefillPatronymics();
    int GuessSex(const QString& name) const;

    QLineEdit* m_eFamily;
    QLineEdit* m_eName;
    QLineEdit* m_eParent;
    QGroupBox* m_gSex;
    QButtonGroup* m_sexButtons;
    TDBImageFrame* m_pFoto;
    QToolButton* m_tbBDTab;
    QToolButton* m_tbDeadTab;
    QStackedWidget* m_dates;
    TdbTimeEdit* m_birth;
    QCheckBox* m_cbDead;
    TdbTimeEdit* m_death;
    QPlainTextEdit* m_comments;
    TDBMainInfo m_dead;
    int m_sex = 0;
    QSet<const QLineEdit*> m_completed;
};
