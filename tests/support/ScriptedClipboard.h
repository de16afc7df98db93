#pragma once

#include "platform/Clipboard.h"

#include <QStringList>

/// A clipboard held by the test: it sets the text and the picture bytes the program will read and
/// sees every text the program puts there. Installs itself for its lifetime.
class TScriptedClipboard final : public TClipboardService
{
public:
    TScriptedClipboard();
    ~TScriptedClipboard() override;
    TScriptedClipboard(const TScriptedClipboard&) = delete;
    TScriptedClipboard& operator=(const TScriptedClipboard&) = delete;

    void SetPicture(const QByteArray& png) { m_picture = png; }
    /// Every text the program put on the clipboard, in order.
    const QStringList& Written() const { return m_written; }

    QString Text() const override { return m_text; }
    void SetText(const QString& text) override;
    QByteArray Picture() const override { return m_picture; }

private:
    QString m_text;
    QByteArray m_picture;
    QStringList m_written;
    TClipboardService* m_previous = nullptr;
};
