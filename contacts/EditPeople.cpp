#include "contacts/EditPeople.h"

#include "shell/widgets/DBImageFrame.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/PersonView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int CommentLength = 200;

QLineEdit* NameEdit(const QString& objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    auto* completer = new QCompleter(new QStringListModel(edit), edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    edit->setCompleter(completer);
    return edit;
}

QStringListModel* CompletionModel(QLineEdit* edit)
{
    return qobject_cast<QStringListModel*>(edit->completer()->model());
}

} // namespace

TFEditPeople::TFEditPeople(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eFamily(NameEdit(u"eFamily"_s, this))
    , m_eName(NameEdit(u"eName"_s, this))
    , m_eParent(NameEdit(u"eParent"_s, this))
    , m_gSex(new QGroupBox(u"Пол"_s, this))
    , m_sexButtons(new QButtonGroup(this))
    , m_pFoto(new TDBImageFrame(this))
    , m_tbBDTab(new QToolButton(this))
    , m_tbDeadTab(new QToolButton(this))
    , m_dates(new QStackedWidget(this))
    , m_birth(new TdbTimeEdit(m_dates))
    , m_cbDead(new QCheckBox(u"Умер"_s))
    , m_death(new TdbTimeEdit)
    , m_comments(new TLimitedMemo(CommentLength))
{
    m_gSex->setObjectName(u"gSex"_s);
    auto* sexLayout = new QHBoxLayout(m_gSex);
    const QStringList sexItems{u"мужской"_s, u"женский"_s};
    for (int i = 0; i < sexItems.size(); ++i) {
        auto* button = new QRadioButton(sexItems[i], m_gSex);
        m_sexButtons->addButton(button, i);
        sexLayout->addWidget(button);
    }
    connect(m_sexButtons, &QButtonGroup::idClicked, this, &TFEditPeople::gSexClick);

    m_pFoto->setObjectName(u"pFoto"_s);
    m_pFoto->SetFoneString(u"Фото"_s);
    m_pFoto->SetDeadVisible(false);
    m_pFoto->setMinimumSize(96, 120);

    m_tbBDTab->setObjectName(u"tbBDTab"_s);
    m_tbBDTab->setText(u"Родился"_s);
    m_tbDeadTab->setObjectName(u"tbDeadTab"_s);
    m_tbDeadTab->setText(u"Доп. информация"_s);
    // Two tabs, one of them down; outside a button group, so that Tab reaches each of them.
    for (QToolButton* tab : {m_tbBDTab, m_tbDeadTab}) {
        tab->setCheckable(true);
        tab->setAutoRaise(true);
        connect(tab, &QToolButton::clicked, this, [this, tab] { tbBDTabClick(tab == m_tbBDTab); });
    }
    m_tbBDTab->setChecked(true);

    m_birth->setObjectName(u"dbdtEdit_BDay"_s);
    m_birth->SetdbField(Tdb_dtFields::db_Date1);
    m_birth->SetToolBarVisible(true);
    m_birth->SetAlarm(true);
    // A year alone, or a month and a year, is no birthday to remind of.
    m_birth->SetAlarmNeedsFullDate(true);
    auto* deathPanel = new QWidget(m_dates);
    auto* deathLayout = new QHBoxLayout(deathPanel);
    deathLayout->setContentsMargins(0, 0, 0, 0);
    m_cbDead->setObjectName(u"cbDead"_s);
    m_death->setObjectName(u"dbdtEdit_EDay"_s);
    m_death->SetdbField(Tdb_dtFields::db_Date2);
    m_death->SetToolBarVisible(false);
    m_death->SetAlarm(false);
    m_death->SetMasterDBInfo(&m_dead);
    m_death->setVisible(false);
    deathLayout->addWidget(m_cbDead);
    deathLayout->addWidget(m_death, 1);
    m_dates->addWidget(m_birth);
    m_dates->addWidget(deathPanel);
    connect(m_cbDead, &QCheckBox::clicked, this, &TFEditPeople::cbDeadClick);

    auto* commentBox = new QGroupBox(u"Коментарий"_s, this);
    m_comments->setObjectName(u"mComments"_s);
    m_comments->setTabChangesFocus(true);
    (new QVBoxLayout(commentBox))->addWidget(m_comments);

    connect(m_eFamily, &QLineEdit::editingFinished, this, [this] { eFamilyExit(m_eFamily); });
    connect(m_eParent, &QLineEdit::editingFinished, this, [this] { eFamilyExit(m_eParent); });
    connect(m_eName, &QLineEdit::editingFinished, this, &TFEditPeople::eNameExit);
    // The completer looks at its list after textEdited, so a list read here is offered for this very key.
    for (QLineEdit* edit : {m_eFamily, m_eName, m_eParent})
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { EnsureCompletion(edit); });

    auto* names = new QGridLayout;
    const QList<std::pair<QString, QLineEdit*>> rows{
        {u"Фамилия"_s, m_eFamily}, {u"Имя"_s, m_eName}, {u"Отчество"_s, m_eParent}};
    for (int row = 0; row < rows.size(); ++row) {
        auto* label = new QLabel(rows[row].first, this);
        label->setBuddy(rows[row].second);
        names->addWidget(label, row, 0);
        names->addWidget(rows[row].second, row, 1);
    }
    names->addWidget(m_gSex, rows.size(), 0, 1, 2);
    auto* tabBar = new QHBoxLayout;
    tabBar->addWidget(m_tbBDTab);
    tabBar->addWidget(m_tbDeadTab);
    tabBar->addStretch();
    names->addLayout(tabBar, rows.size() + 1, 0, 1, 2);
    names->addWidget(m_dates, rows.size() + 2, 0, 1, 2);

    auto* top = new QHBoxLayout;
    top->addLayout(names, 1);
    top->addWidget(m_pFoto);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(commentBox, 1);
    // Tab follows the screen: the names, the sex, the birth tab with its date, the other tab with the death
    // date, the comment; hidden controls are passed over.
    QList<QWidget*> order {m_eFamily, m_eName, m_eParent, SexButton(0), SexButton(1), m_tbBDTab};
    order << m_birth->findChild<QLineEdit*>(u"eDT"_s) << m_birth->findChild<QLineEdit*>(u"t1edit"_s)
          << m_birth->findChild<QToolButton*>(u"tbAlarm"_s) << m_tbDeadTab << m_cbDead
          << m_death->findChild<QLineEdit*>(u"eDT"_s) << m_death->findChild<QLineEdit*>(u"t1edit"_s) << m_comments;
    order.removeAll(nullptr);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

TFEditPeople::~TFEditPeople()
{
    // A frame shown as a window of its own is closed by the widget base after this part is gone; the focus
    // then leaves a name edit, whose editingFinished must not reach a half-destroyed editor.
    for (QLineEdit* edit : {m_eFamily, m_eName, m_eParent})
        disconnect(edit, nullptr, this, nullptr);
    // The death editor is linked to m_dead, which goes away first.
    m_death->SetMasterDBInfo(nullptr);
}

QRadioButton* TFEditPeople::SexButton(int index) const
{
    return qobject_cast<QRadioButton*>(m_sexButtons->button(index));
}

void TFEditPeople::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_pFoto->SetMasterDBInfo(MasterDBInfo());
    m_birth->SetMasterDBInfo(MasterDBInfo());
}

void TFEditPeople::SetSex(int sex)
{
    m_sex = sex;
    if (TDBMainInfo* master = MasterDBInfo())
        PersonView(*master).SetSexHint(sex);
    const bool female = sex == 2;
    m_tbBDTab->setText(female ? u"Родилась"_s : u"Родился"_s);
    m_cbDead->setText(female ? u"Умерла"_s : u"Умер"_s);
    if (sex == 1 || sex == 2)
        m_sexButtons->button(sex - 1)->setChecked(true);
}

void TFEditPeople::EnsureCompletion(QLineEdit* edit)
{
    if (m_completed.contains(edit) || !isEnabled())
        return;
    QString column;
    int sexMode = m_sex;
    if (edit == m_eFamily) {
        column = u"Str1"_s;
        sexMode = 0;
    } else if (edit == m_eName) {
        column = u"Str2"_s;
    } else if (edit == m_eParent) {
        column = u"Str3"_s;
    } else {
        return;
    }
    TValueList values;
    DistinctValues(MasterDBInfo() ? MasterDBInfo()->Database() : nullptr, column, QString(), values, 0, sexMode,
        Kind::Person);
    CompletionModel(edit)->setStringList(ValueTexts(values));
    m_completed.insert(edit);
}

QStringList TFEditPeople::Offered(QLineEdit* edit)
{
    EnsureCompletion(edit);
    return CompletionModel(edit)->stringList();
}

void TFEditPeople::RefillPatronymics()
{
    // Read anew, for the sex now chosen, when the user next types a patronymic.
    if (m_completed.remove(m_eParent))
        CompletionModel(m_eParent)->setStringList({});
}

void TFEditPeople::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TPersonView person(*master);
    int sex = static_cast<int>(person.SexHint());
    if (sex == 0 && !SameId(master->Obj, Ids::Null))
        sex = person.IsFemale() ? 2 : 1;
    if (sex == 0) {
        // A new person without a hint shows no choice, so the user has to make one.
        m_sexButtons->setExclusive(false);
        for (QAbstractButton* button : m_sexButtons->buttons())
            button->setChecked(false);
        m_sexButtons->setExclusive(true);
    }
    SetSex(sex);
    m_eFamily->setText(person.Surname());
    m_eName->setText(person.FirstName());
    m_eParent->setText(person.Patronymic());
    m_comments->setPlainText(person.Comments());
    m_dead.Assign(master);
    m_cbDead->setChecked(person.IsDead());
    m_death->setVisible(person.IsDead());
}

void TFEditPeople::eFamilyExit(QLineEdit* edit)
{
    const QString normal = CapitalizeFirst(edit->text());
    if (normal != edit->text())
        edit->setText(normal);
}

int TFEditPeople::GuessSex(const QString& name) const
{
    TDBMainInfo* master = MasterDBInfo();
    return GuessSexOfFirstName(master ? master->Database() : nullptr, name);
}

void TFEditPeople::eNameExit()
{
    eFamilyExit(m_eName);
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const QString name = m_eName->text().trimmed();
    const TPersonView person(*master);
    if (name == person.FirstName().trimmed())
        return;
    if (person.SexHint() == 0 && !name.isEmpty())
        SetSex(GuessSex(name));
    RefillPatronymics();
}

void TFEditPeople::gSexClick(int index)
{
    SetSex(index + 1);
    RefillPatronymics();
}

void TFEditPeople::cbDeadClick()
{
    const bool dead = m_cbDead->isChecked();
    PersonView(m_dead).SetIsDead(dead);
    m_dead.NotifyLoaded();
    m_death->setVisible(dead);
}

void TFEditPeople::tbBDTabClick(bool birth)
{
    m_tbBDTab->setChecked(birth);
    m_tbDeadTab->setChecked(!birth);
    m_dates->setCurrentIndex(birth ? 0 : 1);
}

bool TFEditPeople::ValidateData()
{
    const bool allBlank = m_eFamily->text().trimmed().isEmpty() && m_eName->text().trimmed().isEmpty()
        && m_eParent->text().trimmed().isEmpty() && m_comments->toPlainText().trimmed().isEmpty();
    if (allBlank) {
        m_errorText = u"Укажите одно из обязательных полей \"Фамилия\", \"Имя\" или \"Отчество\""_s;
        m_eFamily->setFocus();
        return false;
    }
    if (m_sex == 0) {
        m_errorText = u"Укажите пол!"_s;
        SexButton(0)->setFocus();
        return false;
    }
    return true;
}

void TFEditPeople::StoreData()
{
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TPersonView person(*master);
    if (!IsNewId(master->Obj)) {
        auto query = TMyDataBase::QueryOn(master->Database(),
            u"select Link1, Link2, Link3 from AllInfo where ObjId = "_s + SqlDialect::Quote(master->Obj));
        if (query && query->next()) {
            person.SetNativeFamily(query->value(0).toString());
            person.SetGodfather(query->value(1).toString());
            person.SetGodmother(query->value(2).toString());
        }
    }
    person.SetSexHint(0);
    person.SetSurname(CapitalizeFirst(m_eFamily->text()));
    person.SetFirstName(CapitalizeFirst(m_eName->text()));
    person.SetPatronymic(CapitalizeFirst(m_eParent->text()));
    person.SetIsFemale(m_sex == 2);
    person.SetComments(m_comments->toPlainText().trimmed().left(CommentLength));
    // An unchecked box means alive whatever the hidden death editor still holds; a checked one without a
    // complete date keeps the fact of death with no date.
    const TDateEditState& death = m_death->Parse();
    if (m_cbDead->isChecked() && death.Complete && death.Value > 0) {
        PersonView(m_dead).SetDeathDate(death.Value);
        person.SetDeathDate(death.Value);
        person.SetIsDead(true);
    } else {
        person.SetDeathDate(0);
        person.SetIsDead(m_cbDead->isChecked());
    }
}

void TFEditPeople::AfterSave()
{
    TBaseDBFrame::AfterSave();
    AnnounceObjectSaved(Kind::Person);
}
