#include "finance/EditBuchInOut.h"

#include "shell/frames/SelectClientFrame.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/Money.h"
#include "store/ObjectKinds.h"
#include "store/kinds/MoneyOperationView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int SetupPicture = 26;

bool KnownCode(qint64 code)
{
    switch (code) {
    case OperationCode::Income:
    case OperationCode::Expense:
    case OperationCode::Transfer:
    case OperationCode::Exchange:
    case OperationCode::Lent:
    case OperationCode::LentReturned:
    case OperationCode::Borrowed:
    case OperationCode::BorrowedReturned:
        return true;
    default:
        return false;
    }
}

bool IsDebt(int code)
{
    return code >= OperationCode::Lent && code <= OperationCode::BorrowedReturned;
}

// Where \a chosen stands in \a ids: a null \a chosen stands nowhere (the caller takes the first entry); an
// empty id (blank, null or none) is the entry that stands for none.
int IndexOfChoice(const QStringList& ids, const QString& chosen)
{
    if (chosen.isNull())
        return -1;
    for (int i = 0; i < ids.size(); ++i) {
        if (SameId(ids[i], chosen) || (IsEmptyId(ids[i]) && IsEmptyId(chosen)))
            return i;
    }
    return -1;
}

QStringList IdsOf(const TAccountChoices& accounts)
{
    QStringList ids;
    for (const TAccountChoice& account : accounts)
        ids << account.Id;
    return ids;
}

QStringList IdsOf(const TValueList& list)
{
    QStringList ids;
    for (const TValueItem& item : list)
        ids << item.Id.Text();
    return ids;
}

template <typename TList> void Reorder(TList& list, const QStringList& ids, const QStringList& used)
{
    const QList<int> order = OperationChoices::UsageOrder(ids, used);
    TList reordered;
    for (int at : order)
        reordered.append(list[at]);
    list = reordered;
}

void FillAccounts(QComboBox* box, const TAccountChoices& accounts)
{
    box->clear();
    for (const TAccountChoice& account : accounts)
        box->addItem(MainData().LagreIcons().Icon(account.Picture), account.Text);
}

QToolButton* SetupButton(QWidget* parent, const QString& name, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(MainData().LagreIcons().Icon(SetupPicture));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QHBoxLayout* RowLayout(QWidget* row)
{
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(4);
    return layout;
}

QLabel* Caption(QWidget* parent, const QString& text, QWidget* buddy, int width = 70)
{
    auto* label = new QLabel(text, parent);
    label->setMinimumWidth(width);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TEditBuchInOut::TEditBuchInOut(QWidget* parent)
    : TBaseDBFrame(parent)
{
    setObjectName(u"EditBuchInOut"_s);

    auto* pDate = new QWidget(this);
    pDate->setObjectName(u"pDate"_s);
    m_dtStart = new TdbTimeEdit(pDate);
    m_dtStart->setObjectName(u"db_DTStart"_s);
    m_dtStart->SetdbField(Tdb_dtFields::db_Date1);
    m_dtStart->SetTimeMode(false);
    m_dtStart->SetToolBarVisible(false);
    m_dtStart->SetRequred(true);
    auto* dateLayout = RowLayout(pDate);
    dateLayout->addWidget(Caption(pDate, u"Дата"_s, m_dtStart->eDT()));
    dateLayout->addWidget(m_dtStart);
    dateLayout->addStretch(1);

    m_pSum1 = new QWidget(this);
    m_pSum1->setObjectName(u"pSum1"_s);
    m_eVolume = new QLineEdit(m_pSum1);
    m_eVolume->setObjectName(u"eVolume"_s);
    m_eVolume->setAlignment(Qt::AlignRight);
    m_vAcc1 = new QLabel(m_pSum1);
    m_vAcc1->setObjectName(u"vAcc1"_s);
    m_vAcc1->setMinimumWidth(40);
    auto* sumLayout = RowLayout(m_pSum1);
    sumLayout->addWidget(Caption(m_pSum1, u"Сумма"_s, m_eVolume));
    sumLayout->addWidget(m_eVolume, 1);
    sumLayout->addWidget(m_vAcc1);

    auto* pMainAcc = new QWidget(this);
    pMainAcc->setObjectName(u"pMainAcc"_s);
    m_cbAllAcc = new QComboBox(pMainAcc);
    m_cbAllAcc->setObjectName(u"cbAllAcc"_s);
    m_lMainAcc = Caption(pMainAcc, QString(), m_cbAllAcc);
    m_lMainAcc->setObjectName(u"lMainAcc"_s);
    m_toolButton3 = SetupButton(pMainAcc, u"ToolButton3"_s, u"Настройка счетов"_s);
    auto* accLayout = RowLayout(pMainAcc);
    accLayout->addWidget(m_lMainAcc);
    accLayout->addWidget(m_cbAllAcc, 1);
    accLayout->addWidget(m_toolButton3);

    m_gbIn = new QGroupBox(this);
    m_gbIn->setObjectName(u"gbIn"_s);
    m_pIn = new QWidget(m_gbIn);
    m_pIn->setObjectName(u"pIn"_s);
    m_cbCategory = new QComboBox(m_pIn);
    m_cbCategory->setObjectName(u"cbCategory"_s);
    m_cbSubCategory = new QComboBox(m_pIn);
    m_cbSubCategory->setObjectName(u"cbSubCategory"_s);
    m_toolButton1 = SetupButton(m_pIn, u"ToolButton1"_s, u"Настройка групп"_s);
    m_toolButton2 = SetupButton(m_pIn, u"ToolButton2"_s, u"Настройка подгрупп"_s);
    auto* inLayout = new QGridLayout(m_pIn);
    inLayout->setContentsMargins(0, 0, 0, 0);
    inLayout->setSpacing(4);
    inLayout->addWidget(Caption(m_pIn, u"Категория"_s, m_cbCategory), 0, 0);
    inLayout->addWidget(m_cbCategory, 0, 1);
    inLayout->addWidget(m_toolButton1, 0, 2);
    inLayout->addWidget(Caption(m_pIn, u"Подкатегория"_s, m_cbSubCategory), 1, 0);
    inLayout->addWidget(m_cbSubCategory, 1, 1);
    inLayout->addWidget(m_toolButton2, 1, 2);
    inLayout->setColumnStretch(1, 1);
    m_gbObj = new QGroupBox(m_gbIn);
    m_gbObj->setObjectName(u"gbObj"_s);
    m_gbMainFirma = new TFSelectClientFrame(m_gbObj);
    m_gbMainFirma->setObjectName(u"gbMainFirma"_s);
    m_gbMainFirma->SetButtonMode(TFSelectClientFrame::bmPeople | TFSelectClientFrame::bmFirma);
    m_gbMainFirma->SetButtonCaption(QString());
    m_gbMainFirma->SetViewList(true);
    m_gbMainFirma->OnInitLinkMasterInfo = [this](TDBMainInfo& context) {
        context.Clear();
        context.ObjType = Kind::MoneyOperation;
        context.Link3 = Category();
        context.Link4 = Subcategory();
    };
    auto* objLayout = new QVBoxLayout(m_gbObj);
    objLayout->setContentsMargins(4, 2, 4, 2);
    objLayout->addWidget(m_gbMainFirma);
    auto* gbInLayout = new QVBoxLayout(m_gbIn);
    gbInLayout->setContentsMargins(4, 2, 4, 2);
    gbInLayout->addWidget(m_pIn);
    gbInLayout->addWidget(m_gbObj);

    m_pAcc2 = new QWidget(this);
    m_pAcc2->setObjectName(u"pAcc2"_s);
    m_cbAcc2 = new QComboBox(m_pAcc2);
    m_cbAcc2->setObjectName(u"cbAcc2"_s);
    m_lAcc2 = Caption(m_pAcc2, u"На счет"_s, m_cbAcc2);
    m_lAcc2->setObjectName(u"lAcc2"_s);
    m_toolButton4 = SetupButton(m_pAcc2, u"ToolButton4"_s, u"Настройка счетов"_s);
    m_eVolume2 = new QLineEdit(m_pAcc2);
    m_eVolume2->setObjectName(u"eVolume2"_s);
    m_eVolume2->setAlignment(Qt::AlignRight);
    m_vAcc2 = new QLabel(m_pAcc2);
    m_vAcc2->setObjectName(u"vAcc2"_s);
    m_vAcc2->setMinimumWidth(40);
    auto* acc2Layout = new QGridLayout(m_pAcc2);
    acc2Layout->setContentsMargins(4, 1, 4, 1);
    acc2Layout->setSpacing(4);
    acc2Layout->addWidget(m_lAcc2, 0, 0);
    acc2Layout->addWidget(m_cbAcc2, 0, 1, 1, 2);
    acc2Layout->addWidget(m_toolButton4, 0, 3);
    acc2Layout->addWidget(Caption(m_pAcc2, u"Сумма"_s, m_eVolume2), 1, 0);
    acc2Layout->addWidget(m_eVolume2, 1, 1);
    acc2Layout->addWidget(m_vAcc2, 1, 2);
    acc2Layout->setColumnStretch(1, 1);

    auto* gbMemo = new QGroupBox(u"Комментарий"_s, this);
    gbMemo->setObjectName(u"gbMemo"_s);
    m_mComments = new TLimitedMemo(CommentLength, gbMemo);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);
    m_mComments->setMinimumHeight(50);
    auto* memoLayout = new QVBoxLayout(gbMemo);
    memoLayout->setContentsMargins(4, 2, 4, 2);
    memoLayout->addWidget(m_mComments);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(pDate);
    layout->addWidget(m_pSum1);
    layout->addWidget(pMainAcc);
    layout->addWidget(m_gbIn);
    layout->addWidget(m_pAcc2);
    layout->addWidget(gbMemo, 1);
    setMinimumWidth(420);

    connect(m_cbAllAcc, &QComboBox::currentIndexChanged, this, &TEditBuchInOut::cbAllAccChange);
    connect(m_cbAcc2, &QComboBox::currentIndexChanged, this, &TEditBuchInOut::cbAcc2Change);
    connect(m_cbCategory, &QComboBox::currentIndexChanged, this, &TEditBuchInOut::cbCategoryChange);
    connect(m_cbSubCategory, &QComboBox::currentIndexChanged, this, &TEditBuchInOut::cbSubCategoryChange);
    connect(m_toolButton1, &QToolButton::clicked, this, &TEditBuchInOut::ToolButton1Click);
    connect(m_toolButton2, &QToolButton::clicked, this, &TEditBuchInOut::ToolButton1Click);
    connect(m_toolButton3, &QToolButton::clicked, this, &TEditBuchInOut::ToolButton3Click);
    connect(m_toolButton4, &QToolButton::clicked, this, &TEditBuchInOut::ToolButton3Click);

    m_code = OperationCode::Income;
    SetLayoutByCode();
}

TEditBuchInOut::~TEditBuchInOut()
{
    // The date editor is linked to the master; it leaves it before it may go.
    m_dtStart->SetMasterDBInfo(nullptr);
}

QString TEditBuchInOut::DialogCaption(int code)
{
    switch (code) {
    case OperationCode::Income:
        return u"Карточка доходов"_s;
    case OperationCode::Expense:
        return u"Карточка расходов"_s;
    case OperationCode::Transfer:
        return u"Перенос средств между счетами"_s;
    case OperationCode::Exchange:
        return u"Перенос средств с обменом"_s;
    case OperationCode::Lent:
    case OperationCode::LentReturned:
    case OperationCode::Borrowed:
    case OperationCode::BorrowedReturned:
        return OperationCode::DebtName(code);
    default:
        return u"Движение средств по счетам"_s;
    }
}

void TEditBuchInOut::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_dtStart->SetLinkMode(1);
    m_dtStart->SetMasterDBInfo(MasterDBInfo());
}

TMyDataBase* TEditBuchInOut::Database() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master ? master->Database() : nullptr;
}

void TEditBuchInOut::SetLayoutByCode()
{
    struct TLook
    {
        int Code;
        bool Arriving;
        QString In;
        QString Obj;
    };
    static const TLook looks[] = {
        {OperationCode::Income, true, u"Источник дохода"_s, u"Плательщик"_s},
        {OperationCode::Expense, false, u"Статья расхода"_s, u"Получатель"_s},
        {OperationCode::Transfer, false, QString(), QString()},
        {OperationCode::Exchange, false, QString(), QString()},
        {OperationCode::Lent, false, u"Кому выдал в долг"_s, u"Должник"_s},
        {OperationCode::LentReturned, true, u"Кто вернул долг"_s, u"Должник"_s},
        {OperationCode::Borrowed, true, u"Кто дал в долг"_s, u"Кредитор"_s},
        {OperationCode::BorrowedReturned, false, u"Кому отдал долг"_s, u"Кредитор"_s},
    };
    for (const TLook& look : looks) {
        if (look.Code != m_code)
            continue;
        m_lMainAcc->setText(look.Arriving ? u"На счет"_s : u"Со счета"_s);
        m_gbIn->setTitle(look.In);
        m_gbObj->setTitle(look.Obj);
    }
    const bool pair = OperationCode::IsPair(m_code);
    m_gbIn->setVisible(!pair);
    m_pIn->setVisible(m_code == OperationCode::Income || m_code == OperationCode::Expense);
    m_pAcc2->setVisible(pair);
    // A transfer moves one amount: it is typed beside the receiving account.
    m_pSum1->setVisible(m_code != OperationCode::Transfer);
}

void TEditBuchInOut::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    TMyDataBase* db = master->Database();
    m_dbInfo1.SetDatabase(db);
    m_dbInfo2.SetDatabase(db);
    const TConstMoneyOperationView dialogRow(*master);
    // Either half opens the pair from the first half's side.
    bool loaded = false;
    if (dialogRow.IsSecondHalf() && !IsEmptyId(dialogRow.PairedRow()))
        loaded = m_dbInfo1.SetObj(dialogRow.PairedRow()) && m_dbInfo1.ObjType == Kind::MoneyOperation;
    if (!loaded)
        m_dbInfo1.CopyFrom(*master);
    m_dbInfo2.Clear();
    const TConstMoneyOperationView first(m_dbInfo1);
    m_code = KnownCode(first.Code()) ? static_cast<int>(first.Code()) : OperationCode::Income;
    const bool pair = OperationCode::IsPair(m_code);
    const bool fresh = IsNewId(master->Obj);
    if (pair && !IsEmptyId(first.PairedRow())) {
        if (!m_dbInfo2.SetObj(first.PairedRow()) || m_dbInfo2.ObjType != Kind::MoneyOperation)
            m_dbInfo2.Clear();
    }
    if (fresh) {
        // A copy of an operation is a new one: new rows, a new pair, no links yet.
        m_dbInfo1.SetId(QString());
        m_dbInfo1.Link5 = QString();
        m_dbInfo1.Int3 = 0;
        m_dbInfo2.SetId(QString());
        m_dbInfo2.Link5 = QString();
    }
    SetLayoutByCode();
    if (auto* form = window(); form && InModalDialog())
        form->setWindowTitle(DialogCaption(m_code));

    m_building = true;
    // A new operation starts on what was used most; a stored one shows what it holds, its none ids included.
    const QString account = first.Account().Text();
    BuildAccounts(IsEmptyId(account) ? QString() : account);
    const TConstMoneyOperationView second(m_dbInfo2);
    const QString receiving = second.Account().Text();
    if (pair)
        BuildSecondAccounts(IsEmptyId(receiving) ? QString() : receiving);
    // A null id means "not chosen yet" (the first entry); the none id the entry that stands for none.
    const QString category = first.Category().Text();
    const QString subcategory = first.Fourth().Text();
    const bool unset = fresh && IsEmptyId(category);
    BuildCategories(unset ? QString() : (IsEmptyId(category) ? Ids::None : category));
    BuildSubcategories(
        unset && IsEmptyId(subcategory) ? QString() : (IsEmptyId(subcategory) ? Ids::None : subcategory));
    m_building = false;

    // Only a person or an organization is a counterparty (an operation made from a project's card is not
    // the project's).
    m_gbMainFirma->SetObjectId(first.Counterparty().Text(), db);
    const int kind = m_gbMainFirma->ObjectKind();
    if (kind != Kind::Person && kind != Kind::Organization)
        m_gbMainFirma->SetObjectId(QString(), db);

    const qint64 amount = qAbs(first.Amount());
    const QString amountText = fresh && amount == 0 ? QString() : Money::Text(amount);
    m_eVolume->setText(m_code == OperationCode::Transfer ? QString() : amountText);
    m_eVolume2->setText(m_code == OperationCode::Transfer ? amountText : QString());
    if (m_code == OperationCode::Exchange) {
        const qint64 received = TConstMoneyOperationView(m_dbInfo2).Amount();
        m_eVolume2->setText(fresh && received == 0 ? QString() : Money::Text(received));
    }
    m_mComments->setPlainText(first.Comments());
    ShowCurrencies();
    m_dtStart->eDT()->setFocus();
}

void TEditBuchInOut::BuildAccounts(const QString& chosen)
{
    const bool building = m_building;
    m_building = true;
    m_accountsByName = OperationChoices::Accounts(Database());
    m_accounts = m_accountsByName;
    Reorder(m_accounts, IdsOf(m_accounts),
        OperationChoices::UsedIds(Database(), OperationChoices::AccountUsageStatement(m_code, DateSerial::Today())));
    FillAccounts(m_cbAllAcc, m_accounts);
    const int at = IndexOfChoice(IdsOf(m_accounts), chosen);
    m_cbAllAcc->setCurrentIndex(at >= 0 ? at : (m_accounts.isEmpty() ? -1 : 0));
    m_building = building;
}

void TEditBuchInOut::BuildSecondAccounts(const QString& chosen)
{
    const bool building = m_building;
    m_building = true;
    const int firstAt = m_cbAllAcc->currentIndex();
    const QString first = firstAt >= 0 ? m_accounts[firstAt].Id : QString();
    const QString currency = firstAt >= 0 ? m_accounts[firstAt].Currency : QString();
    m_accounts2 = OperationChoices::SecondAccounts(m_accountsByName, m_code, first, currency);
    if (!first.isEmpty()) {
        Reorder(m_accounts2, IdsOf(m_accounts2),
            OperationChoices::UsedIds(
                Database(), OperationChoices::SecondAccountUsageStatement(m_code, first, DateSerial::Today())));
    }
    FillAccounts(m_cbAcc2, m_accounts2);
    const int at = IndexOfChoice(IdsOf(m_accounts2), chosen);
    m_cbAcc2->setCurrentIndex(at >= 0 ? at : (m_accounts2.isEmpty() ? -1 : 0));
    m_building = building;
}

void TEditBuchInOut::BuildCategories(const QString& chosen)
{
    const bool building = m_building;
    m_building = true;
    m_categories.clear();
    if (m_code == OperationCode::Income || m_code == OperationCode::Expense) {
        m_categories = OperationChoices::Categories(Database(), m_code);
        Reorder(m_categories, IdsOf(m_categories),
            OperationChoices::UsedIds(
                Database(), OperationChoices::CategoryUsageStatement(m_code, DateSerial::Today())));
    }
    m_cbCategory->clear();
    m_cbCategory->addItems(ValueTexts(m_categories));
    const int at = IndexOfChoice(IdsOf(m_categories), chosen);
    m_cbCategory->setCurrentIndex(at >= 0 ? at : (m_categories.isEmpty() ? -1 : 0));
    m_building = building;
}

void TEditBuchInOut::BuildSubcategories(const QString& chosen)
{
    const bool building = m_building;
    m_building = true;
    m_subcategories.clear();
    if (m_code == OperationCode::Income || m_code == OperationCode::Expense) {
        const QString category = Category();
        m_subcategories = OperationChoices::Subcategories(Database(), m_code, category);
        if (!IsEmptyId(category)) {
            Reorder(m_subcategories, IdsOf(m_subcategories),
                OperationChoices::UsedIds(
                    Database(), OperationChoices::SubcategoryUsageStatement(m_code, category, DateSerial::Today())));
        }
    }
    m_cbSubCategory->clear();
    m_cbSubCategory->addItems(ValueTexts(m_subcategories));
    const int at = IndexOfChoice(IdsOf(m_subcategories), chosen);
    m_cbSubCategory->setCurrentIndex(at >= 0 ? at : (m_subcategories.isEmpty() ? -1 : 0));
    m_building = building;
}

void TEditBuchInOut::ShowCurrencies()
{
    const int at = m_cbAllAcc->currentIndex();
    const QString currency = at >= 0 && at < m_accounts.size() ? m_accounts[at].Currency : QString();
    m_vAcc1->setText(currency);
    const int second = m_cbAcc2->currentIndex();
    if (m_code == OperationCode::Transfer)
        m_vAcc2->setText(currency);
    else
        m_vAcc2->setText(second >= 0 && second < m_accounts2.size() ? m_accounts2[second].Currency : QString());
}

QString TEditBuchInOut::FirstAccount() const
{
    const int at = m_cbAllAcc->currentIndex();
    return at >= 0 && at < m_accounts.size() ? m_accounts[at].Id : QString();
}

QString TEditBuchInOut::SecondAccount() const
{
    const int at = m_cbAcc2->currentIndex();
    return at >= 0 && at < m_accounts2.size() ? m_accounts2[at].Id : QString();
}

QString TEditBuchInOut::Category() const
{
    const int at = m_cbCategory->currentIndex();
    return at >= 0 && at < m_categories.size() && !IsEmptyId(m_categories[at].Id.Text()) ? m_categories[at].Id.Text()
                                                                                         : QString();
}

QString TEditBuchInOut::Subcategory() const
{
    const int at = m_cbSubCategory->currentIndex();
    return at >= 0 && at < m_subcategories.size() && !IsEmptyId(m_subcategories[at].Id.Text())
        ? m_subcategories[at].Id.Text()
        : QString();
}

void TEditBuchInOut::cbAllAccChange()
{
    if (m_building)
        return;
    if (OperationCode::IsPair(m_code))
        BuildSecondAccounts(QString());
    ShowCurrencies();
}

void TEditBuchInOut::cbAcc2Change()
{
    if (!m_building)
        ShowCurrencies();
}

void TEditBuchInOut::cbCategoryChange()
{
    if (!m_building)
        BuildSubcategories(QString());
}

void TEditBuchInOut::cbSubCategoryChange() { }

void TEditBuchInOut::ToolButton1Click()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = CategoriesDialog;
    work->Int1 = m_code;
    EditWorkInfo();
    const QString category = Category();
    const QString subcategory = Subcategory();
    BuildCategories(category);
    BuildSubcategories(subcategory);
}

void TEditBuchInOut::ToolButton3Click()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = AccountsDialog;
    EditWorkInfo();
    const QString first = FirstAccount();
    const QString second = SecondAccount();
    BuildAccounts(first);
    if (OperationCode::IsPair(m_code))
        BuildSecondAccounts(second);
    ShowCurrencies();
}

bool TEditBuchInOut::ReadAmount(QLineEdit* edit, qint64& hundredths)
{
    const Money::TParsed amount = Money::Parse(edit->text());
    if (!amount.Ok)
        m_errorText = amount.Error;
    else if (amount.Hundredths < 0)
        m_errorText = OperationStore::Negative;
    if (!m_errorText.isEmpty()) {
        edit->setFocus();
        return false;
    }
    hundredths = amount.Hundredths;
    return true;
}

bool TEditBuchInOut::ValidateData()
{
    m_errorText.clear();
    if (FirstAccount().isEmpty()) {
        m_errorText = u"Укажите счет"_s;
        m_cbAllAcc->setFocus();
        return false;
    }
    qint64 amount = 0;
    if (m_code != OperationCode::Transfer && !ReadAmount(m_eVolume, amount))
        return false;
    if (IsDebt(m_code) && !m_gbMainFirma->HasObject()) {
        m_errorText = m_code <= OperationCode::LentReturned ? u"Укажите должника"_s : u"Укажите кредитора"_s;
        // The choice of a person or an organization pops up for the user.
        m_gbMainFirma->tbFindClick();
        return false;
    }
    if (OperationCode::IsPair(m_code)) {
        if (SecondAccount().isEmpty()) {
            m_errorText = u"Укажите второй счет"_s;
            m_cbAcc2->setFocus();
            return false;
        }
        qint64 second = 0;
        if (!ReadAmount(m_eVolume2, second))
            return false;
    }
    return true;
}

int TEditBuchInOut::ApplyData()
{
    if (!MasterDBInfo())
        return -1;
    m_errorText.clear();
    if (!ValidateData())
        return 1;
    // The date is the date editor's to check; it is checked here as well, since the rows are written before
    // the date editor stores into the record.
    if (!m_dtStart->ValidateData()) {
        m_errorText = m_dtStart->ErrorText();
        return 1;
    }
    StoreData();
    return m_errorText.isEmpty() ? 0 : 1;
}

TOperationEntry TEditBuchInOut::Entry() const
{
    TOperationEntry entry;
    entry.Code = m_code;
    entry.Date = m_dtStart->State().Value;
    entry.Account = FirstAccount();
    entry.Counterparty = m_gbMainFirma->ObjectId();
    if (m_code == OperationCode::Income || m_code == OperationCode::Expense) {
        entry.Category = Category();
        entry.Subcategory = Subcategory();
    }
    const Money::TParsed first = Money::Parse(m_eVolume->text());
    const Money::TParsed second = Money::Parse(m_eVolume2->text());
    entry.Amount = m_code == OperationCode::Transfer ? second.Hundredths : first.Hundredths;
    if (OperationCode::IsPair(m_code)) {
        entry.SecondAccount = SecondAccount();
        entry.SecondAmount = m_code == OperationCode::Exchange ? second.Hundredths : entry.Amount;
    }
    entry.Comments = m_mComments->toPlainText().trimmed();
    return entry;
}

void TEditBuchInOut::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    m_dbInfo1.SetDatabase(master->Database());
    const TStoreResult result = OperationStore::Store(m_dbInfo1, Entry());
    if (!result.Ok()) {
        m_errorText = result.Text.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : result.Text;
        return;
    }
    // The record now holds the first half as stored: a second save of the dialog's record writes nothing new.
    master->CopyFrom(m_dbInfo1);
    if (OperationCode::IsPair(m_code) && !m_dbInfo2.SetObj(m_dbInfo1.Link5))
        m_dbInfo2.Clear();
}
