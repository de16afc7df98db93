#include "platform/gui/WidgetMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

const QString kYes = QStringLiteral("Да");
const QString kNo = QStringLiteral("Нет");
const QString kCancel = QStringLiteral("Отмена");
const QString kOk = QStringLiteral("ОК");

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& text)
{
    auto box = std::make_unique<QMessageBox>(icon, QGuiApplication::applicationDisplayName(),
                                             TWidgetMessages::DisplayText(text), QMessageBox::NoButton,
                                             TWidgetMessages::ParentWindow());
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace

QString TWidgetMessages::DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QWidget* TWidgetMessages::ParentWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void TWidgetMessages::ShowMessage(const QString& text)
{
    auto box = MakeBox(QMessageBox::Information, text);
    QPushButton* ok = box->addButton(kOk, QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->exec();
}

TAnswer TWidgetMessages::AskYesNo(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, text);
    QPushButton* yes = box->addButton(kYes, QMessageBox::YesRole);
    QPushButton* no = box->addButton(kNo, QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes ? TAnswer::Yes : TAnswer::No;
}

TAnswer TWidgetMessages::AskYesNoCancel(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, text);
    QPushButton* yes = box->addButton(kYes, QMessageBox::YesRole);
    QPushButton* no = box->addButton(kNo, QMessageBox::NoRole);
    QPushButton* cancel = box->addButton(kCancel, QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    box->exec();
    if (box->clickedButton() == yes)
        return TAnswer::Yes;
    if (box->clickedButton() == no)
        return TAnswer::No;
    return TAnswer::Cancel;
}
