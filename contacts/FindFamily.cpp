#include "contacts/FindFamily.h"

#include "contacts/FamilyPrev.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/TextHelpers.h"
#include "store/kinds/FamilyView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QString Status = u"Статус"_s;

/// "AllInfo.column in (select ObjId from AllInfo where ObjType = 1 and ...)" for the names given.
QString PartnerCondition(const QString& column, const QString& surname, const QString& name, const QString& patronymic)
{
    QString inner;
    LikeCondition(inner, u"Str1"_s, surname.trimmed());
    LikeCondition(inner, u"Str2"_s, name.trimmed());
    LikeCondition(inner, u"Str3"_s, patronymic.trimmed());
    if (inner.isEmpty())
        return QString();
    return u"AllInfo."_s + column + u" in (select ObjId from AllInfo where ObjType = "_s + QString::number(Kind::Person)
        + u" and "_s + inner + u')';
}

} // namespace

namespace FamilyCells {

QString Period(const TListRow& row)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return PeriodText(row.Bool(u"D1Flag"_s), row.Bool(u"D2Flag"_s), row.Number(u"Date2"_s), row.Number(u"Date1"_s));
}

QString Names(const TListRow& row)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return row.Text(u"Str1"_s) + u'\n' + row.Text(u"Str2"_s);
}

} // namespace FamilyCells

const QStringList& TFindFamily::FilterRows()
{
    static const QStringList rows{Status, u"Супруг: Фамилия"_s, u"Супруг: Имя"_s, u"Супруг: Отчество"_s,
        u"Супруга: Фамилия"_s, u"Супруга: Имя"_s, u"Супруга: Отчество"_s};
    return rows;
}

TFindFamily::TFindFamily(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Семьи"_s);
    aNew->setData(Kind::Family);
    SetGridDraged(true);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Family;
    Grid->SetColumns({TGridColumn{u"Int1"_s, u"Статус"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"Date1"_s, u"Период"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Семья"_s, 240}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        GridStatusColumnGetImage(row, imageIndex);
    };

    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
    TItemProp status;
    status.EditStyle = TEditStyle::esPickList;
    status.ReadOnly = true;
    status.PickList = QStringList{QString()} + FamilyStatus::Captions();
    OptionList->SetItemProps(Status, status);
}

TFindFamily::~TFindFamily() = default;

void TFindFamily::GridStatusColumnGetImage(const TListRow& row, int& imageIndex)
{
    imageIndex = row.Text(u"ObjId"_s).trimmed().isEmpty() ? -1 : FamilyStatusImage(row.Number(u"Int1"_s));
}

void TFindFamily::ParseOptionList()
{
    const int status = static_cast<int>(FamilyStatus::Captions().indexOf(OptionList->Values(Status).trimmed())) + 1;
    if (status >= 1)
        SetFindField(11, QString::number(status));
    const auto value = [this](const QString& key) { return OptionList->Values(key); };
    AddCondition(m_whereExt,
        PartnerCondition(u"Link1"_s, value(u"Супруг: Фамилия"_s), value(u"Супруг: Имя"_s), value(u"Супруг: Отчество"_s)));
    AddCondition(m_whereExt, PartnerCondition(u"Link2"_s, value(u"Супруга: Фамилия"_s), value(u"Супруга: Имя"_s),
        value(u"Супруга: Отчество"_s)));
}

void TFindFamily::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) { return FamilyCells::Period(row); });
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) { return FamilyCells::Names(row); });
    TBaseFind::QueryAfterOpen();
}
