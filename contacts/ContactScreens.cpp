#include "contacts/ContactScreens.h"

#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"

namespace {
constexpr int PeoplePicture = 1;
}

void RegisterContactScreens()
{
    Screens::RegisterCard(Kind::Person, [](QWidget* parent) { return new TPeopleObjFrame(parent); });
    Screens::RegisterEditFrame(Kind::Person, [](QWidget* parent) { return new TFEditPeople(parent); });
    Screens::RegisterPickFrame(Kind::Person, [](QWidget* parent) { return new TFindPeople(parent); });
    Screens::RegisterSideList(PeoplePicture, [](QWidget* parent) { return new TFindPeople(parent); });
}
