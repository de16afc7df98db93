#include "store/kinds/StoreKinds.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/PersonView.h"

namespace {

// Link columns 1..last that are blank or the null id name nobody: they store the none id.
void NoneForEmptyLinks(TObjectRow& row, int last)
{
    for (int i = 1; i <= last; ++i) {
        if (row.Link(i).IsBlank() || IsNewId(row.Link(i)))
            row.Link(i) = Ids::None;
    }
}

TStoreKind Person()
{
    TStoreKind kind;
    kind.Code = Kind::Person;
    kind.Derive = [](TObjectRow& row) {
        NoneForEmptyLinks(row, 3);
        const TPersonView person(row);
        person.SetDisplayName(PersonDisplayName(person.Surname(), person.FirstName(), person.Patronymic()));
    };
    return kind;
}

TStoreKind Family()
{
    TStoreKind kind;
    kind.Code = Kind::Family;
    kind.Derive = [](TObjectRow& row) {
        for (int i = 1; i <= 2; ++i) {
            if (row.Link(i).Text().isEmpty())
                row.Link(i) = Ids::None;
        }
    };
    return kind;
}

TStoreKind Plain(int code, bool fixed = false)
{
    TStoreKind kind;
    kind.Code = code;
    kind.Fixed = fixed;
    return kind;
}

} // namespace

namespace StoreKinds {

QList<TStoreKind> BuiltIn()
{
    return {
        Person(),
        Plain(Kind::Address),
        Plain(Kind::Phone),
        Plain(Kind::InternetContact),
        Plain(Kind::Organization),
        Family(),
        Plain(Kind::Event),
        Plain(Kind::Note),
        Plain(Kind::Role),
        Plain(Kind::Group),
        Plain(Kind::Account),
        Plain(Kind::MoneyOperation),
        Plain(Kind::Placeholder, true),
        Plain(Kind::MeetingKind),
        Plain(Kind::ObjectLink),
        Plain(Kind::NoteLink),
        Plain(Kind::Residence),
        Plain(Kind::AdoptiveFamilyLink),
        Plain(Kind::OperationLink),
        Plain(Kind::DatabaseIdentity, true),
        Plain(Kind::DatabaseEntry),
        Plain(Kind::IdentityRow, true),
    };
}

} // namespace StoreKinds
