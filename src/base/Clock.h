#pragma once

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
};

/** Today from the system's local time. */
class SystemClock final : public Clock {
public:
    CivilDate Today() const override;
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
