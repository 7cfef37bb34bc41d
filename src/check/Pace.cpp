#include "check/Pace.h"

#include "check/Wording.h"

namespace check {

std::optional<std::string> TooFast(std::uint64_t characters, double lengthMs,
                                   double maxPerSecond) {
    if (!(lengthMs > 0.0))
        return std::nullopt;
    const double perSecond = static_cast<double>(characters) * 1000.0 / lengthMs;
    if (perSecond <= maxPerSecond)
        return std::nullopt;
    return Decimal(perSecond, 1) + " characters per second, above " + Decimal(maxPerSecond);
}

} // namespace check
