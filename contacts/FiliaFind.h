#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The branches of an organization ("Подразделения"): an organization picked by the new action or
 * dropped here becomes a branch at once, with its display name after the parent's; detaching a branch
 * (miDelRole) makes it independent again under its own display name, and deleting it (miDelEvent) deletes
 * the organization. The hierarchy has two levels: a branch takes no branches, and an organization that has
 * branches becomes no branch.
 */
class TFiliaFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFiliaFind)

public:
    explicit TFiliaFind(QWidget* parent = nullptr);
    ~TFiliaFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    TOptionList* Options() const { return OptionList; }

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    bool IsDirectDelete() override;
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    /// Makes the remembered object (picked or dropped) a branch of the master; its refusal is shown.
    bool LinkObject() override;

    /// Detaches the current branch: it becomes an independent organization.
    void miDelRoleClick();
};
