#include "activities/FindProject.h"

#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/TextHelpers.h"
#include "store/kinds/GroupView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TFindProject::TFindProject(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindProject"_s);
    FindCaption->setText(u"Проекты"_s);
    aNew->setData(GroupType::Project);
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFindProject::NewProject);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Group;
    Grid->SetColumns({TGridColumn{u"Int1"_s, QString(), 36}, TGridColumn{u"Str1"_s, u"Название [Описание]"_s, 260}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        image = row.Text(u"ObjId"_s).trimmed().isEmpty() ? -1 : ProjectPicture;
    };
    OptionList->SetStrings({u"Название="_s, u"Период="_s, u"Описание="_s});
    TItemProp period;
    period.EditMask = PeriodMask;
    OptionList->SetItemProps(u"Период"_s, period);
}

TFindProject::~TFindProject() = default;

QString TFindProject::GetSelectSQL()
{
    return u"select AllInfo.* from AllInfo where AllInfo.ObjType = 21 and AllInfo.Int1 = 9"_s + GetWhereSQL()
        + u" order by "_s + TotalOrder(u"Str1"_s);
}

void TFindProject::PeriodDates(const QString& text, double& from, double& to)
{
    // "с: " and " по: " stand around the two dates of the mask: characters 4-13 and 19-28.
    from = 0;
    to = 0;
    if (!TryDate(from, text.mid(3, 10).trimmed()))
        from = 0;
    if (!TryDate(to, text.mid(18, 10).trimmed()))
        to = 0;
}

void TFindProject::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(16, OptionList->Values(u"Описание"_s));
    double from = 0;
    double to = 0;
    PeriodDates(OptionList->Values(u"Период"_s), from, to);
    DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::From, from);
    DateCondition(m_whereExt, u"AllInfo.Date1"_s, DateOp::Before, to);
}

void TFindProject::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return QString();
        const QString comments = row.Text(u"Comments"_s);
        return comments.trimmed().isEmpty() ? row.Text(u"Str1"_s)
                                            : row.Text(u"Str1"_s) + u"\r\n["_s + comments + u']';
    });
    TBaseFind::QueryAfterOpen();
}

void TFindProject::NewProject()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Group;
    TGroupView(*work).SetGroupKind(GroupType::Project);
    if (EditWorkInfo() == 1)
        RunQuery(work->Obj);
}
