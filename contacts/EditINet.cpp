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

// The captions and pictures of the types, by InternetType - 1.
struct TTypeTexts
{
    const char16_t* Edit;
    const char16_t* List;
    int Picture;
};

constexpr TTypeTexts Types[] = {
    {u"Электронная почта", u"Эл. почта", 82},
    {u"Сайт", u"Сайт", 43},
    {u"Социальная сеть", u"Соц. сеть", 59},
    {u"Служба мгновенных сообщений", u"Мгновенн. сообщения", 60},
    {u"Skype", u"Skype", 46},
    {u"Прочее", u"Прочее", -1},
};

bool IsType(int type)
{
    return type >= InternetType::Email && type <= InternetType::Other;
}

bool HasName(int type)
{
    return type == InternetType::SocialNetwork || type == InternetType::Messenger || type == InternetType::Other;
}

} // namespace

QString TEditINet::TypeCaption(int type)
{
    return IsType(type) ? QString::fromUtf16(Types[type - 1].Edit) : QString();
}

QString TEditINet::ListCaption(int type)
{
    // Contacts of an unknown type are listed with the other links.
    return QString::fromUtf16(Types[(IsType(type) ? type : InternetType::Other) - 1].List);
}

int TEditINet::TypePicture(int type)
{
    return IsType(type) ? Types[type - 1].Picture : -1;
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
        m_cbLinkType->setCurrentIndex(IsType(static_cast<int>(type)) ? int(type) - 1 : -1);
    }
    cbLinkTypeChange();
    m_eAddress->setText(contact.Address());
    m_eName->setEditText(contact.Name());
    m_mComments->setPlainText(master->Comments);
    m_cbLinkType->setFocus();
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
