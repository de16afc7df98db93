#pragma once

#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

class QComboBox;
class TOptionList;

/**
 * \brief What the role lists share: the quick-find bar is the group list ("Группы", with the group editor
 * of the master), shown together with the filter rows, and one step reads both. The rows follow every
 * saved or deleted role, wherever it was written.
 */
class TRoleListBase : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRoleListBase)

public:
    static constexpr int GroupTableDialog = 125;
    /// "от: n  до: nn" (lower bound character 5, upper bound characters 12-13).
    inline static const QString RatingMask = QStringLiteral("от: 9  до: 99; ");
    inline static const QString PeriodMask = QStringLiteral("с: 99.99.9999 по: 99.99.9999; ");
    inline static const QString PeopleLinks = QStringLiteral("Роли, связанные с людьми");
    inline static const QString FirmaLinks = QStringLiteral("Роли, связанные с организациями");

    explicit TRoleListBase(QWidget* parent = nullptr);
    ~TRoleListBase() override;

    void LoadData() override;
    void InitFindMode() override;
    void ParseBriefFind() override;
    void ParseOptionList() override;

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }
    /// The group list of the quick-find bar.
    QComboBox* Groups() const { return eFind; }
    /// Rebuilds the group list, keeping the group chosen (or choosing \a group when given).
    void LoadGroups(const QString& group = QString());
    /// The group chosen in the group list; empty for none.
    QString ChosenGroup() const;

protected:
    /// The lists of the search bar are read anew whenever they drop down.
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Whether \a event on a combo box drops its list down.
    static bool OpensPopup(QEvent* event);
    /// The filter rows' conditions; the group list is read before.
    virtual void ParseFilters() = 0;
    /// Whether the group list is offered.
    virtual bool HasGroups() const { return true; }
    /// The kind of the object whose groups are offered, and the object.
    int GroupKind() const;
    QString GroupOwner() const;
    void tbEditGroupClick();

private:
    TValueList m_groups;
    int m_rolesSaved = 0;
    bool m_loadingGroups = false;
};

/**
 * \brief "Роли, Связи": the links of one object (or, for a role row as master, the other links its holder
 * has under the same role and group), each with the linked object, the group and the roles of both sides.
 * An event lists its participants ("Участники, роли"). New links pick the object to link, or come from a
 * row dropped on the list; both open the link dialog.
 */
class TRoleFind final : public TRoleListBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRoleFind)

public:
    inline static const QString WrongKind = QStringLiteral("Неверный тип");

    explicit TRoleFind(QWidget* parent = nullptr);
    ~TRoleFind() override;

    bool IncludeEventLinks() const { return m_includeEventLinks; }
    void SetIncludeEventLinks(bool include) { m_includeEventLinks = include; }

    void LoadData() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    void EnableActions() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    bool LinkObject() override;

    /// The statement the list was bound with, before its filter tail.
    const QString& BaseStatement() const { return m_base; }
    QComboBox* cbAddLink() const { return m_cbAddLink; }
    QString Title() const;
    /// The kind whose texts the rows take: the master's, or a role-row master's holder's.
    int TextKind() const;
    /// Links a one-sided role to the master ("Несвязанную роль").
    void NewUnlinkedRole();

protected:
    void ParseFilters() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList PickListOf(const QString& key);
    void LoadAddLinks();
    bool Accepts(int kind) const;
    bool IsEventMaster() const;
    bool IsRoleMaster() const;

    bool m_includeEventLinks = false;
    QString m_base;
    QWidget* m_pAddLink;
    QComboBox* m_cbAddLink;
    TValueList m_addLinks;
    QAction* m_miNewEvent;
    QAction* m_miNewUnlinked;
};

/// "Роли": the one-sided roles (characteristics) of one object.
class TFind1Role final : public TRoleListBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFind1Role)

public:
    explicit TFind1Role(QWidget* parent = nullptr);
    ~TFind1Role() override;

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    /// A new characteristic of the master, filed under the group chosen in the group list.
    void NewRole();

protected:
    void ParseFilters() override;
};

/// "Участники": the people and organizations holding a role in a project (the master, a project row).
class TFindRoleProject final : public TRoleListBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindRoleProject)

public:
    explicit TFindRoleProject(QWidget* parent = nullptr);
    ~TFindRoleProject() override;

    void LoadData() override;
    void InitFindMode() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;

protected:
    void ParseFilters() override;
    bool HasGroups() const override { return false; }

private:
    void LoadRoleNames();
    QStringList m_roleNames;
};
