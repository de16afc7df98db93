#include "shell/frames/LinksBuchObjForm.h"

#include "shell/frames/SelectClientFrame.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/MainData.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"

#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int PersonPicture = 38;
constexpr int OrganizationPicture = 2;

QString SuggestionText(const TListRow& row)
{
    switch (row.Int(u"ObjType"_s)) {
    case Kind::Person:
        return QString(row.Text(u"Str1"_s) + u' ' + row.Text(u"Str2"_s) + u' ' + row.Text(u"Str3"_s)).trimmed();
    case Kind::Organization:
        return row.Text(u"Str5"_s);
    case Kind::Placeholder:
        return u"Без указания объекта"_s;
    default:
        return row.Text(u"Str1"_s);
    }
}

} // namespace

TLinksBuchObjForm::TLinksBuchObjForm(TFSelectClientFrame* picker)
    : QFrame(picker, Qt::Popup | Qt::FramelessWindowHint)
    , m_picker(picker)
    , m_grid(new TMyDBGrid(this))
    , m_findPeople(new QToolButton(this))
    , m_findFirma(new QToolButton(this))
{
    setObjectName(u"LinksBuchObjForm"_s);
    setFrameShape(QFrame::Box);
    m_grid->setObjectName(u"Grid2"_s);
    m_grid->SetColumns(
        {TGridColumn {u"ObjType"_s, QString(), 36, true, Qt::AlignCenter}, TGridColumn {u"Str1"_s, QString(), 240}});
    m_grid->SetStatusFields({u"ObjType"_s});
    m_grid->SetStatusImages(&MainData().LagreIcons());
    m_grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        const qint64 kind = row.Int(u"ObjType"_s);
        imageIndex = kind == Kind::Person ? PersonPicture : kind == Kind::Organization ? OrganizationPicture : -1;
    };
    m_grid->installEventFilter(this);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TLinksBuchObjForm::Grid2DblClick);

    m_findPeople->setObjectName(u"tbFindPeople"_s);
    m_findPeople->setText(u"Человека"_s);
    m_findFirma->setObjectName(u"tbFindFirma"_s);
    m_findFirma->setText(u"Организации"_s);
    connect(m_findPeople, &QToolButton::clicked, this, [this]() { FindKind(Kind::Person); });
    connect(m_findFirma, &QToolButton::clicked, this, [this]() { FindKind(Kind::Organization); });
    auto* bar = new QToolBar(this);
    bar->addWidget(m_findPeople);
    bar->addWidget(m_findFirma);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_grid, 1);
    resize(280, 220);
}

TLinksBuchObjForm::~TLinksBuchObjForm() = default;

QString TLinksBuchObjForm::SelectSQL(const TDBMainInfo& context)
{
    const QString fields = u"AllInfo.ObjId, AllInfo.ObjType, AllInfo.Str1, AllInfo.Str2, AllInfo.Str3, AllInfo.Str5"_s;
    QString sql = u"select "_s + fields
        + u" from AllInfo, AllInfo as Op where AllInfo.ObjId = Op.Link2 and Op.ObjType = "_s
        + QString::number(context.ObjType);
    for (int link : {1, 3, 4})
        if (!IsEmptyId(context.Link(link)))
            sql += u" and Op.Link"_s + QString::number(link) + u" = "_s + SqlDialect::Quote(context.Link(link));
    return sql + u" group by "_s + fields + u" order by count(*) desc"_s;
}

bool TLinksBuchObjForm::Open(TMyDataBase* db, const TDBMainInfo& context)
{
    TListModel* model = m_grid->Model();
    if (!model->Open(db, SelectSQL(context)))
        return false;
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) { return SuggestionText(row); });
    if (model->RecordCount() > 0)
        m_grid->SetCurrentRecord(0);
    m_grid->setFocus();
    return true;
}

void TLinksBuchObjForm::Grid2DblClick()
{
    const TListRow row = m_grid->CurrentRow();
    const QString id = row.Text(u"ObjId"_s);
    hide();
    if (!id.trimmed().isEmpty())
        m_picker->SetObjectId(row.Int(u"ObjType"_s) == Kind::Placeholder ? QString() : id, m_grid->Model()->Database());
}

void TLinksBuchObjForm::FindKind(int kind)
{
    hide();
    m_picker->ChooseKind(kind);
}

bool TLinksBuchObjForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Grid2DblClick();
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TLinksBuchObjForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QFrame::keyPressEvent(event);
}
