#pragma once

#include "contacts/FindPeople.h"

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
