#include "contacts/AddressLine.h"

#include "shell/widgets/ListModel.h"
#include "store/LookupLists.h"
#include "store/kinds/AddressView.h"

using namespace Qt::StringLiterals;

namespace AddressLine {

QString OfRecord(const TObjectRow& row, int width)
{
    const TConstAddressView address(row);
    return AddressText(address.PostalIndex(), address.Country(), address.Region(), address.District(),
        address.Settlement(), address.Street(), address.House(), address.Flat(), width < ShortAddressWidth);
}

QString OfListRow(const TListRow& row, int width)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return QString();
    return AddressText(row.Text(u"Link5"_s), row.Text(u"Str1"_s), row.Text(u"Str2"_s), row.Text(u"Str3"_s),
        row.Text(u"Str4"_s), row.Text(u"Str5"_s), row.Text(u"Link4"_s), row.Text(u"Link3"_s),
        width < ShortAddressWidth);
}

} // namespace AddressLine
