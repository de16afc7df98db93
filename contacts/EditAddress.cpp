#include "contacts/EditAddress.h"

#include "shell/widgets/LimitedMemo.h"
#include "store/DataBase.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/AddressView.h"

#include <QComboBox>
#include <QCompleter>
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The completion lists of the address parts (the modes of the address lookups).
enum TAddressList : int {
    Countries = 0,
    RegionsOfCountry = 1,
    DistrictsOfRegion = 2,
    SettlementsOfDistrict = 3,
    StreetsOfSettlement = 4,
    HousesOfStreet = 5,
    IndexesOfSettlement = 6,
    SettlementsOfRegion = 7,
};

QComboBox* PartBox(const QString& objectName, QWidget* parent, int maxLength = 0)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    box->lineEdit()->setObjectName(objectName + u"Edit"_s);
    if (maxLength > 0)
        box->lineEdit()->setMaxLength(maxLength);
    // The typed text is completed in place; the whole list opens with F4 or Alt+Down, so Tab always goes on.
    if (box->completer())
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    return box;
}

// Puts \a values into \a box's list and keeps what the box shows.
void SetItems(QComboBox* box, const TValueList& values)
{
    const QString text = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    for (const TValueItem& item : values)
        if (!item.Text.trimmed().isEmpty())
            box->addItem(item.Text);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

QString Joined(const QString& a, const QString& b)
{
    return a + QChar(0x1f) + b;
}

} // namespace

TEditAddress::TEditAddress(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_cbCountry(PartBox(u"cbCountry"_s, this))
    , m_cbRegion(PartBox(u"cbRegion"_s, this))
    , m_cbRajon(PartBox(u"cbRajon"_s, this))
    , m_cbCity(PartBox(u"cbCity"_s, this))
    , m_eStreet(PartBox(u"eStreet"_s, this))
    , m_eH_A(PartBox(u"eH_A"_s, this, PartLength))
    , m_eApp(new QLineEdit(this))
    , m_ePIndex(PartBox(u"ePIndex"_s, this, IndexLength))
    , m_comments(new TLimitedMemo(CommentLength))
{
    m_eApp->setObjectName(u"eApp"_s);
    m_eApp->setMaxLength(PartLength);
    m_comments->setObjectName(u"mComments"_s);
    m_comments->setTabChangesFocus(true);

    auto* grid = new QGridLayout;
    const auto addRow = [this, grid](int row, int column, const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, column);
        grid->addWidget(control, row, column + 1);
    };
    addRow(0, 0, u"Индекс"_s, m_ePIndex);
    addRow(0, 2, u"Страна"_s, m_cbCountry);
    addRow(1, 0, u"Обл."_s, m_cbRegion);
    addRow(1, 2, u"Район"_s, m_cbRajon);
    addRow(2, 0, u"Нас. пункт"_s, m_cbCity);
    addRow(2, 2, u"Улица"_s, m_eStreet);
    addRow(3, 0, u"Дом"_s, m_eH_A);
    addRow(3, 2, u"кв. (оф.)"_s, m_eApp);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* commentBox = new QGroupBox(u"Коментарий"_s, this);
    commentBox->setObjectName(u"gbComments"_s);
    (new QVBoxLayout(commentBox))->addWidget(m_comments);

    setMinimumWidth(MinimumWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(commentBox, 1);

    // Tab follows the way an address is told: the country down to the flat, the index, the comment.
    const QList<QWidget*> order{
        m_cbCountry, m_cbRegion, m_cbRajon, m_cbCity, m_eStreet, m_eH_A, m_eApp, m_ePIndex, m_comments};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The boxes have the focus, their edits only the keys: entering is seen on the boxes. Leaving is seen
    // where the focus moves: a box whose completion list is open gets no focus-out when Tab leaves it.
    for (QComboBox* box : {m_cbCountry, m_cbRegion, m_cbRajon, m_cbCity, m_eStreet, m_eH_A, m_ePIndex})
        box->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &TEditAddress::FocusMoved);
}

void TEditAddress::FocusMoved(QWidget* old, QWidget* now)
{
    for (QComboBox* box : {m_cbCountry, m_cbRegion, m_cbRajon, m_cbCity, m_ePIndex}) {
        const bool was = old == box || old == box->lineEdit();
        if (!was || now == box || now == box->lineEdit())
            continue;
        if (box == m_ePIndex)
            ePIndexExit();
        else
            cbCountryExit(box);
    }
}

TEditAddress::~TEditAddress()
{
    // The focus leaves a box as the editor goes away; its handlers must not reach a half-destroyed editor.
    disconnect(qApp, nullptr, this, nullptr);
    for (QComboBox* box : {m_cbCountry, m_cbRegion, m_cbRajon, m_cbCity, m_eStreet, m_eH_A, m_ePIndex})
        box->removeEventFilter(this);
}

QStringList TEditAddress::Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

bool TEditAddress::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QComboBox*>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        if (box == m_cbRegion)
            cbRegionEnter();
        else if (box == m_cbRajon)
            cbRajonEnter();
        else if (box == m_cbCity)
            cbCityEnter();
        else if (box == m_eStreet)
            eStreetEnter();
        else if (box == m_eH_A)
            eH_AEnter();
        else if (box == m_ePIndex)
            ePIndexEnter();
    }
    return TBaseDBFrame::eventFilter(watched, event);
}

QString TEditAddress::BoxText(const QComboBox* box) const
{
    return box->currentText().trimmed();
}

void TEditAddress::Complete(QComboBox* box, const QString& lookupKey, const QString& key, const QString& value, int mode)
{
    if (LookupKeys.contains(box) && LookupKeys.value(box) == lookupKey && box->count() > 0)
        return;
    LookupKeys.insert(box, lookupKey);
    if (value.isEmpty())
        return;
    TValueList values;
    // A list that cannot be read stays as it was.
    if (DistinctValues(MasterDBInfo() ? MasterDBInfo()->Database() : nullptr, key, value, values, 0, mode,
            Kind::Address))
        SetItems(box, values);
}

void TEditAddress::cbRegionEnter()
{
    const QString country = BoxText(m_cbCountry);
    Complete(m_cbRegion, country, QString(), country, RegionsOfCountry);
}

void TEditAddress::cbRajonEnter()
{
    const QString region = BoxText(m_cbRegion);
    Complete(m_cbRajon, region, QString(), region, DistrictsOfRegion);
}

void TEditAddress::cbCityEnter()
{
    const QString district = BoxText(m_cbRajon);
    const QString region = BoxText(m_cbRegion);
    if (district.isEmpty())
        Complete(m_cbCity, Joined(district, region), QString(), region, SettlementsOfRegion);
    else
        Complete(m_cbCity, Joined(district, region), QString(), district, SettlementsOfDistrict);
}

void TEditAddress::eStreetEnter()
{
    const QString settlement = BoxText(m_cbCity);
    Complete(m_eStreet, settlement, QString(), settlement, StreetsOfSettlement);
}

void TEditAddress::eH_AEnter()
{
    const QString settlement = BoxText(m_cbCity);
    const QString street = BoxText(m_eStreet);
    Complete(m_eH_A, Joined(settlement, street), settlement, street, HousesOfStreet);
}

void TEditAddress::ePIndexEnter()
{
    const QString country = BoxText(m_cbCountry);
    const QString settlement = BoxText(m_cbCity);
    Complete(m_ePIndex, Joined(country, settlement), country, settlement, IndexesOfSettlement);
}

QString TEditAddress::IndexLookupStatement(const QString& index, const QString& country)
{
    // Equal counts are taken in alphabetical order, so that both engines pick the same combination.
    return u"select Str2, Str3, Str4 from AllInfo where AllInfo.ObjType = 3 and Link5 = "_s + SqlDialect::Quote(index)
        + u" and Str1 = "_s + SqlDialect::Quote(country)
        + u" group by Str2, Str3, Str4 order by count(*) desc, Str2, Str3, Str4"_s;
}

void TEditAddress::ePIndexExit()
{
    const QString index = BoxText(m_ePIndex);
    const QString country = CapitalizeFirst(m_cbCountry->currentText());
    if (index.isEmpty() || !BoxText(m_cbCity).isEmpty() || country.isEmpty())
        return;
    auto query = TMyDataBase::QueryOn(
        MasterDBInfo() ? MasterDBInfo()->Database() : nullptr, IndexLookupStatement(index, country));
    if (!query || !query->next())
        return;
    m_cbRegion->setEditText(query->value(0).toString());
    m_cbRajon->setEditText(query->value(1).toString());
    m_cbCity->setEditText(query->value(2).toString());
}

void TEditAddress::cbCountryExit(QComboBox* box)
{
    const QString normal = CapitalizeFirst(box->currentText());
    if (normal != box->currentText())
        box->setEditText(normal);
}

void TEditAddress::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    TValueList countries;
    DistinctValues(master->Database(), QString(), QString(), countries, 0, Countries, Kind::Address);
    SetItems(m_cbCountry, countries);
    LookupKeys.clear();
    const TConstAddressView address(*master);
    m_ePIndex->setEditText(address.PostalIndex());
    m_cbCountry->setEditText(address.Country());
    m_cbRegion->setEditText(address.Region());
    m_cbRajon->setEditText(address.District());
    m_cbCity->setEditText(address.Settlement());
    m_eStreet->setEditText(address.Street());
    m_eH_A->setEditText(address.House());
    m_eApp->setText(address.Flat());
    m_comments->setPlainText(address.Comments());
}

bool TEditAddress::ValidateData()
{
    if (CapitalizeFirst(m_cbCountry->currentText()).isEmpty()) {
        m_errorText = u"Укажите страну проживания!"_s;
        m_cbCountry->setFocus();
        return false;
    }
    return true;
}

void TEditAddress::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TAddressView address(*master);
    address.SetCountry(CapitalizeFirst(m_cbCountry->currentText()));
    address.SetRegion(CapitalizeFirst(m_cbRegion->currentText()));
    address.SetDistrict(CapitalizeFirst(m_cbRajon->currentText()));
    address.SetSettlement(CapitalizeFirst(m_cbCity->currentText()));
    address.SetStreet(m_eStreet->currentText().trimmed());
    address.SetHouse(m_eH_A->currentText().trimmed().left(PartLength));
    address.SetFlat(m_eApp->text().trimmed().left(PartLength));
    address.SetPostalIndex(m_ePIndex->currentText().trimmed().left(IndexLength));
    address.SetComments(m_comments->toPlainText().trimmed().left(CommentLength));
}

void TEditAddress::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Address);
}
