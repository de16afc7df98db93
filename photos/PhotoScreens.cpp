#include "photos/PhotoScreens.h"

#include "photos/ImgEditFrame.h"
#include "shell/frames/ShellKinds.h"
#include "shell/widgets/DBImageFrame.h"

TShellKind PhotoShellKind()
{
    TShellKind kind;
    kind.Code = TDBImageFrame::PhotoDialogKind;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = QStringLiteral("Выбор фото");
    kind.EditDialog.OkCaption = QStringLiteral("Обновить");
    kind.EditFrame = [](QWidget* parent) { return new TImgEditFrame(parent); };
    return kind;
}

void RegisterPhotoScreens()
{
    ShellKinds::Register(PhotoShellKind());
}
