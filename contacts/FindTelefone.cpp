#include "contacts/FindTelefone.h"

#include "contacts/AddressLine.h"
#include "contacts/PhoneNumber.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/kinds/PhoneView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QString NumberRow = u"Номер телефона"_s;
const QString OwnerRow = u"Принадлежность"_s;
const QString TypeRow = u"Тип"_s;
const QString CommentRow = u"Комментарий"_s;

const QStringList OwnerChoices{QString(), u"Личный"_s, u"Домашний"_s, u"Рабочий"_s};
const QStringList TypeChoices{QString(), u"Телефон"_s, u"Факс"_s, u"Тел / Факс"_s, u"Мобильный"_s};

TItemProp PickList(const QStringList& values, bool readOnly)
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.PickList = values;
    props.ReadOnly = readOnly;
    return props;
}

} // namespace

const QStringList& TFindTelefone::FilterRows()
{
    static const QStringList rows{NumberRow, OwnerRow, TypeRow, CommentRow};
    return rows;
}

TFindTelefone::TFindTelefone(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"FindTelefone"_s);
    FindCaption->setText(u"Телефоны"_s);
    SetsqlOrder(u"lkTel.Str1"_s);
    // A row is the phone; its owner is the row's link.
    SetLinkFieldName(u"OwnerId"_s);
    aNew->setVisible(false);
    aDel->setVisible(false);
    Bind(aOpen, &TBaseFind::aOpenExecute);
    disconnect(Grid, &QAbstractItemView::doubleClicked, this, nullptr);
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TBaseFind::aOpenExecute);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Phone;
    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 54}, TGridColumn{u"Str1"_s, u"[Телефон] Объект"_s, 260}});
    Grid->SetTextLineCount(3);
    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
    OptionList->SetItemProps(OwnerRow, PickList(OwnerChoices, true));
    OptionList->SetItemProps(TypeRow, PickList(TypeChoices, false));
}

TFindTelefone::~TFindTelefone() = default;

QString TFindTelefone::GetSelectSQL()
{
    return u"select lkTel.ObjId, lkTel.Str1 as TelStr, AllInfo.ObjId as OwnerId, AllInfo.ObjType, AllInfo.Foto,"
           u" AllInfo.Str1, AllInfo.Str2, AllInfo.Str3, AllInfo.Str4, AllInfo.Str5, AllInfo.Link3, AllInfo.Link4,"
           u" AllInfo.Link5 from AllInfo, AllInfo as lkTel where AllInfo.ObjId = lkTel.Link1 and lkTel.ObjType = 4"_s
        + GetWhereSQL() + u" order by "_s + TotalOrder(sqlOrder(), u"lkTel.ObjId"_s);
}

void TFindTelefone::ParseOptionList()
{
    // The number is kept as its digits: whatever else was typed around them does not count.
    QString digits;
    for (const QChar c : OptionList->Values(NumberRow))
        if (c.isDigit())
            digits += c;
    if (!digits.isEmpty())
        AddCondition(m_whereExt, u"lkTel.Str1 like "_s + SqlDialect::Quote(u'%' + digits + u'%'));
    static const int OwnerKinds[] = {0, Kind::Person, Kind::Address, Kind::Organization};
    const qsizetype owner = OwnerChoices.indexOf(OptionList->Values(OwnerRow).trimmed());
    if (owner > 0)
        AddCondition(m_whereExt, u"(lkTel.Int2 = "_s + QString::number(OwnerKinds[owner]) + u')');
    const qsizetype type = TypeChoices.indexOf(OptionList->Values(TypeRow).trimmed());
    if (type > 0)
        AddCondition(m_whereExt, u"(lkTel.Int1 = "_s + QString::number(type - 1) + u')');
    LikeCondition(m_whereExt, u"lkTel.Comments"_s, OptionList->Values(CommentRow).trimmed());
}

void TFindTelefone::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [this](const TListRow& row, const QVariant&) -> QString {
        QString owner;
        switch (row.Int(u"ObjType"_s)) {
        case Kind::Address:
            owner = AddressLine::OfListRow(row, Grid->columnWidth(1));
            break;
        case Kind::Person:
        case Kind::Organization:
            owner = row.Text(u"Str5"_s);
            break;
        default:
            break;
        }
        return u'[' + PhoneNumber::Text(row.Text(u"TelStr"_s)) + u"]\n"_s + owner;
    });
    TBaseFind::QueryAfterOpen();
}
