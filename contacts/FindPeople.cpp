#include "contacts/FindPeople.h"

#include "contacts/PhoneScreens.h"
#include "contacts/VCardScreens.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/EventView.h"
#include "store/kinds/OrganizationView.h"
#include "store/kinds/PersonView.h"
#include "store/kinds/PhoneView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const QString NoGroup = u"Группа не указана"_s;

TItemProp PickList(const QStringList& values)
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.PickList = values;
    return props;
}

TItemProp Masked(const QString& mask)
{
    TItemProp props;
    props.EditMask = mask;
    return props;
}

TItemProp Ellipsis()
{
    TItemProp props;
    props.EditStyle = TEditStyle::esEllipsis;
    props.ReadOnly = true;
    return props;
}

QString SexText(const TListRow& row)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return row.Bool(u"Flag"_s) ? u"ж"_s : u"м"_s;
}

} // namespace

const QStringList& TFindPeople::FilterRows()
{
    static const QStringList rows{u"Фамилия"_s, u"Имя"_s, u"Отчество"_s, u"Пол"_s, u"Возраст"_s, u"Дата рождения"_s,
        u"Статус"_s, u"Комментарий"_s, u"Телефон"_s, u"Internet ресурс"_s, u"Группа"_s, u"Роль"_s, u"Оценка"_s,
        u"Состояние"_s, u"Страна"_s, u"Область"_s, u"Район"_s, u"Город"_s, u"Связан с организацией"_s,
        u"Связан с событием"_s};
    return rows;
}

TFindPeople::TFindPeople(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Люди"_s);
    aNew->setData(Kind::Person);
    aPrint->setVisible(true);
    SetGridDraged(true);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Person;

    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 54},
        TGridColumn{u"Str1"_s, u"Ф.И.О."_s, 180},
        TGridColumn{u"Date1"_s, u"В П"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Comments"_s, u"Коментарий"_s, 200}});
    Grid->SetTextLineCount(3);

    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
    OptionList->SetItemProps(u"Пол"_s, PickList({QString(), u"мужской"_s, u"женский"_s}));
    OptionList->SetItemProps(u"Статус"_s, PickList({QString(), u"Живые"_s, u"Умерли"_s}));
    OptionList->SetItemProps(u"Дата рождения"_s, Masked(u"99.99.9999; "_s));
    OptionList->SetItemProps(u"Возраст"_s, Masked(u"от: 99  до: 99; "_s));
    OptionList->SetItemProps(u"Оценка"_s, Masked(u"от: 9  до: 99; "_s));
    for (const QString& row : {u"Телефон"_s, u"Связан с организацией"_s, u"Связан с событием"_s})
        OptionList->SetItemProps(row, Ellipsis());
    for (const QString& row : {u"Группа"_s, u"Роль"_s, u"Состояние"_s})
        OptionList->SetItemProps(row, PickList({}));
    OptionList->OnGetPickList = [this](TOptionList&, const QString& key, QStringList& values) {
        OptionListGetPickList(key, values);
    };
    OptionList->OnEditButtonClick = [this](TOptionList&, int row) { OptionListEditButtonClick(row); };

    // vCard files in and out, from the list's menu.
    ppMenu->addSeparator();
    const auto command = [this](const QString& name, const QString& caption, auto handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        ppMenu->addAction(action);
    };
    command(u"aImportVCard"_s, u"Импорт из vCard..."_s, [this]() { aImportVCardExecute(); });
    command(u"aExportVCard"_s, u"Экспорт в vCard..."_s, [this]() { aExportVCardExecute(u"3.0"_s); });
    command(u"aExportVCard4"_s, u"Экспорт в vCard 4.0..."_s, [this]() { aExportVCardExecute(u"4.0"_s); });
}

TFindPeople::~TFindPeople() = default;

QDate TFindPeople::Today()
{
    return Clock().Now().date();
}

TPeopleFilter TFindPeople::Filter() const
{
    TPeopleFilter filter;
    const auto value = [this](const QString& key) { return OptionList->Values(key); };
    filter.Sex = value(u"Пол"_s);
    filter.Status = value(u"Статус"_s);
    filter.Age = value(u"Возраст"_s);
    filter.BirthDay = value(u"Дата рождения"_s);
    filter.Internet = value(u"Internet ресурс"_s);
    if (!value(u"Телефон"_s).trimmed().isEmpty()) {
        filter.PhoneOwner = m_phoneOwner;
        filter.PhoneOwnerKind = m_phoneOwnerKind;
    }
    if (!value(u"Связан с организацией"_s).trimmed().isEmpty())
        filter.Organization = m_organization;
    if (!value(u"Связан с событием"_s).trimmed().isEmpty())
        filter.Event = m_event;
    // The group is found by its place in the pick list; the blank first item means none.
    const QString group = value(u"Группа"_s).trimmed();
    for (int i = 1; i < m_groups.size() && !group.isEmpty(); ++i)
        if (m_groups[i].Text == group) {
            filter.Group = m_groups[i].Id;
            break;
        }
    filter.Role = value(u"Роль"_s);
    filter.Rating = value(u"Оценка"_s);
    filter.State = value(u"Состояние"_s);
    filter.Country = value(u"Страна"_s);
    filter.Region = value(u"Область"_s);
    filter.District = value(u"Район"_s);
    filter.City = value(u"Город"_s);
    return filter;
}

void TFindPeople::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Фамилия"_s));
    SetFindField(2, OptionList->Values(u"Имя"_s));
    SetFindField(3, OptionList->Values(u"Отчество"_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
    const TPeopleFilter filter = Filter();
    m_groupId = filter.Group;
    m_whereExt = PeopleFilterConditions(filter, Today());
}

void TFindPeople::InitFindMode()
{
    TBaseFind::InitFindMode();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || master->ObjType != Kind::Person)
        return;
    const TConstPersonView person(*master);
    const QStringList names{u"Фамилия"_s, u"Имя"_s, u"Отчество"_s};
    const QStringList values{person.Surname(), person.FirstName(), person.Patronymic()};
    for (int i = 0; i < names.size(); ++i)
        if (!values[i].isEmpty())
            OptionList->SetValues(names[i], values[i]);
    if (person.SexHint() > 0) {
        TItemProp fixed;
        fixed.ReadOnly = true;
        OptionList->SetItemProps(u"Пол"_s, fixed);
        OptionList->SetValues(u"Пол"_s, person.SexHint() == 1 ? u"мужской"_s : u"женский"_s);
    }
}

void TFindPeople::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"FLAG"_s, [](const TListRow& row, const QVariant&) -> QString { return SexText(row); });
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        const bool dead = row.Bool(u"D2Flag"_s);
        return AgeText(dead, false, row.Number(u"Date1"_s)) + u"\n\n"_s + SexText(row);
    });
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        return row.Text(u"Str1"_s) + u'\n' + row.Text(u"Str2"_s) + u'\n' + row.Text(u"Str3"_s);
    });
    TBaseFind::QueryAfterOpen();
}

void TFindPeople::aPrintExecute()
{
    Screens::PrintList(Kind::Person, *Grid->Model());
}

void TFindPeople::aImportVCardExecute()
{
    VCardScreens::ImportFile(window());
}

void TFindPeople::aExportVCardExecute(const QString& version)
{
    const QStringList ids = ShownIds();
    if (ids.isEmpty()) {
        Messages().ShowMessage(u"В списке нет людей для экспорта"_s);
        return;
    }
    VCardScreens::ExportPeople(window(), ids, version, u"Люди"_s);
}

QStringList TFindPeople::ShownIds() const
{
    QStringList ids;
    const TListModel* model = Grid->Model();
    if (!model || !model->IsOpen())
        return ids;
    const int count = model->RecordCount();
    const int field = model->FieldIndex(u"ObjId"_s);
    if (field < 0)
        return ids;
    ids.reserve(count);
    for (int row = 0; row < count; ++row)
        ids << model->FieldValue(row, field).toString();
    return ids;
}

void TFindPeople::EnableActions()
{
    TBaseFind::EnableActions();
    // The list report comes with the reports; until one is registered there is nothing to print.
    aPrint->setEnabled(aPrint->isEnabled() && Screens::HasListReport(Kind::Person));
}

void TFindPeople::OptionListGetPickList(const QString& keyName, QStringList& values)
{
    TMyDataBase* db = QueryDatabase();
    if (keyName == u"Группа"_s) {
        ObjectList(21, Kind::Person, db, m_groups, QString());
        m_groups.prepend(TValueItem{NoGroup, TGID(Ids::None)});
        m_groups.prepend(TValueItem{});
        values = ValueTexts(m_groups);
    } else if (keyName == u"Роль"_s) {
        QString sql = u"select distinct Str1 from AllInfo where ObjType = 20 and Int1 = 1"_s;
        const QString group = Filter().Group;
        if (!group.isEmpty())
            sql += u" and Link2 = "_s + SqlDialect::Quote(group);
        TValueList roles;
        FillValueList(db, sql + u" order by Str1"_s, true, false, roles);
        values = ValueTexts(roles);
    } else if (keyName == u"Состояние"_s) {
        values = Filter().Group.isEmpty() ? QStringList()
                                          : QStringList{QString(), PeopleStates::Now, PeopleStates::Was};
    }
}

void TFindPeople::OptionListEditButtonClick(int row)
{
    const QString key = OptionList->Key(row);
    int kind = 0;
    if (key == u"Телефон"_s)
        kind = PhonePick::Kind;
    else if (key == u"Связан с организацией"_s)
        kind = Kind::Organization;
    else if (key == u"Связан с событием"_s)
        kind = Kind::Event;
    else
        return;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = kind;
    const bool picked = PickWorkInfo() == 1;
    QString text;
    if (kind == PhonePick::Kind) {
        const TPhoneView phone(*work);
        m_phoneOwner = picked ? phone.Owner().Text() : QString();
        m_phoneOwnerKind = picked ? static_cast<int>(phone.OwnerKind()) : 0;
        text = picked ? phone.Number() : QString();
    } else {
        QString& id = kind == Kind::Event ? m_event : m_organization;
        id = picked ? work->Obj.Text() : QString();
        if (picked)
            text = kind == Kind::Event ? EventView(*work).DisplayName() : OrganizationView(*work).DisplayName();
    }
    OptionList->SetValue(row, text);
}
