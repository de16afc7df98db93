#include "finance/FinanceScreens.h"

#include "finance/AccRestThread.h"
#include "finance/EditAccount.h"
#include "finance/FindAccount.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/ObjectKinds.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int AccountsPicture = 28;
/// The dialog-only code of the accounts list in a dialog.
constexpr int AccountsDialog = 103;

TDialogKind Dialog(const QString& caption)
{
    TDialogKind dialog;
    dialog.Caption = caption;
    return dialog;
}

} // namespace

QList<TShellKind> FinanceShellKinds()
{
    QList<TShellKind> kinds;
    const TFrameFactory list = [](QWidget* parent) { return new TFindAccount(parent); };

    TShellKind account;
    account.Code = Kind::Account;
    account.HasEditDialog = true;
    account.EditDialog = Dialog(u"Определение счета"_s);
    account.EditedInDialog = true;
    account.EditFrame = [](QWidget* parent) { return new TEditAccount(parent); };
    account.DeleteText = [](const TDBMainInfo&) { return u"счет\nи все операции связанные с ним"_s; };
    TSideList side;
    side.Picture = AccountsPicture;
    side.ChildName = u"MyBuchRest"_s;
    side.MasterKind = Kind::Account;
    side.Create = list;
    account.SideLists = {side};
    kinds.append(account);

    TShellKind accounts;
    accounts.Code = AccountsDialog;
    accounts.HasEditDialog = true;
    accounts.EditDialog = Dialog(u"Счета"_s);
    accounts.EditFrame = list;
    kinds.append(accounts);
    return kinds;
}

void RegisterFinanceScreens()
{
    for (const TShellKind& kind : FinanceShellKinds())
        ShellKinds::Register(kind);
    Screens::RegisterObjectSaved(Kind::MoneyOperation, [](int) { RecomputeBalances(); });
}
