#pragma once

#include "platform/Desktop.h"

/// Opens addresses through QDesktopServices and starts programs with QProcess::startDetached.
class TQtDesktop final : public TDesktopService
{
public:
    bool OpenUrl(const QUrl& url) override;
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
};
