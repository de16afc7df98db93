#pragma once

#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

#include <QStringList>

/// What the extended search of the organization list was given beyond the prefix matches on the name, the
/// form of ownership and the comment (texts as the rows show them; picked objects by id).
struct TFirmaFilter
{
    QString Type; ///< "Тип организации"
    QString Phone; ///< "Телефон", a part of the number
    QString Internet; ///< "Internet ресурс", a part of the address
    QString Group; ///< the picked group's id; empty when no group is chosen
    QString Role; ///< "Роль"
    QString Rating; ///< "Оценка", masked "от: #  до: ##"
    QString State; ///< "Состояние"
    QString Country, Region, District, City, Street;
    QString Event; ///< "Связана с событием": the picked event's id
};

/// The texts of the organization list's pick lists.
namespace FirmaTexts {
inline const QString ParentCompany = QStringLiteral("Материнская компания");
inline const QString Branches = QStringLiteral("Филиалы");
inline const QString StateWas = QStringLiteral("Была в группе");
} // namespace FirmaTexts

/// The conditions \a filter adds to the organization list's where-text, joined by " and "; blank rows add
/// nothing.
QString FirmaFilterConditions(const TFirmaFilter& filter);

/**
 * \brief The organization list ("Организации", F3, the side panel, the pick dialog "Поиск организации"):
 * the logo and the display name; the extended search by name, form of ownership, parent or branch, phone,
 * internet resource, comment, group and role, address and a link to an event.
 */
class TFindFirma : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindFirma)

public:
    /// The filter rows in the order the extended search shows them.
    static const QStringList& FilterRows();

    explicit TFindFirma(QWidget* parent = nullptr);
    ~TFindFirma() override;

    /// What the extended search rows say now (the picked event included).
    TFirmaFilter Filter() const;
    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }
    QComboBox* eFindEdit() const { return eFind; }

    void ParseOptionList() override;

    void OptionListGetPickList(const QString& keyName, QStringList& values);
    void OptionListEditButtonClick(int row);

private:
    TValueList m_groups;
    QString m_event;
};
