#include "finance/EditAccount.h"

#include "finance/AccountTypes.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/TimeEdit.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AccountView.h"
#include "store/kinds/OrganizationView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QWidget* Row(QWidget* parent, const QString& caption, QWidget* field)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* text = new QLabel(caption, row);
    text->setMinimumWidth(80);
    text->setBuddy(field);
    field->setParent(row);
    layout->addWidget(text);
    layout->addWidget(field, 1);
    return row;
}

} // namespace

TEditAccount::TEditAccount(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eName(new QLineEdit)
    , m_cbValuta(new QComboBox)
    , m_cbLinkType(new QComboBox)
    , m_mMainFirma(new QPlainTextEdit)
    , m_mComments(new TLimitedMemo(CommentLength))
{
    setObjectName(u"EditAccount"_s);
    m_eName->setObjectName(u"eName"_s);
    m_eName->setMaxLength(NameLength);
    m_cbValuta->setObjectName(u"cbValuta"_s);
    m_cbValuta->setEditable(true);
    m_cbValuta->setInsertPolicy(QComboBox::NoInsert);
    m_cbLinkType->setObjectName(u"cbLinkType"_s);
    m_cbLinkType->setEditable(false);
    const QStringList types = AccountTypes::Captions();
    for (int code = 0; code < types.size(); ++code)
        m_cbLinkType->addItem(MainData().LagreIcons().Icon(AccountTypePicture(code, -1)), types[code]);
    m_cbLinkType->setCurrentIndex(0);
    connect(m_cbLinkType, &QComboBox::currentIndexChanged, this, &TEditAccount::cbLinkTypeChange);

    auto* gbType = new QGroupBox(u"Тип счета"_s, this);
    gbType->setObjectName(u"gbType"_s);
    auto* typeLayout = new QVBoxLayout(gbType);
    typeLayout->setContentsMargins(4, 2, 4, 2);
    m_cbLinkType->setParent(gbType);
    typeLayout->addWidget(m_cbLinkType);

    m_gbDT = PeriodBox(u"Счет активен"_s, m_dtStart, m_dtEnd, this);

    m_gbFirma = new QGroupBox(u"Фин. учреждение, где открыт счет"_s, this);
    m_gbFirma->setObjectName(u"gbFirma"_s);
    m_tbFind = new QToolButton(m_gbFirma);
    m_tbFind->setObjectName(u"tbFind"_s);
    m_tbFind->setIcon(MainData().LagreIcons().Icon(2));
    m_tbFind->setToolTip(u"Выбрать организацию"_s);
    connect(m_tbFind, &QToolButton::clicked, this, &TEditAccount::tbFindClick);
    m_mMainFirma->setObjectName(u"mMainFirma"_s);
    m_mMainFirma->setParent(m_gbFirma);
    m_mMainFirma->setReadOnly(true);
    m_mMainFirma->setTabChangesFocus(true);
    m_mMainFirma->setMaximumHeight(48);
    auto* firmaLayout = new QHBoxLayout(m_gbFirma);
    firmaLayout->setContentsMargins(4, 2, 4, 2);
    firmaLayout->addWidget(m_tbFind, 0, Qt::AlignTop);
    firmaLayout->addWidget(m_mMainFirma, 1);

    auto* gbMemo = new QGroupBox(u"Комментарий"_s, this);
    gbMemo->setObjectName(u"gbMemo"_s);
    auto* memoLayout = new QVBoxLayout(gbMemo);
    memoLayout->setContentsMargins(4, 2, 4, 2);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setParent(gbMemo);
    m_mComments->setTabChangesFocus(true);
    m_mComments->setMinimumHeight(50);
    memoLayout->addWidget(m_mComments);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(Row(this, u"Название"_s, m_eName));
    layout->addWidget(Row(this, u"Валюта"_s, m_cbValuta));
    layout->addWidget(gbType);
    layout->addWidget(m_gbDT);
    layout->addWidget(m_gbFirma);
    layout->addWidget(gbMemo, 1);
    setMinimumWidth(400);
    cbLinkTypeChange();
}

TEditAccount::~TEditAccount()
{
    // The date editors are linked to the master; they leave it before it may go.
    m_dtStart->SetMasterDBInfo(nullptr);
    m_dtEnd->SetMasterDBInfo(nullptr);
}

void TEditAccount::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_dtStart->SetLinkMode(1);
    m_dtEnd->SetLinkMode(1);
    m_dtStart->SetMasterDBInfo(MasterDBInfo());
    m_dtEnd->SetMasterDBInfo(MasterDBInfo());
}

void TEditAccount::cbLinkTypeChange()
{
    const bool held = m_cbLinkType->currentIndex() > 0;
    m_gbFirma->setVisible(held);
    m_gbDT->setVisible(held);
    if (!held) {
        // Cash is held nowhere and has no period: what was chosen for another type goes.
        m_institution.clear();
        ShowInstitution();
        m_dtStart->eDT()->clear();
        m_dtEnd->eDT()->clear();
    }
}

void TEditAccount::ShowInstitution()
{
    m_mMainFirma->clear();
    if (IsEmptyId(m_institution))
        return;
    TDBMainInfo firm;
    if (const TDBMainInfo* master = MasterDBInfo())
        firm.SetDatabase(master->Database());
    if (!firm.SetObj(m_institution) || firm.ObjType != Kind::Organization)
        return;
    const TConstOrganizationView view(firm);
    const QString form = view.FormOrParent().trimmed();
    m_mMainFirma->setPlainText(form.isEmpty() ? view.Name() : form + u", "_s + view.Name());
}

void TEditAccount::tbFindClick()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Organization;
    if (PickWorkInfo() != 1 || work->ObjType != Kind::Organization)
        return;
    m_institution = work->Obj;
    ShowInstitution();
}

void TEditAccount::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TConstAccountView account(*master);
    TValueList currencies;
    DistinctValues(master->Database(), u"Str4"_s, QString(), currencies, 0, 1, Kind::Account);
    m_cbValuta->clear();
    m_cbValuta->addItems(ValueTexts(currencies));
    const int currency = m_cbValuta->findText(account.Currency());
    m_cbValuta->setCurrentIndex(currency);
    if (currency < 0)
        m_cbValuta->setEditText(QString());
    // The operations of a stored account are in its currency: it is chosen once.
    m_cbValuta->setEnabled(IsNewId(master->Obj));
    const int type = static_cast<int>(account.AccountKind());
    m_cbLinkType->setCurrentIndex(type >= 0 && type < m_cbLinkType->count() ? type : 0);
    m_institution = account.Institution().Text();
    cbLinkTypeChange();
    ShowInstitution();
    m_eName->setText(account.Name());
    m_mComments->setPlainText(master->Comments);
    m_eName->setFocus();
}

bool TEditAccount::ValidateData()
{
    m_errorText.clear();
    if (m_eName->text().trimmed().isEmpty()) {
        m_errorText = u"Укажите название счета"_s;
        m_eName->setFocus();
        return false;
    }
    return true;
}

void TEditAccount::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TAccountView account(*master);
    const bool held = m_cbLinkType->currentIndex() > 0;
    account.SetInstitution(held ? m_institution : QString());
    if (!held) {
        // The date editors store after this frame: emptied, they store no period.
        m_dtStart->eDT()->clear();
        m_dtEnd->eDT()->clear();
    }
    account.SetAccountKind(std::max(0, m_cbLinkType->currentIndex()));
    account.SetName(m_eName->text().trimmed());
    account.SetCurrency(m_cbValuta->currentText().trimmed());
    account.SetDisplayName(AccountDisplayName(account.Name(), account.Currency()));
    account.SetComments(m_mComments->toPlainText().trimmed());
}

void TEditAccount::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Account);
    AnnounceObjectSaved(Kind::MoneyOperation);
}
