#include "store/ObjectEvents.h"

namespace {
TObjectEvents* g_listener = nullptr;
}

TObjectEvents* ObjectEvents()
{
    return g_listener;
}

TObjectEvents* SetObjectEvents(TObjectEvents* listener)
{
    TObjectEvents* previous = g_listener;
    g_listener = listener;
    return previous;
}

void AnnounceObjectSaved(int kind)
{
    if (g_listener)
        g_listener->ObjectSaved(kind);
}
