#include "core/archive/ProcessIdentifier.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>
#include <stdexcept>

namespace ORBAX_Utilities {
namespace {

// 100-nanosecond intervals between the start of the Gregorian calendar (1582-10-15) and the Unix
// epoch.
constexpr std::uint64_t GregorianOffset = 0x01B21DD213814000ULL;

struct UuidClock {
    std::mutex mutex;
    std::uint64_t lastTime = 0;
    std::uint16_t clockSequence = 0;
    std::uint64_t node = 0;

    UuidClock()
    {
        std::random_device device;
        std::uint64_t random = (static_cast<std::uint64_t>(device()) << 32) ^ device();
        clockSequence = static_cast<std::uint16_t>(device() & 0x3FFF);
        // A random node (no network address is used) carries the multicast bit, so it can never
        // equal a real interface's address.
        node = (random & 0xFFFFFFFFFFFFULL) | 0x010000000000ULL;
    }

    std::uint64_t nextTime()
    {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100;
        std::uint64_t time = static_cast<std::uint64_t>(ticks) + GregorianOffset;
        // Two identifiers made within one clock tick (or after the clock went back) stay distinct.
        if (time <= lastTime)
            time = lastTime + 1;
        lastTime = time;
        return time;
    }
};

UuidClock& uuid_clock()
{
    static UuidClock clock;
    return clock;
}

bool is_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

} // namespace

std::string makeSequentialUuidString()
{
    UuidClock& clock = uuid_clock();
    std::uint64_t time;
    std::uint16_t sequence;
    std::uint64_t node;
    {
        std::lock_guard<std::mutex> lock(clock.mutex);
        time = clock.nextTime();
        sequence = clock.clockSequence;
        node = clock.node;
    }
    const unsigned long timeLow = static_cast<unsigned long>(time & 0xFFFFFFFFULL);
    const unsigned timeMid = static_cast<unsigned>((time >> 32) & 0xFFFF);
    const unsigned timeHiAndVersion = static_cast<unsigned>((time >> 48) & 0x0FFF) | 0x1000;
    const unsigned clockSeq = (sequence & 0x3FFFu) | 0x8000u;
    char text[37];
    std::snprintf(text, sizeof text, "%08lx-%04x-%04x-%04x-%04lx%08lx", timeLow, timeMid, timeHiAndVersion, clockSeq,
                  static_cast<unsigned long>((node >> 32) & 0xFFFF), static_cast<unsigned long>(node & 0xFFFFFFFFULL));
    return std::string(text, 36);
}

std::string processUuidString()
{
    static const std::string identifier = makeSequentialUuidString();
    return identifier;
}

std::string checkedUuidString(const std::string& text)
{
    bool valid = text.size() == 36;
    for (std::size_t i = 0; valid && i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23)
            valid = text[i] == '-';
        else
            valid = is_hex(text[i]);
    }
    if (!valid)
        throw std::runtime_error("Invalid UUID string " + text);
    return text;
}

} // namespace ORBAX_Utilities
