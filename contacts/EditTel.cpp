#include "contacts/EditTel.h"

#include "contacts/PhoneNumber.h"
#include "contacts/PhonePrefix.h"
#include "shell/widgets/LimitedMemo.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PhoneView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int CommentLength = 200;

// The number's line edit: tells its frame once it has taken the focus.
class TTelLineEdit final : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void()> OnEnter;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        // A masked line edit entered by Tab puts its caret on the first position; a caret the frame has
        // placed (after a predicted prefix) stays where it is.
        const int caret = cursorPosition();
        QLineEdit::focusInEvent(event);
        if (caret > 0)
            setCursorPosition(caret);
        if (OnEnter)
            OnEnter();
    }
};

QGroupBox* RadioGroup(const QString& name, const QString& title, QButtonGroup* group,
    const QList<std::pair<int, QString>>& buttons, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(u"gb"_s + name.mid(2));
    auto* layout = new QHBoxLayout(box);
    for (const auto& [id, caption] : buttons) {
        auto* button = new QRadioButton(caption, box);
        button->setObjectName(name + QString::number(id));
        group->addButton(button, id);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return box;
}

// Puts the kept number into the masked line edit digit by digit. A masked line edit reads a blank given
// to setText as the blank separator that follows, which would shift "7 495" to "+7 (   ) 495".
void ShowNumber(QLineEdit* edit, const QString& digits)
{
    edit->setText(QString());
    for (int i = 0; i < std::min<int>(PhoneNumber::Digits, static_cast<int>(digits.size())); ++i) {
        if (!digits.at(i).isDigit())
            continue;
        edit->setCursorPosition(PhoneNumber::MaskedPosition(i));
        edit->insert(QString(digits.at(i)));
    }
}

} // namespace

TEditTel::TEditTel(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eTel(new TTelLineEdit(this))
    , m_rbLink(new QButtonGroup(this))
    , m_rbType(new QButtonGroup(this))
    , m_pRole(new QWidget(this))
    , m_cbRole(new QComboBox(m_pRole))
    , m_mComments(new TLimitedMemo(CommentLength))
{
    setObjectName(u"EditTel"_s);
    m_eTel->setObjectName(u"eTel"_s);
    m_eTel->setInputMask(QString::fromUtf16(PhoneNumber::Mask));
    // Every position of the mask as wide as a digit, so that the blanks show where digits go.
    m_eTel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    static_cast<TTelLineEdit*>(m_eTel)->OnEnter = [this] { eTelEnter(); };
    auto* telLabel = new QLabel(u"№ телефона"_s, this);
    telLabel->setBuddy(m_eTel);

    m_rbLink->setObjectName(u"rbLink"_s);
    QGroupBox* link = RadioGroup(u"rbLink"_s, u"Принадлежность"_s, m_rbLink,
        {{Kind::Person, u"Личный"_s}, {Kind::Address, u"Домашний"_s}, {Kind::Organization, u"Рабочий"_s}}, this);
    // Whose phone it is follows from where it was made; it is shown, not chosen.
    link->setEnabled(false);
    m_rbType->setObjectName(u"rbType"_s);
    QGroupBox* type = RadioGroup(u"rbType"_s, u"Тип"_s, m_rbType,
        {{PhoneType::Phone, u"Телефон"_s}, {PhoneType::Fax, u"Факс"_s}, {PhoneType::PhoneFax, u"Тел./факс"_s},
            {PhoneType::Mobile, u"Мобильный"_s}},
        this);

    m_pRole->setObjectName(u"pRole"_s);
    m_cbRole->setObjectName(u"cbRole"_s);
    m_cbRole->setEditable(true);
    m_cbRole->setInsertPolicy(QComboBox::NoInsert);
    auto* roleLabel = new QLabel(u"Роль"_s, m_pRole);
    roleLabel->setBuddy(m_cbRole);
    auto* roleLayout = new QHBoxLayout(m_pRole);
    roleLayout->setContentsMargins(0, 0, 0, 0);
    roleLayout->addWidget(roleLabel);
    roleLayout->addWidget(m_cbRole, 1);
    m_pRole->hide();

    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);
    auto* comments = new QGroupBox(u"Коментарий"_s, this);
    comments->setObjectName(u"gbComments"_s);
    auto* commentsLayout = new QVBoxLayout(comments);
    m_mComments->setParent(comments);
    commentsLayout->addWidget(m_mComments);

    auto* number = new QHBoxLayout;
    number->addWidget(telLabel);
    number->addWidget(m_eTel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addWidget(link);
    layout->addWidget(type);
    layout->addWidget(m_pRole);
    layout->addWidget(comments, 1);
    setMinimumWidth(360);
}

TEditTel::~TEditTel()
{
    static_cast<TTelLineEdit*>(m_eTel)->OnEnter = nullptr;
}

void TEditTel::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TConstPhoneView phone(*master);
    if (QAbstractButton* type = m_rbType->button(static_cast<int>(phone.PhoneKind())))
        type->setChecked(true);
    const int ownerKind = static_cast<int>(phone.OwnerKind());
    if (QAbstractButton* owner = m_rbLink->button(ownerKind))
        owner->setChecked(true);
    const bool organization = ownerKind == Kind::Organization;
    m_pRole->setVisible(organization);
    if (organization) {
        TValueList roles;
        DistinctValues(master->Database(), u"Str1"_s, QString(), roles, 0, 0, Kind::Phone);
        m_cbRole->clear();
        m_cbRole->addItems(ValueTexts(roles));
        m_cbRole->setCurrentText(phone.Role());
    }
    m_mComments->setPlainText(master->Comments);
    QString number = phone.Number();
    int caret = 0;
    if (IsNewId(master->Obj) && PhoneNumber::IsBlank(number)) {
        number = PhonePrefix::Predict(master->Database(), phone.Owner().Text(), ownerKind);
        caret = number.isEmpty() ? 0 : PhoneNumber::MaskedPosition(static_cast<int>(number.size()));
    }
    ShowNumber(m_eTel, number);
    m_eTel->setCursorPosition(caret);
    // The dialog opens on the number, so that the rest of it can be typed at once.
    m_eTel->setFocus();
}

void TEditTel::eTelEnter()
{
    if (m_eTel->cursorPosition() == 0)
        m_eTel->setSelection(1, 1);
}

bool TEditTel::ValidateData()
{
    if (PhoneNumber::IsBlank(PhoneNumber::FromMasked(m_eTel->displayText()))) {
        m_errorText = u"Укажите № телефона!"_s;
        m_eTel->setFocus();
        return false;
    }
    return true;
}

void TEditTel::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TPhoneView phone(*master);
    phone.SetNumber(PhoneNumber::FromMasked(m_eTel->displayText()));
    phone.SetComments(m_mComments->toPlainText().trimmed());
    phone.SetPhoneKind(std::max(0, m_rbType->checkedId()));
    phone.SetRole(m_pRole->isHidden() ? QString() : m_cbRole->currentText().trimmed());
}

void TEditTel::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Phone);
}
