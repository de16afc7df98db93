#include "platform/gui/WidgetFileDialogs.h"

#include "platform/gui/WidgetMessages.h"

#include <QFileDialog>

QString TWidgetFileDialogs::OpenFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(TWidgetMessages::ParentWindow(), caption, folder, filter);
}

QString TWidgetFileDialogs::SaveFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(TWidgetMessages::ParentWindow(), caption, folder, filter);
}

QString TWidgetFileDialogs::ExistingFolder(const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(TWidgetMessages::ParentWindow(), caption, folder);
}
