#include "shell/ScreenRegistry.h"

#include <QHash>
#include <QList>

namespace {

struct TRegistry
{
    QHash<int, TFrameFactory> Cards;
    QHash<int, TFrameFactory> EditFrames;
    QHash<int, TFrameFactory> PickFrames;
    QHash<int, TFrameFactory> SideLists;
    TLinksWindowFactory LinksWindow;
    TFrameFactory NoteLinks;
    QHash<int, QList<TObjectSavedHandler>> Saved;
};

TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

TBaseDBFrame* Create(const QHash<int, TFrameFactory>& table, int key, QWidget* parent)
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

void RegisterObjectSaved(int kind, TObjectSavedHandler handler)
{
    Registry().Saved[kind].append(std::move(handler));
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

void ObjectSaved(int kind)
{
    // A copy: a handler may register another one.
    const QList<TObjectSavedHandler> handlers = Registry().Saved.value(kind);
    for (const TObjectSavedHandler& handler : handlers)
        handler(kind);
}

void Clear()
{
    Registry() = TRegistry();
}

} // namespace Screens
