#pragma once

#include "shell/frames/BaseFind.h"

/**
 * \brief The projects list (F7, the side panel, the pick dialog "Поиск проекта"): each project's name with
 * its description, found by name, period and description.
 */
class TFindProject final : public TBaseFind
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindProject)

public:
    static constexpr int ProjectPicture = 109;
    /// The edit mask of the "Период" filter row.
    inline static const QString PeriodMask = QStringLiteral("с: 99.99.9999 по: 99.99.9999; ");

    explicit TFindProject(QWidget* parent = nullptr);
    ~TFindProject() override;

    /// The two dates of a "Период" text ("с: dd.mm.yyyy по: dd.mm.yyyy"); 0 for a part that is no date.
    static void PeriodDates(const QString& text, double& from, double& to);

    QString GetSelectSQL() override;
    void ParseOptionList() override;
    void QueryAfterOpen() override;

    /// A new project in the edit dialog; the list reruns on it when it was saved.
    void NewProject();

    TOptionList* Options() const { return OptionList; }
    TMyDBGrid* ListGrid() const { return Grid; }
};
