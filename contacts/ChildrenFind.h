#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The children of a family ("Дети"), or a person's brothers and sisters ("Братья и сестры") when the
 * family is the person's parents' and names the person in Link4 to be left out. Each child with a mark
 * telling whether a child not born into the family shares its father or mother, son or daughter, photo,
 * age, names and, for such a child, whom it is from. A person picked with "Создать" becomes a native or an
 * adopted child as the user answers.
 */
class TChildrenFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChildrenFind)

public:
    /// The question asked when the child has no native family yet.
    static const QString ChildQuestion;

    explicit TChildrenFind(QWidget* parent = nullptr);
    ~TChildrenFind() override;

    /// Lists brothers and sisters ("Братья и сестры", "брат"/"сестра") or children ("Дети", "сын"/"дочь").
    void SetSiblings(bool siblings);
    bool Siblings() const { return m_siblings; }
    TMyDBGrid* ListGrid() const { return Grid; }
    QLabel* Title() const { return FindCaption; }
    /// The native family of the current child.
    const TDBMainInfo& ChildFamily() const { return *m_childFamily; }

    void InitFindMode() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    /// Follows the current row: the current child's native family is read.
    void EnableActions() override;
    bool LinkObject() override;
    /// Removes the current child from the family: an adoption is deleted with the main window's
    /// confirmation; a native child loses its native family after the user agreed.
    void miDelRoleClick();
    /// For an adopted child edits the adoption; otherwise the linked-objects window.
    void aLinksExecute();

private:
    /// Whether the row's child was born into the listed family.
    bool BornInto(const TListRow& row) const;

    TDBMainInfo* m_childFamily;
    bool m_siblings = false;
};
