#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"

#include <QFlags>

#include <functional>

class QAction;
class QMenu;
class QToolButton;
class TLinksBuchObjForm;

/**
 * \brief The object picker: the one control by which an editor names another object (the counterparty of a
 * money operation, the parent of a branch, the other side of a role).
 *
 * Its own record (MasterDBInfo, a private copy) is the chosen object, with the database it was picked on, an
 * attached one included; a blank record means none. The find button tbFind offers the kinds of ButtonMode:
 * with one kind it opens that kind's pick dialog at once, with several it pops up the menu pmPlat. A chosen
 * object is shown in a read-only preview (the preview its subsystem registered for the kind), can be opened
 * in its own window (tbOpen, outside modal dialogs) and cleared (ToolButton3). With ViewList the button
 * btViewList, or a click on MainPanel, shows the suggestion popup TLinksBuchObjForm: the objects the host's
 * context (OnInitLinkMasterInfo) was used with, most used first.
 *
 * User-interface thread only.
 */
class TFSelectClientFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFSelectClientFrame)

public:
    enum TButtonMode : int {
        bmPeople = 0x01,
        bmFirma = 0x02,
        bmEvent = 0x04,
        bmMemo = 0x08,
        bmAddress = 0x10,
        bmOther1 = 0x20,
        bmOther2 = 0x40,
    };
    Q_DECLARE_FLAGS(TButtonModes, TButtonMode)

    /// Fills the context of the suggestion list: a cleared record of the kind whose rows name the
    /// suggested objects in Link2 (24, money operations), with the links the rows must share (Link1, Link3,
    /// Link4; empty: any).
    using TInitLinkMasterInfoEvent = std::function<void(TDBMainInfo& context)>;

    explicit TFSelectClientFrame(QWidget* parent = nullptr);
    ~TFSelectClientFrame() override;

    TButtonModes ButtonMode() const { return m_buttonMode; }
    /// The kinds offered; default people, organizations and events.
    void SetButtonMode(TButtonModes modes);
    /// The find button's caption ("Участник" by default); blank shows the button without one.
    QString ButtonCaption() const { return m_buttonCaption; }
    void SetButtonCaption(const QString& caption);
    bool ViewList() const { return m_viewList; }
    /// Whether the suggestion button is shown and a click on the preview panel shows the suggestions.
    void SetViewList(bool view);
    TInitLinkMasterInfoEvent OnInitLinkMasterInfo;

    /// Whether an object is chosen.
    bool HasObject() const;
    /// The chosen object's id; empty when none.
    QString ObjectId() const;
    /// The chosen object's kind; 0 when none.
    int ObjectKind() const;
    /// Chooses the object \a id read on \a db (nullptr: the current database); an empty id clears.
    void SetObjectId(const QString& id, TMyDataBase* db = nullptr);
    /// Chooses a copy of \a object (with its database); a blank record or the placeholder row clears.
    void SetObject(const TDBMainInfo& object);

    QToolButton* tbFind() const { return m_find; }
    QMenu* pmPlat() const { return m_plat; }
    QToolButton* tbOpen() const { return m_open; }
    QToolButton* ToolButton3() const { return m_clear; }
    QToolButton* btViewList() const { return m_viewListButton; }
    QFrame* MainPanel() const { return m_mainPanel; }
    /// The preview of the chosen object; nullptr when none is shown.
    TBaseDBFrame* Preview() const { return m_preview; }
    /// The suggestion popup; nullptr until first shown.
    TLinksBuchObjForm* LinksForm() const { return m_linksForm; }

    void LoadData() override;

    // Handlers
    void tbFindClick();
    /// Lets the user pick an existing object of \a kind; true when one was chosen.
    bool ChooseKind(int kind);
    void tbOpenClick();
    void ToolButton3Click();
    void btViewListClick();

Q_SIGNALS:
    /// Another object was chosen, or the choice was cleared.
    void ObjectChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void UpdateButtons();

    TButtonModes m_buttonMode;
    QString m_buttonCaption;
    bool m_viewList = false;
    QToolButton* m_find;
    QMenu* m_plat;
    QList<QAction*> m_kinds;
    QFrame* m_mainPanel;
    QToolButton* m_viewListButton;
    QToolButton* m_open;
    QToolButton* m_clear;
    /// What the preview shows: a copy of the chosen object, so that the preview never hangs on the record
    /// being loaded.
    TDBMainInfo m_shown;
    TBaseDBFrame* m_preview = nullptr;
    int m_previewKind = 0;
    TLinksBuchObjForm* m_linksForm = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFSelectClientFrame::TButtonModes)
