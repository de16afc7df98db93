#include "contacts/EditINet.h"

#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/InternetContactView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int TextLength = 200;

bool HasName(int type)
{
    return type == InternetType::SocialNetwork || type == InternetType::Messenger || type == InternetType::Other;
}

} // namespace

QString TEditINet::TypeCaption(int type)
{
    switch (type) {
    case InternetType::Email:
        return u"Электронная почта"_s;
    case InternetType::Site:
        return u"Сайт"_s;
    case InternetType::SocialNetwork:
        return u"Социальная сеть"_s;
    case InternetType::Messenger:
        return u"Служба мгновенных сообщений"_s;
    case InternetType::Skype:
        return u"Skype"_s;
    case InternetType::Other:
        return u"Прочее"_s;
    default:
        return QString();
    }
}

QString TEditINet::ListCaption(int type)
{
    switch (type) {
    case InternetType::Email:
        return u"Эл. почта"_s;
    case InternetType::Site:
        return u"Сайт"_s;
    case InternetType::SocialNetwork:
        return u"Соц. сеть"_s;
    case InternetType::Messenger:
        return u"Мгновенн. сообщения"_s;
    case InternetType::Skype:
        return u"Skype"_s;
    default:
        return u"Прочее"_s;
    }
}

int TEditINet::TypePicture(int type)
{
    switch (type) {
    case InternetType::Email:
        return 82;
    case InternetType::Site:
        return 43;
    case InternetType::SocialNetwork:
        return 59;
    case InternetType::Messenger:
        return 60;
    case InternetType::Skype:
        return 46;
    default:
        return -1;
    }
}

TEditINet::TEditINet(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_cbLinkType(new QComboBox(this))
    , m_eName(new QComboBox(this))
    , m_eAddress(new QLineEdit(this))
    , m_mComments(new TLimitedMemo(TextLength))
{
    setObjectName(u"EditINet"_s);
    m_cbLinkType->setObjectName(u"cbLinkType"_s);
    const TPictureList& pictures = MainData().LagreIcons();
    for (int type = InternetType::Email; type <= InternetType::Other; ++type)
        m_cbLinkType->addItem(pictures.Icon(TypePicture(type)), TypeCaption(type));
    m_cbLinkType->setCurrentIndex(0);
    m_eName->setObjectName(u"eName"_s);
    m_eName->setEditable(true);
    m_eName->setInsertPolicy(QComboBox::NoInsert);
    m_eName->lineEdit()->setMaxLength(TextLength);
    m_eAddress->setObjectName(u"eAddress"_s);
    m_eAddress->setMaxLength(TextLength);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);

    auto* fields = new QFormLayout;
    fields->addRow(u"Тип связи"_s, m_cbLinkType);
    fields->addRow(u"Название"_s, m_eName);
    fields->addRow(u"Адрес"_s, m_eAddress);
    auto* comments = new QGroupBox(u"Коментарий"_s, this);
    comments->setObjectName(u"gbComments"_s);
    m_mComments->setParent(comments);
    (new QVBoxLayout(comments))->addWidget(m_mComments);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(comments, 1);
    setMinimumWidth(360);

    connect(m_cbLinkType, &QComboBox::currentIndexChanged, this, &TEditINet::cbLinkTypeChange);
    cbLinkTypeChange();
}

TEditINet::~TEditINet()
{
    disconnect(m_cbLinkType, nullptr, this, nullptr);
}

void TEditINet::cbLinkTypeChange()
{
    const int type = m_cbLinkType->currentIndex() + 1;
    const bool named = HasName(type);
    m_eName->setEnabled(named);
    m_eName->clear();
    if (!named)
        return;
    const TDBMainInfo* master = MasterDBInfo();
    TValueList names;
    DistinctValues(master ? master->Database() : nullptr, u"Str2"_s, QString(), names, 0, type, Kind::InternetContact);
    m_eName->addItems(ValueTexts(names));
    m_eName->setCurrentIndex(-1);
    m_eName->setEditText(QString());
}

void TEditINet::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TConstInternetContactView contact(*master);
    // A new contact starts as an e-mail address; a stored one without a type shows none.
    qint64 type = contact.ContactType();
    if (type == InternetType::None && IsNewId(master->Obj))
        type = InternetType::Email;
    {
        // The type is set without its change handler, which then runs once.
        const QSignalBlocker quiet(m_cbLinkType);
        m_cbLinkType->setCurrentIndex(type >= InternetType::Email && type <= InternetType::Other ? int(type) - 1 : -1);
    }
    cbLinkTypeChange();
    m_eAddress->setText(contact.Address());
    m_eName->setEditText(contact.Name());
    m_mComments->setPlainText(master->Comments);
}

bool TEditINet::ValidateData()
{
    if (m_eAddress->text().trimmed().isEmpty()) {
        m_errorText = u"Укажите интернет адрес!"_s;
        m_eAddress->setFocus();
        return false;
    }
    return true;
}

void TEditINet::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TInternetContactView contact(*master);
    const int type = m_cbLinkType->currentIndex() + 1;
    contact.SetAddress(m_eAddress->text().trimmed());
    contact.SetName(m_eName->currentText().trimmed());
    contact.SetComments(m_mComments->toPlainText().trimmed());
    contact.SetContactType(type);
    contact.SetPicture(TypePicture(type));
}

void TEditINet::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::InternetContact);
}
