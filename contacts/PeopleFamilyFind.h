#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The marriages of a person (a section of the person card): each family with its status, period and
 * the partner's photo, age and names. Titled "Мужья" for a woman and "Жены" for a man; a new marriage
 * picks a partner of the other sex and opens the family dialog.
 */
class TPeopleFamilyFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPeopleFamilyFind)

public:
    /// The refusal of a couple of one sex.
    static const QString SameSexRefusal;

    explicit TPeopleFamilyFind(QWidget* parent = nullptr);
    ~TPeopleFamilyFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QLabel* Title() const { return FindCaption; }

    void LoadData() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    bool LinkObject() override;

    using TBaseFind::aNewExecute;
    /// A new marriage: a partner of the other sex is picked, then the family dialog opens.
    void aNewExecute();

private:
    /// Whether the master person is a woman.
    bool MasterIsFemale() const;
};
