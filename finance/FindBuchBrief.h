#pragma once

#include "finance/OperationChoices.h"
#include "shell/frames/BaseFind.h"

class TListRow;

/**
 * \brief The list of money operations: each operation with its date and account, its amount in the
 * account's currency, and what it was (the category, the other account of a transfer, the debtor or
 * creditor) with its comment, newest first; found by account and comment. New operations of the eight
 * codes are made from it (Ctrl+F1 to Ctrl+F8), preset with the account the list is filtered by.
 *
 * Its host record's kind says where it is shown; the main window's finance list is TBuchList (host 24, every
 * operation). Every operation names existing rows in Link1 to Link4 (none ids included), so the joins of its
 * statement leave none out.
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

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    /// The "Счет" row's pick list: a blank, then the accounts by name.
    QStringList OptionListGetPickList(const QString& key);

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

    QList<QAction*> m_operationActions;
    /// The main window's list shows the counterparty in the Link1 column and the description beside it.
    bool m_counterpartyColumn = false;

private:
    TAccountChoices m_accountChoices;
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
};
