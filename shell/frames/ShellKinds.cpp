#include "shell/frames/ShellKinds.h"

#include "shell/frames/ShellKindsPending.h"
#include "store/KindRegistry.h"
#include "store/ObjectRecord.h"

#include <QMap>
#include <QtGlobal>

namespace {

struct TTable
{
    QMap<int, TShellKind> Kinds;
    QMap<int, TSideList> SideLists;
};

bool Refuse(const char* what, int key)
{
    return RefuseSecondRegistration("ShellKinds", QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(key));
}

bool AddSideList(TTable& table, const TSideList& list)
{
    if (table.SideLists.contains(list.Picture))
        return Refuse("the side list of picture", list.Picture);
    table.SideLists.insert(list.Picture, list);
    if (list.Create)
        Screens::RegisterSideList(list.Picture, list.Create);
    return true;
}

TTable PendingTable()
{
    TTable table;
    // The shell's own descriptors carry texts only: their factories come with the screens of their kinds.
    for (const TShellKind& kind : ShellKinds::Pending()) {
        table.Kinds.insert(kind.Code, kind);
        for (const TSideList& list : kind.SideLists)
            table.SideLists.insert(list.Picture, list);
    }
    for (const TSideList& list : ShellKinds::PendingSideLists())
        table.SideLists.insert(list.Picture, list);
    return table;
}

TTable& Table()
{
    static TTable table = PendingTable();
    return table;
}

} // namespace

TShellKind TShellKind::TextsOnly() const
{
    TShellKind texts = *this;
    texts.Card = nullptr;
    texts.EditFrame = nullptr;
    texts.PickFrame = nullptr;
    for (TSideList& list : texts.SideLists)
        list.Create = nullptr;
    return texts;
}

namespace ShellKinds {

bool Register(const TShellKind& kind)
{
    TTable& table = Table();
    if (table.Kinds.contains(kind.Code))
        return Refuse("the kind", kind.Code);
    for (const TSideList& list : kind.SideLists) {
        if (table.SideLists.contains(list.Picture))
            return Refuse("the side list of picture", list.Picture);
    }
    table.Kinds.insert(kind.Code, kind);
    for (const TSideList& list : kind.SideLists)
        AddSideList(table, list);
    if (kind.Card)
        Screens::RegisterCard(kind.Code, kind.Card);
    if (kind.EditFrame)
        Screens::RegisterEditFrame(kind.Code, kind.EditFrame);
    if (kind.PickFrame)
        Screens::RegisterPickFrame(kind.Code, kind.PickFrame);
    return true;
}

const TShellKind* Find(int code)
{
    const auto& kinds = Table().Kinds;
    auto found = kinds.constFind(code);
    return found == kinds.constEnd() ? nullptr : &*found;
}

QList<const TShellKind*> All()
{
    QList<const TShellKind*> all;
    for (const TShellKind& kind : std::as_const(Table().Kinds))
        all.append(&kind);
    return all;
}

const TSideList* FindSideList(int picture)
{
    const auto& lists = Table().SideLists;
    auto found = lists.constFind(picture);
    return found == lists.constEnd() ? nullptr : &*found;
}

bool IsEditedInDialog(int code)
{
    const TShellKind* kind = Find(code);
    return kind && kind->EditedInDialog;
}

QString DeleteText(const TDBMainInfo& record)
{
    const TShellKind* kind = Find(record.ObjType);
    return kind && kind->DeleteText ? kind->DeleteText(record) : QString();
}

void Clear()
{
    Table() = PendingTable();
}

} // namespace ShellKinds
