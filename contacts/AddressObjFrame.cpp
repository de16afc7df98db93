#include "contacts/AddressObjFrame.h"

#include "contacts/EditAddress.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/ObjectKinds.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

TAddressObjFrame::TAddressObjFrame(QWidget* parent)
    : TBaseObjFrame(parent)
{
    setObjectName(u"AddressObjFrame"_s);
}

TAddressObjFrame::~TAddressObjFrame() = default;

void TAddressObjFrame::CreateEditFrame()
{
    auto* editor = new TEditAddress(this);
    SetEditFrame(editor, editor->cbCountry());
    if (TBaseDBFrame* phones = Screens::CreateSection(Kind::Address, AddressSection::Phones, this))
        SetExtraList(phones);
}

void TAddressObjFrame::FillSections()
{
    switch (GroupIndex()) {
    case DopInfoGroup:
        AddSection(AddressSection::Residents, 1, u"Жильцы"_s);
        AddSection(AddressSection::Neighbours, 3, u"Соседи"_s);
        AddSection(AddressSection::Events, 4, u"События"_s);
        AddSection(AddressSection::Notes, 5, u"Заметки"_s);
        break;
    case BuchGroup:
        AddSection(AddressSection::Finance, 27, u"Фин. операции с этим адресом"_s);
        break;
    default:
        break;
    }
}

TBaseDBFrame* TAddressObjFrame::CreateSectionFrame(int code, QWidget* parent)
{
    // The phone list is shown under the editor, not among the sections.
    if (code == AddressSection::Phones)
        return nullptr;
    return Screens::CreateSection(Kind::Address, code, parent);
}
