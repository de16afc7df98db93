#include "activities/GroupScreens.h"

#include "activities/EditGroup.h"
#include "activities/FindProject.h"
#include "activities/GroupeTable.h"
#include "activities/GrpSgrpFrame.h"
#include "activities/ProjectObjFrame.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/GroupView.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int ProjectsPicture = 109;

/// The dialog-only codes of the group tables.
namespace GroupDialog {
enum : int {
    Categories = 123,
    Projects = 124,
    ObjectGroups = 125,
};
}

QString GroupCaption(qint64 groupKind)
{
    switch (groupKind) {
    case GroupType::Project:
        return u"Определение проекта"_s;
    case GroupType::IncomeCategory:
        return u"Определение группы доходов"_s;
    case GroupType::ExpenseCategory:
        return u"Определение группы расходов"_s;
    case GroupType::IncomeSubcategory:
        return u"Определение подгруппы доходов"_s;
    case GroupType::ExpenseSubcategory:
        return u"Определение подгруппы расходов"_s;
    default:
        return u"Определение группы"_s;
    }
}

TDialogKind Dialog(const QString& caption, const QString& ok = QString())
{
    TDialogKind dialog;
    dialog.Caption = caption;
    dialog.OkCaption = ok;
    return dialog;
}

TShellKind EditedKind(int code, const TDialogKind& dialog, TFrameFactory frame)
{
    TShellKind kind;
    kind.Code = code;
    kind.HasEditDialog = true;
    kind.EditDialog = dialog;
    kind.EditFrame = std::move(frame);
    return kind;
}

TFrameFactory TableOf(TGroupTableType type)
{
    return [type](QWidget* parent) {
        auto* table = new TFGroupeTable(parent);
        table->SetGrpType(type);
        return table;
    };
}

} // namespace

QList<TShellKind> GroupShellKinds()
{
    QList<TShellKind> kinds;
    const TFrameFactory editor = [](QWidget* parent) { return new TFEditGroup(parent); };

    TShellKind group = EditedKind(Kind::Group, Dialog(QString()), editor);
    group.EditCaption = [](const TDBMainInfo& r) { return GroupCaption(GroupView(r).GroupKind()); };
    // Only projects are deleted from the main window; the other groups go from their group tables.
    group.DeleteText = [](const TDBMainInfo& r) {
        return GroupView(r).GroupKind() == GroupType::Project ? u"все данные о проекте"_s : QString();
    };
    group.WinListRow = [](const TDBMainInfo& r) {
        return TWinListRow{ProjectsPicture, {}, {}, GroupView(r).Name()};
    };
    group.Card = [](QWidget* parent) { return new TProjectObjFrame(parent); };
    kinds.append(group);

    TShellKind projects;
    projects.Code = GroupType::Project;
    projects.HasPickDialog = true;
    projects.PickDialog.Caption = u"Поиск проекта"_s;
    projects.PickDialog.ButtonBarHidden = true;
    TSideList side;
    side.Picture = ProjectsPicture;
    side.ChildName = u"FindProjects"_s;
    side.MasterKind = GroupType::Project;
    side.Create = [](QWidget* parent) { return new TFindProject(parent); };
    projects.SideLists = {side};
    projects.PickFrame = [](QWidget* parent) { return new TFindProject(parent); };
    kinds.append(projects);

    kinds.append(EditedKind(Kind::MeetingKind, Dialog(u"Определение вида втречи"_s), editor));

    TShellKind categories = EditedKind(
        GroupDialog::Categories, Dialog(QString()), [](QWidget* parent) { return new TFGrp_SgrpFrame(parent); });
    categories.EditCaption = [](const TDBMainInfo& r) {
        return r.Int1 == 1 ? u"Настройка статей доходов"_s : u"Настройка статей расходов"_s;
    };
    kinds.append(categories);
    kinds.append(EditedKind(
        GroupDialog::Projects, Dialog(u"Настройка проектов"_s), TableOf(TGroupTableType::gtProject)));
    kinds.append(EditedKind(GroupDialog::ObjectGroups, Dialog(u"Настройка групп"_s, u"Обновить"_s),
        TableOf(TGroupTableType::gtObjGrp)));
    return kinds;
}

void RegisterGroupScreens()
{
    for (const TShellKind& kind : GroupShellKinds())
        ShellKinds::Register(kind);
}
