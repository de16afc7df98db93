#pragma once

#include "finance/OperationChoices.h"
#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

class TFBuchSumInfo;
class TListRow;

/**
 * \brief The list of money operations: each operation with its date and account, its amount in the
 * account's currency, and what it was (the category, the other account of a transfer, the debtor or
 * creditor) with its comment, newest first; found by account, period, kind of operation, category,
 * subcategory and comment, with the period totals underneath. New operations are made from it (Ctrl+F1 to
 * Ctrl+F8), preset with the account the list is filtered by, its category and its host.
 *
 * Its host record's kind says where it is shown and what it lists: the operations that concern a person,
 * an address, an organization, a family, an event or a note (its counterparty, or linked to it), those of
 * a project (21), every operation (24, the main window's TBuchList), the pick dialogs of kinds 101 and 102
 * and the operations a host of kind 105 names. Every operation names existing rows in Link1 to Link4 (none
 * ids included), so the joins of its statement leave none out.
 */
class TFFindBuchBrief : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFFindBuchBrief)

public:
    explicit TFFindBuchBrief(QWidget* parent = nullptr);
    ~TFFindBuchBrief() override;

    /// The statement of the operations with their account, category, fourth link and counterparty rows
    /// (AccName, GrpName, SGrpName, ValName, KAName): \a where is the condition tail, \a order the order.
    static QString SelectStatement(const QString& where, const QString& order);
    /// The first line of an operation's description: its category for an income or an expense, otherwise
    /// what kind of movement it is.
    static QString Description(const TListRow& row);
    /// The operation codes of the new-operation actions, in the order of their shortcuts Ctrl+F1 to Ctrl+F8.
    static QList<int> OperationCodes();
    /// The picture of an operation of \a code; -1 for another code.
    static int OperationPicture(qint64 code);

    /// The operation filter values that stand for a set of codes (kept as text in FindOptions.Str3).
    enum : int { IncomesAndExpenses = 200, Debtors = 201, Creditors = 202 };
    /// The dialog-only host kinds: the pick dialog "Движение средств" of every operation but transfers (101)
    /// or of incomes and expenses (102), and the dialog "Список операций" of the operations its host names (105).
    enum : int { PickAnyOperation = 101, PickIncomeExpense = 102, OperationsDialog = 105 };
    inline static const QString NoCategory = QStringLiteral("Группа не указана");
    inline static const QString NoSubcategory = QStringLiteral("Подгруппа не указана");

    /// The condition on the operations the host of \a kind (its id \a host) lists; \a names is the host's
    /// Str5 for kind 105 (a subquery or a list of quoted ids).
    static QString HostKindCondition(int kind, const QString& host, const QString& names);

    QString GetSelectSQL() override;
    QString GetWhereSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    void LoadData() override;
    void EnableActions() override;
    /// An operation is deleted at once in the lists of every operation, of a project and of the pick dialogs;
    /// in a card only the host's own operation without links: for any other the user chooses between the
    /// link and the operation.
    bool IsDirectDelete() override;
    /// Deletes the link between the current operation and the host (the operation stays).
    void DeleteHostLink();
    /// Opens the current operation; in a card, for an operation with links, offers the operation and its
    /// link with the host (pmOpen, under the button or at the mouse).
    void OpenOperation(bool atCursor);
    /// Enables "Открыть связь между объектами" when the current operation is linked to the host.
    void PrepareOpenMenu() override;
    /// Edits the link between the current operation and the host.
    void EditHostLink();
    /// A card's list takes an operation dropped on it.
    bool CanLinkObject(const TDBMainInfo& info, QString& reason) override;
    /// Links the operation dropped on a card's list to the card's object.
    bool LinkObject() override;
    /// Edits a copy of the current operation dated now; the copy is chosen in a pick dialog, opened otherwise.
    void aCopyExecute() override;
    /// Picks an operation in the dialog "Движение средств" and links it to the host (aOLinks).
    void AddOperationLink();
    /// Opens the link between \a operation and the host, or prepares a new one (dated now, with the list's
    /// category), in its editor; true when it was saved, and the working record then holds the operation.
    /// For an event the user may add the counterparty's role as well.
    bool LinkOperation(const QString& operation);
    /// The finance report of the rows shown (the empty list too: its title and header).
    void aPrintExecute() override;
    /// The pick list of the filter row \a key.
    QStringList OptionListGetPickList(const QString& key);
    /// The "Операция" entries for the host's kind.
    QStringList OperationEntries() const;
    /// The category the list is filtered by: new operations and links get it (the null id for none).
    const QString& CurrentCategory() const { return m_category; }
    TFBuchSumInfo* SumInfo() const { return m_sumInfo; }

    /// Makes a new operation of the code \a sender carries: dated now, on the account the list is filtered
    /// by, with the host as counterparty when the host is a person or an organization.
    void N11Click(QObject* sender);

    /// The new-operation action of \a code; nullptr for another code.
    QAction* OperationAction(int code) const;
    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }

protected:
    /// The host's own condition on the operations; none for the main window's list.
    virtual QString HostCondition() const;
    /// The filter rows for the host of \a kind.
    virtual QStringList OptionRows(int kind) const;
    /// Rebuilds the filter rows and the actions for the host's kind.
    void SetupForHost(int kind);

    QList<QAction*> m_operationActions;
    /// "Добавить ссылку на операцию": in the cards.
    QAction* m_aOLinks;
    /// The main window's list shows the counterparty in the Link1 column and the description beside it.
    bool m_counterpartyColumn = false;

private:
    int HostKind() const;
    /// The position of the "Операция" row's value in its list (0: none).
    int CurrentOperationChoice() const;
    /// The id of \a text in \a list (the none id for the "not set" entries); empty when not in it.
    static QString IdOf(const TValueList& list, const QString& text);

    TAccountChoices m_accountChoices;
    TValueList m_groups;
    TValueList m_subgroups;
    TValueList m_participants;
    /// The position of the "Операция" choice in its list (0: none).
    int m_operationChoice = 0;
    QString m_category;
    /// The host kind the filter rows were built for (-1: none yet).
    int m_rowsKind = -1;
    int m_operationsSaved = 0;
    int m_linksSaved = 0;
    TFBuchSumInfo* m_sumInfo;
    /// Carries the kind the list's new-object command makes.
    QAction* m_newOperation;
};

/**
 * \brief The main window's finance list "Buchaltery" (F8): every operation, newest first, with its
 * counterparty.
 */
class TBuchList final : public TFFindBuchBrief
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBuchList)

public:
    explicit TBuchList(QWidget* parent = nullptr);
    ~TBuchList() override;

protected:
    QStringList OptionRows(int kind) const override;
};
