#pragma once

#include <QString>

class TDBMainInfo;

/// How a modal dialog shows the frame of one dialog kind.
struct TDialogKind
{
    QString Caption;
    bool ButtonBarHidden = false;
    QString OkCaption;             ///< empty: "Записать"
    bool FollowsFrameSize = false; ///< the dialog re-sizes itself whenever the frame changes size
};

/// The dialog kinds of the edit dialog and the pick dialog, as the kinds' descriptors give them (ShellKinds).
/// The frames themselves come from the screen registry; a kind may have a frame and no entry here, and is then shown without a caption.
namespace DialogKinds {

/// The edit dialog's settings for the kind of \a record (some captions depend on Int1); false for a kind
/// the edit dialog does not know.
bool EditKind(const TDBMainInfo& record, TDialogKind* kind);
/// The pick dialog's settings for \a kind; false for a kind it does not know.
bool PickKind(int kind, TDialogKind* settings);

} // namespace DialogKinds
