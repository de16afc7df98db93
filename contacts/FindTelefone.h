#pragma once

#include "shell/frames/BaseFind.h"

#include <QStringList>

/**
 * \brief The phone search ("Телефоны", the pick dialog "Поиск телефона"): every phone with its owner, found
 * by the digits of the number, whose phone it is, its type and its comment. A row stands for the phone: opening
 * it (in the dialog: choosing it) gives the phone with its number, owner and owner's kind.
 */
class TFindTelefone final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindTelefone)

public:
    /// The filter rows in the order the extended search shows them.
    static const QStringList& FilterRows();

    explicit TFindTelefone(QWidget* parent = nullptr);
    ~TFindTelefone() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    TOptionList* Options() const { return OptionList; }

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;
};
