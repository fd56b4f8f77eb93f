#pragma once

#include <csignal>
#include <unistd.h>

namespace testing_support {

// Ends the test process when a step that must never block outlives its time, so a hang fails instead.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds)
    {
        std::signal(SIGALRM, [](int) {
            static constexpr char kMessage[] = "watchdog: a step that must not block hung\n";
            (void)!::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
            ::_exit(124);
        });
        ::alarm(seconds);
    }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

} // namespace testing_support
