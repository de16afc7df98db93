#include "tests/support/FixedClock.h"

TFixedClock::TFixedClock(const QDateTime& now)
    : m_now(now)
    , m_previous(SetClock(this))
{
}

TFixedClock::~TFixedClock()
{
    SetClock(m_previous);
}
