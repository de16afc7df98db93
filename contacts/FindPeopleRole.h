#pragma once

#include "contacts/FindPeople.h"

/// The statement of the holders of kind \a holderKind of the role \a role (a role row: its group, name and
/// holder kind) who have not left it, with the rating and comment of their role rows (RoleRating, RComments)
/// and the role row's id (LinkId); \a where is the list's tail, \a order its order.
QString RoleHoldersSQL(int holderKind, const TDBMainInfo& role, const QString& where, const QString& order);
/// Makes \a work the new one-sided role of \a role's name in its group for \a holder, to edit in the link
/// dialog.
void PrepareRoleLink(TDBMainInfo& work, const TDBMainInfo& role, const TDropObject& holder);

/**
 * \brief The people who hold one role (the master: a role row) in its group and have not left it, with
 * the rating and comment of their role rows. Deleting a row deletes the person's role row; a person
 * dropped or picked gets the role through the link dialog.
 */
class TFindPeopleRole final : public TFindPeople
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindPeopleRole)

public:
    inline static const QString RoleOrder = QStringLiteral("AllInfo.Str1, AllInfo.Str2, AllInfo.Str3");

    explicit TFindPeopleRole(QWidget* parent = nullptr);
    ~TFindPeopleRole() override;

    QString GetSelectSQL() override;
    bool LinkObject() override;
};
