#pragma once

#include "shell/frames/BaseFind.h"

#include <QStringList>

/**
 * \brief The address list ("Адреса", the side list and the pick dialog "Поиск адреса"): each address as its
 * one-line text on two lines, found by its parts, its comment or a phone number kept at it.
 */
class TAddressFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAddressFind)

public:
    /// The filter rows in the order the extended search shows them.
    static const QStringList& FilterRows();
    /// The conditions on the address parts \a options holds, as the address lists spell them: the flat and
    /// the house by prefix, or with \a exactHouse by equality; the postal index by prefix (not with
    /// \a exactHouse); then the country to the street and the comment by prefix.
    static QString PartConditions(const TDBMainInfo& options, bool exactHouse);

    explicit TAddressFind(QWidget* parent = nullptr);
    ~TAddressFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QComboBox* eFindEdit() const { return eFind; }
    TOptionList* Options() const { return OptionList; }

    void ParseOptionList() override;
    QString GetWhereSQL() override;
    void QueryAfterOpen() override;
};
