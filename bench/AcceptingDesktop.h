#pragma once

#include "platform/Desktop.h"

/// The desktop of the report benches: opens every workbook at once (and nothing is opened).
class TAcceptingDesktop final : public TDesktopService
{
public:
    bool OpenUrl(const QUrl&) override { return true; }
    bool StartProgram(const QString&, const QStringList&, const QString&) override { return true; }
};
