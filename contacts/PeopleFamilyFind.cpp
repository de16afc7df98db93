#include "contacts/PeopleFamilyFind.h"

#include "contacts/FindFamily.h"
#include "platform/Messages.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/MainData.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {
constexpr int ManPicture = 38;
constexpr int WomanPicture = 56;
} // namespace

const QString TPeopleFamilyFind::SameSexRefusal = u"Однополые браки не регистрируются!"_s;

TPeopleFamilyFind::TPeopleFamilyFind(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Семьи"_s);
    aNew->setData(Kind::Person);
    SetsqlOrder(u"AllInfo.Date1 desc"_s);
    Panel2->setVisible(false);
    BriefFind->setVisible(false);
    FullFind->setVisible(false);
    hFindResult->setVisible(false);
    miOpenLinkObject->setText(u"Открыть семью"_s);
    miOpenLinks->setText(u"Информация о супруге"_s);
    Grid->SetColumns({TGridColumn{u"Int1"_s, u"Статус"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Date1"_s, u"Период"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"PFoto"_s, u"Фото"_s, 54},
        TGridColumn{u"PDate1"_s, u"Возраст"_s, 50, true, Qt::AlignCenter},
        TGridColumn{u"PStr1"_s, u"Ф.И.О."_s, 180}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetImageFields({u"PFoto"_s});
    Grid->SetTextLineCount(3);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        TFindFamily::GridStatusColumnGetImage(row, imageIndex);
    };
    Grid->OnImageColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        if (!row.Text(u"LinkId"_s).trimmed().isEmpty())
            imageIndex = MasterIsFemale() ? ManPicture : WomanPicture;
    };
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, [this] { aNewExecute(); });
    Bind(aDel, &TBaseFind::aDelExecute);
}

TPeopleFamilyFind::~TPeopleFamilyFind() = default;

bool TPeopleFamilyFind::MasterIsFemale() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && PersonView(*master).IsFemale();
}

void TPeopleFamilyFind::LoadData()
{
    TBaseFind::LoadData();
    FindCaption->setText(MasterIsFemale() ? u"Мужья"_s : u"Жены"_s);
}

QString TPeopleFamilyFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const bool female = MasterIsFemale();
    const QString own = female ? u"Link2"_s : u"Link1"_s;
    const QString partner = female ? u"Link1"_s : u"Link2"_s;
    return u"select allInfo.*, PInfo.ObjId as LinkId, PInfo.Str1 as PStr1, PInfo.Str2 as PStr2, PInfo.Str3 as PStr3,"
           u" PInfo.Date1 as PDate1, PInfo.D2Flag as PD2Flag, PInfo.Foto as PFoto from allInfo, allInfo as PInfo"
           u" where AllInfo.objType = "_s
        + QString::number(Kind::Family) + u" and PInfo.ObjId = AllInfo."_s + partner + u" and allInfo."_s + own
        + u" = "_s + SqlDialect::Quote(master ? master->Obj.Text() : QString()) + u" order by "_s
        + TotalOrder(sqlOrder());
}

void TPeopleFamilyFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) { return FamilyCells::Period(row); });
    model->SetFieldTextHandler(u"PSTR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        return row.Text(u"PStr1"_s) + u'\n' + row.Text(u"PStr2"_s) + u'\n' + row.Text(u"PStr3"_s);
    });
    model->SetFieldTextHandler(u"PDATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        return AgeText(row.Bool(u"PD2Flag"_s), false, row.Number(u"PDate1"_s));
    });
    TBaseFind::QueryAfterOpen();
}

void TPeopleFamilyFind::aNewExecute()
{
    TDBMainInfo* options = FindOptions();
    options->Clear();
    PersonView(*options).SetSexHint(MasterIsFemale() ? 1 : 2);
    TBaseFind::aNewExecute(aNew);
}

bool TPeopleFamilyFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty() || DropObj().Kind != Kind::Person)
        return false;
    TDBMainInfo partner;
    partner.SetDatabase(master->Database());
    if (!partner.SetObj(DropObj().Id) || partner.ObjType != Kind::Person)
        return false;
    if (PersonView(partner).IsFemale() == MasterIsFemale()) {
        Messages().ShowMessage(SameSexRefusal);
        return false;
    }
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Family;
    const TFamilyView family(*work);
    family.SetHusband(partner.Obj);
    family.SetWife(master->Obj);
    return EditWorkInfo() == 1;
}
