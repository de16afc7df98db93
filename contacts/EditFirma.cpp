#include "contacts/EditFirma.h"

#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/SelectClientFrame.h"
#include "shell/widgets/DBImageFrame.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/TimeEdit.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/OrganizationView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int NameLength = 249;
constexpr int CommentLength = 200;
} // namespace

TEditFirma::TEditFirma(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_name(new QLineEdit(this))
    , m_formPanel(new QWidget(this))
    , m_form(new QLineEdit(m_formPanel))
    , m_comments(new TLimitedMemo(CommentLength))
    , m_foto(new TDBImageFrame(this))
    , m_start(new TdbTimeEdit(this))
    , m_end(new TdbTimeEdit(this))
    , m_linkBox(new QCheckBox(u"Подразделение фирмы"_s, this))
    , m_link(new TFSelectClientFrame(this))
{
    m_name->setObjectName(u"eName"_s);
    m_name->setMaxLength(NameLength);
    m_formPanel->setObjectName(u"pPS"_s);
    m_form->setObjectName(u"eFS"_s);
    m_comments->setObjectName(u"mComments"_s);
    m_comments->setTabChangesFocus(true);
    m_foto->setObjectName(u"pFoto"_s);
    m_foto->SetFoneString(u"Логотип"_s);
    m_foto->SetDeadVisible(false);
    m_foto->setMinimumSize(96, 96);
    m_start->setObjectName(u"dtStart"_s);
    m_start->SetdbField(Tdb_dtFields::db_Date1);
    m_start->SetToolBarVisible(true);
    m_start->SetAlarm(true);
    m_end->setObjectName(u"dtEnd"_s);
    m_end->SetdbField(Tdb_dtFields::db_Date2);
    m_end->SetToolBarVisible(false);
    m_end->SetAlarm(false);
    m_linkBox->setObjectName(u"cbLinkObj"_s);
    m_link->setObjectName(u"LinkObj"_s);
    m_link->SetButtonMode(TFSelectClientFrame::bmFirma);
    m_link->SetViewList(false);
    connect(m_linkBox, &QCheckBox::clicked, this, &TEditFirma::cbLinkObjClick);
    // Branches may be added elsewhere (the card's branch section) while the editor is open.
    Screens::RegisterObjectSaved(
        Kind::Organization, [this](int) { m_linkBox->setEnabled(!HasBranchesNow()); }, this);

    auto* nameLabel = new QLabel(u"Название"_s, this);
    nameLabel->setBuddy(m_name);
    auto* formLabel = new QLabel(u"Форма собственности"_s, m_formPanel);
    formLabel->setBuddy(m_form);
    auto* formLayout = new QHBoxLayout(m_formPanel);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->addWidget(formLabel);
    formLayout->addWidget(m_form, 1);

    auto* dates = new QGridLayout;
    auto* startLabel = new QLabel(u"Создана"_s, this);
    auto* endLabel = new QLabel(u"Закрыта"_s, this);
    dates->addWidget(startLabel, 0, 0);
    dates->addWidget(m_start, 0, 1);
    dates->addWidget(endLabel, 1, 0);
    dates->addWidget(m_end, 1, 1);
    dates->setColumnStretch(1, 1);

    auto* fields = new QVBoxLayout;
    fields->addWidget(nameLabel);
    fields->addWidget(m_name);
    fields->addWidget(m_formPanel);
    fields->addWidget(m_linkBox);
    fields->addWidget(m_link);
    fields->addLayout(dates);
    fields->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(m_foto, 0, Qt::AlignTop);

    auto* commentBox = new QGroupBox(u"Коментарий"_s, this);
    (new QVBoxLayout(commentBox))->addWidget(m_comments);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(commentBox, 1);
    cbLinkObjClick();
}

TEditFirma::~TEditFirma() = default;

void TEditFirma::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_foto->SetMasterDBInfo(MasterDBInfo());
    m_start->SetMasterDBInfo(MasterDBInfo());
    m_end->SetMasterDBInfo(MasterDBInfo());
}

bool TEditFirma::HasBranchesNow() const
{
    const TDBMainInfo* master = MasterDBInfo();
    return master && !IsNewId(master->Obj) && HasBranches(master->Obj, master->Database());
}

void TEditFirma::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TOrganizationView firm(*master);
    m_form->clear();
    m_loadedParent = IsEmptyId(firm.Parent()) ? QString() : firm.Parent().Text();
    m_linkBox->setChecked(!m_loadedParent.isEmpty());
    cbLinkObjClick();
    m_link->SetObjectId(m_loadedParent, master->Database());
    m_name->setText(firm.Name());
    m_form->setText(firm.FormOrParent());
    m_comments->setPlainText(firm.Comments());
    m_linkBox->setEnabled(!HasBranchesNow());
}

void TEditFirma::cbLinkObjClick()
{
    const bool branch = m_linkBox->isChecked();
    m_link->setVisible(branch);
    m_formPanel->setVisible(!branch);
    if (!branch && m_link->HasObject())
        m_link->ToolButton3Click();
}

bool TEditFirma::ValidateData()
{
    m_parentName.clear();
    const TDBMainInfo* master = MasterDBInfo();
    if (m_name->text().trimmed().isEmpty()) {
        m_errorText = u"Укажите название организации!"_s;
        m_name->setFocus();
        return false;
    }
    if (!master || !m_linkBox->isChecked() || !m_link->HasObject())
        return true;
    // The parent is read afresh: it may have become a branch since it was picked.
    TDBMainInfo parent;
    parent.SetDatabase(m_link->MasterDBInfo()->Database());
    parent.SetObj(m_link->ObjectId());
    const auto refuse = [this](const QString& text) {
        m_errorText = text;
        m_link->tbFind()->setFocus();
        return false;
    };
    if (SameId(parent.Obj, master->Obj))
        return refuse(u"Фирма не может быть сама себе подразделением!"_s);
    m_parentName = OrganizationView(parent).DisplayName();
    if (SameId(parent.Link1, master->Obj))
        return refuse(u"Циклическая ссылка!"_s);
    // Two levels only: the parent is no branch, and this organization has no branches, unless it was stored
    // as a branch before (the save then keeps it independent).
    if (!IsEmptyId(parent.Link1) || (m_loadedParent.isEmpty() && HasBranchesNow()))
        return refuse(OrganizationTexts::BranchOfBranch);
    return true;
}

void TEditFirma::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    if (m_linkBox->isChecked() && HasBranchesNow()) {
        m_linkBox->setChecked(false);
        cbLinkObjClick();
    }
    const TOrganizationView firm(*master);
    const bool branch = m_linkBox->isChecked() && m_link->HasObject();
    if (branch) {
        firm.SetParent(m_link->ObjectId());
    } else {
        firm.SetParent(Ids::None);
        firm.SetFormOrParent(m_form->text().trimmed());
    }
    firm.SetName(m_name->text().trimmed());
    firm.SetDisplayName(OrganizationDisplayName(branch ? m_parentName : QString(), firm.FormOrParent(), firm.Name()));
    firm.SetComments(m_comments->toPlainText().trimmed().left(CommentLength));
}

void TEditFirma::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Organization);
}
