#pragma once

#include "store/kinds/KindView.h"

/// One attached database of the database list (kind 898).
template <typename TRow> class TDatabaseEntryViewOf : public TKindView<TRow>
{
public:
    using TKindView<TRow>::TKindView;

    ZORVIN_COLUMN(QString, DataSource, Str1)
    /// The user, encoded (SettingsFile::EncodeText); empty for a database file.
    ZORVIN_COLUMN(QString, EncodedUser, Str2)
    /// The password, encoded (SettingsFile::EncodeText); empty for a database file.
    ZORVIN_COLUMN(QString, EncodedPassword, Str3)
    ZORVIN_COLUMN(QString, Catalog, Str4)
    ZORVIN_COLUMN(qint64, ConnectionType, Int1)
    ZORVIN_COLUMN(qint64, InstallMode, Int2)
};

ZORVIN_KIND_VIEW(DatabaseEntry)
