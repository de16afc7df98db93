#pragma once

#include "shell/frames/BaseFind.h"

class QComboBox;
class TLimitedMemo;
class TMyDataBase;

/// The links of money operations to the objects they concern (kind 82).
namespace OperationLinks {

/// Writes into the operation's Int3 the number of its operation links; false when it could not be written.
bool Recount(TMyDataBase* db, const QString& operation);
/// The roles already given to operation links, for suggestion: distinct, not blank, by text.
QStringList Roles(TMyDataBase* db);

} // namespace OperationLinks

/**
 * \brief The edit frame of an operation link ("Отношение объект - платеж"): the role of the object in the
 * operation, suggested from the roles used before, and a comment. Once the link is written, the operation's
 * count of links is written anew.
 */
class TFLinkBuchToObj final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFLinkBuchToObj)

public:
    static constexpr int CommentLength = 248;

    explicit TFLinkBuchToObj(QWidget* parent = nullptr);
    ~TFLinkBuchToObj() override;

    void LoadData() override;
    void StoreData() override;
    void AfterSave() override;

    QComboBox* eRole() const { return m_eRole; }
    TLimitedMemo* mComments() const { return m_mComments; }

private:
    QComboBox* m_eRole;
    TLimitedMemo* m_mComments;
};

/**
 * \brief The objects an operation is linked to (the section "Объекты, связанные с платежом" of its card),
 * each with its role; deleting a row deletes the link, not the object.
 */
class TBuchObjLinkFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBuchObjLinkFind)

public:
    explicit TBuchObjLinkFind(QWidget* parent = nullptr);
    ~TBuchObjLinkFind() override;

    /// The text an object is listed by: by kind, its names, its address or its title.
    static QString ObjectText(const TListRow& row);

    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    TMyDBGrid* ListGrid() const { return Grid; }
};

/**
 * \brief The payers and recipients of a project (the section "Финансово связанны с проектом" of its card): the
 * counterparties of the operations filed under the project, found by role ("Плательщики": of its incomes,
 * "Получатели": of its expenses) and by the period of the operations.
 */
class TFindBuchProjectLinkObj final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindBuchProjectLinkObj)

public:
    explicit TFindBuchProjectLinkObj(QWidget* parent = nullptr);
    ~TFindBuchProjectLinkObj() override;

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    TMyDBGrid* ListGrid() const { return Grid; }
    TOptionList* Options() const { return OptionList; }
};
