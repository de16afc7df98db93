#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The godparents of a person ("Крестные"): godfather first, then godmother, each with a woman or man
 * picture, "Крестный" or "Крестная", photo, age and names. A person picked with "Создать" becomes the
 * godmother or the godfather by sex, after asking before one is replaced; the person and the person's
 * parents are refused.
 */
class TCrestParentsFind final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCrestParentsFind)

public:
    explicit TCrestParentsFind(QWidget* parent = nullptr);
    ~TCrestParentsFind() override;

    TMyDBGrid* ListGrid() const { return Grid; }
    QLabel* Title() const { return FindCaption; }

    void InitFindMode() override;
    QString GetSelectSQL() override;
    void QueryAfterOpen() override;
    bool LinkObject() override;
    /// Removes the current godparent after the user agreed.
    void miDelRoleClick();
};
