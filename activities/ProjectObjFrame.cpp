#include "activities/ProjectObjFrame.h"

#include "activities/EditGroup.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"

#include <QAction>
#include <QLineEdit>

using namespace Qt::StringLiterals;

TProjectObjFrame::TProjectObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    setObjectName(u"ProjectObjFrame"_s);
}

TProjectObjFrame::~TProjectObjFrame() = default;

void TProjectObjFrame::CreateEditFrame()
{
    auto* editor = new TFEditGroup(this);
    SetEditFrame(editor, editor->eName());
}

void TProjectObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(ProjectSection::Participants, 40, u"Участники, роли"_s);
        AddSection(ProjectSection::Events, 4, u"События"_s);
        AddSection(ProjectSection::Notes, 5, u"Заметки"_s);
        break;
    case BuchGroup:
        AddSection(ProjectSection::FinanceLinks, 27, u"Финансово связанны с проектом"_s);
        AddSection(ProjectSection::Finance, 27, u"Фин. операции по проекту"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TProjectObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    TBaseDBFrame* frame = Screens::CreateSection(Kind::Group, code, parent);
    // The events and notes of a project are deleted from their own lists, never from here: the delete
    // action goes, and with it its button and menu item.
    if (frame && (code == ProjectSection::Events || code == ProjectSection::Notes)) {
        if (auto* del = frame->findChild<QAction*>(u"aDel"_s))
            del->setVisible(false);
    }
    return frame;
}
