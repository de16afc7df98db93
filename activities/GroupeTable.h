#pragma once

#include "shell/frames/BaseFind.h"

class QLabel;
class QMenu;

/// What a group table lists.
enum class TGroupTableType {
    gtIncome, ///< income categories (25) with the projects
    gtOut, ///< expense categories (26) with the projects
    gtMeeting, ///< meeting kinds
    gtProject, ///< projects
    sgtIncome, ///< the income subcategories (27) of the master category
    sgtOut, ///< the expense subcategories (28) of the master category
    gtObjGrp, ///< the groups of one object (Link1 of the master) or of one kind (Int1 of the master)
};

/**
 * \brief The group table: the groups, categories or projects of one scope, with their creation, editing and
 * deletion. It shows the group lists of GroupLists, so a table offers exactly what the drop-downs offer.
 *
 * Deleting a group asks first and then goes with the cascade of its kind: role rows, notes and money
 * operations filed under it lose it, a category takes its subcategories with it. Projects are deleted only
 * from the projects table and the projects list.
 */
class TFGroupeTable final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFGroupeTable)

public:
    static constexpr int ProjectPicture = 109;
    static constexpr int CategoryPicture = 96;
    static constexpr int GroupPicture = 74;

    explicit TFGroupeTable(QWidget* parent = nullptr);
    ~TFGroupeTable() override;

    TGroupTableType GrpType() const { return m_type; }
    void SetGrpType(TGroupTableType type);
    /// The object whose groups are listed (or an empty record carrying the kind they are for).
    const TDBMainInfo& DBObjInfo() const { return *m_objInfo; }

    void LoadData() override;
    QString GetSelectSQL() override;
    void InitFindMode() override;
    void aDelExecute() override;
    bool SelectInDialog() override;
    void QueryAfterOpen() override;
    void EnableActions() override;

    /// "Новая группа" and "Новый проект".
    void NewGroup();
    void NewProject();

    QWidget* pObj() const { return m_pObj; }
    QMenu* puNew() const { return m_puNew; }
    QAction* miNewGroup() const { return m_miNewGroup; }
    QAction* miNewProject() const { return m_miNewProject; }
    TMyDBGrid* ListGrid() const { return Grid; }

private:
    void aNewClick();
    void EditAndReload();
    void ShowPreview();
    bool IsCategoryTable() const;
    bool IsSubcategoryTable() const;

    TGroupTableType m_type = TGroupTableType::gtObjGrp;
    TDBMainInfo* m_objInfo;
    QWidget* m_pObj;
    QLabel* m_objName;
    TBaseDBFrame* m_preview = nullptr;
    QMenu* m_puNew;
    QAction* m_miNewGroup;
    QAction* m_miNewProject;
    bool m_objLoaded = false;
    bool m_popsMenu = false;
};
