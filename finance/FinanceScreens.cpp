#include "finance/FinanceScreens.h"

#include "activities/EventSections.h"
#include "activities/NoteSections.h"
#include "activities/ProjectSections.h"
#include "contacts/AddressSections.h"
#include "contacts/FamilySections.h"
#include "contacts/FirmaSections.h"
#include "contacts/PersonSections.h"

#include "finance/AccRestThread.h"
#include "finance/BuchObjLinks.h"
#include "finance/BuchInOutFrame.h"
#include "finance/EditAccount.h"
#include "finance/EditBuchInOut.h"
#include "finance/FindAccount.h"
#include "finance/FindBuchBrief.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/frames/ShellKinds.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/MoneyOperationView.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int AccountsPicture = 28;
constexpr int OperationsPicture = 27;
/// The dialog-only code of the accounts list in a dialog.
constexpr int AccountsDialog = TEditBuchInOut::AccountsDialog;

TDialogKind Dialog(const QString& caption)
{
    TDialogKind dialog;
    dialog.Caption = caption;
    return dialog;
}

QString OperationText(qint64 code)
{
    switch (code) {
    case OperationCode::Income:
        return u" Операция: Доход"_s;
    case OperationCode::Expense:
        return u" Операция: Расход"_s;
    case OperationCode::Transfer:
        return u" Операция: Перевод между счетами"_s;
    case OperationCode::Exchange:
        return u" Операция: Обмен валюты"_s;
    case OperationCode::Lent:
    case OperationCode::LentReturned:
    case OperationCode::Borrowed:
    case OperationCode::BorrowedReturned:
        return u" Операция: "_s + OperationCode::DebtName(static_cast<int>(code));
    default:
        return QString();
    }
}

TShellKind OperationKind()
{
    TShellKind operation;
    operation.Code = Kind::MoneyOperation;
    operation.HasEditDialog = true;
    operation.EditDialog = Dialog(TEditBuchInOut::DialogCaption(0));
    operation.EditDialog.FollowsFrameSize = true;
    operation.EditCaption
        = [](const TDBMainInfo& r) { return TEditBuchInOut::DialogCaption(static_cast<int>(r.Int1)); };
    operation.DeleteText = [](const TDBMainInfo&) { return u"эту операцию"_s; };
    operation.WinListRow = [](const TDBMainInfo& r) {
        const TConstMoneyOperationView view(r);
        return TWinListRow {TFFindBuchBrief::OperationPicture(view.Code()), {}, {},
            DateSerial::ToDate(view.Date()).toString(u"dd.MM.yyyy"_s) + OperationText(view.Code())};
    };
    TSideList side;
    side.Picture = OperationsPicture;
    side.ChildName = u"Buchaltery"_s;
    side.MasterKind = Kind::MoneyOperation;
    side.Create = [](QWidget* parent) { return new TBuchList(parent); };
    operation.SideLists = {side};
    operation.Card = [](QWidget* parent) { return new TBuchInOutFrame(parent); };
    operation.EditFrame = [](QWidget* parent) { return new TEditBuchInOut(parent); };
    return operation;
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
    kinds.append(OperationKind());
    return kinds;
}

void RegisterFinanceScreens()
{
    for (const TShellKind& kind : FinanceShellKinds())
        ShellKinds::Register(kind);
    Screens::RegisterObjectSaved(Kind::MoneyOperation, [](int) { RecomputeBalances(); });
    // The operation lists of the dialogs "Движение средств" and "Список операций" the analyses open: the
    // dialog's record is the list's host.
    const TFrameFactory operations = [](QWidget* parent) { return new TFFindBuchBrief(parent); };
    Screens::RegisterPickFrame(TFFindBuchBrief::PickAnyOperation, operations);
    Screens::RegisterPickFrame(TFFindBuchBrief::PickIncomeExpense, operations);
    Screens::RegisterEditFrame(TFFindBuchBrief::OperationsDialog, operations);
    // The operations that concern the object of a card: its finance section.
    Screens::RegisterSection(Kind::Person, PersonSection::Finance, operations);
    Screens::RegisterSection(Kind::Organization, FirmaSection::Finance, operations);
    Screens::RegisterSection(Kind::Family, FamilySection::Finance, operations);
    Screens::RegisterSection(Kind::Address, AddressSection::Finance, operations);
    Screens::RegisterSection(Kind::Event, EventSection::Finance, operations);
    Screens::RegisterSection(Kind::Note, NoteSection::Finance, operations);
    Screens::RegisterSection(Kind::Group, ProjectSection::Finance, operations);
    Screens::RegisterSection(
        Kind::Group, ProjectSection::FinanceLinks, [](QWidget* parent) { return new TFindBuchProjectLinkObj(parent); });
    // The operation links: their editor, and the objects an operation is linked to in its card.
    Screens::RegisterEditFrame(Kind::OperationLink, [](QWidget* parent) { return new TFLinkBuchToObj(parent); });
    Screens::RegisterSection(Kind::MoneyOperation, OperationSection::LinkedObjects,
        [](QWidget* parent) { return new TBuchObjLinkFind(parent); });
}
