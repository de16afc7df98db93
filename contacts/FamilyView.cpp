#include "contacts/FamilyView.h"

#include "contacts/PeoplePrev.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QHBoxLayout>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Kinship {

TFamilyView::TFamilyView(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_db1(new TDBMainInfo(this))
    , m_db2(new TDBMainInfo(this))
    , m_p1(new TPeoplePrev(this))
    , m_p2(new TPeoplePrev(this))
{
    setObjectName(u"FamilyView"_s);
    auto* bar = new QToolBar(this);
    bar->setObjectName(u"MenuBar"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [&](QToolButton*& button, const QString& name, const QString& caption, const QString& hint,
                         void (TFamilyView::*click)()) {
        button = Button(name, caption, hint, click);
        bar->addWidget(button);
    };
    add(m_addParent, u"tbAddParent1"_s, u"Родители"_s, u"Добавить родителей"_s, &TFamilyView::TbAddParent1Click);
    add(m_delParent, u"tbDelParent1"_s, u"Без родителей"_s, u"Удалить связь с родителями"_s,
        &TFamilyView::TbDelParent1Click);
    bar->addSeparator();
    add(m_newFamily, u"tbNewFamily"_s, u"Новая семья"_s, u"Создать новую семью"_s, &TFamilyView::TbNewFamilyClick);
    add(m_editFamily, u"tbEditFamily"_s, u"Открыть"_s, u"Редактировать данные о семье"_s,
        &TFamilyView::TbEditFamilyClick);
    add(m_delFamily, u"tbDelFamily"_s, u"Удалить"_s, u"Удалить семью"_s, &TFamilyView::TbDelFamilyClick);
    bar->addSeparator();
    add(m_addChildren, u"tbAddChildren"_s, u"Дети"_s, u"Добавить совместных детей"_s,
        &TFamilyView::TbAddChildrenClick);

    m_p1->setObjectName(u"p1"_s);
    m_p2->setObjectName(u"p2"_s);
    m_p1->SetOldVisible(true);
    m_p2->SetOldVisible(true);
    m_p1->SetMasterDBInfo(m_db1);
    m_p2->SetMasterDBInfo(m_db2);
    auto* people = new QHBoxLayout;
    people->setContentsMargins(0, 0, 0, 0);
    people->addWidget(m_p1, 1);
    people->addWidget(m_p2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(bar);
    layout->addLayout(people);
    LoadData();
}

TFamilyView::~TFamilyView()
{
    m_p1->SetMasterDBInfo(nullptr);
    m_p2->SetMasterDBInfo(nullptr);
}

QToolButton* TFamilyView::Button(const QString& name, const QString& caption, const QString& hint,
                                 void (TFamilyView::*click)())
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QToolButton::clicked, this, click);
    return button;
}

QString TFamilyView::PersonId() const
{
    const TDBMainInfo* record = MasterDBInfo();
    return record ? QString(TConstFamilyView(*record).Husband()) : QString();
}

void TFamilyView::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    const QString person = record ? QString(record->Link1) : QString();
    const QString partner = record ? QString(record->Link2) : QString();
    for (TDBMainInfo* shown : {m_db1, m_db2})
        shown->SetDatabase(record ? record->Database() : nullptr);
    m_db1->SetObj(IsEmptyId(person) ? QString() : person);
    m_db2->SetObj(IsEmptyId(partner) ? QString() : partner);
    const bool stored = record && !IsEmptyId(record->Obj);
    const bool hasPerson = !IsEmptyId(person);
    const bool hasParents = hasPerson && !IsEmptyId(TConstPersonView(*m_db1).NativeFamily());
    m_delFamily->setEnabled(stored);
    m_addChildren->setEnabled(stored);
    m_editFamily->setEnabled(hasPerson);
    m_newFamily->setEnabled(hasPerson);
    m_addParent->setEnabled(hasPerson && !hasParents);
    m_delParent->setEnabled(hasParents);
}

void TFamilyView::TbAddChildrenClick()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record || IsEmptyId(record->Obj))
        return;
    // Half the father's surname matches the son's and the daughter's form of it alike.
    const QString surname = TConstPersonView(*m_db1).Surname().trimmed();
    WorkInfo()->Clear();
    WorkInfo()->ObjType = Kind::Person;
    PersonView(*WorkInfo()).SetSurname(surname.left(surname.size() / 2));
    if (PickWorkInfo() != 1 || IsEmptyId(WorkInfo()->Obj))
        return;
    if (SetNativeFamily(*record, WorkInfo()->Obj))
        Q_EMIT RebuildRequested();
}

void TFamilyView::TbAddParent1Click()
{
    const QString person = PersonId();
    if (IsEmptyId(person))
        return;
    WorkInfo()->Clear();
    WorkInfo()->ObjType = Kind::Family;
    if (PickWorkInfo() == 1 && !IsEmptyId(WorkInfo()->Obj) && SetNativeFamily(*WorkInfo(), person))
        PersonView(*m_db1).SetNativeFamily(WorkInfo()->Obj);
    Q_EMIT RebuildRequested();
}

void TFamilyView::TbDelParent1Click()
{
    const QString person = PersonId();
    if (IsEmptyId(person) || !RemoveParents(person, MasterDBInfo()->Database()))
        return;
    PersonView(*m_db1).SetNativeFamily(Ids::None);
    Q_EMIT RebuildRequested();
}

void TFamilyView::TbNewFamilyClick()
{
    const QString person = PersonId();
    if (IsEmptyId(person))
        return;
    WorkInfo()->Clear();
    WorkInfo()->ObjType = Kind::Family;
    FamilyView(*WorkInfo()).SetHusband(person);
    FamilyView(*WorkInfo()).SetWife(Ids::None);
    if (EditWorkInfo() == 1)
        Q_EMIT RebuildRequested();
}

void TFamilyView::TbEditFamilyClick()
{
    const TDBMainInfo* record = MasterDBInfo();
    if (!record || IsEmptyId(PersonId()))
        return;
    if (IsEmptyId(record->Obj)) {
        WorkInfo()->Clear();
        if (!WorkInfo()->SetObj(PersonId()))
            return;
    } else if (!WorkInfo()->SetObj(record->Obj)) {
        return;
    }
    OpenWorkInfo();
}

void TFamilyView::TbDelFamilyClick()
{
    const TDBMainInfo* record = MasterDBInfo();
    if (!record || IsEmptyId(record->Obj) || !WorkInfo()->SetObj(record->Obj))
        return;
    if (DeleteWorkInfo() == 1)
        Q_EMIT RebuildRequested();
}

} // namespace Kinship
