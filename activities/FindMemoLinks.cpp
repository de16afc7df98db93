#include "activities/FindMemoLinks.h"

#include "activities/FindLastModifyObj.h"
#include "platform/Messages.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/LookupLists.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/kinds/NoteLinkView.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

const QStringList& KindCaptions()
{
    static const QStringList captions {
        QString(), u"Люди"_s, u"Семьи"_s, u"Организации"_s, u"Адреса"_s, u"События"_s, u"Заметки"_s};
    return captions;
}

// A link of the note \a from to \a to, made now.
TStoreResult SaveLink(TMyDataBase* db, const QString& from, const QString& to)
{
    TDBMainInfo link;
    link.SetDatabase(db);
    link.ObjType = Kind::NoteLink;
    const TNoteLinkView view(link);
    view.SetNote(from);
    view.SetObject(to);
    view.SetLinked(DateSerial::Now());
    view.SetHasLinked(true);
    return link.Save();
}

} // namespace

TFindMemoLinks::TFindMemoLinks(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindMemoLinks"_s);
    FindCaption->setText(u"Объекты"_s);
    if (auto* label = BriefFind->findChild<QLabel*>())
        label->setText(u"Тип объектов"_s);
    disconnect(eFind, nullptr, this, nullptr);
    eFind->setEditable(false);
    eFind->addItems(KindCaptions());
    connect(eFind, &QComboBox::currentIndexChanged, this, &TFindMemoLinks::eFindChange);
    SetLinkFieldName(u"LinkId"_s);
    const QList<std::pair<QString, int>> items {{u"Человека"_s, Kind::Person}, {u"Организацию"_s, Kind::Organization},
        {u"Семью"_s, Kind::Family}, {u"Событие"_s, Kind::Event}, {u"Адрес"_s, Kind::Address},
        {u"Заметку"_s, Kind::Note}};
    for (const auto& [caption, kind] : items) {
        QAction* item = pmNew->addAction(caption);
        item->setObjectName(u"miNew"_s + QString::number(kind));
        item->setData(kind);
        connect(item, &QAction::triggered, this, [this, item] { aNewExecute(item); });
    }
    Bind(aNew, &TBaseFind::aNew_Execute);
    // A row is the object: opening opens it, deleting removes only its link.
    Bind(aOpen, &TBaseFind::aOpenExecute);
    disconnect(Grid, &QAbstractItemView::doubleClicked, this, nullptr);
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TBaseFind::aOpenExecute);
    Grid->SetColumns({TGridColumn {u"Foto"_s, QString(), 54}, TGridColumn {u"Str1"_s, u"Название"_s, 260}});
    Grid->SetTextLineCount(2);
    Grid->OnImageColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        if (static_cast<int>(row.Number(u"ObjType"_s)) == Kind::Event)
            image = EventTypePicture(static_cast<int>(row.Number(u"Int1"_s)));
    };
}

TFindMemoLinks::~TFindMemoLinks() = default;

void TFindMemoLinks::InitFindMode()
{
    // Only the kind box: neither the extended filter nor the switch to it.
    Panel2->hide();
}

QString TFindMemoLinks::GetKindList()
{
    return u"1,3,6,7,8,9,10"_s;
}

int TFindMemoLinks::KindOfCaption(const QString& caption)
{
    static const QList<int> kinds {
        0, Kind::Person, Kind::Family, Kind::Organization, Kind::Address, Kind::Event, Kind::Note};
    const qsizetype at = KindCaptions().indexOf(caption);
    return at < 0 ? 0 : kinds[at];
}

QString TFindMemoLinks::GetNameText(const TListRow& row) const
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return RecentChanges::NameText(row, Header && Header->sectionSize(1) <= ShortAddressWidth);
}

QString TFindMemoLinks::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString note = master ? master->Obj.Text() : QString(Ids::Null);
    return u"select AllInfo.*, Links.ObjId as LinkId, Links.Str1 as Role from AllInfo, AllInfo As Links"
           u" where Links.ObjType = "_s
        + QString::number(Kind::NoteLink) + u" and Links.Link1 = "_s + SqlDialect::Quote(note)
        + u" and AllInfo.ObjId = Links.Link2 and AllInfo.ObjType in ("_s + GetKindList() + u')' + GetWhereSQL()
        + u" order by "_s + TotalOrder(u"AllInfo.Str1"_s);
}

void TFindMemoLinks::ParseBriefFind()
{
    const int kind = KindOfCaption(eFind->currentText());
    if (kind != 0)
        AddCondition(m_whereExt, u"AllInfo.ObjType = "_s + QString::number(kind));
}

void TFindMemoLinks::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(
        u"STR1"_s, [this](const TListRow& row, const QVariant&) { return GetNameText(row); });
    TBaseFind::QueryAfterOpen();
}

bool TFindMemoLinks::CanLinkObject(const TDBMainInfo&, QString&)
{
    return false;
}

bool TFindMemoLinks::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj) || DropObj().IsEmpty())
        return false;
    TMyDataBase* db = QueryDatabase();
    const QString note = master->Obj;
    const QString picked = DropObj().Id;
    QString existing;
    if (!NoLinkRow(db, note, picked, Kind::NoteLink, existing)) {
        Messages().ShowMessage(ExistsText);
        return false;
    }
    if (SameId(note, picked)) {
        Messages().ShowMessage(CycleText);
        return false;
    }
    // A note is linked both ways, in one go: the two rows are written together or not at all.
    TWriteTransaction transaction(db);
    if (!transaction.IsActive())
        return ShowStoreResult({SaveResult::Failed, DbStatus::Text(DbStatus::QueryFailed)});
    if (!ShowStoreResult(SaveLink(db, note, picked)))
        return false;
    if (DropObj().Kind == Kind::Note && NoLinkRow(db, picked, note, Kind::NoteLink, existing)
        && !ShowStoreResult(SaveLink(db, picked, note)))
        return false;
    if (!transaction.Commit())
        return ShowStoreResult({SaveResult::Failed, DbStatus::Text(DbStatus::QueryFailed)});
    AnnounceObjectSaved(Kind::Note);
    return true;
}

bool TFindMemoLinks::IsDirectDelete()
{
    return true;
}

void TFindMemoLinks::aDelExecute()
{
    if (!IsEmptyId(CurLinkId()))
        DeleteObject(CurLinkId());
}
