#pragma once

#include "platform/Clipboard.h"

/// The desktop clipboard through QClipboard.
class TQtClipboard final : public TClipboardService
{
public:
    QString Text() const override;
    void SetText(const QString& text) override;
    QByteArray Picture() const override;
};
