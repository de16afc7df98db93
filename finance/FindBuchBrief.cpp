#include "finance/FindBuchBrief.h"

#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/MoneyOperationView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString AccountRow = u"Счет"_s;
const QString CommentRow = u"Комментарий"_s;

bool IsEmptyRow(const TListRow& row)
{
    return IsEmptyId(row.Text(u"ObjId"_s));
}

constexpr int LinkMarkPicture = 110;

} // namespace

TFFindBuchBrief::TFFindBuchBrief(QWidget* parent)
    : TBaseFind(parent)
    , m_newOperation(new QAction(this))
{
    setObjectName(u"FFindBuchBrief"_s);
    FindCaption->setText(u"Фин. операции"_s);
    m_newOperation->setData(Kind::MoneyOperation);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::MoneyOperation;
    SetsqlOrder(u"AllInfo.Date1 desc"_s);
    Grid->SetColumns({TGridColumn {u"Int1"_s, u" "_s, 36}, TGridColumn {u"Int5"_s, u" "_s, 20},
        TGridColumn {u"Date1"_s, u"Дата | Сумма | Счет"_s, 120},
        TGridColumn {u"Int2"_s, u"Сумма"_s, 110, true, Qt::AlignRight | Qt::AlignVCenter},
        TGridColumn {u"Link1"_s, u"Описание"_s, 220}});
    Grid->SetStatusFields({u"Int1"_s, u"Int5"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn& column, int& image) {
        image = -1;
        if (IsEmptyRow(row))
            return;
        if (column.FieldName.compare(u"Int1"_s, Qt::CaseInsensitive) == 0)
            image = OperationPicture(row.Int(u"Int1"_s));
        else if (row.Int(u"Int3"_s) != 0)
            image = LinkMarkPicture;
    };
    OptionList->SetStrings({AccountRow + u'=', CommentRow + u'='});
    TItemProp chosen;
    chosen.EditStyle = TEditStyle::esPickList;
    chosen.ReadOnly = true;
    OptionList->SetItemProps(AccountRow, chosen);
    OptionList->OnGetPickList
        = [this](TOptionList&, const QString& key, QStringList& values) { values = OptionListGetPickList(key); };
    SetFullFindMode(true);
    BriefFind->hide();
    tBarFind->hide();

    // The new operations, one per code, in the menu of "Создать" and under Ctrl+F1 to Ctrl+F8.
    const struct
    {
        const char* name;
        QString caption;
    } actions[] = {
        {"aONewIncome", u"Доход"_s},
        {"aONewOut", u"Расход"_s},
        {"aONewMove", u"Перенос на другой счет"_s},
        {"aONewChange", u"Перенос с обменом"_s},
        {"aONewDal", u"Дал в долг"_s},
        {"aONewVernuli", u"Вернули долг"_s},
        {"aONewVzyal", u"Взял в долг"_s},
        {"aONewVernul", u"Вернул долг"_s},
    };
    const QList<int> codes = OperationCodes();
    for (int i = 0; i < codes.size(); ++i) {
        auto* action = new QAction(MainData().LagreIcons().Icon(OperationPicture(codes[i])), actions[i].caption, this);
        action->setObjectName(QString::fromLatin1(actions[i].name));
        action->setData(codes[i]);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + i)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        pmNew->addAction(action);
        if (i == 3)
            pmNew->addSeparator();
        connect(action, &QAction::triggered, this, [this, action] { N11Click(action); });
        m_operationActions.append(action);
    }
    tbNew->setToolTip(u"Команды"_s);
    Bind(aNew, &TBaseFind::aNew_Execute);
}

TFFindBuchBrief::~TFFindBuchBrief() = default;

int TFFindBuchBrief::OperationPicture(qint64 code)
{
    switch (code) {
    case OperationCode::Income:
        return 89;
    case OperationCode::Expense:
        return 90;
    case OperationCode::Transfer:
        return 73;
    case OperationCode::Exchange:
        return 93;
    case OperationCode::Lent:
        return 97;
    case OperationCode::LentReturned:
        return 98;
    case OperationCode::Borrowed:
        return 99;
    case OperationCode::BorrowedReturned:
        return 100;
    default:
        return -1;
    }
}

QList<int> TFFindBuchBrief::OperationCodes()
{
    return {OperationCode::Income, OperationCode::Expense, OperationCode::Transfer, OperationCode::Exchange,
        OperationCode::Lent, OperationCode::LentReturned, OperationCode::Borrowed, OperationCode::BorrowedReturned};
}

QAction* TFFindBuchBrief::OperationAction(int code) const
{
    for (QAction* action : m_operationActions)
        if (action->data().toInt() == code)
            return action;
    return nullptr;
}

QString TFFindBuchBrief::SelectStatement(const QString& where, const QString& order)
{
    return u"select AllInfo.*, AllInfo.ObjId as LinkId, Acc.Str1 as AccName,  Grp.Str5 as GrpName, "
           "SGrp.Str5 as SGrpName, Acc.Str4 as ValName, PInfo.Str5 as KAName from AllInfo, AllInfo as Acc, "
           "AllInfo as Grp, AllInfo as SGrp, AllInfo as PInfo where AllInfo.ObjType = "_s
        + QString::number(Kind::MoneyOperation)
        + u" and Acc.ObjId   = AllInfo.Link1 and PInfo.ObjId = AllInfo.Link2 and Grp.ObjId   = AllInfo.Link3 "
          "and SGrp.ObjId  = AllInfo.Link4 "_s
        + where + u" order by "_s + order;
}

QString TFFindBuchBrief::HostCondition() const
{
    return QString();
}

QString TFFindBuchBrief::GetSelectSQL()
{
    QString where = GetWhereSQL();
    const QString host = HostCondition();
    if (!host.isEmpty())
        where += u" and "_s + host;
    // Operations of one day: the one entered last first.
    return SelectStatement(where, TotalOrder(sqlOrder(), u"AllInfo.ObjId desc"_s));
}

QStringList TFFindBuchBrief::OptionListGetPickList(const QString& key)
{
    if (key != AccountRow)
        return {};
    m_accountChoices = OperationChoices::Accounts(QueryDatabase());
    QStringList texts {QString()};
    for (const TAccountChoice& account : std::as_const(m_accountChoices))
        texts << account.Text;
    return texts;
}

void TFFindBuchBrief::ParseOptionList()
{
    const QString account = OptionList->Values(AccountRow).trimmed();
    if (!account.isEmpty()) {
        if (m_accountChoices.isEmpty())
            OptionListGetPickList(AccountRow);
        for (const TAccountChoice& choice : std::as_const(m_accountChoices)) {
            if (choice.Text.trimmed() == account) {
                SetFindField(6, choice.Id);
                break;
            }
        }
    }
    SetFindField(16, OptionList->Values(CommentRow));
}

QString TFFindBuchBrief::Description(const TListRow& row)
{
    const qint64 amount = row.Int(u"Int2"_s);
    switch (row.Int(u"Int1"_s)) {
    case OperationCode::Income:
    case OperationCode::Expense:
        return row.Text(u"GrpName"_s);
    case OperationCode::Transfer:
        return amount < 1 ? u"Перенос со счета"_s : u"Перенос на счет"_s;
    case OperationCode::Exchange:
        return amount < 1 ? u"Покупка валюты"_s : u"Продажа валюты"_s;
    case OperationCode::Lent:
        return u"Выдал в долг"_s;
    case OperationCode::LentReturned:
        return u"Вернули долг"_s;
    case OperationCode::Borrowed:
        return u"Взял в долг"_s;
    case OperationCode::BorrowedReturned:
        return u"Вернул долг"_s;
    default:
        return QString();
    }
}

void TFFindBuchBrief::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant& value) -> QString {
        if (IsEmptyRow(row))
            return u" "_s;
        return DateSerial::DateText(value.toDouble()) + u'\n' + row.Text(u"AccName"_s);
    });
    model->SetFieldTextHandler(u"INT2"_s, [](const TListRow& row, const QVariant& value) -> QString {
        return IsEmptyRow(row) ? u" "_s : Money::Text(value.toLongLong()) + u' ' + row.Text(u"ValName"_s);
    });
    const auto description = [](const TListRow& row, const QVariant&) -> QString {
        if (IsEmptyRow(row))
            return u" "_s;
        QStringList lines {Description(row), row.Text(u"SGrpName"_s)};
        if (const QString comment = row.Text(u"Comments"_s).trimmed(); !comment.isEmpty())
            lines << comment;
        return lines.join(u'\n');
    };
    if (m_counterpartyColumn) {
        // The placeholder row of the none id names nobody.
        model->SetFieldTextHandler(u"LINK1"_s, [](const TListRow& row, const QVariant&) -> QString {
            return IsEmptyRow(row) || IsEmptyId(row.Text(u"Link2"_s)) ? u" "_s : row.Text(u"KAName"_s);
        });
        model->SetFieldTextHandler(u"GRPNAME"_s, description);
    } else {
        model->SetFieldTextHandler(u"LINK1"_s, description);
    }
    TBaseFind::QueryAfterOpen();
}

void TFFindBuchBrief::N11Click(QObject* sender)
{
    auto* action = qobject_cast<QAction*>(sender);
    if (!action)
        return;
    // The filter of the account is kept: the new operation is booked on that account.
    GetWhereSQL();
    TDBMainInfo* options = FindOptions();
    const TGID account = options->Link1;
    options->Clear();
    const TMoneyOperationView operation(*options);
    operation.SetAccount(account);
    operation.SetDate(DateSerial::Now());
    operation.SetHasDate(true);
    operation.SetCode(action->data().toInt());
    const TDBMainInfo* host = MasterDBInfo();
    if (host && (host->ObjType == Kind::Person || host->ObjType == Kind::Organization))
        operation.SetCounterparty(host->Obj);
    aNewExecute(m_newOperation);
}

TBuchList::TBuchList(QWidget* parent)
    : TFFindBuchBrief(parent)
{
    setObjectName(u"BuchList"_s);
    FindCaption->setText(u"Финансы"_s);
    Grid->SetColumns({TGridColumn {u"Int1"_s, u" "_s, 36}, TGridColumn {u"Int5"_s, u" "_s, 20},
        TGridColumn {u"Date1"_s, u"Дата | Сумма | Счет"_s, 110},
        TGridColumn {u"Int2"_s, u"Сумма"_s, 110, true, Qt::AlignRight | Qt::AlignVCenter},
        TGridColumn {u"GrpName"_s, u"Описание"_s, 180}, TGridColumn {u"Link1"_s, u"Контрагент"_s, 160}});
    m_counterpartyColumn = true;
}

TBuchList::~TBuchList() = default;
