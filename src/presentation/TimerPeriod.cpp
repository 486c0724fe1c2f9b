#include "presentation/TimerPeriod.h"

namespace kestavo {

unsigned SecondsToTimerMs(int seconds) {
    constexpr long long kLongestTimerMs = 0x7FFFFFFF;
    const long long product = static_cast<long long>(seconds) * 1000;
    if (product <= 0) {
        return 0;
    }
    return static_cast<unsigned>(product > kLongestTimerMs ? kLongestTimerMs : product);
}

}  // namespace kestavo
