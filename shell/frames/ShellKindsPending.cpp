#include "shell/frames/ShellKindsPending.h"

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

TSideList Side(int picture, const QString& childName, int masterKind)
{
    TSideList list;
    list.Picture = picture;
    list.ChildName = childName;
    list.MasterKind = masterKind;
    return list;
}

} // namespace

namespace ShellKinds {

QList<TShellKind> Pending()
{
    QList<TShellKind> kinds;

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
