#pragma once

#include "contacts/FindFirma.h"

/**
 * \brief The organizations that hold one role (the master: a role row) in its group and have not left it,
 * with the rating of their role rows. Deleting a row deletes the organization's role row; an organization
 * dropped or picked gets the role through the link dialog.
 */
class TFindFirmaRole final : public TFindFirma
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindFirmaRole)

public:
    inline static const QString RoleOrder = QStringLiteral("AllInfo.Str1, AllInfo.Str2, AllInfo.Str3");

    explicit TFindFirmaRole(QWidget* parent = nullptr);
    ~TFindFirmaRole() override;

    QString GetSelectSQL() override;
    bool LinkObject() override;
};
