#include "contacts/StreetFind.h"

#include "contacts/AddressFind.h"
#include "contacts/LinkedListParts.h"
#include "shell/widgets/DBGrid.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;

TStreetFind::TStreetFind(QWidget* parent)
    : TBaseFind(parent)
    , m_tbarChecked(LinkedListParts::AddCheckedBar(this))
    , m_tbStreet(LinkedListParts::AddCheckButton(m_tbarChecked, u"tbStreet"_s, u"По улице"_s, 1))
    , m_tbHouse(LinkedListParts::AddCheckButton(m_tbarChecked, u"tbHouse"_s, u"По дому"_s, 2))
{
    setObjectName(u"StreetFind"_s);
    FindCaption->setText(u"Соседние адреса"_s);
    aNew->setData(100);
    SetsqlOrder(u"AllInfo.Str5, Link3, Link4"_s);
    Grid->SetColumns({TGridColumn{u"Str5"_s, u"Улица"_s, 150}, TGridColumn{u"Link4"_s, u"Дом"_s, 50},
        TGridColumn{u"Link3"_s, u"кв. (офис)"_s, 60}});
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TStreetFind::aNewExecute);
    for (QToolButton* button : {m_tbStreet, m_tbHouse})
        connect(button, &QToolButton::clicked, this, [this] { RunQuery(CurObjId()); });
    SetFullFindMode(true);
    LinkedListParts::HideSearchArea(this, true);
}

TStreetFind::~TStreetFind() = default;

void TStreetFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

void TStreetFind::RunQuery(const QString& id)
{
    const TDBMainInfo* master = MasterDBInfo();
    TBaseFind::RunQuery(IsEmptyId(id) && master ? master->Obj.Text() : id);
}

void TStreetFind::ParseOptionList()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TConstAddressView address(*master);
    TDBMainInfo* options = FindOptions();
    const TAddressView find(*options);
    find.SetCountry(address.Country());
    find.SetRegion(address.Region());
    find.SetDistrict(address.District());
    find.SetSettlement(address.Settlement());
    if (m_tbStreet->isChecked() || m_tbHouse->isChecked())
        find.SetStreet(address.Street());
    if (m_tbHouse->isChecked())
        find.SetHouse(address.House());
    if (IsNewId(master->Obj))
        m_whereExt = u"AllInfo.ObjId = \"\""_s;
}

QString TStreetFind::GetWhereSQL()
{
    m_whereExt.clear();
    FindOptions()->Clear();
    ParseOptionList();
    QString tail;
    const QString conditions = TAddressFind::PartConditions(*FindOptions(), true);
    if (!conditions.isEmpty())
        tail = u" and "_s + conditions;
    if (!m_whereExt.isEmpty())
        tail += u" and "_s + m_whereExt;
    return tail;
}

void TStreetFind::aNewExecute()
{
    if (const TDBMainInfo* master = MasterDBInfo())
        AddressView(*FindOptions()).SetPostalIndex(AddressView(*master).PostalIndex());
    TBaseFind::aNewExecute(aNew);
}
