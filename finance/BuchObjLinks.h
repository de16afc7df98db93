#pragma once

#include "shell/frames/BaseFind.h"

class QComboBox;
class TLimitedMemo;
class TMyDataBase;

/// The links of money operations to the objects they concern (kind 82). The store keeps each operation's
/// count of links (Int3) with every link written or deleted.
namespace OperationLinks {

/// The roles already given to operation links, for suggestion: distinct, not blank, by text.
QStringList Roles(TMyDataBase* db);
/// The link between \a operation and \a object; empty when there is none or it cannot be read.
QString Find(TMyDataBase* db, const QString& operation, const QString& object);
/// Opens the link between \a operation and \a object of \a db in its editor through \a frame's working record, or
/// prepares a new one (dated now, in \a category); true when it was saved. When \a object is an event and
/// the operation's counterparty has no role in it yet, the user is then asked whether to add one, and the
/// role is edited in its dialog.
bool Edit(
    TBaseDBFrame& frame, TMyDataBase* db, const QString& operation, const QString& object, const QString& category);

inline const QString AddRoleQuestion = QStringLiteral("Добавить роль для контрагента для данного события?");

} // namespace OperationLinks

/**
 * \brief The edit frame of an operation link ("Отношение объект - платеж"): the linked object shown read-only,
 * its role in the operation, suggested from the roles used before, and a comment.
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
    /// Tells the lists that a link was written.
    void AfterSave() override;

    QComboBox* eRole() const { return m_eRole; }
    TLimitedMemo* mComments() const { return m_mComments; }
    /// The preview of the linked object; nullptr when its kind has none.
    TBaseDBFrame* Preview() const { return m_preview; }

private:
    QWidget* m_pObj;
    TBaseDBFrame* m_preview = nullptr;
    int m_previewKind = 0;
    /// The linked object the preview shows.
    TDBMainInfo* m_linked;
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
    /// The object picked through "Создать" is linked to the operation.
    bool LinkObject() override;
    /// Edits the link of the current row and reruns when it was saved.
    void EditLink();
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
