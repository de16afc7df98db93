#include "finance/FindBuchBrief.h"

#include "finance/BuchObjLinks.h"
#include "finance/BuchSumInfo.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/DataBase.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/GroupLists.h"

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
#include "store/kinds/OperationLinkView.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <cmath>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString AccountRow = u"Счет"_s;
const QString PeriodRow = u"Период"_s;
const QString OperationRow = u"Операция"_s;
const QString GroupRow = u"Группа"_s;
const QString SubgroupRow = u"Подгруппа"_s;
const QString CounterpartyRow = u"Контрагент"_s;
const QString ParticipantRow = u"Участник"_s;
const QString CommentRow = u"Комментарий"_s;
const QString Today = u"Сегодня"_s;
const QString Custom = u"Произвольно"_s;
/// "с: dd.mm.yyyy по: dd.mm.yyyy": the dates are characters 4 to 13 and 19 to 28.
const QString PeriodMask = u"с: 99.99.9999 по: 99.99.9999; "_s;

/// The positions of the "Операция" entries, and what each filters.
enum : int { AnyOperation, IncomeExpense, IncomeOnly, ExpenseOnly, DebtorsOnly, CreditorsOnly, TransfersOnly, ExchangesOnly };

bool IsCardHost(int kind)
{
    return kind == Kind::Person || kind == Kind::Address || kind == Kind::Organization || kind == Kind::Family
        || kind == Kind::Event || kind == Kind::Note;
}

TItemProp PickRow(bool readOnly, const QString& mask = QString())
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.ReadOnly = readOnly;
    props.EditMask = mask;
    return props;
}

bool EmptyIdText(const QString& id)
{
    return id.trimmed().isEmpty() || IsEmptyId(id);
}

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
    Grid->OnStatusColumnGetImage
        = [this](TMyDBGrid&, const TListRow& row, const TGridColumn& column, int& image) {
              image = -1;
              if (IsEmptyRow(row))
                  return;
              if (column.FieldName.compare(u"Int1"_s, Qt::CaseInsensitive) == 0) {
                  image = OperationPicture(row.Int(u"Int1"_s));
                  return;
              }
              // In a card, an operation listed through a link rather than as the host's own is marked too.
              const int kind = HostKind();
              const bool throughLink = (IsCardHost(kind) && MasterDBInfo()
                  && !SameId(row.Text(u"Link2"_s), MasterDBInfo()->Obj));
              if (row.Int(u"Int3"_s) != 0 || throughLink)
                  image = LinkMarkPicture;
          };
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
    m_aOLinks = new QAction(MainData().LagreIcons().Icon(27), u"Добавить ссылку на операцию"_s, this);
    m_aOLinks->setObjectName(u"aOLinks"_s);
    m_aOLinks->setData(PickAnyOperation);
    pmNew->addSeparator();
    pmNew->addAction(m_aOLinks);
    connect(m_aOLinks, &QAction::triggered, this, &TFFindBuchBrief::AddOperationLink);
    miDelEvent->setText(u"Удалить операцию"_s);
    disconnect(miDelRole, &QAction::triggered, this, nullptr);
    connect(miDelRole, &QAction::triggered, this, &TFFindBuchBrief::DeleteHostLink);
    // In a card an operation with links is opened, or its link with the card's object edited, as the user
    // chooses: the same test as for deleting.
    miOpenLinkObject->setText(u"Открыть операцию"_s);
    disconnect(miOpenLinks, &QAction::triggered, this, nullptr);
    connect(miOpenLinks, &QAction::triggered, this, &TFFindBuchBrief::EditHostLink);
    disconnect(aOpen, &QAction::triggered, this, nullptr);
    connect(aOpen, &QAction::triggered, this, [this] { OpenOperation(false); });
    disconnect(Grid, &QAbstractItemView::doubleClicked, this, nullptr);
    connect(Grid, &QAbstractItemView::doubleClicked, this, [this] { OpenOperation(true); });
    aCopy->setVisible(true);

    // The totals sit under the rows, above the count of rows found.
    m_sumInfo = new TFBuchSumInfo(this);
    m_sumInfo->SetVisibleSection(TFBuchSumInfo::vsMounth);
    m_sumInfo->SetModeLink2(1);
    if (auto* column = qobject_cast<QVBoxLayout*>(layout()))
        column->insertWidget(column->indexOf(hFindResult), m_sumInfo);
    SetupForHost(Kind::MoneyOperation);
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

int TFFindBuchBrief::HostKind() const
{
    const TDBMainInfo* host = MasterDBInfo();
    return host ? host->ObjType : 0;
}

QString TFFindBuchBrief::HostKindCondition(int kind, const QString& host, const QString& names)
{
    QString condition;
    if (IsCardHost(kind)) {
        condition = TFBuchSumInfo::HostOperations(host);
    } else if (kind == Kind::Group) {
        IdCondition(condition, host, u"AllInfo.Link3"_s);
    } else if (kind == PickAnyOperation) {
        condition = u"AllInfo.Int1 in (1, 2, 16, 32, 64, 128)"_s;
    } else if (kind == PickIncomeExpense) {
        condition = u"AllInfo.Int1 in (1, 2)"_s;
    } else if (kind == OperationsDialog) {
        // Nothing named, nothing listed.
        condition = u"AllInfo.ObjId in ("_s + (names.trimmed().isEmpty() ? SqlDialect::Quote(QString()) : names)
            + u')';
    }
    return condition;
}

QString TFFindBuchBrief::HostCondition() const
{
    const TDBMainInfo* host = MasterDBInfo();
    if (!host)
        return QString();
    if (host->ObjType == Kind::OperationLink) {
        QString condition;
        IdCondition(condition, host->Obj, u"AllInfo.Link2"_s);
        IdCondition(condition, host->Link3, u"AllInfo.Link3"_s);
        return condition;
    }
    return HostKindCondition(host->ObjType, host->Obj, host->Str5);
}

QStringList TFFindBuchBrief::OptionRows(int kind) const
{
    QStringList rows {AccountRow, PeriodRow, OperationRow, GroupRow, SubgroupRow, CommentRow};
    if (kind == Kind::Event)
        rows.prepend(ParticipantRow);
    else if (kind == PickAnyOperation)
        rows.prepend(CounterpartyRow);
    return rows;
}

QStringList TFFindBuchBrief::OperationEntries() const
{
    QStringList entries {QString(), u"Доходы | Расходы"_s, u"Доход"_s, u"Расход"_s};
    const int kind = HostKind();
    if (kind == Kind::Person || kind == Kind::Organization || kind == PickAnyOperation || kind == Kind::MoneyOperation)
        entries << u"Должники"_s << u"Кредиторы"_s;
    if (kind == Kind::MoneyOperation)
        entries << u"Перевод между счетами"_s << u"Перевод с обменом"_s;
    return entries;
}

int TFFindBuchBrief::CurrentOperationChoice() const
{
    return std::max<int>(0, static_cast<int>(OperationEntries().indexOf(OptionList->Values(OperationRow).trimmed())));
}

void TFFindBuchBrief::SetupForHost(int kind)
{
    m_rowsKind = kind;
    QStringList lines;
    for (const QString& row : OptionRows(kind))
        lines << row + u'=';
    OptionList->SetStrings(lines);
    // The rows of choices open their drop-down; a text typed there that names no choice filters nothing.
    for (const QString& row : {AccountRow, PeriodRow, OperationRow, GroupRow, SubgroupRow, ParticipantRow})
        if (OptionList->FindRow(row) >= 0)
            OptionList->SetItemProps(row, PickRow(false));
    if (kind == Kind::MoneyOperation)
        OptionList->SetItemProps(CounterpartyRow, PickRow(false));
    const TDBMainInfo* host = MasterDBInfo();
    m_groups.clear();
    m_category.clear();
    if (kind == Kind::Group && host) {
        // A project's list is that project's operations: its group is fixed.
        m_groups = {TValueItem {host->Str5.trimmed().isEmpty() ? host->Str1 : host->Str5, host->Obj}};
        OptionList->SetValues(GroupRow, m_groups.first().Text);
        TItemProp fixed = PickRow(true);
        fixed.PickList = {m_groups.first().Text};
        OptionList->SetItemProps(GroupRow, fixed);
    }
    if (kind == Kind::MoneyOperation && host && !host->Str1.trimmed().isEmpty())
        OptionList->SetValues(AccountRow, host->Str1);

    // Which operations are made here: the main list makes every kind; a person or an organization also lends
    // and borrows; a project books incomes and expenses.
    const bool all = kind == Kind::MoneyOperation;
    const bool party = kind == Kind::Person || kind == Kind::Organization;
    for (QAction* action : std::as_const(m_operationActions)) {
        const int code = action->data().toInt();
        bool visible = all;
        if (code == OperationCode::Income || code == OperationCode::Expense)
            visible = all || party || kind == Kind::Group;
        else if (code != OperationCode::Transfer && code != OperationCode::Exchange)
            visible = all || party;
        action->setVisible(visible);
        action->setEnabled(visible);
    }
    m_aOLinks->setVisible(IsCardHost(kind));
    const bool lists = kind != OperationsDialog;
    aPrint->setVisible(lists);
    m_sumInfo->setVisible(lists);
    FullFind->setVisible(lists);
    tbNew->setVisible(lists);
    for (QAction* action : {aNew, aOpen, aDel, aCopy})
        action->setVisible(lists && action->isVisible());
}

void TFFindBuchBrief::LoadData()
{
    const int kind = HostKind();
    if (kind != m_rowsKind)
        SetupForHost(kind);
    // A card's list follows the operations saved anywhere; every list follows the links, which mark its rows.
    if (kind != Kind::MoneyOperation && m_operationsSaved == 0)
        m_operationsSaved = Screens::RegisterObjectSaved(
            Kind::MoneyOperation, [this](int) { ObjectsSaved(); }, this);
    if (m_linksSaved == 0)
        m_linksSaved = Screens::RegisterObjectSaved(
            Kind::OperationLink, [this](int) { ObjectsSaved(); }, this);
    TBaseFind::LoadData();
}

void TFFindBuchBrief::EnableActions()
{
    TBaseFind::EnableActions();
    // The report comes with the reports; until one is registered there is nothing to print.
    aPrint->setEnabled(Grid->Model()->IsOpen() && Screens::HasListReport(Kind::MoneyOperation));
}

bool TFFindBuchBrief::IsDirectDelete()
{
    const TDBMainInfo* host = MasterDBInfo();
    if (!host || !IsCardHost(host->ObjType))
        return true;
    const TListRow row = Grid->Model()->Row(Grid->CurrentRecord());
    // An operation listed through a link is never deleted by mistake for its link, whatever its count says.
    return row.Int(u"Int3"_s) == 0 && SameId(row.Text(u"Link2"_s), host->Obj);
}

void TFFindBuchBrief::DeleteHostLink()
{
    const TDBMainInfo* host = MasterDBInfo();
    if (!host || EmptyIdText(CurObjId()))
        return;
    const QString link = OperationLinks::Find(QueryDatabase(), CurObjId(), host->Obj);
    if (link.isEmpty())
        return;
    // The deletion asks the user; the store keeps the operation's count of links.
    DeleteObject(link);
}

void TFFindBuchBrief::OpenOperation(bool atCursor)
{
    if (IsDirectDelete()) {
        aOpenExecute();
        return;
    }
    PrepareOpenMenu();
    if (atCursor)
        pmOpen->popup(QCursor::pos());
    else
        PopupUnder(pmOpen, tbOpen);
}

void TFFindBuchBrief::PrepareOpenMenu()
{
    const TDBMainInfo* host = MasterDBInfo();
    // An operation of the host's own, linked to other objects only, has no link with the host to open.
    miOpenLinks->setEnabled(
        host && !OperationLinks::Find(QueryDatabase(), CurObjId(), host->Obj).isEmpty());
}

void TFFindBuchBrief::EditHostLink()
{
    const QString operation = CurObjId();
    const TDBMainInfo* host = MasterDBInfo();
    if (!host || EmptyIdText(operation))
        return;
    const QString link = OperationLinks::Find(QueryDatabase(), operation, host->Obj);
    if (link.isEmpty())
        return;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(QueryDatabase());
    if (work->SetObj(link) && EditWorkInfo() == 1)
        RunQuery(operation);
}

bool TFFindBuchBrief::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    // An operation dropped on a card's list is linked to the card's object.
    if (IsCardHost(HostKind()) && info.ObjType == Kind::MoneyOperation)
        return true;
    reason = u"Неверный тип"_s;
    return false;
}

bool TFFindBuchBrief::LinkObject()
{
    const TDropObject dropped = DropObj();
    if (dropped.IsEmpty() || dropped.Kind != Kind::MoneyOperation)
        return false;
    return LinkOperation(dropped.Id);
}

void TFFindBuchBrief::aCopyExecute()
{
    const QString current = CurObjId();
    if (EmptyIdText(current))
        return;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(QueryDatabase());
    if (!work->SetObj(current) || work->ObjType != Kind::MoneyOperation)
        return;
    // A new operation dated now: the editor writes new rows (a transfer a new pair) without links.
    work->SetId(QString());
    const TMoneyOperationView copy(*work);
    copy.SetDate(DateSerial::Now());
    copy.SetHasDate(true);
    if (EditWorkInfo() != 1)
        return;
    const QString made = work->Obj;
    if (!SelectInDialog())
        OpenWorkInfo();
    RunQuery(made);
}

void TFFindBuchBrief::AddOperationLink()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = PickAnyOperation;
    if (PickWorkInfo() != 1 || work->ObjType != Kind::MoneyOperation || EmptyIdText(work->Obj))
        return;
    // A copy: the link is prepared in the same working record.
    const QString picked = work->Obj;
    if (LinkOperation(picked))
        RunQuery(picked);
}

bool TFFindBuchBrief::LinkOperation(const QString& operation)
{
    const TDBMainInfo* host = MasterDBInfo();
    if (!host || !IsCardHost(host->ObjType) || EmptyIdText(operation))
        return false;
    TMyDataBase* db = QueryDatabase();
    if (!OperationLinks::Edit(*this, db, operation, host->Obj, m_category))
        return false;
    // The list stands on the operation linked.
    WorkInfo()->SetDatabase(db);
    return WorkInfo()->SetObj(operation);
}

void TFFindBuchBrief::aPrintExecute()
{
    Screens::PrintList(Kind::MoneyOperation, *Grid->Model());
}

QString TFFindBuchBrief::GetSelectSQL()
{
    // Operations of one day: the one entered last first.
    return SelectStatement(GetWhereSQL(), TotalOrder(sqlOrder(), u"AllInfo.ObjId desc"_s));
}

QString TFFindBuchBrief::GetWhereSQL()
{
    m_whereExt.clear();
    TDBMainInfo* options = FindOptions();
    options->Clear();
    options->SetDatabase(QueryDatabase());
    const int kind = HostKind();
    options->ObjType = kind;
    const TDBMainInfo* host = MasterDBInfo();
    if (host && (IsCardHost(kind) || kind == Kind::Group))
        options->Link2 = host->Obj;
    ParseOptionList();
    // The totals apply the host of a card or a project themselves; any other host's condition reaches them
    // with the rest of the extra conditions.
    if (!IsCardHost(kind) && kind != Kind::Group)
        AddCondition(m_whereExt, HostCondition());
    QString conditions;
    IdCondition(conditions, options->Link1, u"AllInfo.Link1"_s);
    AddCondition(conditions, TFBuchSumInfo::FilterConditions(*options));
    DateCondition(conditions, u"AllInfo.Date1"_s, DateOp::From, options->Date1);
    DateCondition(conditions, u"AllInfo.Date1"_s, DateOp::Before, options->Date2);
    if (IsCardHost(kind) || kind == Kind::Group)
        AddCondition(conditions, HostCondition());
    AddCondition(conditions, m_whereExt);
    return conditions.isEmpty() ? QString() : u" and "_s + conditions;
}

QString TFFindBuchBrief::IdOf(const TValueList& list, const QString& text)
{
    for (const TValueItem& item : list)
        if (item.Text.trimmed() == text)
            return item.HasId() ? QString(item.Id) : QString();
    return QString();
}

QStringList TFFindBuchBrief::OptionListGetPickList(const QString& key)
{
    TMyDataBase* db = QueryDatabase();
    if (key == AccountRow) {
        m_accountChoices = OperationChoices::Accounts(db);
        QStringList texts {QString()};
        for (const TAccountChoice& account : std::as_const(m_accountChoices))
            texts << account.Text;
        return texts;
    }
    if (key == PeriodRow)
        return {Today, Custom};
    if (key == OperationRow)
        return OperationEntries();
    if (key == GroupRow) {
        if (HostKind() == Kind::Group)
            return ValueTexts(m_groups);
        m_operationChoice = CurrentOperationChoice();
        m_groups.clear();
        if (m_operationChoice == IncomeExpense) {
            GroupLists::ProjectList(db, m_groups);
            m_groups.prepend(TValueItem {NoCategory, TGID(Ids::None)});
        } else if (m_operationChoice == IncomeOnly || m_operationChoice == ExpenseOnly) {
            m_groups = OperationChoices::Categories(
                db, m_operationChoice == IncomeOnly ? OperationCode::Income : OperationCode::Expense);
            // The operations without a category carry the none id.
            m_groups.first().Id = TGID(Ids::None);
        } else {
            return {};
        }
        m_groups.prepend(TValueItem {});
        return ValueTexts(m_groups);
    }
    if (key == SubgroupRow) {
        m_operationChoice = CurrentOperationChoice();
        if (HostKind() != Kind::Group) {
            const QString group = OptionList->Values(GroupRow).trimmed();
            if (!group.isEmpty() && IdOf(m_groups, group).isEmpty())
                OptionListGetPickList(GroupRow);
            m_category = group.isEmpty() ? QString() : IdOf(m_groups, group);
        }
        m_subgroups.clear();
        if ((m_operationChoice != IncomeOnly && m_operationChoice != ExpenseOnly) || IsEmptyId(m_category))
            return {};
        m_subgroups = OperationChoices::Subcategories(
            db, m_operationChoice == IncomeOnly ? OperationCode::Income : OperationCode::Expense, m_category);
        m_subgroups.first().Id = TGID(Ids::None);
        m_subgroups.prepend(TValueItem {});
        return ValueTexts(m_subgroups);
    }
    if (key == CounterpartyRow && HostKind() == Kind::MoneyOperation) {
        QStringList names {QString()};
        auto q = TMyDataBase::QueryOn(db,
            u"select distinct PInfo.Str5 from AllInfo, AllInfo as PInfo where AllInfo.ObjType = "_s
                + QString::number(Kind::MoneyOperation) + u" and PInfo.ObjId = AllInfo.Link2 and PInfo.ObjType <> "_s
                + QString::number(Kind::Placeholder) + u" order by PInfo.Str5"_s);
        while (q && q->next())
            if (const QString name = q->value(0).toString(); !name.trimmed().isEmpty())
                names << name;
        return names;
    }
    if (key == ParticipantRow) {
        m_participants = {TValueItem {}};
        const TDBMainInfo* host = MasterDBInfo();
        // The participants hold the other sides of the event's roles.
        auto q = TMyDataBase::QueryOn(db,
            u"select ObjId, Str5 from AllInfo where ObjId in (select P.Link1 from AllInfo as R, AllInfo as P "
            "where R.ObjType = "_s
                + QString::number(Kind::Role) + u" and R.Link1 = "_s
                + SqlDialect::Quote(host ? QString(host->Obj) : QString())
                + u" and P.ObjId = R.Link5) order by ObjType, Str5"_s);
        while (q && q->next())
            m_participants.append(TValueItem {q->value(1).toString(), TGID(q->value(0).toString())});
        return ValueTexts(m_participants);
    }
    return {};
}

void TFFindBuchBrief::ParseOptionList()
{
    TDBMainInfo* options = FindOptions();
    const auto value = [this](const QString& key) { return OptionList->Values(key).trimmed(); };
    if (const QString account = value(AccountRow); !account.isEmpty()) {
        if (m_accountChoices.isEmpty())
            OptionListGetPickList(AccountRow);
        for (const TAccountChoice& choice : std::as_const(m_accountChoices)) {
            if (choice.Text.trimmed() == account) {
                options->Link1 = choice.Id;
                break;
            }
        }
    }

    // "Сегодня" is today's date; a typed period runs from the "с" day to the end of the "по" day.
    // "Произвольно" gives the row the mask of a range; a range with neither date typed takes it away again.
    const QString period = value(PeriodRow);
    bool typed = false;
    if (period == Today) {
        options->Date1 = DateSerial::Today();
        options->Date2 = options->Date1 + 1;
    } else if (!period.isEmpty() && period != Custom) {
        const QString text = OptionList->Values(PeriodRow);
        double from = 0;
        double to = 0;
        if (TryDate(from, text.mid(3, 10).trimmed())) {
            options->Date1 = std::floor(from);
            typed = true;
        }
        if (TryDate(to, text.mid(18, 10).trimmed())) {
            options->Date2 = std::floor(to) + 1;
            typed = true;
        }
    }
    const int periodRow = OptionList->FindRow(PeriodRow);
    const QString mask = period == Custom || typed ? PeriodMask : QString();
    if (periodRow >= 0 && OptionList->ItemProps(periodRow).EditMask != mask)
        OptionList->SetItemProps(periodRow, PickRow(false, mask));

    m_operationChoice = CurrentOperationChoice();
    switch (m_operationChoice) {
    case IncomeExpense:
        options->Int1 = IncomesAndExpenses;
        options->Str3 = u"AllInfo.Int1 in (1, 2, 4, 8)"_s;
        break;
    case IncomeOnly:
        options->Int1 = OperationCode::Income;
        break;
    case ExpenseOnly:
        options->Int1 = OperationCode::Expense;
        break;
    case DebtorsOnly:
        options->Int1 = Debtors;
        options->Str3 = u"AllInfo.Int1 in (16, 32)"_s;
        break;
    case CreditorsOnly:
        options->Int1 = Creditors;
        options->Str3 = u"AllInfo.Int1 in (64, 128)"_s;
        break;
    case TransfersOnly:
        options->Int1 = OperationCode::Transfer;
        break;
    case ExchangesOnly:
        options->Int1 = OperationCode::Exchange;
        break;
    default:
        break;
    }

    if (HostKind() == Kind::Group) {
        m_category = m_groups.isEmpty() ? QString() : QString(m_groups.first().Id);
    } else {
        const QString group = value(GroupRow);
        if (!group.isEmpty() && IdOf(m_groups, group).isEmpty())
            OptionListGetPickList(GroupRow);
        m_category = group.isEmpty() ? QString() : IdOf(m_groups, group);
        options->Link3 = m_category;
    }
    if (const QString subgroup = value(SubgroupRow); !subgroup.isEmpty()) {
        if (IdOf(m_subgroups, subgroup).isEmpty())
            OptionListGetPickList(SubgroupRow);
        options->Link4 = IdOf(m_subgroups, subgroup);
    }
    options->Comments = value(CommentRow);

    if (const QString participant = value(ParticipantRow); !participant.isEmpty()) {
        if (IdOf(m_participants, participant).isEmpty())
            OptionListGetPickList(ParticipantRow);
        if (const QString id = IdOf(m_participants, participant); !id.isEmpty())
            AddCondition(m_whereExt, u"(AllInfo.Link2 = "_s + SqlDialect::Quote(id) + u')');
    }
    if (const QString name = value(CounterpartyRow); !name.isEmpty()) {
        AddCondition(m_whereExt,
            u"AllInfo.Link2 in (select AllInfo.ObjId from AllInfo where (ObjType = "_s + QString::number(Kind::Person)
                + u" or ObjType = "_s + QString::number(Kind::Organization) + u") and Str5 like "_s
                + SqlDialect::Quote(name + u'%') + u')');
    }
}

QString TFFindBuchBrief::Description(const TListRow& row)
{
    const qint64 amount = row.Int(u"Int2"_s);
    const int code = static_cast<int>(row.Int(u"Int1"_s));
    switch (code) {
    case OperationCode::Income:
    case OperationCode::Expense:
        return row.Text(u"GrpName"_s);
    case OperationCode::Transfer:
        return amount < 1 ? u"Перенос со счета"_s : u"Перенос на счет"_s;
    case OperationCode::Exchange:
        return amount < 1 ? u"Покупка валюты"_s : u"Продажа валюты"_s;
    case OperationCode::Lent:
    case OperationCode::LentReturned:
    case OperationCode::Borrowed:
    case OperationCode::BorrowedReturned:
        return OperationCode::DebtName(code);
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
    // The totals follow the rows: the same filter, the same extra conditions.
    m_sumInfo->SetSpecFindOptions(m_whereExt);
    m_sumInfo->SetMasterDBInfo(FindOptions());
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
    if (!m_category.isEmpty())
        operation.SetCategory(m_category);
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
    // An operation dragged onto a card's finance section is linked there.
    SetGridDraged(true);
    SetupForHost(Kind::MoneyOperation);
}

QStringList TBuchList::OptionRows(int) const
{
    return {AccountRow, PeriodRow, OperationRow, GroupRow, SubgroupRow, CounterpartyRow, CommentRow};
}

TBuchList::~TBuchList() = default;
