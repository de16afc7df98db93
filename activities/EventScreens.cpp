#include "activities/EventScreens.h"

#include "activities/EditEvent.h"
#include "activities/EventLook.h"
#include "activities/EventObjFrame.h"
#include "activities/EventPrev.h"
#include "activities/FindEvent.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/EventView.h"

using namespace Qt::StringLiterals;

QList<TShellKind> EventShellKinds()
{
    TShellKind event;
    event.Code = Kind::Event;
    event.HasEditDialog = true;
    event.EditDialog.Caption = u"Новое событие"_s;
    event.EditDialog.FollowsFrameSize = true;
    event.HasPickDialog = true;
    event.PickDialog.Caption = u"Поиск события"_s;
    event.PickDialog.ButtonBarHidden = true;
    event.DeleteText = [](const TDBMainInfo&) { return u"все данные о событии"_s; };
    event.WinListRow = [](const TDBMainInfo& r) {
        const TConstEventView view(r);
        const QString direction = view.EventKind() >= EventType::PhoneCall ? EventLook::DirectionText(view.Direction())
                                                                          : QString();
        return TWinListRow{EventTypePicture(static_cast<int>(view.EventKind())), {},
            direction.isEmpty() ? u" "_s : direction, view.DisplayName().trimmed()};
    };
    TSideList side;
    side.Picture = TFindEvent::EventsPicture;
    side.ChildName = u"FindEvents"_s;
    side.MasterKind = Kind::Event;
    side.Create = [](QWidget* parent) { return new TFindEvent(parent); };
    event.SideLists = {side};
    event.Card = [](QWidget* parent) { return new TEventObjFrame(parent); };
    event.EditFrame = [](QWidget* parent) { return new TFEditEvent(parent); };
    event.PickFrame = [](QWidget* parent) { return new TFindEvent(parent); };
    return {event};
}

void RegisterEventScreens()
{
    for (const TShellKind& kind : EventShellKinds())
        ShellKinds::Register(kind);
    // The object picker shows a chosen event in its preview.
    Screens::RegisterPreview(Kind::Event, [](QWidget* parent) { return new TFEventPrev(parent); });
}
