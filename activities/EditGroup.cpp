#include "activities/EditGroup.h"

#include "platform/Messages.h"
#include "shell/widgets/LimitedMemo.h"
#include "shell/widgets/TimeEdit.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

bool IsSubcategory(qint64 type)
{
    return type == GroupType::IncomeSubcategory || type == GroupType::ExpenseSubcategory;
}

bool IsScopedType(qint64 type)
{
    return type == GroupType::OrganizationRoles || type == GroupType::EventRoles;
}

QWidget* Row(QWidget* parent, const QString& caption, QWidget* field, QLabel** label = nullptr)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* text = new QLabel(caption, row);
    text->setMinimumWidth(70);
    text->setBuddy(field);
    field->setParent(row);
    layout->addWidget(text);
    layout->addWidget(field, 1);
    if (label)
        *label = text;
    return row;
}

} // namespace

TFEditGroup::TFEditGroup(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_eName(new QLineEdit)
    , m_cbCategory(new QComboBox)
    , m_cbOnly1Firma(new QCheckBox)
    , m_mComments(new TLimitedMemo(CommentLength))
{
    setObjectName(u"FEditGroup"_s);
    m_eName->setObjectName(u"eName"_s);
    m_eName->setMaxLength(NameLength);
    m_cbCategory->setObjectName(u"cbCategory"_s);
    m_cbCategory->setEditable(false);
    m_cbOnly1Firma->setObjectName(u"cbOnly1Firma"_s);
    m_mComments->setObjectName(u"mComments"_s);
    m_mComments->setTabChangesFocus(true);

    m_panel1 = Row(this, u"Название"_s, m_eName);
    m_panel1->setObjectName(u"Panel1"_s);
    m_pIn = Row(this, u"Категория"_s, m_cbCategory);
    m_pIn->setObjectName(u"pIn"_s);
    m_pIn->hide();

    m_pOnly1Firma = new QWidget(this);
    m_pOnly1Firma->setObjectName(u"pOnly1Firma"_s);
    auto* onlyRow = new QHBoxLayout(m_pOnly1Firma);
    onlyRow->setContentsMargins(4, 2, 4, 2);
    m_cbOnly1Firma->setParent(m_pOnly1Firma);
    onlyRow->addWidget(m_cbOnly1Firma);
    m_pOnly1Firma->hide();

    m_gbDT = PeriodBox(u"Период"_s, m_dtStart, m_dtEnd, this);
    m_gbDT->hide();

    m_gbMemo = new QGroupBox(u"Комментарий"_s, this);
    m_gbMemo->setObjectName(u"gbMemo"_s);
    auto* memoLayout = new QVBoxLayout(m_gbMemo);
    memoLayout->setContentsMargins(4, 2, 4, 2);
    m_mComments->setParent(m_gbMemo);
    m_mComments->setMinimumHeight(60);
    memoLayout->addWidget(m_mComments);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_panel1);
    layout->addWidget(m_pIn);
    layout->addWidget(m_pOnly1Firma);
    layout->addWidget(m_gbDT);
    layout->addWidget(m_gbMemo, 1);
    setMinimumWidth(380);
}

TFEditGroup::~TFEditGroup()
{
    // The date editors are linked to the master; they leave it before it may go.
    m_dtStart->SetMasterDBInfo(nullptr);
    m_dtEnd->SetMasterDBInfo(nullptr);
}

void TFEditGroup::SetMasterDBInfo(TDBMainInfo* record)
{
    TBaseDBFrame::SetMasterDBInfo(record);
    m_dtStart->SetLinkMode(1);
    m_dtEnd->SetLinkMode(1);
    m_dtStart->SetMasterDBInfo(MasterDBInfo());
    m_dtEnd->SetMasterDBInfo(MasterDBInfo());
}

void TFEditGroup::LoadData()
{
    TBaseDBFrame::LoadData();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    m_storedCategory.clear();
    if (record->ObjType == Kind::Group) {
        const TConstGroupView group(*record);
        const qint64 type = group.GroupKind();
        m_gbDT->setVisible(type == GroupType::Project);
        m_pOnly1Firma->setVisible(IsScopedType(type));
        if (IsScopedType(type)) {
            m_cbOnly1Firma->setText(type == GroupType::OrganizationRoles ? u"Только для данной организации"_s
                                                                         : u"Только для данного события"_s);
            m_cbOnly1Firma->setChecked(group.ScopedToOwner());
            // The scope of a group is chosen once: the rows filed under it rely on it.
            m_cbOnly1Firma->setEnabled(IsNewId(record->Obj));
        }
        m_pIn->setVisible(IsSubcategory(type));
        m_cbCategory->clear();
        m_categories.clear();
        if (IsSubcategory(type)) {
            const int categoryKind = type == GroupType::IncomeSubcategory ? GroupType::IncomeCategory
                                                                          : GroupType::ExpenseCategory;
            GroupLists::GroupList(record->Database(), categoryKind, QString(), m_categories);
            m_cbCategory->addItems(ValueTexts(m_categories));
            m_cbCategory->setCurrentIndex(IndexOfId(group.Owner(), m_categories));
            if (!IsNewId(record->Obj))
                m_storedCategory = group.Owner();
        }
    } else {
        m_gbDT->hide();
        m_pOnly1Firma->hide();
        m_pIn->hide();
    }
    m_eName->setText(record->Str1);
    m_mComments->setPlainText(record->Comments);
}

QString TFEditGroup::ChosenCategory() const
{
    const int index = m_cbCategory->currentIndex();
    if (index < 0 || index >= m_categories.size() || !m_categories[index].HasId())
        return QString();
    return m_categories[index].Id;
}

bool TFEditGroup::ValidateData()
{
    m_errorText.clear();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return false;
    const QString name = m_eName->text().trimmed();
    if (name.isEmpty()) {
        m_errorText = u"Укажите название"_s;
        m_eName->setFocus();
        return false;
    }
    if (name.contains(u'"')) {
        m_errorText = u"Название не может содержать символ \""_s;
        m_eName->setFocus();
        return false;
    }
    if (record->ObjType != Kind::Group)
        return true;
    const qint64 type = record->Int1;
    // The scope is checked as it is about to be stored: the chosen category and the check box count.
    TObjectRow candidate = *record;
    if (IsScopedType(type))
        candidate.Flag = m_cbOnly1Firma->isChecked();
    if (IsSubcategory(type))
        candidate.Link1 = ChosenCategory();
    if (GroupLists::NameTaken(record->Database(), candidate, name)) {
        m_errorText = u"Группа или проект с таким названием уже существует в базе данных"_s;
        m_eName->setFocus();
        return false;
    }
    if (IsSubcategory(type) && ChosenCategory().isEmpty()) {
        m_errorText = u"Укажите категорию"_s;
        m_cbCategory->setFocus();
        return false;
    }
    return true;
}

void TFEditGroup::StoreData()
{
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    record->Str1 = m_eName->text().trimmed();
    record->Str5 = record->Str1;
    if (record->ObjType == Kind::MeetingKind)
        record->Int2 = MeetingPicture;
    if (record->ObjType == Kind::Group) {
        const qint64 type = record->Int1;
        record->Flag = IsScopedType(type) && m_cbOnly1Firma->isChecked();
        if (IsSubcategory(type))
            record->Link1 = ChosenCategory();
    } else {
        record->Flag = false;
    }
    record->Comments = m_mComments->toPlainText().trimmed();
}

void TFEditGroup::AfterSave()
{
    TBaseDBFrame::AfterSave();
    const TDBMainInfo* record = MasterDBInfo();
    if (!record || record->ObjType != Kind::Group || !IsSubcategory(record->Int1))
        return;
    const QString category = record->Link1;
    // A subcategory moved to another category: the operations filed under it follow it.
    if (!m_storedCategory.isEmpty() && !SameId(m_storedCategory, category)
        && !GroupLists::MoveSubcategoryOperations(record->Database(), record->Obj, category))
        Messages().ShowMessage(DbStatus::Text(DbStatus::QueryFailed));
    m_storedCategory = category;
}
