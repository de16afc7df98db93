#pragma once

/// Kind codes (`ObjType`) of the rows of AllInfo.
namespace Kind {
enum : int {
    Person = 1,
    Address = 3,
    Phone = 4,
    InternetContact = 5,
    Organization = 6,
    Family = 7,
    Event = 8,
    Note = 10,
    Role = 20,
    Group = 21,
    Account = 23,
    MoneyOperation = 24,
    Placeholder = 29,
    MeetingKind = 31,
    ObjectLink = 33,
    NoteLink = 34,
    Residence = 80,
    AdoptiveFamilyLink = 81,
    OperationLink = 82,
    DatabaseIdentity = 897,
    DatabaseEntry = 898,
    IdentityRow = 899,
};

/// Codes that are never stored: the working record of a dialog carries one to choose the dialog's frame.
constexpr bool IsDialogKind(int kind)
{
    return kind == 0 || (kind >= 100 && kind <= 105) || (kind >= 122 && kind <= 125) || (kind >= 901 && kind <= 2000);
}
} // namespace Kind
