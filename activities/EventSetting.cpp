#include "activities/EventSetting.h"

#include "shell/widgets/MainData.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/EventLists.h"
#include "store/kinds/EventView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QToolButton* Button(QToolBar* bar, const QString& name, const QString& hint, int picture)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setText(hint);
    button->setIcon(MainData().SmallIcons().Icon(picture));
    button->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(button);
    return button;
}

QMenu* TwoItemMenu(QWidget* parent, const QString& name, const QString& first, const QString& second)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    menu->addAction(first)->setObjectName(name + u"1"_s);
    menu->addAction(second)->setObjectName(name + u"2"_s);
    return menu;
}

} // namespace

TEventSetting::TEventSetting(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_mainFirma(new QTextEdit(this))
    , m_pCustom(new QWidget(this))
    , m_cbFlag(new QCheckBox(u"Произвольно"_s, m_pCustom))
    , m_tbWho(new QToolBar(this))
    , m_tbMWho(new QToolBar(this))
{
    setObjectName(u"EventSetting"_s);
    SetLinkMode(1);
    m_mainFirma->setObjectName(u"mMainFirma"_s);
    m_mainFirma->setReadOnly(true);
    m_mainFirma->setAcceptRichText(false);
    m_mainFirma->setTabChangesFocus(true);
    m_mainFirma->setFixedHeight(44);
    m_pCustom->setObjectName(u"pCustom"_s);
    m_cbFlag->setObjectName(u"cbFlag"_s);
    auto* custom = new QHBoxLayout(m_pCustom);
    custom->setContentsMargins(0, 0, 0, 0);
    custom->addWidget(m_cbFlag);
    custom->addStretch(1);

    m_tbWho->setObjectName(u"tbWho"_s);
    m_tbFindWho = Button(m_tbWho, u"tbFindWho"_s, u"Поиск принимающей стороны"_s, 1);
    m_tbFindAddr = Button(m_tbWho, u"tbFindAddr"_s, u"Выбрать адрес"_s, 3);
    m_tbMWho->setObjectName(u"tbMWho"_s);
    m_tbOpenWho = Button(m_tbMWho, u"tbOpenWho"_s, u"Открыть"_s, 10);
    m_tbClearWho = Button(m_tbMWho, u"tbClearWho"_s, u"Очистить"_s, 12);
    for (QToolBar* bar : {m_tbWho, m_tbMWho}) {
        bar->setIconSize(MainData().SmallIcons().Size());
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }

    m_pmWho = TwoItemMenu(this, u"pmWho"_s, u"Человек"_s, u"Организация"_s);
    m_pmOpen = TwoItemMenu(this, u"pmOpen"_s, u"У кого"_s, u"Адрес"_s);
    m_pmDel = TwoItemMenu(this, u"pmDel"_s, u"У кого"_s, u"Адрес"_s);
    connect(m_pmWho->actions().at(0), &QAction::triggered, this, [this]() { PickHost(Kind::Person); });
    connect(m_pmWho->actions().at(1), &QAction::triggered, this, [this]() { PickHost(Kind::Organization); });
    connect(m_pmOpen->actions().at(0), &QAction::triggered, this, &TEventSetting::OpenHost);
    connect(m_pmOpen->actions().at(1), &QAction::triggered, this, &TEventSetting::OpenAddress);
    connect(m_pmDel->actions().at(0), &QAction::triggered, this, &TEventSetting::ClearHost);
    connect(m_pmDel->actions().at(1), &QAction::triggered, this, &TEventSetting::ClearAddress);
    m_tbOpenWho->setMenu(m_pmOpen);
    m_tbClearWho->setMenu(m_pmDel);
    connect(m_tbFindWho, &QToolButton::clicked, this, &TEventSetting::tbFindWhoClick);
    connect(m_tbFindAddr, &QToolButton::clicked, this, &TEventSetting::tbFindAddrClick);
    connect(m_cbFlag, &QCheckBox::clicked, this, &TEventSetting::cbFlagClick);

    auto* bars = new QVBoxLayout;
    bars->setContentsMargins(0, 0, 0, 0);
    bars->setSpacing(0);
    bars->addWidget(m_tbWho);
    bars->addWidget(m_tbMWho);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_mainFirma, 1);
    row->addLayout(bars);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(row);
    layout->addWidget(m_pCustom);
    EnableButtons();
}

TEventSetting::~TEventSetting() = default;

void TEventSetting::SetFreeMode(bool free)
{
    m_freeMode = free;
    m_pCustom->setVisible(free);
}

QString TEventSetting::HostText(const TDBMainInfo& host)
{
    if (host.ObjType == Kind::Person) {
        const TConstPersonView person(host);
        return person.Surname() + u' ' + person.FirstName() + u' ' + person.Patronymic();
    }
    if (host.ObjType == Kind::Organization) {
        const TConstOrganizationView firm(host);
        const QString parent = firm.Parent();
        if (parent.trimmed().isEmpty() || SameId(parent, Ids::Null))
            return firm.FormOrParent() + u" ("_s + firm.Name() + u')';
        return firm.FormOrParent().isEmpty() ? firm.Name() : firm.Name() + u", "_s + firm.FormOrParent();
    }
    return QString();
}

void TEventSetting::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    m_host.clear();
    m_address.clear();
    m_hostText.clear();
    m_addressText.clear();
    if (!record) {
        ShowPlace();
        return;
    }
    const TConstEventView event(*record);
    SetHost(IsEmptyId(event.Host()) ? QString() : QString(event.Host()));
    SetAddress(IsEmptyId(event.MeetingAddress()) ? QString() : QString(event.MeetingAddress()));
    m_cbFlag->setChecked(m_freeMode && event.HasFreePlace());
    m_tbOpenWho->setEnabled(!InModalDialog());
    ShowPlace();
    if (m_cbFlag->isChecked())
        m_mainFirma->setPlainText(event.FreePlace());
}

void TEventSetting::StoreData()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    const TEventView event(*record);
    const bool free = m_cbFlag->isChecked();
    event.SetHasFreePlace(free);
    if (free) {
        event.SetFreePlace(m_mainFirma->toPlainText().trimmed());
        event.SetHost(Ids::None);
        event.SetMeetingAddress(Ids::None);
    } else {
        event.SetFreePlace(QString());
        event.SetHost(m_host.isEmpty() ? Ids::None : m_host);
        event.SetMeetingAddress(m_address.isEmpty() ? Ids::None : m_address);
    }
}

void TEventSetting::SetHost(const QString& id)
{
    m_host = id;
    m_hostText.clear();
    if (!id.isEmpty()) {
        TDBMainInfo host;
        host.SetDatabase(MasterDBInfo() ? MasterDBInfo()->Database() : nullptr);
        if (host.SetObj(id))
            m_hostText = HostText(host);
    }
    ShowPlace();
}

void TEventSetting::SetAddress(const QString& id)
{
    m_address = id;
    m_addressText = id.isEmpty() ? QString() : AddressTextOf(id, MasterDBInfo() ? MasterDBInfo()->Database() : nullptr);
    ShowPlace();
}

void TEventSetting::ClearHost()
{
    SetHost(QString());
}

void TEventSetting::ClearAddress()
{
    SetAddress(QString());
}

void TEventSetting::ShowPlace()
{
    const bool free = m_cbFlag->isChecked();
    m_tbWho->setVisible(!free);
    m_tbMWho->setVisible(!free);
    m_mainFirma->setReadOnly(!free);
    if (!free) {
        m_mainFirma->setHtml(u"<b>"_s + m_hostText.toHtmlEscaped() + u"</b><br><small>"_s
            + m_addressText.toHtmlEscaped() + u"</small>"_s);
    }
    EnableButtons();
}

void TEventSetting::EnableButtons()
{
    m_tbFindAddr->setEnabled(!m_host.isEmpty());
}

void TEventSetting::tbFindWhoClick()
{
    if (m_buttonMode == bmPeople)
        PickHost(Kind::Person);
    else if (m_buttonMode == bmFirma)
        PickHost(Kind::Organization);
    else
        m_pmWho->popup(m_tbFindWho->mapToGlobal(QPoint(0, m_tbFindWho->height())));
}

void TEventSetting::PickHost(int kind)
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = kind;
    if (PickWorkInfo() != 1 || IsEmptyId(work->Obj))
        return;
    const QString host = work->Obj;
    SetAddress(QString());
    SetHost(host);
    SetAddress(EventLists::HostAddress(MasterDBInfo() ? MasterDBInfo()->Database() : nullptr, host));
}

void TEventSetting::tbFindAddrClick()
{
    if (m_host.isEmpty())
        return;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Address;
    work->Link5 = m_host;
    if (PickWorkInfo() == 1 && !IsEmptyId(work->Obj))
        SetAddress(work->Obj);
}

void TEventSetting::OpenHost()
{
    if (m_host.isEmpty())
        return;
    WorkInfo()->SetObj(m_host);
    OpenWorkInfo();
}

void TEventSetting::OpenAddress()
{
    if (m_address.isEmpty())
        return;
    WorkInfo()->SetObj(m_address);
    OpenWorkInfo();
}

void TEventSetting::cbFlagClick()
{
    if (m_cbFlag->isChecked()) {
        m_tbWho->hide();
        m_tbMWho->hide();
        m_mainFirma->setReadOnly(false);
        m_mainFirma->clear();
    } else {
        ShowPlace();
    }
}
