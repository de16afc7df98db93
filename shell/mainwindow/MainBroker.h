#pragma once

class QWidget;
class TBaseDBFrame;
class TDBMainInfo;
class TLinksWindow;
class TMyDBServerList;

/// The main window's messages; each value is the message's number above WM_USER.
enum class TMainMessage : int {
    WM_WINLIST_ADD = 1,    ///< a new card joins the window list (WinListAdd)
    WM_WINLIST_UPDATE = 2, ///< a card's row shows its record anew (WinListUpdate)
    WM_NEWLINKSWINDOW = 4, ///< a linked-objects window for a list (NewLinksWindow)
    WM_OPENOBJECT = 5,     ///< open the object's card, or edit it when its kind is edited in a dialog
    WM_EDITOBJECT = 6,     ///< edit the record in the modal edit dialog
    WM_DELETEOBJECT = 7,   ///< confirm, then delete with everything that depends on it
    WM_PICKOBJECT = 8,     ///< pick an existing object in the modal pick dialog
    WM_FAMILYCHANGED = 10, ///< the family view tells its parent; the main window does not take it
    WM_OBJECTSAVED = 13,   ///< objects of a kind were saved or deleted (reaches the main window as TObjectEvents)
    WM_NEWNOTELINKS = 14,  ///< a note-links list owned by a note card (NewNoteLinks)
    WM_ISDIALOGKIND = 15,  ///< whether a kind is edited in a dialog (IsDialogKind)
};

/// Answers of WM_EDITOBJECT, WM_PICKOBJECT and WM_DELETEOBJECT (WM_OPENOBJECT answers 1 or 0).
namespace RequestAnswer {
enum : int {
    Done = 1,    ///< saved, picked or deleted
    NotDone = 2, ///< cancelled or refused
    BadKind = 3, ///< the record has no kind (ObjType <= 0)
};
}

/**
 * \brief What frames ask of the main window. Frames never open windows themselves: they send one of these
 * messages, synchronously, and act on the answer.
 *
 * The main window implements it and installs itself with SetMainBroker(); tests install a scripted one.
 * User-interface thread only.
 */
class TMainBroker
{
public:
    virtual ~TMainBroker() = default;
    /// WM_OPENOBJECT, WM_EDITOBJECT, WM_PICKOBJECT or WM_DELETEOBJECT with \a record (edited or picked in
    /// place); the answer of the message. Any other message answers 0.
    virtual int Request(TMainMessage message, TDBMainInfo& record) = 0;
    /// WM_WINLIST_ADD: \a card (not owned here: the main window owns its cards) joins the window list.
    virtual void WinListAdd(TBaseDBFrame* card) = 0;
    /// WM_WINLIST_UPDATE: the row of \a card shows its record anew.
    virtual void WinListUpdate(TBaseDBFrame* card) = 0;
    /// WM_NEWLINKSWINDOW: a new linked-objects window owned by the main window; nullptr when there is none.
    virtual TLinksWindow* NewLinksWindow() = 0;
    /// WM_NEWNOTELINKS: a new note-links list owned by \a owner; nullptr when there is none.
    virtual TBaseDBFrame* NewNoteLinks(QWidget* owner) = 0;
    /// WM_ISDIALOGKIND: 1 for the kinds listed and opened in the edit dialog, else 0.
    virtual int IsDialogKind(int kind) = 0;
    /// The databases attached to the current one; nullptr before start-up.
    virtual TMyDBServerList* DatabaseList() = 0;
};

/// The installed broker, or nullptr.
TMainBroker* MainBroker();
/// Installs \a broker (not owned; nullptr: none). Returns the previous one.
TMainBroker* SetMainBroker(TMainBroker* broker);
/// Sends a record request to the installed broker; 0 when there is none.
int SendRequest(TMainMessage message, TDBMainInfo& record);
