#include "contacts/SosedyFind.h"

#include "contacts/KinshipLists.h"
#include "contacts/LinkedListParts.h"
#include "contacts/PtoALink.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;

TSosedyFind::TSosedyFind(QWidget* parent)
    : TBaseFind(parent)
    , m_tbarChecked(LinkedListParts::AddCheckedBar(this))
    , m_tbHow(LinkedListParts::AddCheckButton(m_tbarChecked, u"tbHow"_s, u"Проживают"_s, 1))
    , m_tbHistory(LinkedListParts::AddCheckButton(m_tbarChecked, u"tbHistory"_s, u"Проживали"_s, 2))
{
    setObjectName(u"SosedyFind"_s);
    SetTitle(u"Соседи"_s);
    m_tbHow->setChecked(true);
    SetsqlOrder(u"AllInfo.Str1, AllInfo.Str2, AllInfo.Str3"_s);
    Grid->SetColumns({TGridColumn{u"PDate1"_s, u"Период"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"Foto"_s, u"Фото"_s, 54}, TGridColumn{u"Date1"_s, u"Возраст"_s, 50, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Ф.И.О. (Название)"_s, 200}});
    Grid->SetTextLineCount(3);
    aLinks->setData(1);
    aLinks->setVisible(true);
    QAction* person = pmNew->addAction(u"Человека"_s);
    person->setObjectName(u"miNewPerson"_s);
    person->setData(Kind::Person);
    QAction* organization = pmNew->addAction(u"Организация"_s);
    organization->setObjectName(u"miNewFirma"_s);
    organization->setData(Kind::Organization);
    QAction* family = pmNew->addAction(u"Семью"_s);
    family->setObjectName(u"miNewFamily"_s);
    family->setData(Kind::Family);
    family->setVisible(false);
    for (QAction* item : {person, organization, family})
        connect(item, &QAction::triggered, this, [this, item] { TBaseFind::aNewExecute(item); });
    Bind(aNew, &TBaseFind::aNew_Execute);
    Bind(aDel, &TBaseFind::miDelLinkClick);
    for (QToolButton* button : {m_tbHow, m_tbHistory})
        connect(button, &QToolButton::clicked, this, [this] { RunQuery(CurObjId()); });
    LinkedListParts::HideSearchArea(this, true);
}

TSosedyFind::~TSosedyFind() = default;

void TSosedyFind::SetTitle(const QString& title)
{
    FindCaption->setText(title);
}

void TSosedyFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TSosedyFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString address = master && !IsNewId(master->Obj) ? master->Obj.Text() : u"-"_s;
    QString sql = u"select AllInfo.*, LA.ObjId as LinkId, LA.Date1 as PDate1, LA.D1Flag as PD1Flag,"
                  u" LA.Date2 as PDate2, LA.D2Flag as PD2Flag from AllInfo, AllInfo as LA"
                  u" where AllInfo.ObjId = LA.Link2 and LA.ObjType = 80 and LA.Link1 = "_s
        + SqlDialect::Quote(address);
    if (m_tbHow->isChecked())
        sql += u" and LA.D2Flag = False"_s;
    if (m_tbHistory->isChecked())
        sql += u" and LA.D2Flag = True"_s;
    return sql + u" order by "_s + TotalOrder(sqlOrder(), u"LA.ObjId"_s);
}

void TSosedyFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"PDATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        return PeriodText(
            row.Bool(u"PD1Flag"_s), row.Bool(u"PD2Flag"_s), row.Number(u"PDate2"_s), row.Number(u"PDate1"_s));
    });
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        return row.Int(u"ObjType"_s) == Kind::Person ? Kinship::AgeCell(row) : QString();
    });
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        switch (row.Int(u"ObjType"_s)) {
        case Kind::Person:
            return Kinship::NamesCell(row);
        case Kind::Organization:
            return row.Text(u"Str5"_s);
        default:
            return QString();
        }
    });
    TBaseFind::QueryAfterOpen();
}

bool TSosedyFind::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    if (info.ObjType == Kind::Person || info.ObjType == Kind::Organization)
        return true;
    reason = u"Неверный тип"_s;
    return false;
}

bool TSosedyFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty())
        return false;
    TPtoALink::PrepareResidence(*WorkInfo(), master->Obj, DropObj().Id);
    return EditWorkInfo() == 1;
}
