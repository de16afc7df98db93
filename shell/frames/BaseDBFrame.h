#pragma once

#include "store/RecordFrame.h"

#include <QFrame>
#include <QString>

#include <memory>

class TBaseForm;
class TDBMainInfo;

/**
 * \brief The base of every frame that shows or edits data: editors, lists, card sections, previews.
 *
 * A frame is bound to one record, its master. In link mode 0 it owns a private master, a copy of what it
 * is given; in link mode 1 it is linked to a record someone else owns and registered in that record's
 * frame list (the record tells it when it goes away). The record drives the protocol: LoadData when it was
 * loaded, ApplyData (ValidateData, then StoreData) before it is written, AfterSave once it was written.
 *
 * A frame never opens a window: the four requests hand WorkInfo, a second private record, to the main
 * window and return its answer.
 */
class TBaseDBFrame : public QFrame, public TRecordFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBaseDBFrame)
    Q_PROPERTY(bool Requred READ Requred WRITE SetRequred)

public:
    explicit TBaseDBFrame(QWidget* parent = nullptr);
    ~TBaseDBFrame() override;

    /// The master record (nullptr in link mode 1 before one is set).
    TDBMainInfo* MasterDBInfo() const { return m_master; }

    // The frame operations, in the order frames know them.
    /// Mode 0: copies \a record into the private master. Mode 1: links to \a record (nullptr: none) and
    /// loads from it. Either way WorkInfo then works on the master's database.
    void SetMasterDBInfo(TDBMainInfo* record) override;
    /// Whether the controls hold acceptable input; a refusing frame sets m_errorText and focuses the control.
    virtual bool ValidateData();
    /// WM_OPENOBJECT with WorkInfo: its card, or its editor for the kinds edited in a dialog.
    virtual int OpenWorkInfo();
    /// WM_EDITOBJECT with WorkInfo: 1 saved (WorkInfo then holds the saved object), 2 cancelled, 3 no kind.
    virtual int EditWorkInfo();
    /// WM_PICKOBJECT with WorkInfo: 1 picked (WorkInfo then holds the object), 2 cancelled, 3 no kind.
    virtual int PickWorkInfo();
    /// WM_DELETEOBJECT with WorkInfo: 1 deleted, 2 not.
    virtual int DeleteWorkInfo();
    /// Copies the controls' values into the master.
    virtual void StoreData();
    /// The master was written.
    void AfterSave() override;
    /// Fills the controls from the master.
    void LoadData() override;
    /// -1 without a master; 1 when ValidateData refuses (see ErrorText); 0 after StoreData.
    int ApplyData() override;

    /// Why the last ApplyData refused.
    QString ErrorText() const final { return m_errorText; }

    /// 0: private master; 1: linked to a record owned elsewhere.
    int LinkMode() const { return m_linkMode; }
    /// Switching to 0 makes a fresh empty private master; switching to 1 frees it and leaves none until
    /// SetMasterDBInfo.
    void SetLinkMode(int mode);
    /// The master's id (empty without a master).
    QString MasterId() const;
    /// Sets the master's id, which loads that object into the master.
    void SetMasterId(const QString& id);
    /// The working record of the four requests (owned by the frame).
    TDBMainInfo* WorkInfo() const { return m_workInfo.get(); }
    /// The form the frame is shown in, when it is one of the system's forms.
    TBaseForm* HostForm() const;
    /// Whether the frame is hosted by a modal dialog (a TModalForm).
    bool InModalDialog() const;

    /// Whether the frame refuses empty input (honoured by the frames that say so).
    bool Requred() const { return m_requred; }
    void SetRequred(bool requred) { m_requred = requred; }

Q_SIGNALS:
    /// The frame changed its size (OnAfterResize).
    void AfterResize();

protected:
    void resizeEvent(QResizeEvent* event) override;

    QString m_errorText;

private:
    void Detach();

    int m_linkMode = 0;
    TDBMainInfo* m_master = nullptr;
    std::unique_ptr<TDBMainInfo> m_ownMaster;
    std::unique_ptr<TDBMainInfo> m_workInfo;
    bool m_requred = false;
};
