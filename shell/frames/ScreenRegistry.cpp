#include "shell/frames/ScreenRegistry.h"

#include "shell/frames/ShellKinds.h"
#include "store/KindRegistry.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

#include <algorithm>

namespace {

struct TSavedEntry
{
    int Handle = 0;
    bool HasContext = false;
    QPointer<QObject> Context;
    TObjectSavedHandler Handler;
};

struct TRegistry
{
    QHash<int, TFrameFactory> Cards;
    QHash<int, TFrameFactory> EditFrames;
    QHash<int, TFrameFactory> PickFrames;
    QHash<int, TFrameFactory> SideLists;
    QHash<int, TFrameFactory> Previews;
    TLinksWindowFactory LinksWindow;
    TFrameFactory NoteLinks;
    QHash<int, QList<TSavedEntry>> Saved;
    QHash<QPair<int, int>, TFrameFactory> Sections;
    QHash<int, TObjectReportHandler> ObjectReports;
    QHash<int, TListReportHandler> ListReports;
    QList<TMainCommand> MainCommands;
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

int g_lastHandle = 0;

bool IsRegistered(int kind, int handle)
{
    const QList<TSavedEntry>& entries = Registry().Saved[kind];
    return std::any_of(entries.cbegin(), entries.cend(), [handle](const TSavedEntry& e) { return e.Handle == handle; });
}

// A slot takes one registration; a second one is a mistake of whoever registers it, and is refused loudly.
bool Refused(const char* slot, int key, int code = -1)
{
    const QString where = code >= 0 ? QStringLiteral("%1/%2").arg(key).arg(code) : QString::number(key);
    return RefuseSecondRegistration("Screens", QStringLiteral("the %1 %2").arg(QLatin1String(slot), where));
}

template <typename TValue> bool Insert(QHash<int, TValue>& table, int key, TValue value, const char* slot)
{
    if (table.contains(key))
        return Refused(slot, key);
    table.insert(key, std::move(value));
    return true;
}

template <typename TKey> TBaseDBFrame* Create(const QHash<TKey, TFrameFactory>& table, const TKey& key, QWidget* parent)
{
    auto found = table.constFind(key);
    return found != table.constEnd() && *found ? (*found)(parent) : nullptr;
}

} // namespace

namespace Screens {

bool RegisterCard(int kind, TFrameFactory create)
{
    return Insert(Registry().Cards, kind, std::move(create), "card of kind");
}

bool RegisterEditFrame(int dialogKind, TFrameFactory create)
{
    return Insert(Registry().EditFrames, dialogKind, std::move(create), "edit frame of dialog kind");
}

bool RegisterPickFrame(int dialogKind, TFrameFactory create)
{
    return Insert(Registry().PickFrames, dialogKind, std::move(create), "pick frame of dialog kind");
}

bool RegisterSideList(int picture, TFrameFactory create)
{
    return Insert(Registry().SideLists, picture, std::move(create), "side list of picture");
}

bool RegisterPreview(int kind, TFrameFactory create)
{
    return Insert(Registry().Previews, kind, std::move(create), "preview of kind");
}

void RegisterLinksWindow(TLinksWindowFactory create)
{
    Registry().LinksWindow = std::move(create);
}

void RegisterNoteLinks(TFrameFactory create)
{
    Registry().NoteLinks = std::move(create);
}

int RegisterObjectSaved(int kind, TObjectSavedHandler handler, QObject* context)
{
    TSavedEntry entry;
    entry.Handle = ++g_lastHandle;
    entry.HasContext = context != nullptr;
    entry.Context = context;
    entry.Handler = std::move(handler);
    const int handle = entry.Handle;
    Registry().Saved[kind].append(std::move(entry));
    if (context)
        QObject::connect(context, &QObject::destroyed, context, [handle]() { UnregisterObjectSaved(handle); });
    return handle;
}

void UnregisterObjectSaved(int handle)
{
    for (QList<TSavedEntry>& entries : Registry().Saved)
        entries.removeIf([handle](const TSavedEntry& e) { return e.Handle == handle; });
}

bool RegisterSection(int cardKind, int code, TFrameFactory create)
{
    auto& sections = Registry().Sections;
    if (sections.contains({cardKind, code}))
        return Refused("section of card kind", cardKind, code);
    sections.insert({cardKind, code}, std::move(create));
    return true;
}

bool RegisterObjectReport(int kind, TObjectReportHandler report)
{
    return Insert(Registry().ObjectReports, kind, std::move(report), "object report of kind");
}

bool RegisterListReport(int kind, TListReportHandler report)
{
    return Insert(Registry().ListReports, kind, std::move(report), "list report of kind");
}

bool RegisterMainCommand(const TMainCommand& command)
{
    for (const TMainCommand& known : Registry().MainCommands) {
        if (known.Name == command.Name) {
            qWarning("Screens: the main command %s is registered already", qPrintable(command.Name));
            return false;
        }
    }
    Registry().MainCommands.append(command);
    return true;
}

const QList<TMainCommand>& MainCommands()
{
    return Registry().MainCommands;
}

TBaseDBFrame* CreateSection(int cardKind, int code, QWidget* parent)
{
    return Create(Registry().Sections, qMakePair(cardKind, code), parent);
}

TBaseDBFrame* CreateCard(int kind, QWidget* parent)
{
    return Create(Registry().Cards, kind, parent);
}

TBaseDBFrame* CreateEditFrame(int dialogKind, QWidget* parent)
{
    return Create(Registry().EditFrames, dialogKind, parent);
}

TBaseDBFrame* CreatePickFrame(int dialogKind, QWidget* parent)
{
    return Create(Registry().PickFrames, dialogKind, parent);
}

TBaseDBFrame* CreateSideList(int picture, QWidget* parent)
{
    return Create(Registry().SideLists, picture, parent);
}

TBaseDBFrame* CreatePreview(int kind, QWidget* parent)
{
    return Create(Registry().Previews, kind, parent);
}

TLinksWindow* CreateLinksWindow(QWidget* parent)
{
    return Registry().LinksWindow ? Registry().LinksWindow(parent) : nullptr;
}

TBaseDBFrame* CreateNoteLinks(QWidget* owner)
{
    return Registry().NoteLinks ? Registry().NoteLinks(owner) : nullptr;
}

bool HasCard(int kind)
{
    return Registry().Cards.contains(kind);
}

bool HasSideList(int picture)
{
    return Registry().SideLists.contains(picture);
}

bool HasObjectReport(int kind)
{
    return static_cast<bool>(Registry().ObjectReports.value(kind));
}

bool HasListReport(int kind)
{
    return static_cast<bool>(Registry().ListReports.value(kind));
}

bool PrintObject(int kind, const TDBMainInfo& object)
{
    const TObjectReportHandler report = Registry().ObjectReports.value(kind);
    if (!report)
        return false;
    report(object);
    return true;
}

bool PrintList(int kind, const TListModel& rows)
{
    const TListReportHandler report = Registry().ListReports.value(kind);
    if (!report)
        return false;
    report(rows);
    return true;
}

void ObjectSaved(int kind)
{
    // A copy: a handler may register another one, or remove one (destroying its context) that is yet to run.
    const QList<TSavedEntry> entries = Registry().Saved.value(kind);
    for (const TSavedEntry& entry : entries) {
        if (!IsRegistered(kind, entry.Handle) || (entry.HasContext && !entry.Context))
            continue;
        entry.Handler(kind);
    }
}

void Clear()
{
    Registry() = TRegistry();
    ShellKinds::Clear();
}

} // namespace Screens
