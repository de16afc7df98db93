#include "contacts/LinkAdrFind.h"

#include "contacts/AddressLine.h"
#include "contacts/LinkedListParts.h"
#include "contacts/PtoALink.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TLinkAdrFind::TLinkAdrFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"LinkAdrFind"_s);
    FindCaption->setText(u"Связанные адреса"_s);
    aNew->setData(Kind::Address);
    aLinks->setVisible(true);
    miOpenLinkObject->setText(u"Открыть адрес"_s);
    Bind(aDel, &TBaseFind::miDelLinkClick);
    Grid->SetColumns({TGridColumn{u"Flag"_s, QString(), 24, true, Qt::AlignCenter},
        TGridColumn{u"Date1"_s, u"Период"_s, 80, true, Qt::AlignCenter}, TGridColumn{u"Str1"_s, u"Адрес"_s, 300}});
    Grid->SetStatusFields({u"Flag"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        GridStatusColumnGetImage(row, imageIndex);
    };
    LinkedListParts::HideSearchArea(this, true);
}

TLinkAdrFind::~TLinkAdrFind() = default;

void TLinkAdrFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TLinkAdrFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString resident = master && !IsNewId(master->Obj) ? master->Obj.Text() : u"-"_s;
    // Current residences first: the database keeps true as -1.
    return u"select AllInfo.ObjId, AllInfo.Link5, AllInfo.Link4, AllInfo.Link3, AllInfo.Str1, AllInfo.Str2,"
           u" AllInfo.Str3, AllInfo.Str4, AllInfo.Str5, AL.Date1, AL.D1Flag, AL.Date2, AL.D2Flag, AL.Flag,"
           u" AL.ObjId as LinkId from AllInfo, AllInfo as AL where AllInfo.ObjType = 3 and AllInfo.ObjId = AL.Link1"
           u" and AL.ObjType = 80 and AL.Link2 = "_s
        + SqlDialect::Quote(resident) + u" ORDER BY AL.Flag, AL.Date1 desc, AL.ObjId"_s;
}

void TLinkAdrFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        return PeriodText(
            row.Bool(u"D1Flag"_s), row.Bool(u"D2Flag"_s), row.Number(u"Date2"_s), row.Number(u"Date1"_s));
    });
    model->SetFieldTextHandler(u"STR1"_s, [this](const TListRow& row, const QVariant&) -> QString {
        return AddressLine::OfListRow(row, Grid->columnWidth(2));
    });
    model->SetFieldTextHandler(u"FLAG"_s, [](const TListRow&, const QVariant&) -> QString { return QString(); });
    TBaseFind::QueryAfterOpen();
}

void TLinkAdrFind::GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const
{
    imageIndex = row.Bool(u"Flag"_s) ? CurrentPicture : -1;
}

bool TLinkAdrFind::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    if (info.ObjType == Kind::Address)
        return true;
    reason = u"Неверный тип"_s;
    return false;
}

bool TLinkAdrFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty())
        return false;
    TPtoALink::PrepareResidence(*WorkInfo(), DropObj().Id, master->Obj);
    return EditWorkInfo() == 1;
}
