#include "contacts/TelFind.h"

#include "contacts/LinkedListParts.h"
#include "contacts/PhoneNumber.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/PhoneView.h"
#include "store/kinds/ResidenceView.h"
#include "store/kinds/RoleView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

constexpr int PersonPicture = 1;
constexpr int OrganizationPicture = 2;
constexpr int AddressPicture = 3;

const QString PhoneColumns = u"AllInfo.ObjId, AllInfo.Str1, AllInfo.Str2, AllInfo.Int1, AllInfo.Int2"_s;

// The parts of an address, in the order the address text takes them, as one text joined by semicolons.
const QString AddressParts = u"Addr.Link5 + \";\" + Addr.Str1 + \";\" + Addr.Str2 + \";\" + Addr.Str3 + \";\" + Addr.Str4"
                             u" + \";\" + Addr.Str5 + \";\" + Addr.Link4 + \";\" + Addr.Link3"_s;

// A person's phones: own ones, then those of the addresses lived at now, then those the current roles in
// organizations show (the organization's phones of the role, and those of everybody).
QString PersonPhones(const QString& person)
{
    return u"select "_s + PhoneColumns + u", AllInfo.Comments, \"\" as LinkId, 1 as SField from AllInfo"
        u" where AllInfo.ObjType = 4 and AllInfo.Link1 = "_s + person
        + u" union select "_s + PhoneColumns + u", "_s + AddressParts
        + u" as Comments, lkAddr.ObjId as LinkId, 2 as SField from AllInfo, AllInfo as Addr, AllInfo as lkAddr"
          u" where AllInfo.ObjType = 4 and AllInfo.Link1 = Addr.ObjId and Addr.ObjType = 3 and lkAddr.ObjType = 80"
          u" and lkAddr.Link1 = Addr.ObjId and lkAddr.Flag = True and lkAddr.Link2 = "_s + person
        + u" union select "_s + PhoneColumns
        + u", F.Str5 as Comments, RP.ObjId as LinkId, 3 as SField from AllInfo, AllInfo as F, AllInfo as RP,"
          u" AllInfo as RF where AllInfo.ObjType = 4 and AllInfo.Link1 = F.ObjId and F.ObjType = 6"
          u" and RP.ObjType = 20 and RP.Flag = True and RP.D2Flag = False and RF.ObjId = RP.Link5"
          u" and RF.Link1 = F.ObjId and (AllInfo.Str2 = RP.Str1 or AllInfo.Str2 = \"\") and RP.Link1 = "_s + person
        + u" order by SField, ObjId"_s;
}

} // namespace

int TTelFind::OwnerPicture(int ownerKind)
{
    switch (ownerKind) {
    case Kind::Person:
        return PersonPicture;
    case Kind::Address:
        return AddressPicture;
    case Kind::Organization:
        return OrganizationPicture;
    default:
        return -1;
    }
}

QString TTelFind::TypeText(qint64 type)
{
    static const QStringList texts{u"тел"_s, u"факс"_s, u"т/ф"_s, u"моб"_s};
    return type >= 0 && type < texts.size() ? texts.at(type) : QString();
}

TTelFind::TTelFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"TelFind"_s);
    FindCaption->setText(u"Телефоны"_s);
    aNew->setData(Kind::Phone);
    aLinks->setVisible(true);
    Grid->SetColumns({TGridColumn{u"Int2"_s, u"Тип"_s, 34, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"№ тефона"_s, 140}, TGridColumn{u"Int1"_s, u"Тип"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Comments"_s, u"Комментарий"_s, 200}});
    Grid->SetStatusFields({u"Int2"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        GridStatusColumnGetImage(row, imageIndex);
    };

    // Opening a phone reached through a link offers the phone first, then its owner and the link.
    m_miOpenTel = new QAction(u"Открыть телефон"_s, pmOpen);
    m_miOpenTel->setObjectName(u"miOpenTel"_s);
    pmOpen->insertAction(miOpenLinkObject, m_miOpenTel);
    connect(m_miOpenTel, &QAction::triggered, this, &TBaseFind::aOpenExecute);
    Bind(miOpenLinkObject, &TBaseFind::miOpenLinkObjectClick);

    // Deleting such a phone offers to hide it (clear the link's flag), to delete the link or the phone.
    miDelRole->setVisible(false);
    miDelEvent->setText(u"Удалить телефон"_s);
    const auto group = [this](const QString& name, const QString& title, const QString& clear,
                           const QString& remove) {
        auto* menu = new QMenu(title, pmDel);
        menu->setObjectName(name + u"Menu"_s);
        QAction* clearItem = menu->addAction(clear);
        clearItem->setObjectName(name + u"Clear"_s);
        connect(clearItem, &QAction::triggered, this, &TTelFind::N15Click);
        QAction* removeItem = menu->addAction(remove);
        removeItem->setObjectName(name + u"Remove"_s);
        connect(removeItem, &QAction::triggered, this, &TBaseFind::miDelLinkClick);
        QAction* item = pmDel->insertMenu(miDelEvent, menu);
        item->setObjectName(name);
        item->setVisible(false);
        return item;
    };
    m_miDelFirmaGrp = group(u"miDelFirmaGrp"_s, u"Связь с фирмой"_s, u"Снять флажок, отображать телефоны"_s,
        u"Удалить роль"_s);
    m_miDelAddressGrp = group(u"miDelAddressGrp"_s, u"Связь с адресом"_s, u"Снять флажок, проживает"_s,
        u"Удалить связь с адресом"_s);
    LinkedListParts::HideSearchArea(this, true);
    // A person's phones change with the phones, residences and roles saved anywhere.
    for (int kind : {int(Kind::Phone), int(Kind::Residence), int(Kind::Role)})
        Screens::RegisterObjectSaved(kind, [this](int) { ObjectsSaved(); }, this);
}

TTelFind::~TTelFind() = default;

void TTelFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

int TTelFind::MasterKind() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master ? static_cast<int>(master->ObjType) : 0;
}

bool TTelFind::IsOwnPhone(const TListRow& row) const
{
    return row.Int(u"Int2"_s) == MasterKind();
}

QString TTelFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString owner = SqlDialect::Quote(master && !IsNewId(master->Obj) ? master->Obj.Text() : u"-"_s);
    switch (MasterKind()) {
    case Kind::Person:
        return PersonPhones(owner);
    case Kind::Address:
    case Kind::Organization:
        return u"select ObjId, Str1, Str2, Int1, Int2, Comments, \"\" as LinkId from AllInfo where ObjType = 4"
               u" and Link1 = "_s + owner + u" order by ObjId"_s;
    case Kind::Phone:
        return u"select ObjId, Str1, Str2, Int1, Int2, Comments, Link1 as LinkId from AllInfo where ObjType = 4"
               u" order by ObjId"_s;
    case 0:
        return u"select ObjId, Str1, Str2, Int1, Int2, Comments, \"\" as LinkId from AllInfo where ObjType = 4"
               u" and ObjId = \"\""_s;
    default:
        return QString();
    }
}

void TTelFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"INT2"_s, [](const TListRow&, const QVariant&) -> QString { return QString(); });
    model->SetFieldTextHandler(
        u"INT1"_s, [](const TListRow&, const QVariant& value) -> QString { return TypeText(value.toLongLong()); });
    model->SetFieldTextHandler(u"STR1"_s,
        [](const TListRow&, const QVariant& value) -> QString { return PhoneNumber::Text(value.toString()); });
    model->SetFieldTextHandler(u"COMMENTS"_s, [this](const TListRow& row, const QVariant& value) -> QString {
        const QString comment = value.toString();
        const qint64 ownerKind = row.Int(u"Int2"_s);
        if (ownerKind == Kind::Address && !IsOwnPhone(row)) {
            const QStringList parts = comment.split(u';');
            return AddressText(parts.value(0), parts.value(1), parts.value(2), parts.value(3), parts.value(4),
                parts.value(5), parts.value(6), parts.value(7), true);
        }
        const QString role = row.Text(u"Str2"_s).trimmed();
        if (ownerKind == Kind::Organization && MasterKind() == Kind::Organization && !role.isEmpty())
            return u'[' + role + u']' + (comment.isEmpty() ? QString() : u'\n' + comment);
        return comment;
    });
    TBaseFind::QueryAfterOpen();
}

void TTelFind::GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const
{
    imageIndex = IsOwnPhone(row) ? -1 : OwnerPicture(static_cast<int>(row.Int(u"Int2"_s)));
}

bool TTelFind::IsDirectDelete()
{
    m_miDelFirmaGrp->setVisible(false);
    m_miDelAddressGrp->setVisible(false);
    const TListRow row = Grid->CurrentRow();
    if (IsEmptyId(CurObjId()) || IsEmptyId(CurLinkId()) || IsOwnPhone(row))
        return true;
    switch (row.Int(u"Int2"_s)) {
    case Kind::Address:
        m_miDelAddressGrp->setVisible(true);
        return false;
    case Kind::Organization:
        m_miDelFirmaGrp->setVisible(true);
        return false;
    default:
        return true;
    }
}

void TTelFind::PrepareOpenMenu()
{
    const TDBMainInfo* phone = GetCurrentObjInfo();
    const TConstPhoneView view(*phone);
    m_linkObjId = view.Owner().Text();
    switch (view.OwnerKind()) {
    case Kind::Address:
        miOpenLinkObject->setText(u"Открыть адрес"_s);
        break;
    case Kind::Organization:
        miOpenLinkObject->setText(u"Открыть фирму"_s);
        break;
    default:
        miOpenLinkObject->setText(u"Открыть связанный объект"_s);
        break;
    }
}

void TTelFind::N15Click()
{
    TDBMainInfo link;
    link.SetDatabase(QueryDatabase());
    if (IsEmptyId(CurLinkId()) || !link.SetObj(CurLinkId()))
        return;
    if (link.ObjType == Kind::Residence)
        ResidenceView(link).SetCurrent(false);
    else if (link.ObjType == Kind::Role)
        RoleView(link).SetMarked(false);
    else
        return;
    if (!ShowStoreResult(link.Save()))
        return;
    AnnounceObjectSaved(static_cast<int>(link.ObjType));
    RunQuery(QString());
}
