#include "contacts/PtoALink.h"

#include "contacts/AddressLine.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/TimeEdit.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/kinds/ResidenceView.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

void TPtoALink::PrepareResidence(TDBMainInfo& work, const QString& address, const QString& resident)
{
    work.Clear();
    work.ObjType = Kind::Residence;
    const TResidenceView residence(work);
    residence.SetAddress(address);
    residence.SetResident(resident);
    residence.SetCurrent(true);
}

TPtoALink::TPtoALink(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_layout(new QVBoxLayout(this))
    , m_gbPeriod(new QGroupBox(u"В период"_s, this))
    , m_dtStart(new TdbTimeEdit(m_gbPeriod))
    , m_dtEnd(new TdbTimeEdit(m_gbPeriod))
    , m_cbFlag(new QCheckBox(u"Проживает в настоящий момент"_s, m_gbPeriod))
    , m_gbAddress(new QGroupBox(u"по адресу"_s, this))
    , m_mAdr(new QPlainTextEdit(m_gbAddress))
{
    m_gbPeriod->setObjectName(u"gbPeriod"_s);
    m_dtStart->setObjectName(u"dtStart"_s);
    m_dtStart->SetdbField(Tdb_dtFields::db_Date1);
    m_dtStart->SetToolBarVisible(false);
    m_dtEnd->setObjectName(u"dtEnd"_s);
    m_dtEnd->SetdbField(Tdb_dtFields::db_Date2);
    m_dtEnd->SetToolBarVisible(false);
    m_cbFlag->setObjectName(u"cbFlag"_s);
    auto* period = new QGridLayout(m_gbPeriod);
    auto* from = new QLabel(u"с:"_s, m_gbPeriod);
    from->setBuddy(m_dtStart->eDT());
    auto* to = new QLabel(u"по:"_s, m_gbPeriod);
    to->setBuddy(m_dtEnd->eDT());
    period->addWidget(from, 0, 0);
    period->addWidget(m_dtStart, 0, 1);
    period->addWidget(to, 0, 2);
    period->addWidget(m_dtEnd, 0, 3);
    period->addWidget(m_cbFlag, 1, 0, 1, 4);

    m_gbAddress->setObjectName(u"gbAddress"_s);
    m_mAdr->setObjectName(u"mAdr"_s);
    m_mAdr->setReadOnly(true);
    m_mAdr->setTabChangesFocus(true);
    m_mAdr->setFixedHeight(48);
    m_mAdr->installEventFilter(this);
    (new QVBoxLayout(m_gbAddress))->addWidget(m_mAdr);

    m_layout->addWidget(m_gbPeriod);
    m_layout->addWidget(m_gbAddress);
    m_layout->addStretch(1);

    connect(m_dtEnd->eDT(), &QLineEdit::editingFinished, this, &TPtoALink::dtEndExit);
    setTabOrder(m_dtStart->eDT(), m_dtEnd->eDT());
    setTabOrder(m_dtEnd->eDT(), m_cbFlag);
}

TPtoALink::~TPtoALink()
{
    disconnect(m_dtEnd->eDT(), nullptr, this, nullptr);
    m_mAdr->removeEventFilter(this);
    // The date editors are linked to the master, which may outlive this frame; they leave it first.
    m_dtStart->SetMasterDBInfo(nullptr);
    m_dtEnd->SetMasterDBInfo(nullptr);
}

void TPtoALink::SetMasterDBInfo(TDBMainInfo* record)
{
    m_dtStart->SetMasterDBInfo(record);
    m_dtEnd->SetMasterDBInfo(record);
    TBaseDBFrame::SetMasterDBInfo(record);
    TDBMainInfo* master = MasterDBInfo();
    if (m_loaded || !master)
        return;
    m_loaded = true;
    const TResidenceView residence(*master);
    m_pInfo.SetDatabase(master->Database());
    m_pInfo.SetObj(residence.Resident());
    m_aInfo.SetDatabase(master->Database());
    m_aInfo.SetObj(residence.Address());
    m_cbFlag->setChecked(residence.Current());
    m_cbFlag->setEnabled(!residence.HasTo());
    ShowAddress();
    m_residentFrame = Screens::CreateEditFrame(m_pInfo.ObjType, this);
    if (m_residentFrame) {
        m_residentFrame->SetMasterDBInfo(&m_pInfo);
        m_residentFrame->setEnabled(false);
        m_layout->insertWidget(0, m_residentFrame);
    }
    setMinimumHeight(m_gbPeriod->sizeHint().height() + m_gbAddress->sizeHint().height()
        + (m_residentFrame ? m_residentFrame->sizeHint().height() : 0));
}

void TPtoALink::ShowAddress()
{
    m_mAdr->setPlainText(AddressLine::OfRecord(m_aInfo, m_mAdr->width()));
}

bool TPtoALink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mAdr && event->type() == QEvent::Resize)
        ShowAddress();
    return TBaseDBFrame::eventFilter(watched, event);
}

void TPtoALink::dtEndExit()
{
    const bool ended = m_dtEnd->IsComplete();
    if (ended)
        m_cbFlag->setChecked(false);
    m_cbFlag->setEnabled(!ended);
}

bool TPtoALink::ValidateData()
{
    const TDateEditState start = m_dtStart->Parse();
    const TDateEditState end = m_dtEnd->Parse();
    if (start.Value > 0 && end.Value > 0 && end.Value < start.Value) {
        m_errorText = u"Укажите окончание периода не раньше его начала!"_s;
        m_dtEnd->eDT()->setFocus();
        return false;
    }
    return true;
}

void TPtoALink::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    if (m_dtEnd->IsComplete())
        m_cbFlag->setChecked(false);
    ResidenceView(*master).SetCurrent(m_cbFlag->isChecked());
}

void TPtoALink::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Residence);
}
