#include "contacts/InetFind.h"

#include "contacts/EditINet.h"
#include "contacts/LinkedListParts.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/MainData.h"
#include "shell/widgets/PictureList.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/InternetContactView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

QString TInetFind::WebRefusal()
{
    return u"Открываются только адреса сайтов http:// и https://"_s;
}

QString TInetFind::MailRefusal()
{
    return u"Это не адрес электронной почты"_s;
}

TInetFind::TInetFind(QWidget* parent)
    : TBaseFind(parent)
{
    setObjectName(u"InetFind"_s);
    FindCaption->setText(u"Связь по Интернет"_s);
    aNew->setData(Kind::InternetContact);
    aLinks->setVisible(true);
    disconnect(aLinks, &QAction::triggered, this, nullptr);
    connect(aLinks, &QAction::triggered, this, &TInetFind::aLinksExecute);
    Grid->SetColumns({TGridColumn{u"Int1"_s, QString(), 24, true, Qt::AlignCenter},
        TGridColumn{u"Int2"_s, u"Тип"_s, 90}, TGridColumn{u"Str1"_s, u"Адрес"_s, 220}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        GridStatusColumnGetImage(row, imageIndex);
    };
    LinkedListParts::HideSearchArea(this, true);
    Screens::RegisterObjectSaved(Kind::InternetContact, [this](int) { ObjectsSaved(); }, this);
}

TInetFind::~TInetFind() = default;

void TInetFind::InitFindMode()
{
    LinkedListParts::HideSearchArea(this, true);
}

QString TInetFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString owner = master && !IsNewId(master->Obj) ? master->Obj.Text() : u"-"_s;
    return u"select ObjId, Int1, \" \" as Int2, Str2, Str1 from AllInfo where ObjType = 5 and Link1 = "_s
        + SqlDialect::Quote(owner) + u" order by ObjId"_s;
}

void TInetFind::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"INT1"_s, [](const TListRow&, const QVariant&) -> QString { return QString(); });
    model->SetFieldTextHandler(u"INT2"_s, [](const TListRow& row, const QVariant&) -> QString {
        return TEditINet::ListCaption(static_cast<int>(row.Int(u"Int1"_s)));
    });
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant& value) -> QString {
        const QString name = row.Text(u"Str2"_s).trimmed();
        return name.isEmpty() ? value.toString() : name + u'\n' + value.toString();
    });
    TBaseFind::QueryAfterOpen();
}

void TInetFind::GridStatusColumnGetImage(const TListRow& row, int& imageIndex) const
{
    imageIndex = TEditINet::TypePicture(static_cast<int>(row.Int(u"Int1"_s)));
}

void TInetFind::EnableActions()
{
    TBaseFind::EnableActions();
    const TListRow row = Grid->CurrentRow();
    const int type = row.IsValid() && !IsEmptyId(CurObjId()) ? static_cast<int>(row.Int(u"Int1"_s)) : 0;
    QString hint;
    switch (type) {
    case InternetType::Email:
        hint = u"Написать письмо"_s;
        break;
    case InternetType::Site:
        hint = u"Открыть веб-сайт"_s;
        break;
    case InternetType::SocialNetwork:
        hint = u"Перейти на страницу"_s;
        break;
    default:
        break;
    }
    aLinks->setEnabled(!hint.isEmpty());
    if (hint.isEmpty())
        return;
    aLinks->setToolTip(hint);
    aLinks->setStatusTip(hint);
    aLinks->setIcon(MainData().LagreIcons().Icon(TEditINet::TypePicture(type)));
}

void TInetFind::aLinksExecute()
{
    const TListRow row = Grid->CurrentRow();
    if (!row.IsValid() || IsEmptyId(CurObjId()))
        return;
    const int type = static_cast<int>(row.Int(u"Int1"_s));
    const QString address = row.Text(u"Str1"_s).trimmed();
    if (type == InternetType::Email) {
        if (Desktop::MailUrl(address).isEmpty())
            Messages().ShowMessage(MailRefusal());
        else
            Desktop::OpenMailAddress(address);
        return;
    }
    if (type != InternetType::Site && type != InternetType::SocialNetwork)
        return;
    if (Desktop::WebUrl(address).isEmpty())
        Messages().ShowMessage(WebRefusal());
    else
        Desktop::OpenWebAddress(address);
}
