#include "activities/NoteScreens.h"

#include "activities/EditMemo.h"
#include "activities/EventSections.h"
#include "activities/FindMemo.h"
#include "activities/FindMemoLinks.h"
#include "activities/MemoObjFrame.h"
#include "activities/ProjectSections.h"
#include "activities/ZorvinSelectDir.h"
#include "activities/ZorvinSelectFiles.h"
#include "contacts/AddressSections.h"
#include "contacts/FamilySections.h"
#include "contacts/FirmaSections.h"
#include "contacts/PersonSections.h"
#include "shell/frames/ShellKinds.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/NoteView.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int NotesPicture = 5;

TShellKind DialogOnly(int code, const QString& caption, TFrameFactory frame)
{
    TShellKind kind;
    kind.Code = code;
    kind.HasEditDialog = true;
    kind.EditDialog.Caption = caption;
    kind.EditFrame = std::move(frame);
    return kind;
}

} // namespace

QList<TShellKind> NoteShellKinds()
{
    const TFrameFactory list = [](QWidget* parent) { return new TFindMemo(parent); };

    TShellKind note;
    note.Code = Kind::Note;
    note.HasEditDialog = true;
    note.EditDialog.Caption = u"Новая заметка"_s;
    note.HasPickDialog = true;
    note.PickDialog.Caption = u"Поиск заметки"_s;
    note.PickDialog.ButtonBarHidden = true;
    note.DeleteText = [](const TDBMainInfo&) { return u"все данные о заметке"_s; };
    note.WinListRow = [](const TDBMainInfo& r) {
        const TConstNoteView view(r);
        return TWinListRow {NoteAttachmentPicture(static_cast<int>(view.NoteKind())), {}, {}, view.Title()};
    };
    TSideList side;
    side.Picture = NotesPicture;
    side.ChildName = u"FindMemos"_s;
    side.MasterKind = Kind::Note;
    side.Create = list;
    note.SideLists = {side};
    note.Card = [](QWidget* parent) { return new TMemoObjFrame(parent); };
    note.EditFrame = [](QWidget* parent) { return new TFEditMemo(parent); };
    note.PickFrame = list;

    TShellKind link;
    link.Code = Kind::NoteLink;
    link.DeleteText = [](const TDBMainInfo&) { return u"связь между объектами"_s; };

    return {note, link,
        DialogOnly(TMyDirectoryList::FolderDialog, u"Выбор рабочей папки"_s,
            [](QWidget* parent) { return new TZorvinSelectDir(parent); }),
        DialogOnly(TMyDirectoryList::FileDialog, u"Выбор файла"_s,
            [](QWidget* parent) { return new TFZorvinSelectFiles(parent); })};
}

void RegisterNoteScreens()
{
    for (const TShellKind& kind : NoteShellKinds())
        ShellKinds::Register(kind);
    Screens::RegisterNoteLinks([](QWidget* owner) { return new TFindMemoLinks(owner); });
    const TFrameFactory notes = [](QWidget* parent) { return new TFindMemo(parent); };
    Screens::RegisterSection(Kind::Person, PersonSection::Notes, notes);
    Screens::RegisterSection(Kind::Organization, FirmaSection::Notes, notes);
    Screens::RegisterSection(Kind::Family, FamilySection::Notes, notes);
    Screens::RegisterSection(Kind::Address, AddressSection::Notes, notes);
    Screens::RegisterSection(Kind::Event, EventSection::Notes, notes);
    Screens::RegisterSection(Kind::Group, ProjectSection::Notes, notes);
}
