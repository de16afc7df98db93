#include "shell/frames/ScreenRegistry.h"

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
    TLinksWindowFactory LinksWindow;
    TFrameFactory NoteLinks;
    QHash<int, QList<TSavedEntry>> Saved;
    QHash<QPair<int, int>, TFrameFactory> Sections;
    QHash<int, TObjectReportHandler> ObjectReports;
    QHash<int, TListReportHandler> ListReports;
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

template <typename TKey> TBaseDBFrame* Create(const QHash<TKey, TFrameFactory>& table, const TKey& key, QWidget* parent)
{
    auto found = table.constFind(key);
    return found != table.constEnd() && *found ? (*found)(parent) : nullptr;
}

} // namespace

namespace Screens {

void RegisterCard(int kind, TFrameFactory create)
{
    Registry().Cards.insert(kind, std::move(create));
}

void RegisterEditFrame(int dialogKind, TFrameFactory create)
{
    Registry().EditFrames.insert(dialogKind, std::move(create));
}

void RegisterPickFrame(int dialogKind, TFrameFactory create)
{
    Registry().PickFrames.insert(dialogKind, std::move(create));
}

void RegisterSideList(int picture, TFrameFactory create)
{
    Registry().SideLists.insert(picture, std::move(create));
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

void RegisterSection(int cardKind, int code, TFrameFactory create)
{
    Registry().Sections.insert({cardKind, code}, std::move(create));
}

void RegisterObjectReport(int kind, TObjectReportHandler report)
{
    Registry().ObjectReports.insert(kind, std::move(report));
}

void RegisterListReport(int kind, TListReportHandler report)
{
    Registry().ListReports.insert(kind, std::move(report));
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
}

} // namespace Screens
