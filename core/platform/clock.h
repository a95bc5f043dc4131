#pragma once
// "Today" comes from one injectable clock, so that tests and velmora-cli (--today) are
// exact.
#include "core/util/date.h"

namespace velmora {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
    Date Today() const { return Now().date; }
};

// The local time of the machine.
class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};

// A clock that stands still; tests and --today set it.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime moment) : moment_(moment) {}
    explicit FixedClock(Date day) : moment_{day, 12 * 3600} {}
    DateTime Now() const override { return moment_; }
    void Set(DateTime moment) { moment_ = moment; }
    void Advance(int seconds) {
        // Floor division, so that stepping back over midnight lands on the day before.
        int total = moment_.secondsOfDay + seconds;
        int days = total / 86400 - (total % 86400 < 0 ? 1 : 0);
        moment_.date = moment_.date.AddDays(days);
        moment_.secondsOfDay = total - days * 86400;
    }

private:
    DateTime moment_;
};

}  // namespace velmora
