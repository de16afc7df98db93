#include "platform/Desktop.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

class TNoDesktop final : public TDesktopService
{
public:
    bool OpenUrl(const QUrl&) override { return false; }
    bool StartProgram(const QString&, const QStringList&, const QString&) override { return false; }
};

TNoDesktop g_none;
TDesktopService* g_service = nullptr;

bool HasBlank(const QString& text)
{
    for (QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

TDesktopService& DesktopServices()
{
    return g_service ? *g_service : g_none;
}

TDesktopService* SetDesktopService(TDesktopService* service)
{
    TDesktopService* previous = g_service;
    g_service = service;
    return previous;
}

namespace Desktop {

QUrl PathUrl(const QString& path)
{
    if (path.trimmed().isEmpty())
        return QUrl();
    QFileInfo info(path);
    if (!info.exists())
        return QUrl();
    return QUrl::fromLocalFile(info.absoluteFilePath());
}

QUrl WebUrl(const QString& address)
{
    const QString text = address.trimmed();
    if (text.isEmpty() || HasBlank(text))
        return QUrl();
    // A scheme is a word before ":" that is not followed by a port number ("localhost:8080" has none).
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d)"));
    QUrl url(scheme.match(text).hasMatch() ? text : QStringLiteral("http://") + text, QUrl::StrictMode);
    const QString name = url.scheme().toLower();
    if (!url.isValid() || (name != QLatin1String("http") && name != QLatin1String("https")) || url.host().isEmpty())
        return QUrl();
    return url;
}

QUrl MailUrl(const QString& address)
{
    QString text = address.trimmed();
    if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        text = text.mid(7);
    static const QRegularExpression shape(QStringLiteral("^[^@\\s?&#/\\\\,;:<>\"]+@[^@\\s?&#/\\\\,;:<>\"]+\\.[^@\\s?&#/\\\\,;:<>\"]+$"));
    if (!shape.match(text).hasMatch())
        return QUrl();
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(text);
    return url.isValid() ? url : QUrl();
}

bool OpenPath(const QString& path)
{
    const QUrl url = PathUrl(path);
    return !url.isEmpty() && DesktopServices().OpenUrl(url);
}

bool OpenWebAddress(const QString& address)
{
    const QUrl url = WebUrl(address);
    return !url.isEmpty() && DesktopServices().OpenUrl(url);
}

bool OpenMailAddress(const QString& address)
{
    const QUrl url = MailUrl(address);
    return !url.isEmpty() && DesktopServices().OpenUrl(url);
}

bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    QFileInfo info(program);
    if (program.trimmed().isEmpty() || !info.isFile())
        return false;
    return DesktopServices().StartProgram(info.absoluteFilePath(), arguments, workingFolder);
}

} // namespace Desktop
