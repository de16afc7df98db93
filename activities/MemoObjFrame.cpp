#include "activities/MemoObjFrame.h"

#include "activities/EditMemo.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/MainBroker.h"
#include "store/ObjectKinds.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

TMemoObjFrame::TMemoObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    setObjectName(u"MemoObjFrame"_s);
}

TMemoObjFrame::~TMemoObjFrame() = default;

void TMemoObjFrame::CreateEditFrame()
{
    auto* editor = new TFEditMemo(this);
    SetEditFrame(editor, editor->eName());
}

void TMemoObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(NoteSection::Links, 40, u"Связанные объекты"_s);
        break;
    case BuchGroup:
        AddSection(NoteSection::Finance, 27, u"Финансовые операции"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TMemoObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    if (code != NoteSection::Links)
        return Screens::CreateSection(Kind::Note, code, parent);
    // The note-links list comes from the main window, which owns the choice of list.
    TMainBroker* broker = MainBroker();
    TBaseDBFrame* list = broker ? broker->NewNoteLinks(parent) : nullptr;
    if (list && list->parentWidget() != parent)
        list->setParent(parent);
    return list;
}
