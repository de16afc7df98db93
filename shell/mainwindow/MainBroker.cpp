#include "shell/mainwindow/MainBroker.h"

namespace {
TMainBroker* g_broker = nullptr;
}

TMainBroker* MainBroker()
{
    return g_broker;
}

TMainBroker* SetMainBroker(TMainBroker* broker)
{
    TMainBroker* previous = g_broker;
    g_broker = broker;
    return previous;
}

int SendRequest(TMainMessage message, TDBMainInfo& record)
{
    return g_broker ? g_broker->Request(message, record) : 0;
}
