#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

class QLabel;
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
    bool IsBuilding() const { return m_isBuilding; }
    /// The record of \a item (nullptr for none).
    const TLinkRecord* NodeRecord(const QTreeWidgetItem* item) const;
    /// How many node records the tree holds.
    int NodeCount() const { return int(m_records.size()); }

    /// Builds the tree for the master person.
    void LoadData() override;
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

    QLabel* m_building;
    QTreeWidget* m_tv;
    Kinship::TFamilyView* m_objView;
    QToolButton* m_kinshipButton;
    QLabel* m_kinshipWord;
    QTreeWidget* m_kinshipPath;
    QStringList m_stepLinks; ///< by row of the path: what the step into that person went through
    bool m_isBuilding = false;
    std::unique_ptr<TDBMainInfo> m_anchor; ///< F0, the root person's native or first adoptive family
    std::vector<std::unique_ptr<TLinkRecord>> m_records;
    QHash<QString, QTreeWidgetItem*> m_index; ///< by person id + "|" + family id
    QSet<QString> m_shownPeople; ///< the people with a node of any kind
};
