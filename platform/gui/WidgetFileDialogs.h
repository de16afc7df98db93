#pragma once

#include "platform/FileDialogs.h"

/// File and folder choice through Qt's file dialogs, modal to the active dialog or window.
class TWidgetFileDialogs final : public TFileDialogService
{
public:
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString ExistingFolder(const QString& caption, const QString& folder) override;
};
