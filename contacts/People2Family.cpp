#include "contacts/People2Family.h"

#include "contacts/FamilyPrev.h"
#include "contacts/PeoplePrev.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/TimeEdit.h"
#include "store/Gid.h"
#include "store/kinds/AdoptiveFamilyLinkView.h"
#include "store/kinds/PersonView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int CommentLength = 200;
} // namespace

TPeople2Family::TPeople2Family(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_people(new TPeoplePrev(this))
    , m_gbFamily(new QGroupBox(this))
    , m_family(new TFamilyPrev(m_gbFamily))
    , m_start(new TdbTimeEdit(this))
    , m_end(new TdbTimeEdit(this))
    , m_comments(new TLimitedMemo(CommentLength))
{
    m_people->setObjectName(u"People"_s);
    m_people->SetOldVisible(true);
    m_people->SetMasterDBInfo(&m_dbPeople);
    m_family->setObjectName(u"Family"_s);
    m_family->SetMasterDBInfo(&m_dbFamily);
    m_gbFamily->setObjectName(u"gbFamily"_s);
    (new QVBoxLayout(m_gbFamily))->addWidget(m_family);

    for (TdbTimeEdit* date : {m_start, m_end}) {
        date->SetToolBarVisible(false);
        date->SetAlarm(false);
    }
    m_start->setObjectName(u"dtStart"_s);
    m_start->SetdbField(Tdb_dtFields::db_Date1);
    m_end->setObjectName(u"dtEnd"_s);
    m_end->SetdbField(Tdb_dtFields::db_Date2);
    auto* period = new QGroupBox(u"В период"_s, this);
    auto* periodLayout = new QGridLayout(period);
    periodLayout->addWidget(new QLabel(u"с:"_s, period), 0, 0);
    periodLayout->addWidget(m_start, 0, 1);
    periodLayout->addWidget(new QLabel(u"по:"_s, period), 1, 0);
    periodLayout->addWidget(m_end, 1, 1);

    m_comments->setObjectName(u"mComments"_s);
    m_comments->setTabChangesFocus(true);
    auto* commentBox = new QGroupBox(u"Комментарий"_s, this);
    (new QVBoxLayout(commentBox))->addWidget(m_comments);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_people);
    layout->addWidget(m_gbFamily);
    layout->addWidget(period);
    layout->addWidget(commentBox, 1);
}

TPeople2Family::~TPeople2Family()
{
    m_people->SetMasterDBInfo(nullptr);
    m_family->SetMasterDBInfo(nullptr);
}

void TPeople2Family::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_start->SetMasterDBInfo(MasterDBInfo());
    m_end->SetMasterDBInfo(MasterDBInfo());
}

void TPeople2Family::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master) {
        m_dbPeople.Reset(true);
        m_dbFamily.Reset(true);
        return;
    }
    const TConstAdoptiveFamilyLinkView link(*master);
    m_comments->setPlainText(link.Comments());
    m_dbPeople.SetDatabase(master->Database());
    m_dbFamily.SetDatabase(master->Database());
    m_dbFamily.SetObj(link.Family());
    m_dbPeople.SetObj(link.Person());
    m_gbFamily->setTitle(PersonView(m_dbPeople).IsFemale() ? u"Была усыновлена (удочерена)"_s : u"Был усыновлен"_s);
}

void TPeople2Family::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TAdoptiveFamilyLinkView link(*master);
    link.SetFamily(m_dbFamily.Obj);
    link.SetPerson(m_dbPeople.Obj);
    link.SetComments(m_comments->toPlainText().trimmed().left(CommentLength));
}
