#pragma once

// Helpers shared by the source files of the list frame; not for use outside it.

#include "shell/frames/ListRowDrag.h"
#include "shell/frames/ShellKinds.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"

#include <QAction>
#include <QString>
#include <QToolButton>

namespace BaseFindParts {

/// The drag format of a list row: the row's object id.
inline const QString& RowMimeType = ListRowDrag::MimeType;

/// Blank, the null id or the none id: no object.
inline bool EmptyId(const QString& id)
{
    return id.trimmed().isEmpty() || IsEmptyId(id);
}

/// The kind code a menu item, tool button or action carries.
inline int TagOf(QObject* sender)
{
    if (auto* action = qobject_cast<QAction*>(sender))
        return action->data().toInt();
    if (auto* button = qobject_cast<QToolButton*>(sender)) {
        if (button->defaultAction())
            return button->defaultAction()->data().toInt();
        return button->property("Tag").toInt();
    }
    return 0;
}

/// The kinds a list edits in the edit dialog instead of opening a card.
inline bool IsEditedInDialog(int kind)
{
    return ShellKinds::IsEditedInDialog(kind);
}

} // namespace BaseFindParts
