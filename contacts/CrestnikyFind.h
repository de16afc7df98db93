#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The godchildren of a person ("Крестники"): photo, age, names and the other godparent of each. A
 * person picked with "Создать" gets this person as godmother or godfather, after asking before one is
 * replaced; the person and the person's own children are refused. Opening a row offers the godchild or
 * the other godparent ("Открыть с кем крестили").
 */
class TCrestnikyFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCrestnikyFind)

public:
    explicit TCrestnikyFind(QWidget* parent = nullptr);
    ~TCrestnikyFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QLabel* Title() const { return FindCaption; }

    void InitFindMode() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    bool LinkObject() override;
    /// Removes this person as godparent of the current godchild after the user agreed.
    void miDelRoleClick();

private:
    /// Whether the master person is a woman, a godmother to the listed children.
    bool MasterIsFemale() const;
};
