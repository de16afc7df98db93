#pragma once

#include "contacts/PeopleFilter.h"
#include "shell/frames/BaseFind.h"
#include "store/LookupLists.h"

#include <QStringList>

/**
 * \brief The people list (F1, the side panel, the pick dialog "Поиск знакомых"): names on three lines with
 * the photo, the age and sex, the comment; the extended search by names, sex, age, birth date, status,
 * phone, internet resource, group and role, address and links to an organization or event.
 */
class TFindPeople : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindPeople)

public:
    /// The filter rows in the order the extended search shows them.
    static const QStringList& FilterRows();

    explicit TFindPeople(QWidget* parent = nullptr);
    ~TFindPeople() override;

    /// What the extended search rows say now (the picked objects included).
    TPeopleFilter Filter() const;
    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }
    QComboBox* eFindEdit() const { return eFind; }
    const TValueList& GroupList() const { return m_groups; }

    void ParseOptionList() override;
    void InitFindMode() override;
    void QueryAfterOpen() override;
    void aPrintExecute() override;
    void EnableActions() override;

    void OptionListGetPickList(const QString& keyName, QStringList& values);
    void OptionListEditButtonClick(int row);
    /// Imports a vCard file; the list is read anew when people were written.
    void aImportVCardExecute();
    /// Writes the people the list shows into a vCard file of \a version.
    void aExportVCardExecute(const QString& version);
    /// The ids of every row the list shows, in its order.
    QStringList ShownIds() const;

private:
    /// The day ages are counted from.
    static QDate Today();

    TValueList m_groups;
    QString m_groupId;
    QString m_phoneOwner;
    int m_phoneOwnerKind = 0;
    QString m_organization;
    QString m_event;
};
