#include "platform/Clock.h"

namespace {

class TSystemClock final : public TClock
{
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

const TSystemClock g_system;
const TClock* g_clock = nullptr;

} // namespace

const TClock& Clock()
{
    return g_clock ? *g_clock : g_system;
}

const TClock* SetClock(const TClock* clock)
{
    const TClock* previous = g_clock;
    g_clock = clock;
    return previous;
}
