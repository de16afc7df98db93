#include "contacts/EditFamily.h"

#include "contacts/FamilyPrev.h"
#include "contacts/PeoplePrev.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "shell/widgets/TimeEdit.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int CommentLength = 200;

QToolButton* Button(const QString& name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QString ShortName(const TDBMainInfo& person)
{
    const TConstPersonView view(person);
    return QString(view.Surname() + u' ' + view.FirstName()).trimmed();
}

} // namespace

TEditFamily::TEditFamily(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_p1(new TPeoplePrev(this))
    , m_p2(new TPeoplePrev(this))
    , m_add1(Button(u"miAdd1"_s, u"муж"_s, u"Выбрать"_s, this))
    , m_add2(Button(u"ToolButton5"_s, u"жена"_s, u"Выбрать"_s, this))
    , m_edit1(Button(u"miEdit1"_s, u"Записать"_s, u"Открыть данные о человеке"_s, this))
    , m_edit2(Button(u"miEdit2"_s, u"Записать"_s, u"Открыть данные о человеке"_s, this))
    , m_del1(Button(u"miDel1"_s, u"Удалить"_s, u"Удалить"_s, this))
    , m_del2(Button(u"miDel2"_s, u"Удалить"_s, u"Удалить"_s, this))
    , m_start(new TdbTimeEdit(this))
    , m_end(new TdbTimeEdit(this))
    , m_status(new QComboBox(this))
    , m_comments(new TLimitedMemo(CommentLength))
{
    m_p1->setObjectName(u"p1"_s);
    m_p2->setObjectName(u"p2"_s);
    m_p1->SetOldVisible(true);
    m_p2->SetOldVisible(true);
    m_p1->SetMasterDBInfo(&m_db1);
    m_p2->SetMasterDBInfo(&m_db2);
    connect(&m_db1, &TDBMainInfo::Changed, this, [this] { db1ChangeEvent(HusbandSide); });
    connect(&m_db2, &TDBMainInfo::Changed, this, [this] { db1ChangeEvent(WifeSide); });
    connect(m_add1, &QToolButton::clicked, this, [this] { miAdd1Click(HusbandSide); });
    connect(m_add2, &QToolButton::clicked, this, [this] { miAdd1Click(WifeSide); });
    connect(m_edit1, &QToolButton::clicked, this, [this] { miEdit1Click(HusbandSide); });
    connect(m_edit2, &QToolButton::clicked, this, [this] { miEdit1Click(WifeSide); });
    connect(m_del1, &QToolButton::clicked, this, [this] { miDel1Click(HusbandSide); });
    connect(m_del2, &QToolButton::clicked, this, [this] { miDel1Click(WifeSide); });

    m_start->setObjectName(u"dtStart"_s);
    m_start->SetdbField(Tdb_dtFields::db_Date1);
    m_start->SetToolBarVisible(true);
    m_start->SetAlarm(true);
    m_start->SetAlarmNeedsFullDate(true);
    m_end->setObjectName(u"dtEnd"_s);
    m_end->SetdbField(Tdb_dtFields::db_Date2);
    m_end->SetToolBarVisible(false);
    m_end->SetAlarm(false);

    m_status->setObjectName(u"cbStatus"_s);
    const TPictureList& pictures = MainData().LagreIcons();
    for (int status = 1; status <= FamilyStatus::Captions().size(); ++status)
        m_status->addItem(pictures.Icon(FamilyStatusImage(status)), FamilyStatus::Captions()[status - 1]);

    m_comments->setObjectName(u"mComments"_s);
    m_comments->setTabChangesFocus(true);

    auto* partners = new QGridLayout;
    const auto side = [&](int row, QToolButton* add, TPeoplePrev* preview, QToolButton* edit, QToolButton* del) {
        partners->addWidget(add, row, 0);
        partners->addWidget(preview, row, 1);
        partners->addWidget(edit, row, 2);
        partners->addWidget(del, row, 3);
    };
    side(0, m_add1, m_p1, m_edit1, m_del1);
    side(1, m_add2, m_p2, m_edit2, m_del2);
    partners->setColumnStretch(1, 1);

    auto* marriage = new QGroupBox(u"Жизнь в браке"_s, this);
    auto* marriageLayout = new QGridLayout(marriage);
    auto* from = new QLabel(u"с:"_s, marriage);
    auto* to = new QLabel(u"по:"_s, marriage);
    auto* status = new QLabel(u"Статус"_s, marriage);
    status->setBuddy(m_status);
    marriageLayout->addWidget(from, 0, 0);
    marriageLayout->addWidget(m_start, 0, 1);
    marriageLayout->addWidget(to, 1, 0);
    marriageLayout->addWidget(m_end, 1, 1);
    marriageLayout->addWidget(status, 2, 0);
    marriageLayout->addWidget(m_status, 2, 1);
    marriageLayout->setColumnStretch(1, 1);

    auto* commentBox = new QGroupBox(u"Комментарий"_s, this);
    (new QVBoxLayout(commentBox))->addWidget(m_comments);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(partners);
    layout->addWidget(marriage);
    layout->addWidget(commentBox, 1);

    QList<QWidget*> order{m_add1, m_edit1, m_del1, m_add2, m_edit2, m_del2};
    order << m_start->findChild<QLineEdit*>(u"eDT"_s) << m_start->findChild<QToolButton*>(u"tbAlarm"_s)
          << m_end->findChild<QLineEdit*>(u"eDT"_s) << m_status << m_comments;
    order.removeAll(nullptr);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    db1ChangeEvent(HusbandSide);
    db1ChangeEvent(WifeSide);
}

TEditFamily::~TEditFamily()
{
    // The previews are linked to records that go away with this frame.
    m_p1->SetMasterDBInfo(nullptr);
    m_p2->SetMasterDBInfo(nullptr);
    disconnect(&m_db1, nullptr, this, nullptr);
    disconnect(&m_db2, nullptr, this, nullptr);
}

bool TEditFamily::HoldsPerson(const TDBMainInfo& record)
{
    return record.ObjType == Kind::Person && !IsEmptyId(record.Obj);
}

void TEditFamily::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_start->SetMasterDBInfo(MasterDBInfo());
    m_end->SetMasterDBInfo(MasterDBInfo());
}

void TEditFamily::LoadData()
{
    TBaseDBFrame::LoadData();
    const bool outsideDialog = !InModalDialog();
    for (QToolButton* edit : {m_edit1, m_edit2})
        edit->setVisible(outsideDialog);
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TFamilyView family(*master);
    const qint64 status = family.Status();
    const bool known = status >= 1 && status <= 7;
    m_loadedStatusIndex = known ? static_cast<int>(status - 1) : 0;
    m_keepStatus = !known && !IsNewId(master->Obj);
    m_otherStatus = status;
    m_status->setCurrentIndex(m_loadedStatusIndex);
    m_comments->setPlainText(family.Comments());
    m_db1.SetDatabase(master->Database());
    m_db2.SetDatabase(master->Database());
    m_loaded1 = {family.Husband(), family.HusbandName(), false};
    m_loaded2 = {family.Wife(), family.WifeName(), false};
    m_db1.SetObj(m_loaded1.Id);
    // Partners may have been stored in either order: the woman goes to the wife's side.
    if (HoldsPerson(m_db1) && PersonView(m_db1).IsFemale()) {
        std::swap(m_loaded1, m_loaded2);
        m_db2.Assign(&m_db1);
        m_db1.SetDatabase(master->Database());
        m_db1.SetObj(m_loaded1.Id);
    } else {
        m_db2.SetObj(m_loaded2.Id);
    }
}

bool TEditFamily::ValidateData()
{
    const bool husband = HoldsPerson(m_db1);
    const bool wife = HoldsPerson(m_db2);
    // A stored family left as it was is no new input to refuse, whoever its sides name.
    const TDBMainInfo* master = MasterDBInfo();
    const bool untouched = master && !IsNewId(master->Obj) && !m_loaded1.Touched && !m_loaded2.Touched;
    if (!husband && !wife && !untouched) {
        m_errorText = u"Укажите хотя бы одного члена семьи!"_s;
        m_add1->setFocus();
        return false;
    }
    // A family loaded with two people of one sex is not stored back as a marriage.
    if (husband && wife && PersonView(m_db1).IsFemale() == PersonView(m_db2).IsFemale()) {
        m_errorText = u"Однополые браки не регистрируются!"_s;
        m_add1->setFocus();
        return false;
    }
    return true;
}

void TEditFamily::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    struct TStored
    {
        QString Id;
        QString Name;
        bool Person = false;
        bool Female = false;
    };
    const auto stored = [this](int side) {
        const TDBMainInfo& partner = PartnerRecord(side);
        const TLoadedSide& loaded = Loaded(side);
        TStored result;
        if (HoldsPerson(partner)) {
            result.Id = partner.Obj;
            result.Name = loaded.Touched || loaded.Name.isEmpty() || !SameId(loaded.Id, partner.Obj)
                ? ShortName(partner)
                : loaded.Name;
            result.Person = true;
            result.Female = PersonView(partner).IsFemale();
        } else if (!loaded.Touched) {
            result.Id = loaded.Id.trimmed().isEmpty() ? Ids::None : loaded.Id;
            result.Name = loaded.Name;
        } else {
            result.Id = Ids::None;
        }
        return result;
    };
    TStored husband = stored(HusbandSide);
    TStored wife = stored(WifeSide);
    // With one partner only, a woman still belongs on the wife's side and a man on the husband's.
    if ((husband.Person && husband.Female && IsEmptyId(wife.Id)) || (wife.Person && !wife.Female && IsEmptyId(husband.Id)))
        std::swap(husband, wife);
    const TFamilyView family(*master);
    family.SetHusband(husband.Id);
    family.SetWife(wife.Id);
    family.SetHusbandName(husband.Name);
    family.SetWifeName(wife.Name);
    family.SetComments(m_comments->toPlainText().trimmed().left(CommentLength));
    const int status = m_status->currentIndex();
    family.SetStatus(m_keepStatus && status == m_loadedStatusIndex ? m_otherStatus : status + 1);
}

void TEditFamily::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Family);
}

void TEditFamily::miAdd1Click(int side)
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Person;
    PersonView(*work).SetSexHint(side);
    if (PickWorkInfo() != 1)
        return;
    Loaded(side).Touched = true;
    PartnerRecord(side).Assign(work);
}

void TEditFamily::miEdit1Click(int side)
{
    const TDBMainInfo& partner = PartnerRecord(side);
    if (!HoldsPerson(partner))
        return;
    WorkInfo()->Assign(&partner);
    OpenWorkInfo();
}

void TEditFamily::miDel1Click(int side)
{
    TDBMainInfo& partner = PartnerRecord(side);
    Loaded(side).Touched = true;
    const QPointer<TMyDataBase> db = partner.Database();
    partner.Reset(true);
    partner.SetDatabase(db);
}

void TEditFamily::db1ChangeEvent(int side)
{
    const bool outsideDialog = !InModalDialog();
    m_edit1->setEnabled(outsideDialog && HoldsPerson(m_db1));
    m_edit2->setEnabled(outsideDialog && HoldsPerson(m_db2));
    QToolButton* del = side == WifeSide ? m_del2 : m_del1;
    del->setEnabled(HoldsPerson(PartnerRecord(side)));
}
