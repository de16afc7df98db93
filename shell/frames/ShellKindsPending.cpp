#include "shell/frames/ShellKindsPending.h"

#include "store/DateSerial.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

namespace {

TDialogKind Dialog(
    const QString& caption, bool barHidden = false, const QString& ok = QString(), bool followsFrame = false)
{
    TDialogKind dialog;
    dialog.Caption = caption;
    dialog.ButtonBarHidden = barHidden;
    dialog.OkCaption = ok;
    dialog.FollowsFrameSize = followsFrame;
    return dialog;
}

TShellKind Make(int code)
{
    TShellKind kind;
    kind.Code = code;
    return kind;
}

TShellKind& Edit(TShellKind& kind, const TDialogKind& dialog)
{
    kind.HasEditDialog = true;
    kind.EditDialog = dialog;
    return kind;
}

TShellKind& Pick(TShellKind& kind, const QString& caption)
{
    kind.HasPickDialog = true;
    kind.PickDialog = Dialog(caption, true);
    return kind;
}

std::function<QString(const TDBMainInfo&)> Deleted(const QString& text)
{
    return [text](const TDBMainInfo&) { return text; };
}

std::function<TWinListRow(const TDBMainInfo&)> Row(std::function<TWinListRow(const TDBMainInfo&)> row)
{
    return row;
}

TSideList Side(int picture, const QString& childName, int masterKind)
{
    TSideList list;
    list.Picture = picture;
    list.ChildName = childName;
    list.MasterKind = masterKind;
    return list;
}

QString OperationText(qint64 operation)
{
    switch (operation) {
    case 1:
        return QStringLiteral(" Операция: Доход");
    case 2:
        return QStringLiteral(" Операция: Расход");
    case 4:
        return QStringLiteral(" Операция: Перевод между счетами");
    case 8:
        return QStringLiteral(" Операция: Обмен валюты");
    case 16:
        return QStringLiteral(" Операция: Выдал в долг");
    case 32:
        return QStringLiteral(" Операция: Вернули долг");
    case 64:
        return QStringLiteral(" Операция: Взял в долг");
    case 128:
        return QStringLiteral(" Операция: Вернул долг");
    default:
        return QString();
    }
}

int OperationPicture(qint64 operation)
{
    switch (operation) {
    case 1:
        return 89;
    case 2:
        return 90;
    case 4:
        return 73;
    case 8:
        return 93;
    case 16:
        return 97;
    case 32:
        return 98;
    case 64:
        return 99;
    case 128:
        return 100;
    default:
        return -1;
    }
}

} // namespace

namespace ShellKinds {

QList<TShellKind> Pending()
{
    QList<TShellKind> kinds;


    TShellKind operation = Make(Kind::MoneyOperation);
    Edit(operation, Dialog(QStringLiteral("Движение средств по счетам"), false, QString(), true));
    operation.DeleteText = Deleted(QStringLiteral("эту операцию"));
    operation.WinListRow = Row([](const TDBMainInfo& r) {
        return TWinListRow {OperationPicture(r.Int1), {}, {},
            DateSerial::ToDate(r.Date1).toString(QStringLiteral("dd.MM.yyyy")) + OperationText(r.Int1)};
    });
    operation.SideLists = {Side(27, QStringLiteral("Buchaltery"), Kind::MoneyOperation)};
    kinds.append(operation);

    const QString link = QStringLiteral("связь между объектами");
    TShellKind objectLink = Make(Kind::ObjectLink);
    objectLink.DeleteText = Deleted(link);
    kinds.append(objectLink);


    TShellKind operationLink = Make(Kind::OperationLink);
    Edit(operationLink, Dialog(QStringLiteral("Отношение объект - платеж")));
    operationLink.DeleteText = Deleted(link);
    kinds.append(operationLink);

    // Dialog-only codes: never stored, they choose the frame of a dialog.
    const auto dialogOnly = [&kinds](int code, const TDialogKind& dialog) {
        TShellKind kind = Make(code);
        Edit(kind, dialog);
        kinds.append(kind);
    };
    dialogOnly(30, Dialog(QStringLiteral("Анализ финансов"), true));
    dialogOnly(35, Dialog(QStringLiteral("Анализ событий"), true));
    for (int code : {101, 102}) {
        TShellKind operations = Make(code);
        Pick(operations, QStringLiteral("Движение средств"));
        kinds.append(operations);
    }
    dialogOnly(105, Dialog(QStringLiteral("Список операций"), true));
    return kinds;
}

QList<TSideList> PendingSideLists()
{
    return {
        Side(9, QStringLiteral("MyLastDoc"), Kind::Address),
        Side(58, QStringLiteral("MyEvents"), Kind::Person),
    };
}

} // namespace ShellKinds
