#include "activities/EventObjFrame.h"

#include "activities/EditEvent.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QComboBox>

using namespace Qt::StringLiterals;

TEventObjFrame::TEventObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    setObjectName(u"EventObjFrame"_s);
    SetPrintShown(true);
    // The event report comes with the reports; until one is registered there is nothing to print.
    aPrint()->setEnabled(Screens::HasObjectReport(Kind::Event));
}

TEventObjFrame::~TEventObjFrame() = default;

void TEventObjFrame::CreateEditFrame()
{
    auto* editor = new TFEditEvent(this);
    SetEditFrame(editor, editor->eName());
}

void TEventObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(EventSection::Links, 40, u"Роли, Связи с людьми и организациями"_s);
        AddSection(EventSection::LinkedEvents, 4, u"Связанные события"_s);
        AddSection(EventSection::Notes, 5, u"Заметки"_s);
        break;
    case BuchGroup:
        AddSection(EventSection::Finance, 27, u"Фин. операции по данному событию"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TEventObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    TBaseDBFrame* frame = Screens::CreateSection(Kind::Event, code, parent);
    // The linked events are listed without their search panel.
    if (frame && code == EventSection::LinkedEvents) {
        if (auto* search = frame->findChild<QWidget*>(u"Panel2"_s))
            search->hide();
    }
    return frame;
}

void TEventObjFrame::aPrintExecute()
{
    if (const TDBMainInfo* event = MasterDBInfo())
        Screens::PrintObject(Kind::Event, *event);
}
