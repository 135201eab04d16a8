#include "base/Clock.h"

#include <ctime>

namespace mivra {

CivilDate SystemClock::Today() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<int64_t> SystemClock::UtcNow() const {
    return static_cast<int64_t>(std::time(nullptr));
}

} // namespace mivra
