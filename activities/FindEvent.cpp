#include "activities/FindEvent.h"

#include "activities/EventLook.h"
#include "activities/FindProject.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/kinds/EventLists.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupLists.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QString Today = u"Сегодня"_s;
const QString Week = u"На неделю вперед"_s;
const QString Custom = u"Произвольно"_s;

TItemProp PickList(const QStringList& values = {}, const QString& mask = QString())
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.PickList = values;
    props.EditMask = mask;
    return props;
}

bool IsEmptyRow(const TListRow& row)
{
    return row.Text(u"ObjId"_s).trimmed().isEmpty();
}

// The position of \a text among \a items (1-based), 0 when it is none of them.
int PositionOf(const QString& text, const QStringList& items)
{
    return static_cast<int>(items.indexOf(text)) + 1;
}

} // namespace

const QStringList& TFindEvent::FilterRows()
{
    static const QStringList rows{u"Название"_s, u"Период"_s, u"Проект"_s, u"Тип"_s, u"Результат события"_s,
        u"Статус"_s, u"Где (у кого)"_s, u"Комментарий"_s, u"Страна"_s, u"Область"_s, u"Район"_s, u"Город"_s,
        u"Улица"_s};
    return rows;
}

const QStringList& TFindEvent::PeriodItems()
{
    static const QStringList items{Today, Week, Custom};
    return items;
}

TFindEvent::TFindEvent(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindEvent"_s);
    FindCaption->setText(u"События"_s);
    SetsqlOrder(u"AllInfo.Date1 desc"_s);
    aNew->setData(Kind::Event);
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFindEvent::NewEvent);
    aCopy->setVisible(true);
    aLinks->setData(AnalysisDialog);
    aLinks->setText(u"Анализ событий"_s);
    aLinks->setToolTip(u"Анализ событий"_s);
    disconnect(aLinks, &QAction::triggered, this, nullptr);
    connect(aLinks, &QAction::triggered, this, [this]() {
        if (aLinks->data().toInt() == AnalysisDialog)
            OpenAnalysis();
        else
            aLinksExecute();
    });
    SetGridDraged(true);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Event;

    Grid->SetColumns({TGridColumn{u"Int1"_s, QString(), 36},
        TGridColumn{u"Date1"_s, u"Дата"_s, 84, true, Qt::AlignCenter},
        TGridColumn{u"Int3"_s, QString(), 34, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"[Проект] Название"_s, 260}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        image = IsEmptyRow(row) ? -1 : EventTypePicture(static_cast<int>(row.Int(u"Int1"_s)));
    };
    Grid->OnGetFontColor = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, QColor& colour,
                               TFontStyles& style) {
        if (IsEmptyRow(row))
            return;
        style = EventLook::FontStyle(row.Int(u"Int2"_s), style);
        colour = EventLook::Colour(row.Number(u"Date1"_s), row.Number(u"Date2"_s), DateSerial::Now());
    };

    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
    OptionList->SetItemProps(u"Период"_s, PickList(PeriodItems()));
    for (const QString& row : {u"Проект"_s, u"Тип"_s, u"Статус"_s, u"Результат события"_s, u"Где (у кого)"_s})
        OptionList->SetItemProps(row, PickList());
    OptionList->OnGetPickList = [this](TOptionList&, const QString& key, QStringList& values) {
        values = PickListOf(key);
    };
    SetFullFindMode(true);
}

TFindEvent::~TFindEvent() = default;

QStringList TFindEvent::PickListOf(const QString& key)
{
    TValueList list;
    if (key == u"Проект"_s) {
        GroupLists::ProjectList(QueryDatabase(), list);
        list.prepend(TValueItem{NoProject, TGID(Ids::None)});
        list.prepend(TValueItem{});
        m_projects = list;
    } else if (key == u"Тип"_s) {
        return QStringList{QString()} + EventType::Captions().mid(0, EventType::Parcel);
    } else if (key == u"Статус"_s) {
        return QStringList{QString()} + EventLook::StatusCaptions();
    } else if (key == u"Результат события"_s) {
        DistinctValues(QueryDatabase(), u"Str3"_s, QString(), list, 0, 0, Kind::Event);
        list.prepend(TValueItem{});
    } else if (key == u"Где (у кого)"_s) {
        EventLists::HostNames(QueryDatabase(), list);
        list.prepend(TValueItem{});
    } else if (key == u"Период"_s) {
        return PeriodItems();
    }
    return ValueTexts(list);
}

QString TFindEvent::ProjectOf(const QString& text) const
{
    for (const TValueItem& item : m_projects)
        if (item.HasId() && item.Text == text)
            return item.Id;
    return QString();
}

QString TFindEvent::GetSelectSQL()
{
    return EventLists::ListStatement(GetWhereSQL(), TotalOrder(sqlOrder()));
}

void TFindEvent::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(3, OptionList->Values(u"Результат события"_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
    const auto value = [this](const QString& key) { return OptionList->Values(key).trimmed(); };
    if (const QString project = value(u"Проект"_s); !project.isEmpty()) {
        const QString id = ProjectOf(project);
        // The none id stands for the events without a project: it makes a condition of its own.
        if (!id.isEmpty())
            IdCondition(m_whereExt, id, u"AllInfo.Link1"_s);
    }
    const int type = PositionOf(value(u"Тип"_s), EventType::Captions().mid(0, EventType::Parcel));
    if (type > 0)
        SetFindField(11, QString::number(type));
    const int status = PositionOf(value(u"Статус"_s), EventLook::StatusCaptions());
    if (status > 0)
        SetFindField(12, QString::number(status));

    const QString period = value(u"Период"_s);
    const double today = DateSerial::Today();
    // "Произвольно" gives the row the mask of a range of dates; the two periods of their own take it away.
    const int periodRow = OptionList->FindRow(u"Период"_s);
    const QString mask = period == Custom ? TFindProject::PeriodMask
        : (period == Today || period == Week) ? QString()
                                              : OptionList->ItemProps(periodRow).EditMask;
    if (OptionList->ItemProps(periodRow).EditMask != mask)
        OptionList->SetItemProps(periodRow, PickList(PeriodItems(), mask));
    if (period == Today || period == Week) {
        AddCondition(m_whereExt, EventLists::PeriodCondition(today, today + (period == Today ? 1 : 7)));
    } else if (!period.isEmpty() && period != Custom) {
        double from = 0;
        double to = 0;
        TFindProject::PeriodDates(OptionList->Values(u"Период"_s), from, to);
        AddCondition(m_whereExt, EventLists::PeriodCondition(from, to));
    }
    AddCondition(m_whereExt,
        EventLists::AddressCondition(value(u"Страна"_s), value(u"Область"_s), value(u"Район"_s), value(u"Город"_s),
            value(u"Улица"_s)));
    static const QStringList known{u"Название"_s, u"Период"_s, u"Проект"_s, u"Тип"_s, u"Результат события"_s,
        u"Статус"_s, u"Комментарий"_s, u"Страна"_s, u"Область"_s, u"Район"_s, u"Город"_s, u"Улица"_s};
    for (int row = 0; row < OptionList->RowCount(); ++row) {
        const QString key = OptionList->Key(row);
        const QString text = OptionList->Value(row).trimmed();
        if (!text.isEmpty() && !known.contains(key))
            AddCondition(m_whereExt, ParseExtraOption(key, text));
    }
}

QString TFindEvent::ParseExtraOption(const QString& key, const QString& value)
{
    return key == u"Где (у кого)"_s ? EventLists::HostCondition(value) : QString();
}

QString TFindEvent::GetNameText(const TListRow& row)
{
    if (!row.IsValid())
        return QString();
    const QString project = row.Text(u"PrName"_s);
    const QString name = row.Text(u"Str1"_s);
    if (project.isEmpty())
        return u'\r' + name;
    return u'[' + project + u"]\r"_s + name;
}

QString TFindEvent::GetDateText(const TListRow& row)
{
    return EventLook::DateText(row.Number(u"Date1"_s), DateSerial::Today());
}

void TFindEvent::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [this](const TListRow& row, const QVariant&) { return GetDateText(row); });
    model->SetFieldTextHandler(u"STR1"_s, [this](const TListRow& row, const QVariant&) { return GetNameText(row); });
    model->SetFieldTextHandler(u"INT3"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (IsEmptyRow(row))
            return QString();
        // Meetings and rows without a type have no direction.
        return row.Int(u"Int1"_s) < EventType::PhoneCall ? u" "_s : EventLook::DirectionText(row.Int(u"Int3"_s));
    });
    TBaseFind::QueryAfterOpen();
}

int TFindEvent::FirstRow()
{
    // Newest first: the first row that is not later than now is the latest event that has begun.
    const TListModel* model = Grid->Model();
    const double now = DateSerial::Now();
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (model->Row(row).Number(u"Date1"_s) <= now)
            return row;
    }
    return 0;
}

void TFindEvent::NewEvent()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Event;
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

void TFindEvent::aCopyExecute()
{
    TDBMainInfo original;
    original.SetDatabase(QueryDatabase());
    if (IsEmptyId(CurObjId().trimmed()) || !original.SetObj(CurObjId()))
        return;
    TDBMainInfo* work = WorkInfo();
    work->Assign(&original);
    TEventView(*work).SetStart(0);
    work->D1Flag = false;
    work->Obj = Ids::Null;
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}

void TFindEvent::OpenAnalysis()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = AnalysisDialog;
    EditWorkInfo();
}
