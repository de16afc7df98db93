#include "contacts/RelationTree.h"

#include "contacts/FamilyPrev.h"
#include "contacts/FamilyView.h"
#include "contacts/KinshipLists.h"
#include "shell/frames/ListRowDrag.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/KinshipPath.h"
#include "store/SqlDialect.h"
#include "store/kinds/FamilyView.h"
#include "store/kinds/PersonView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int RecordRole = Qt::UserRole + 1;

QString NodeKey(const QString& personId, const QString& familyId)
{
    return personId.trimmed().toUpper() + u'|' + familyId.trimmed().toUpper();
}

QStringList IdsOf(TMyDataBase* db, const QString& sql)
{
    QStringList ids;
    if (auto query = TMyDataBase::QueryOn(db, sql))
        while (query->next())
            ids << query->value(0).toString();
    return ids;
}

} // namespace

TRelationTree::TRelationTree(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_buildingPanel(new QWidget(this))
    , m_building(new QLabel(u" Построение древа...."_s, m_buildingPanel))
    , m_stop(new QPushButton(u"Стоп"_s, m_buildingPanel))
    , m_tv(new QTreeWidget(this))
    , m_objView(new Kinship::TFamilyView(this))
    , m_kinshipButton(new QToolButton(this))
    , m_kinshipWord(new QLabel(this))
    , m_kinshipPath(new QTreeWidget(this))
{
    setObjectName(u"RelationTree"_s);
    m_building->setObjectName(u"PBuilding"_s);
    m_building->hide();
    m_stop->setObjectName(u"bStop"_s);
    m_stop->setToolTip(u"Прервать построение древа"_s);
    auto* buildingBar = new QHBoxLayout(m_buildingPanel);
    buildingBar->setContentsMargins(0, 0, 0, 0);
    buildingBar->addWidget(m_building, 1);
    buildingBar->addWidget(m_stop);
    m_buildingPanel->hide();
    connect(m_stop, &QPushButton::clicked, this, [this] { StopBuilding(); });
    m_tv->setObjectName(u"TV"_s);
    m_tv->setColumnCount(2);
    m_tv->setHeaderHidden(true);
    m_tv->header()->setStretchLastSection(false);
    m_tv->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tv->header()->setSectionResizeMode(MarkColumn, QHeaderView::Fixed);
    m_tv->header()->resizeSection(MarkColumn, 28);
    m_tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tv->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tv->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tv->setAllColumnsShowFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_objView);
    layout->addWidget(m_buildingPanel);
    layout->addWidget(m_tv, 1);
    // How another person is related to this one, person by person.
    m_kinshipButton->setObjectName(u"tbKinship"_s);
    m_kinshipButton->setText(u"Как связаны?"_s);
    m_kinshipButton->setToolTip(u"Показать, кем приходится другой человек"_s);
    m_kinshipButton->setFocusPolicy(Qt::StrongFocus);
    m_kinshipWord->setObjectName(u"lKinship"_s);
    m_kinshipWord->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* kinshipBar = new QHBoxLayout;
    kinshipBar->addWidget(m_kinshipButton);
    kinshipBar->addWidget(m_kinshipWord, 1);
    layout->addLayout(kinshipBar);
    m_kinshipPath->setObjectName(u"KinshipPath"_s);
    m_kinshipPath->setHeaderLabels({u"Человек"_s, u"Кем приходится предыдущему"_s});
    m_kinshipPath->setRootIsDecorated(false);
    m_kinshipPath->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_kinshipPath->setMaximumHeight(150);
    m_kinshipPath->hide();
    layout->addWidget(m_kinshipPath);
    connect(m_kinshipButton, &QToolButton::clicked, this, [this] { TbKinshipClick(); });
    connect(m_kinshipPath, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem* item) { OpenKinshipStep(m_kinshipPath->indexOfTopLevelItem(item)); });
    connect(m_tv, &QTreeWidget::currentItemChanged, this, [this] { TVChange(); });
    connect(m_objView, &Kinship::TFamilyView::RebuildRequested, this, [this] { LoadData(); });
    // A person dropped on the tree from any list: how is he or she related to this one?
    m_tv->setAcceptDrops(true);
    m_tv->viewport()->setAcceptDrops(true);
    m_tv->viewport()->installEventFilter(this);
}

bool TRelationTree::CanDropPerson(const QString& id) const
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj) || IsEmptyId(id) || SameId(id, master->Obj))
        return false;
    TDBMainInfo person;
    person.SetDatabase(master->Database());
    return person.SetObj(id) && person.ObjType == Kind::Person;
}

bool TRelationTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tv->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* over = static_cast<QDragMoveEvent*>(event);
            if (CanDropPerson(ListRowDrag::ObjectId(over->mimeData()))) {
                over->setDropAction(Qt::LinkAction);
                over->accept();
            } else {
                over->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString id = ListRowDrag::ObjectId(drop->mimeData());
            if (!CanDropPerson(id)) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::LinkAction);
            drop->accept();
            ShowKinship(id);
            return true;
        }
        default:
            break;
        }
    }
    return TBaseDBFrame::eventFilter(watched, event);
}

TRelationTree::~TRelationTree()
{
    m_tv->disconnect(this);
    m_tv->clear();
}

const TLinkRecord* TRelationTree::NodeRecord(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const qsizetype index = item->data(0, RecordRole).toLongLong();
    return index >= 0 && index < qsizetype(m_records.size()) ? m_records[size_t(index)].get() : nullptr;
}

void TRelationTree::Clear()
{
    m_steps.clear();
    ++m_build;
    m_tv->clear();
    m_records.clear();
    m_index.clear();
    m_shownPeople.clear();
}

QTreeWidgetItem* TRelationTree::AddNode(QTreeWidgetItem* parent, std::unique_ptr<TLinkRecord> record,
                                        const QString& caption, int picture)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tv);
    item->setText(0, caption);
    TPictureList& pictures = MainData().LagreIcons();
    if (picture >= 0)
        item->setIcon(0, pictures.Icon(picture));
    if (record->Adopted) {
        item->setIcon(MarkColumn, pictures.Icon(Kinship::MarkPicture(Kinship::TMark::Other)));
        item->setToolTip(MarkColumn, u"Приемная семья"_s);
    }
    item->setData(0, RecordRole, qlonglong(m_records.size()));
    m_shownPeople.insert(record->PersonId.trimmed().toUpper());
    m_index.insert(NodeKey(record->PersonId, record->Family ? QString(record->Family->Obj) : QString()), item);
    m_records.push_back(std::move(record));
    return item;
}

QTreeWidgetItem* TRelationTree::FindNode(const QString& personId, const QString& familyId) const
{
    return m_index.value(NodeKey(personId, familyId));
}

void TRelationTree::MarkCycle(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const qsizetype index = item->data(0, RecordRole).toLongLong();
    m_records[size_t(index)]->Cycle = true;
    item->setText(MarkColumn, u"↻"_s);
    item->setToolTip(MarkColumn, u"Родство в данных замыкается в круг"_s);
}

QTreeWidgetItem* TRelationTree::AddFamilyNode(const QString& personId, const TDBMainInfo& family,
                                              QTreeWidgetItem* parent, bool adopted)
{
    if (QTreeWidgetItem* existing = FindNode(personId, family.Obj)) {
        // Shown already: above the node being built it is a loop in the data, cut here.
        for (QTreeWidgetItem* up = parent; up; up = up->parent())
            if (up == existing) {
                MarkCycle(parent);
                break;
            }
        return nullptr;
    }
    const TConstFamilyView view(family);
    const bool husband = SameId(view.Husband(), personId);
    const QString own = (husband ? view.HusbandName() : view.WifeName()).trimmed();
    const QString other = (husband ? view.WifeName() : view.HusbandName()).trimmed();
    const bool hasOther = !IsEmptyId(husband ? view.Wife() : view.Husband());
    auto record = std::make_unique<TLinkRecord>();
    record->PersonId = personId;
    record->Adopted = adopted;
    record->Family = std::make_unique<TDBMainInfo>();
    record->Family->Assign(&family);
    return AddNode(parent, std::move(record),
        u"Семья: "_s + own + (hasOther && !other.isEmpty() ? u" и "_s + other : QString()),
        FamilyStatusImage(view.Status()));
}

void TRelationTree::AddChildrenOf(const QString& familyId, QTreeWidgetItem* node)
{
    TMyDataBase* db = MasterDBInfo()->Database();
    const QString family = SqlDialect::Quote(familyId);
    QList<QPair<QString, bool>> children;
    for (const QString& child : IdsOf(db, u"select ObjId from AllInfo where ObjType = "_s
                                              + QString::number(Kind::Person) + u" and Link1 = "_s + family))
        children << qMakePair(child, false);
    for (const QString& child : IdsOf(db, u"select Link2 from AllInfo where Link1 = "_s + family
                                              + u" and ObjType = "_s + QString::number(Kind::AdoptiveFamilyLink)))
        children << qMakePair(child, true);
    // Pushed last first: the first child's branch is built before the second child is met.
    for (qsizetype i = children.size() - 1; i >= 0; --i)
        m_steps.push_back([this, child = children[i].first, node, adopted = children[i].second] {
            AddFamiliesOf(child, node, adopted);
        });
}

void TRelationTree::AddFamiliesOf(const QString& personId, QTreeWidgetItem* parent, bool adopted)
{
    TDBMainInfo person;
    person.SetDatabase(MasterDBInfo()->Database());
    if (IsEmptyId(personId) || !person.SetObj(personId) || person.ObjType != Kind::Person)
        return;
    const TConstPersonView view(person);
    auto query = TMyDataBase::QueryOn(person.Database(),
        u"select * from AllInfo where ObjType = "_s + QString::number(Kind::Family)
            + (view.IsFemale() ? u" and Link2 = "_s : u" and Link1 = "_s) + SqlDialect::Quote(personId)
            + u" order by Date1 desc"_s);
    std::vector<std::unique_ptr<TDBMainInfo>> families;
    while (query && query->next()) {
        families.push_back(std::make_unique<TDBMainInfo>());
        families.back()->SetDatabase(person.Database());
        families.back()->LoadFromDataset(query->record());
    }
    query.reset();
    if (!families.empty()) {
        // Each family, with its children, is a step of its own, the first family's branch first.
        const QString id = person.Obj;
        for (auto family = families.rbegin(); family != families.rend(); ++family)
            m_steps.push_back([this, id, parent, adopted, row = std::shared_ptr<TDBMainInfo>(std::move(*family))] {
                if (QTreeWidgetItem* node = AddFamilyNode(id, *row, parent, adopted))
                    AddChildrenOf(row->Obj, node);
            });
        return;
    }
    if (m_shownPeople.contains(person.Obj.Text().toUpper()))
        return;
    auto record = std::make_unique<TLinkRecord>();
    record->PersonId = person.Obj;
    record->Adopted = adopted;
    AddNode(parent, std::move(record), QString(view.Surname().trimmed() + u' ' + view.FirstName().trimmed()).trimmed(),
        view.IsFemale() ? Kinship::WomanPicture : Kinship::ManPicture);
}

void TRelationTree::AddAncestors(QTreeWidgetItem* node)
{
    const TLinkRecord* record = NodeRecord(node);
    if (!record)
        return;
    TDBMainInfo person;
    person.SetDatabase(MasterDBInfo()->Database());
    if (!person.SetObj(record->PersonId))
        return;
    const QString native = TConstPersonView(person).NativeFamily();
    // Only the root person may stand on the anchor family, his adoptive parents.
    const bool anchor = IsEmptyId(native) && m_anchor && SameId(record->PersonId, MasterDBInfo()->Obj);
    TDBMainInfo parents;
    parents.SetDatabase(person.Database());
    if (anchor)
        parents.CopyFrom(*m_anchor);
    else if (IsEmptyId(native) || !parents.SetObj(native) || parents.ObjType != Kind::Family)
        return;
    const QString father = TConstFamilyView(parents).Husband();
    if (QTreeWidgetItem* existing = FindNode(father, parents.Obj)) {
        // Already shown: inside this node's own branch it is a loop in the data.
        for (QTreeWidgetItem* up = existing; up; up = up->parent())
            if (up == node) {
                MarkCycle(node);
                break;
            }
        return;
    }
    QTreeWidgetItem* top = AddFamilyNode(father, parents, nullptr, false);
    if (!top)
        return;
    // The new node goes first, and every top-level node of the same person moves under it, this one first.
    m_tv->takeTopLevelItem(m_tv->indexOfTopLevelItem(top));
    m_tv->insertTopLevelItem(0, top);
    QList<QTreeWidgetItem*> moved{node};
    for (int i = 0; i < m_tv->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_tv->topLevelItem(i);
        const TLinkRecord* other = NodeRecord(item);
        if (item != node && item != top && other && SameId(other->PersonId, record->PersonId))
            moved << item;
    }
    for (QTreeWidgetItem* item : std::as_const(moved)) {
        if (item->parent() == nullptr)
            m_tv->takeTopLevelItem(m_tv->indexOfTopLevelItem(item));
        else
            item->parent()->removeChild(item);
    }
    top->insertChildren(0, moved);
    // Then, each step after the one before has built its branch: the parents' children, the mother's line
    // for the root's own parents, the father's line further up.
    if (!IsEmptyId(parents.Obj))
        m_steps.push_back([this, top] { AddAncestors(top); });
    if (anchor || (m_anchor && SameId(parents.Obj, m_anchor->Obj))) {
        auto copy = std::make_shared<TDBMainInfo>();
        copy->SetDatabase(parents.Database());
        copy->CopyFrom(parents);
        m_steps.push_back([this, parents = std::move(copy)] {
            if (QTreeWidgetItem* mother = AddFamilyNode(TConstFamilyView(*parents).Wife(), *parents, nullptr, false)) {
                m_tv->takeTopLevelItem(m_tv->indexOfTopLevelItem(mother));
                m_tv->insertTopLevelItem(1, mother);
                AddAncestors(mother);
            }
        });
    }
    AddChildrenOf(parents.Obj, top);
}

void TRelationTree::LoadData()
{
    TBaseDBFrame::LoadData();
    // The selected node is found again after the build.
    m_selectedPerson.clear();
    m_selectedFamily.clear();
    if (!m_isBuilding) {
        if (const TLinkRecord* selected = NodeRecord(m_tv->currentItem())) {
            m_selectedPerson = selected->PersonId;
            m_selectedFamily = selected->Family ? QString(selected->Family->Obj) : QString();
        }
    }
    m_isBuilding = true;
    m_stopped = false;
    m_building->show();
    m_buildingPanel->show();
    m_tv->hide();
    Clear();
    m_anchor.reset();
    TDBMainInfo* master = MasterDBInfo();
    const QString root = master ? QString(master->Obj) : QString();
    if (master && !IsEmptyId(root) && master->ObjType == Kind::Person) {
        TMyDataBase* db = master->Database();
        // The card's copy of the person may be older than the row the panel just changed.
        TDBMainInfo person;
        person.SetDatabase(db);
        person.CopyFrom(*master);
        Kinship::RefreshKinship(person);
        const QString native = TConstPersonView(person).NativeFamily();
        bool adopted = false;
        QString anchorId = native;
        if (IsEmptyId(native)) {
            anchorId = IdsOf(db, u"select Link1 from AllInfo where ObjType = "_s
                                     + QString::number(Kind::AdoptiveFamilyLink) + u" and Link2 = "_s
                                     + SqlDialect::Quote(root))
                           .value(0);
            adopted = !IsEmptyId(anchorId);
        }
        if (!IsEmptyId(anchorId)) {
            m_anchor = std::make_unique<TDBMainInfo>();
            m_anchor->SetDatabase(db);
            if (!m_anchor->SetObj(anchorId) || m_anchor->ObjType != Kind::Family)
                m_anchor.reset();
        }
        // The person's own families and their descendants first, then the ancestors above them.
        m_steps.push_back([this] {
            if (m_tv->topLevelItemCount() > 0 && m_anchor)
                AddAncestors(m_tv->topLevelItem(0));
        });
        AddFamiliesOf(root, nullptr, adopted);
    }
    // A usual family is built at once; a very large one goes on between events.
    RunSteps([this] { return NodeCount() < FirstNodes; });
    if (m_steps.empty())
        FinishBuild();
    else
        QTimer::singleShot(0, this, [this, build = m_build] {
            if (build == m_build)
                BuildSlice();
        });
}

void TRelationTree::RunSteps(const std::function<bool()>& more)
{
    while (!m_steps.empty() && more()) {
        const std::function<void()> step = std::move(m_steps.back());
        m_steps.pop_back();
        step();
    }
}

void TRelationTree::BuildSlice()
{
    QElapsedTimer slice;
    slice.start();
    RunSteps([&slice] { return slice.elapsed() < SliceMs; });
    if (m_steps.empty()) {
        FinishBuild();
        return;
    }
    m_building->setText(u" Построение древа.... "_s + QString::number(NodeCount()));
    QTimer::singleShot(0, this, [this, build = m_build] {
        if (build == m_build)
            BuildSlice();
    });
}

void TRelationTree::StopBuilding()
{
    if (!m_isBuilding)
        return;
    m_steps.clear();
    m_stopped = true;
    FinishBuild();
}

void TRelationTree::FinishBuild()
{
    m_steps.clear();
    ++m_build;
    m_tv->expandAll();
    const QString root = MasterDBInfo() ? QString(MasterDBInfo()->Obj) : QString();
    QTreeWidgetItem* current = m_selectedPerson.isEmpty() ? nullptr : FindNode(m_selectedPerson, m_selectedFamily);
    for (QTreeWidgetItemIterator it(m_tv); *it && !current; ++it)
        if (const TLinkRecord* record = NodeRecord(*it); record && SameId(record->PersonId, root))
            current = *it;
    m_building->setText(u" Построение древа...."_s);
    m_building->hide();
    m_buildingPanel->hide();
    m_isBuilding = false;
    m_tv->show();
    if (current) {
        m_tv->setCurrentItem(current);
        m_tv->scrollToItem(current);
    }
    TVChange();
}

void TRelationTree::TVChange()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Family;
    if (m_isBuilding)
        return;
    const TLinkRecord* record = NodeRecord(m_tv->currentItem());
    if (!record) {
        m_objView->SetMasterDBInfo(work);
        return;
    }
    if (!record->Family) {
        FamilyView(*work).SetHusband(record->PersonId);
    } else {
        work->Assign(record->Family.get());
        // The node's person always comes first.
        if (!SameId(record->Family->Link1, record->PersonId))
            std::swap(work->Link1, work->Link2), std::swap(work->Str1, work->Str2);
    }
    m_objView->SetMasterDBInfo(work);
}

void TRelationTree::TbKinshipClick()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj))
        return;
    WorkInfo()->Clear();
    WorkInfo()->ObjType = Kind::Person;
    if (PickWorkInfo() == 1 && !IsEmptyId(WorkInfo()->Obj))
        ShowKinship(WorkInfo()->Obj);
}

void TRelationTree::ShowKinship(const QString& otherId)
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    const TKinshipPath path = FindKinshipPath(master->Database(), master->Obj, otherId);
    m_kinshipPath->clear();
    m_stepLinks.clear();
    if (!path.Found) {
        m_kinshipWord->setText(path.Word);
        m_kinshipPath->hide();
        return;
    }
    m_kinshipWord->setText(path.People.constLast().Name + u" — "_s + path.Word);
    for (int i = 0; i < path.People.size(); ++i) {
        auto* item = new QTreeWidgetItem(m_kinshipPath);
        item->setText(0, path.People[i].Name);
        item->setIcon(0, MainData().LagreIcons().Icon(path.People[i].Female ? Kinship::WomanPicture : Kinship::ManPicture));
        if (i > 0) {
            item->setText(1, KinshipStepWord(path.Steps[i - 1], path.People[i].Female));
            item->setToolTip(1, u"Enter: открыть семью или связь этого шага"_s);
        }
        m_stepLinks << (i > 0 ? path.Steps[i - 1].Link : path.People[i].Id);
    }
    m_kinshipPath->resizeColumnToContents(0);
    m_kinshipPath->show();
}

void TRelationTree::OpenKinshipStep(int row)
{
    if (row < 0 || row >= m_stepLinks.size() || !WorkInfo()->SetObj(m_stepLinks[row]) || IsEmptyId(WorkInfo()->Obj))
        return;
    OpenWorkInfo();
}
