#include "shell/frames/DialogKinds.h"

#include "shell/frames/ShellKinds.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

namespace DialogKinds {

bool EditKind(const TDBMainInfo& record, TDialogKind* kind)
{
    const TShellKind* found = ShellKinds::Find(record.ObjType);
    if (!found || !found->HasEditDialog)
        return false;
    if (kind) {
        *kind = found->EditDialog;
        if (found->EditCaption)
            kind->Caption = found->EditCaption(record);
    }
    return true;
}

bool PickKind(int kind, TDialogKind* settings)
{
    const TShellKind* found = ShellKinds::Find(kind);
    if (!found || !found->HasPickDialog)
        return false;
    if (settings)
        *settings = found->PickDialog;
    return true;
}

} // namespace DialogKinds
