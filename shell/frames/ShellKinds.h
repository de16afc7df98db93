#pragma once

#include "shell/frames/DialogKinds.h"
#include "shell/frames/ScreenRegistry.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class TDBMainInfo;

/// A list the main window shows in its side panel for one picture number of its actions and buttons.
struct TSideList
{
    int Picture = 0;
    QString ChildName; ///< the list's name as a child of the side panel
    int MasterKind = 0; ///< the kind of the fresh record the list gets as its master
    TFrameFactory Create;
};

/// What the window list shows for an open card.
struct TWinListRow
{
    int Picture = -1; ///< a picture of the large list; -1 none
    QByteArray Photo; ///< JPEG bytes shown instead of Picture when they decode
    QString Second; ///< the small second cell
    QString Text;
};

/**
 * \brief What the shell knows of one kind code: a stored object kind, or a dialog-only code the edit or pick
 * dialog is opened with. Its owner registers it once (ShellKinds::Register); the main window, the dialogs,
 * the window list and the lists look it up and never switch on kind codes.
 *
 * Every part is optional: a kind without a card, a dialog-only code without a deletion question, a kind
 * whose screens come later and that has only its texts so far.
 */
struct TShellKind
{
    int Code = 0;

    /// The edit dialog of the code: caption, button bar, OK caption; EditCaption, when set, gives the caption
    /// from the record (groups by their Int1).
    bool HasEditDialog = false;
    TDialogKind EditDialog;
    std::function<QString(const TDBMainInfo& record)> EditCaption;
    /// The pick dialog of the code.
    bool HasPickDialog = false;
    TDialogKind PickDialog;

    /// Opening an object of the kind edits it in the edit dialog instead of opening a card.
    bool EditedInDialog = false;
    /// What the deletion question names ("Вы действительно хотите удалить " + text + "?"); empty or unset:
    /// such objects are not deleted from the main window.
    std::function<QString(const TDBMainInfo& record)> DeleteText;
    /// The window-list row of a card of the kind; unset: the row keeps what it shows.
    std::function<TWinListRow(const TDBMainInfo& record)> WinListRow;
    /// The side lists whose master records are of this kind (or of the kind each names).
    QList<TSideList> SideLists;

    TFrameFactory Card; ///< the card of a stored object in the object area
    TFrameFactory EditFrame; ///< the frame of the edit dialog
    TFrameFactory PickFrame; ///< the list frame of the pick dialog

    /// The same descriptor without its factories: the texts and pictures alone.
    TShellKind TextsOnly() const;
};

namespace ShellKinds {

/// Registers \a kind and its factories (Screens::RegisterCard and the others). A code registered already is
/// refused, and so is a side-list picture taken already: assert in debug, warning in release, false.
bool Register(const TShellKind& kind);
/// The descriptor of \a code; nullptr for a code nobody registered.
const TShellKind* Find(int code);
/// Every registered descriptor, by code.
QList<const TShellKind*> All();
/// The side list of \a picture; nullptr when none is registered.
const TSideList* FindSideList(int picture);

/// The kind is edited in the edit dialog instead of opening a card.
bool IsEditedInDialog(int code);
/// The text of the deletion question for \a record; empty: not deleted from the main window.
QString DeleteText(const TDBMainInfo& record);

/// Forgets every registration except the descriptors the shell holds for kinds whose screens come later.
void Clear();

} // namespace ShellKinds
