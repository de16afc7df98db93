#include "finance/FindAccount.h"

#include "finance/AccountTypes.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

bool IsEmptyRow(const TListRow& row)
{
    return IsEmptyId(row.Text(u"ObjId"_s));
}

TItemProp ChosenFromList()
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.ReadOnly = true;
    return props;
}

} // namespace

TFindAccount::TFindAccount(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindAccount"_s);
    FindCaption->setText(u"Счета"_s);
    aNew->setData(Kind::Account);
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFindAccount::aNewExecute);
    disconnect(aOpen, &QAction::triggered, this, nullptr);
    connect(aOpen, &QAction::triggered, this, &TFindAccount::aOpenExecute);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Account;
    Grid->SetColumns({TGridColumn {u"Int1"_s, u" "_s, 36}, TGridColumn {u"Str1"_s, u"Название счета"_s, 180},
        TGridColumn {u"Int5"_s, u"Баланс"_s, 100, true, Qt::AlignRight | Qt::AlignVCenter},
        TGridColumn {u"Str4"_s, u"Валюта"_s, 60}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        image = IsEmptyRow(row) ? -1 : AccountTypePicture(static_cast<int>(row.Int(u"Int1"_s)), -1);
    };
    OptionList->SetStrings({u"Название="_s, u"Тип="_s, u"Валюта="_s, u"Статус="_s, u"Комментарий="_s});
    OptionList->SetItemProps(u"Тип"_s, ChosenFromList());
    OptionList->SetItemProps(u"Статус"_s, ChosenFromList());
    TItemProp currency;
    currency.EditStyle = TEditStyle::esPickList;
    OptionList->SetItemProps(u"Валюта"_s, currency);
    OptionList->OnGetPickList
        = [this](TOptionList&, const QString& key, QStringList& values) { values = OptionListGetPickList(key); };
    SetFullFindMode(true);
    // Only the filter rows: no quick find, no switch to it, no result counter.
    BriefFind->hide();
    tBarFind->hide();
    hFindResult->hide();
}

TFindAccount::~TFindAccount() = default;

QStringList TFindAccount::OptionListGetPickList(const QString& key)
{
    if (key == u"Тип"_s)
        return QStringList {QString()} + AccountTypes::Captions();
    if (key == u"Статус"_s)
        return {QString(), Active, Closed};
    if (key == u"Валюта"_s) {
        TValueList currencies;
        DistinctValues(QueryDatabase(), u"Str4"_s, QString(), currencies, 0, 1, Kind::Account);
        return ValueTexts(currencies);
    }
    return {};
}

QString TFindAccount::GetSelectSQL()
{
    SetsqlOrder(u"AllInfo.Int5 desc"_s);
    return u"select allInfo.* from allInfo where objType = "_s + QString::number(Kind::Account) + u' ' + GetWhereSQL()
        + u" order by "_s + TotalOrder(sqlOrder());
}

void TFindAccount::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(4, OptionList->Values(u"Валюта"_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
    const int type = AccountTypes::CodeOf(OptionList->Values(u"Тип"_s).trimmed());
    // Cash, code 0, is asked for as -1: the integer filter's "equal to zero".
    if (type >= 0)
        SetFindField(11, QString::number(type == 0 ? -1 : type));
    const QString status = OptionList->Values(u"Статус"_s).trimmed();
    if (!status.isEmpty()) {
        if (!m_whereExt.isEmpty())
            m_whereExt += u" and "_s;
        m_whereExt += status == Active ? u"D2Flag = \"False\""_s : u"D2Flag = \"True\""_s;
    }
}

void TFindAccount::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"INT5"_s, [](const TListRow& row, const QVariant& value) -> QString {
        return IsEmptyRow(row) ? u" "_s : Money::Text(value.toLongLong());
    });
    TBaseFind::QueryAfterOpen();
}

void TFindAccount::aNewExecute()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Account;
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

void TFindAccount::aOpenExecute()
{
    const QString id = CurObjId();
    if (IsEmptyId(id))
        return;
    TDBMainInfo* work = WorkInfo();
    if (!work->SetObj(id) || work->ObjType != Kind::Account)
        return;
    if (EditWorkInfo() == 1)
        RunQuery(id);
}
