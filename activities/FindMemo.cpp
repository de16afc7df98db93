#include "activities/FindMemo.h"

#include "activities/FindProject.h"
#include "platform/Messages.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/NoteLinkView.h"
#include "store/kinds/NoteView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

TItemProp PickList()
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.ReadOnly = true;
    return props;
}

} // namespace

const QStringList& TFindMemo::TypeCaptions()
{
    static const QStringList captions {
        u"Обычная заметка"_s, u"Ссылка на папку"_s, u"Ссылка на файл"_s, u"Ссылка на web сайт"_s};
    return captions;
}

TFindMemo::TFindMemo(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindMemo"_s);
    FindCaption->setText(u"Заметки"_s);
    SetGridDraged(true);
    aNew->setData(Kind::Note);
    aLinks->setData(Kind::Note);
    aLinks->setVisible(true);
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFindMemo::NewNote);
    miDelRole->setText(u"Удалить связь"_s);
    miDelEvent->setText(u"Удалить заметку"_s);
    Bind(miDelRole, &TBaseFind::miDelLinkClick);
    // A row is the note: a link row has nothing of its own to show.
    Bind(aOpen, &TBaseFind::aOpenExecute);
    disconnect(Grid, &QAbstractItemView::doubleClicked, this, nullptr);
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TBaseFind::aOpenExecute);
    Grid->SetColumns({TGridColumn {u"Int1"_s, u"Тип"_s, 36, true, Qt::AlignCenter},
        TGridColumn {u"Date1"_s, u"Дата"_s, 80, true, Qt::AlignCenter}, TGridColumn {u"Str1"_s, u"Название"_s, 240}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        image = row.Text(u"ObjId"_s).trimmed().isEmpty()
            ? -1
            : NoteAttachmentPicture(static_cast<int>(row.Number(u"Int1"_s)));
    };
    OptionList->SetStrings({u"Название="_s, u"Период="_s, u"Тип="_s, u"Ссылка="_s, u"Группа="_s, u"Комментарий="_s});
    TItemProp period;
    period.EditMask = TFindProject::PeriodMask;
    OptionList->SetItemProps(u"Период"_s, period);
    OptionList->SetItemProps(u"Тип"_s, PickList());
    OptionList->SetItemProps(u"Группа"_s, PickList());
    OptionList->OnGetPickList
        = [this](TOptionList&, const QString& key, QStringList& values) { values = PickListOf(key); };
    SetFullFindMode(true);
}

TFindMemo::~TFindMemo() = default;

TFindMemo::TMasterMode TFindMemo::MasterMode() const
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || (IsEmptyId(master->Obj) && (master->ObjType == Kind::Note || master->ObjType == 0)))
        return TMasterMode::AllNotes;
    return master->ObjType == Kind::Group ? TMasterMode::Project : TMasterMode::Attached;
}

void TFindMemo::LoadData()
{
    TBaseFind::LoadData();
    // The list of every note follows the saves of notes already (its master is a note).
    const TDBMainInfo* master = MasterDBInfo();
    if (master && master->ObjType != Kind::Note && m_notesSaved == 0)
        m_notesSaved = Screens::RegisterObjectSaved(
            Kind::Note, [this](int) { ObjectsSaved(); }, this);
}

QStringList TFindMemo::PickListOf(const QString& key)
{
    if (key == u"Тип"_s)
        return QStringList {QString()} + TypeCaptions();
    if (key == u"Группа"_s) {
        GroupLists::ProjectList(QueryDatabase(), m_projects);
        m_projects.prepend(TValueItem {});
        return ValueTexts(m_projects);
    }
    return {};
}

QString TFindMemo::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString kind = QString::number(Kind::Note);
    QString sql;
    switch (MasterMode()) {
    case TMasterMode::AllNotes:
        sql = u"select AllInfo.* from AllInfo where AllInfo.ObjType = "_s + kind;
        break;
    case TMasterMode::Project:
        // The link column is the note itself: deleting "the link" deletes the note.
        sql = u"SELECT ALLINFO.*, ObjId as LinkId FROM ALLINFO where AllInfo.ObjType = "_s + kind
            + u" and AllInfo.Link1 = "_s + SqlDialect::Quote(master->Obj);
        break;
    case TMasterMode::Attached:
        sql = u"SELECT ALLINFO.*, Links.ObjId as LinkId FROM ALLINFO, AllInfo As Links where Links.ObjType = "_s
            + QString::number(Kind::NoteLink) + u" and Links.Link2 = "_s + SqlDialect::Quote(master->Obj)
            + u" and AllInfo.ObjId = Links.Link1"_s;
        break;
    }
    return sql + GetWhereSQL() + u" order by "_s + TotalOrder(u"AllInfo.Date1 desc"_s);
}

void TFindMemo::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(2, OptionList->Values(u"Ссылка"_s));
    // The text of a note begins in Str3; the comment column holds only what follows its 765th character.
    SetFindField(3, OptionList->Values(u"Комментарий"_s));
    const qsizetype type = TypeCaptions().indexOf(OptionList->Values(u"Тип"_s).trimmed());
    if (type >= 0)
        SetFindField(11, QString::number(type + 1));
    const QString group = OptionList->Values(u"Группа"_s).trimmed();
    if (!group.isEmpty()) {
        if (m_projects.isEmpty())
            PickListOf(u"Группа"_s);
        for (const TValueItem& item : m_projects) {
            if (item.HasId() && item.Text == group) {
                SetFindField(6, item.Id);
                break;
            }
        }
    }
    double from = 0;
    double to = 0;
    TFindProject::PeriodDates(OptionList->Values(u"Период"_s), from, to);
    DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::From, from);
    // Notes written at any time of the last day are in: the bound is the start of the day after.
    if (to != 0)
        DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::Before, to + 1);
}

void TFindMemo::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        const double date = row.Number(u"Date1"_s);
        return row.Text(u"ObjId"_s).trimmed().isEmpty() || date == 0 ? QString() : DateSerial::DateText(date);
    });
    TBaseFind::QueryAfterOpen();
}

bool TFindMemo::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    reason.clear();
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || MasterMode() != TMasterMode::Attached)
        return false;
    if (SameId(info.Obj, master->Obj)) {
        reason = CycleText;
        return false;
    }
    QString existing;
    if (!NoLinkRow(QueryDatabase(), info.Obj, master->Obj, Kind::NoteLink, existing)) {
        reason = ExistsText;
        return false;
    }
    return true;
}

bool TFindMemo::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty())
        return false;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(DropObj().Database ? DropObj().Database.data() : QueryDatabase());
    if (!work->SetObj(DropObj().Id))
        return false;
    QString reason;
    if (!CanLinkObject(*work, reason)) {
        if (!reason.isEmpty())
            Messages().ShowMessage(reason);
        return false;
    }
    TDBMainInfo link;
    link.SetDatabase(QueryDatabase());
    link.ObjType = Kind::NoteLink;
    const TNoteLinkView view(link);
    view.SetNote(work->Obj);
    view.SetObject(master->Obj);
    if (!ShowStoreResult(link.Save()))
        return false;
    AnnounceObjectSaved(Kind::Note);
    return true;
}

bool TFindMemo::IsDirectDelete()
{
    return true;
}

void TFindMemo::aDelExecute()
{
    // Attached notes lose their attachment (a project's notes are their own links); the list of every note
    // deletes the note.
    if (MasterMode() == TMasterMode::AllNotes)
        DeleteObject(CurObjId());
    else if (!IsEmptyId(CurLinkId()))
        DeleteObject(CurLinkId());
}

void TFindMemo::NewNote()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (MasterMode() != TMasterMode::Project) {
        aNewExecute(aNew);
        return;
    }
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Note;
    const TNoteView note(*work);
    note.SetGroup(master->Obj);
    note.SetDate(DateSerial::Now());
    note.SetHasDate(true);
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}
