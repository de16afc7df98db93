#pragma once

#include "platform/Clock.h"

/// A clock standing at a chosen moment; installs itself for its lifetime.
class TFixedClock final : public TClock
{
public:
    explicit TFixedClock(const QDateTime& now);
    ~TFixedClock() override;
    TFixedClock(const TFixedClock&) = delete;
    TFixedClock& operator=(const TFixedClock&) = delete;

    void Set(const QDateTime& now) { m_now = now; }
    QDateTime Now() const override { return m_now; }

private:
    QDateTime m_now;
    const TClock* m_previous = nullptr;
};
