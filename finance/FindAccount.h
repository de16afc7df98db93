#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The accounts list ("Счета"): in the side panel ("MyBuchRest") and in the dialog the operation
 * editor opens to set accounts up. Each account with its balance and currency, largest balance first,
 * found by name, type, currency, status and comment. The rows are read anew whenever accounts were saved,
 * and after each recomputation of the balances.
 */
class TFindAccount final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindAccount)

public:
    inline static const QString Active = QStringLiteral("Активный");
    inline static const QString Closed = QStringLiteral("Счет закрыт");

    explicit TFindAccount(QWidget* parent = nullptr);
    ~TFindAccount() override;

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
    /// The filter row's pick list: the types, the statuses, the currencies in use.
    QStringList OptionListGetPickList(const QString& key);

    /// A new account in the edit dialog; the list stands on it when it was saved.
    void aNewExecute();
    /// The current account in the edit dialog.
    void aOpenExecute();

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }
};
