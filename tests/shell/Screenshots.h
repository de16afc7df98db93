#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

/// Saves a picture of \a widget as \a name in the folder ZORVIN_SCREENSHOTS names, when it names one (how the
/// screenshots of docs/screenshots are made); false only when asked and the picture could not be saved.
inline bool SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZORVIN_SCREENSHOTS");
    return folder.isEmpty() || widget.grab().save(QDir(folder).filePath(name));
}
