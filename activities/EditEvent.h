#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/LookupLists.h"

class QComboBox;
class QGroupBox;
class QToolButton;
class TEventSetting;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief The editor of an event (the edit dialog "Новое событие" and the event card): project, name, type,
 * importance, direction, start and end, the place of a meeting, aim, result and comment.
 *
 * A new event starts on what the user did lately: the projects of the events of the last two months come
 * first, the most used first; type and direction are the most frequent pair of those events; importance is
 * "Обычная". A name that matches one of the project's event names takes its spelling and its most frequent
 * type and importance. A start given with no end after it gets an end one hour later.
 */
class TFEditEvent final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFEditEvent)

public:
    static constexpr int TextLength = 50;
    static constexpr int CommentLength = 248;
    /// The dialog that edits the table of projects.
    static constexpr int ProjectsDialog = 124;

    explicit TFEditEvent(QWidget* parent = nullptr);
    ~TFEditEvent() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    // Handlers
    /// Another project: the name suggestions are those of its events.
    void cbProjectChange();
    /// The name left: a suggestion's spelling and the type and importance its events have most.
    void eNameExit();
    /// Another type: the direction for every type but a meeting and the other events, the place for a meeting.
    void cbLinkTypeChange();
    /// The table of projects edited; the project chosen stays chosen.
    void ToolButton1Click();
    /// The start was given: an end not after it moves to one hour after it.
    void dtStartValidDate();

    /// The id of the project chosen; empty when none.
    QString ChosenProject() const;
    /// The names eName suggests (the names of the chosen project's events, of all events without one),
    /// read now unless they were read for this project already.
    QStringList NameSuggestions();
    /// The results cbResult suggests, read now unless they were read already.
    QStringList ResultSuggestions();
    /// The projects cbProject offers, in its order.
    const TValueList& Projects() const { return m_projects; }

    QComboBox* cbProject() const { return m_cbProject; }
    QToolButton* ToolButton1() const { return m_toolButton1; }
    QComboBox* eName() const { return m_eName; }
    QComboBox* cbLinkType() const { return m_cbLinkType; }
    QComboBox* cbStatus() const { return m_cbStatus; }
    QWidget* pDirection() const { return m_pDirection; }
    QComboBox* cbDirection() const { return m_cbDirection; }
    TdbTimeEdit* dtStart() const { return m_dtStart; }
    TdbTimeEdit* dtEnd() const { return m_dtEnd; }
    QGroupBox* gbAddress() const { return m_gbAddress; }
    TEventSetting* FAddress() const { return m_fAddress; }
    QComboBox* cbTarget() const { return m_cbTarget; }
    QComboBox* cbResult() const { return m_cbResult; }
    TLimitedMemo* mComments() const { return m_mComments; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadSuggestions();
    void LoadNames();
    /// The distinct \a column of the events (of \a project) as the suggestions of \a box, read unless
    /// \a loaded says they were.
    QStringList Suggestions(QComboBox* box, bool& loaded, const QString& column, const QString& project);
    void LoadProjects(const QString& chosen);
    void MoveRecentProjects();

    QComboBox* m_cbProject;
    QToolButton* m_toolButton1;
    QComboBox* m_eName;
    QComboBox* m_cbLinkType;
    QComboBox* m_cbStatus;
    QWidget* m_pDirection;
    QComboBox* m_cbDirection;
    TdbTimeEdit* m_dtStart;
    TdbTimeEdit* m_dtEnd;
    QGroupBox* m_gbAddress;
    TEventSetting* m_fAddress;
    QComboBox* m_cbTarget;
    QComboBox* m_cbResult;
    TLimitedMemo* m_mComments;
    TValueList m_projects;
    bool m_namesLoaded = false;
    bool m_resultsLoaded = false;
    bool m_loading = false;
};
