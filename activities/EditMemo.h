#pragma once

#include "activities/MyDirectoryList.h"
#include "shell/frames/BaseDBFrame.h"
#include "store/LookupLists.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief The editor of a note (the edit dialog "Новая заметка" and the note card): title, group, date, type,
 * the attached folder, file or web address, and up to 1000 characters of text.
 *
 * The date editor and the attachment field work on the same note record as the editor. The text is kept
 * over Str3, Str4, Str5 and the comment and shown joined.
 */
class TFEditMemo final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFEditMemo)

public:
    static constexpr int TitleLength = 25;
    static constexpr int TextLength = 1000;
    /// The dialog of the group tables.
    static constexpr int GroupTableDialog = 125;

    /// The captions of the note types 1..4 in the editor.
    static const QStringList& TypeCaptions();

    explicit TFEditMemo(QWidget* parent = nullptr);
    ~TFEditMemo() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    /// The note groups and projects offered, "Группа не указана" first; the group chosen stays chosen.
    void LoadGroups();
    /// Another type chosen: the attachment field for types 2..4; a type the user chose starts it empty.
    void mTypeChange();
    /// The table of note groups edited.
    void ToolButton1Click();

    /// The id of the group chosen (the none id when none is).
    QString ChosenGroup() const;

    QLineEdit* eName() const { return m_eName; }
    QComboBox* cbGroup() const { return m_cbGroup; }
    QToolButton* ToolButton1() const { return m_toolButton1; }
    TdbTimeEdit* dtStart() const { return m_dtStart; }
    QComboBox* mType() const { return m_mType; }
    QWidget* Panel1() const { return m_panel1; }
    QLabel* Label4() const { return m_label4; }
    TMyDirectoryList* DirSelect() const { return m_dirSelect; }
    TLimitedMemo* mComments() const { return m_mComments; }

private:
    void ShowType(bool chosenByUser);

    QLineEdit* m_eName;
    QComboBox* m_cbGroup;
    QToolButton* m_toolButton1;
    TdbTimeEdit* m_dtStart;
    QComboBox* m_mType;
    QWidget* m_panel1;
    QLabel* m_label4;
    TMyDirectoryList* m_dirSelect;
    TLimitedMemo* m_mComments;
    TValueList m_groups;
    bool m_loading = false;
};
