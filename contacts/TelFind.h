#pragma once

#include "shell/frames/BaseFind.h"

class QAction;
class QMenu;

/**
 * \brief The phones of a person, an address or an organization ("Телефоны"): the object's own phones and,
 * for a person, after them the phones of the addresses the person lives at now and then those of the
 * organizations whose phones the person's current roles show.
 *
 * A phone reached through a residence or a role is hidden from the person by clearing the flag of that link,
 * or by deleting the link, from the delete menu; the phone itself stays with its owner unless it is deleted
 * there too. An own phone is deleted at once.
 */
class TTelFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTelFind)

public:
    /// The owner pictures of the status column: a person's, an address's, an organization's phone.
    static int OwnerPicture(int ownerKind);
    /// The short type text of the type column: "тел", "факс", "т/ф", "моб".
    static QString TypeText(qint64 type);

    explicit TTelFind(QWidget* parent = nullptr);
    ~TTelFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QMenu* DeleteMenu() const { return pmDel; }
    QMenu* OpenMenu() const { return pmOpen; }
    QAction* miDelFirmaGrp() const { return m_miDelFirmaGrp; }
    QAction* miDelAddressGrp() const { return m_miDelAddressGrp; }

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    bool IsDirectDelete() override;
    void PrepareOpenMenu() override;
    void InitFindMode() override;
    void GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const;
    /// Clears the flag of the current row's residence or role, so that its phones are no longer shown here.
    void N15Click();

private:
    int MasterKind() const;
    /// Whether the row is one of the master's own phones.
    bool IsOwnPhone(const TListRow& row) const;

    QAction* m_miOpenTel;
    QAction* m_miDelFirmaGrp;
    QAction* m_miDelAddressGrp;
};
