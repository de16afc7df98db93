#pragma once

#include <QDateTime>

/**
 * \brief The clock every "now" and "today" of the system is read from.
 *
 * The installed clock is not owned; tests install a fixed one. Safe to read from any thread as long as
 * no clock is installed while other threads run.
 */
class TClock
{
public:
    virtual ~TClock() = default;
    /// The local date and time.
    virtual QDateTime Now() const = 0;
};

/// The installed clock; the system clock until one is installed.
const TClock& Clock();
/// Installs \a clock (not owned; nullptr restores the system clock). Returns the previous one.
const TClock* SetClock(const TClock* clock);
