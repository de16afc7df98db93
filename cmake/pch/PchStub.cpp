// The object the precompiled headers are built for; nothing links it.
