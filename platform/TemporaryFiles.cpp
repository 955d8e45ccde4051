#include "platform/TemporaryFiles.h"

#include <atomic>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <unistd.h>

namespace ORBAX_Platform {
namespace {

const int endSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Each slot is free, being filled, or holds a name that the handler may remove. The handler reads
// only slots marked full, and the state is a lock-free atomic, so it stays async-signal-safe.
enum SlotState : int { Free, Filling, Full };
constexpr int SlotCount = 16;
struct Slot {
    std::atomic<int> state{Free};
    int folder = -1;
    char name[NAME_MAX + 1];
};
Slot slots[SlotCount];
std::atomic<bool> handlersInstalled{false};

void remove_temporaries(int signal)
{
    for (Slot& slot : slots)
        if (slot.state.load(std::memory_order_acquire) == Full)
            ::unlinkat(slot.folder, slot.name, 0);
    // The default action ends the program as the signal would have without us.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
}

void install_handlers()
{
    if (handlersInstalled.exchange(true))
        return;
    for (int signal : endSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction action {};
        action.sa_handler = remove_temporaries;
        sigemptyset(&action.sa_mask);
        for (int other : endSignals)
            sigaddset(&action.sa_mask, other);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

EndSignalsHeld::EndSignalsHeld()
{
    sigset_t held;
    sigemptyset(&held);
    for (int signal : endSignals)
        sigaddset(&held, signal);
    ::pthread_sigmask(SIG_BLOCK, &held, &m_previous);
}

EndSignalsHeld::~EndSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

int remember_temporary(int folder, const char* name)
{
    static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");
    const std::size_t length = std::strlen(name);
    if (length > NAME_MAX || std::strchr(name, '/'))
        return -1;
    install_handlers();
    for (int i = 0; i < SlotCount; ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Filling, std::memory_order_acquire)) {
            // A copy of its own: the caller may close its descriptor before it forgets the file.
            slots[i].folder = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
            if (slots[i].folder < 0) {
                slots[i].state.store(Free, std::memory_order_release);
                return -1;
            }
            std::memcpy(slots[i].name, name, length + 1);
            slots[i].state.store(Full, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void forget_temporary(int slot)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    const int folder = slots[slot].folder;
    slots[slot].state.store(Free, std::memory_order_release);
    ::close(folder);
}

} // namespace ORBAX_Platform
