#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QToolButton;
class QTreeWidget;
struct TKinshipPath;
class QTreeWidgetItem;
namespace Kinship {
class TFamilyView;
}

/// What a node of the relation tree stands for: a person, and for a family node the family as read.
struct TLinkRecord
{
    QString PersonId;
    /// A private copy of the family row; nullptr for a person without a family.
    std::unique_ptr<TDBMainInfo> Family;
    /// Reached through an adoption.
    bool Adopted = false;
    /// The data loops back here (a person who is his own ancestor): the loop was cut at this node.
    bool Cycle = false;
};

/**
 * \brief The section "Генеалогическое древо" of the person card: the person's families with their children
 * downwards, and above the person the parents' family with the brothers and sisters, continued along the
 * father's line and, for the person's own parents, along the mother's line.
 *
 * A node stands for one (person, family) pair, and each pair is shown at most once, so building ends on any
 * data, looping data included; where a loop was cut the node carries a mark. Selecting a node shows it in
 * the family panel above the tree (TFamilyView); a change made there rebuilds the tree, keeping the node.
 */
class TRelationTree final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRelationTree)

public:
    /// The column of the adoption and loop marks.
    static constexpr int MarkColumn = 1;

    explicit TRelationTree(QWidget* parent = nullptr);
    ~TRelationTree() override;

    QTreeWidget* TV() const { return m_tv; }
    Kinship::TFamilyView* ObjView() const { return m_objView; }
    QLabel* PBuilding() const { return m_building; }
    /// "Стоп" beside the building panel: ends a long build, keeping the nodes built so far.
    QPushButton* BStop() const { return m_stop; }
    bool IsBuilding() const { return m_isBuilding; }
    /// Whether the last build was stopped before it ended.
    bool WasStopped() const { return m_stopped; }
    /// Ends the build now; the tree shows the nodes built so far.
    void StopBuilding();
    /// The record of \a item (nullptr for none).
    const TLinkRecord* NodeRecord(const QTreeWidgetItem* item) const;
    /// How many node records the tree holds.
    int NodeCount() const { return int(m_records.size()); }

    /// Builds the tree for the master person. The first FirstNodes nodes are built at once; a larger tree
    /// goes on being built in slices of about SliceMs between events, with the building panel and its "Стоп".
    void LoadData() override;
    static constexpr int FirstNodes = 400;
    static constexpr int SliceMs = 30;
    /// Shows the selected node in the family panel.
    void TVChange();

    QToolButton* TbKinship() const { return m_kinshipButton; }
    QLabel* LKinship() const { return m_kinshipWord; }
    QTreeWidget* KinshipPath() const { return m_kinshipPath; }
    /// "Как связаны?": picks another person and shows how he or she is related to the master person.
    void TbKinshipClick();
    /// Shows how the person \a otherId is related to the master person, step by step.
    void ShowKinship(const QString& otherId);
    /// Opens the family (or the godchild) of the step in row \a row of the path.
    void OpenKinshipStep(int row);
    /// Whether a person dragged from a list may be dropped on the tree: another person of the same database.
    bool CanDropPerson(const QString& id) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, std::unique_ptr<TLinkRecord> record, const QString& caption,
                             int picture);
    QTreeWidgetItem* FindNode(const QString& personId, const QString& familyId) const;
    QTreeWidgetItem* AddFamilyNode(const QString& personId, const TDBMainInfo& family, QTreeWidgetItem* parent,
                                   bool adopted);
    void AddFamiliesOf(const QString& personId, QTreeWidgetItem* parent, bool adopted);
    void AddChildrenOf(const QString& familyId, QTreeWidgetItem* node);
    void AddAncestors(QTreeWidgetItem* node);
    void MarkCycle(QTreeWidgetItem* item);
    void Clear();
    /// Runs the build's pending steps, the last pushed first, until none is left or \a more says to stop.
    void RunSteps(const std::function<bool()>& more);
    void BuildSlice();
    void FinishBuild();

    QWidget* m_buildingPanel;
    QLabel* m_building;
    QPushButton* m_stop;
    QTreeWidget* m_tv;
    Kinship::TFamilyView* m_objView;
    QToolButton* m_kinshipButton;
    QLabel* m_kinshipWord;
    QTreeWidget* m_kinshipPath;
    QStringList m_stepLinks; ///< by row of the path: what the step into that person went through
    bool m_isBuilding = false;
    bool m_stopped = false;
    /// The build's pending steps, run last first so that the tree grows depth first, as a recursion would.
    std::vector<std::function<void()>> m_steps;
    quint64 m_build = 0; ///< counts the builds, so that a slice of an earlier build does nothing
    QString m_selectedPerson; ///< the node to select again once the build ends
    QString m_selectedFamily;
    std::unique_ptr<TDBMainInfo> m_anchor; ///< F0, the root person's native or first adoptive family
    std::vector<std::unique_ptr<TLinkRecord>> m_records;
    QHash<QString, QTreeWidgetItem*> m_index; ///< by person id + "|" + family id
    QSet<QString> m_shownPeople; ///< the people with a node of any kind
};
