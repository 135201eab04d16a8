#pragma once

#include <cstdint>
#include <optional>

namespace mivra {

/** A calendar date in the proleptic Gregorian calendar. */
struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/** The one source of today's date; tests and --today inject a fixed one. */
class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilDate Today() const = 0;
    /** Seconds since 1970 in UTC, for time stamps; none where the day is fixed (tests,
     *  --today), whose stamps then fall at that day's midnight so output repeats. */
    virtual std::optional<int64_t> UtcNow() const { return std::nullopt; }
};

/** Today from the system's local time. */
class SystemClock final : public Clock {
public:
    CivilDate Today() const override;
    std::optional<int64_t> UtcNow() const override;
};

/** Always the same day. */
class FixedClock final : public Clock {
public:
    explicit FixedClock(CivilDate date) : m_date(date) {}
    CivilDate Today() const override { return m_date; }
    void Set(CivilDate date) { m_date = date; }

private:
    CivilDate m_date;
};

} // namespace mivra
