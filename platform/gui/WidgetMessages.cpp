#include "platform/gui/WidgetMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <initializer_list>

namespace {

const QString kYes = QStringLiteral("Да");
const QString kNo = QStringLiteral("Нет");
const QString kCancel = QStringLiteral("Отмена");
const QString kOk = QStringLiteral("ОК");

// The box belongs to the window it is shown over (none: to nobody).
QMessageBox* MakeBox(QMessageBox::Icon icon, const QString& text)
{
    auto* box = new QMessageBox(icon, QGuiApplication::applicationDisplayName(), TWidgetMessages::DisplayText(text),
        QMessageBox::NoButton, TWidgetMessages::ParentWindow());
    box->setTextFormat(Qt::PlainText);
    return box;
}

// Shows the box and gives the index of the clicked one of \a buttons, -1 for none. When the window the box
// belongs to closes while the box is shown, the window deletes the box: it is deleted here only otherwise.
int Exec(QMessageBox* shown, std::initializer_list<const QAbstractButton*> buttons)
{
    QPointer<QMessageBox> box(shown);
    box->exec();
    if (!box)
        return -1;
    int answer = -1;
    int index = 0;
    for (const QAbstractButton* button : buttons) {
        if (box->clickedButton() == button)
            answer = index;
        ++index;
    }
    delete box.data();
    return answer;
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
    Exec(box, {ok});
}

TAnswer TWidgetMessages::AskYesNo(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, text);
    QPushButton* yes = box->addButton(kYes, QMessageBox::YesRole);
    QPushButton* no = box->addButton(kNo, QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    return Exec(box, {yes, no}) == 0 ? TAnswer::Yes : TAnswer::No;
}

TAnswer TWidgetMessages::AskYesNoCancel(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, text);
    QPushButton* yes = box->addButton(kYes, QMessageBox::YesRole);
    QPushButton* no = box->addButton(kNo, QMessageBox::NoRole);
    QPushButton* cancel = box->addButton(kCancel, QMessageBox::RejectRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(cancel);
    switch (Exec(box, {yes, no, cancel})) {
    case 0:
        return TAnswer::Yes;
    case 1:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}
