#pragma once

#include <QMimeData>
#include <QString>

/// A list row dragged out of a list: its drag format holds the row's object id, so that any frame may take
/// the drop of an object.
namespace ListRowDrag {

/// The drag format of a list row: the row's object id as UTF-8.
inline const QString MimeType = QStringLiteral("application/x-zorvin-list-row");

/// The object id a drag carries; empty when it carries no list row.
inline QString ObjectId(const QMimeData* data)
{
    return data && data->hasFormat(MimeType) ? QString::fromUtf8(data->data(MimeType)).trimmed() : QString();
}

} // namespace ListRowDrag
