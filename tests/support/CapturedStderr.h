#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace testing_support {

// What the process writes to standard error while this lives. A thread drains a pipe, so a writer never blocks on a
// full one and no file size limit applies; the capture ends without waiting for the pipe to close, which a program
// started meanwhile may hold open.
class CapturedStderr {
public:
    CapturedStderr()
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0 || ::pipe2(m_stop, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot make a pipe for standard error");
        m_from = ends[0];
        ::fcntl(m_from, F_SETFL, O_NONBLOCK);
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(ends[1], STDERR_FILENO);
        ::close(ends[1]);
        m_reader = std::thread([this] {
            pollfd waits[] = { { m_from, POLLIN, 0 }, { m_stop[0], POLLIN, 0 } };
            while (::poll(waits, 2, -1) >= 0 && !waits[1].revents)
                drain();
        });
    }
    ~CapturedStderr()
    {
        text();
        for (int descriptor : { m_from, m_stop[0], m_stop[1] })
            ::close(descriptor);
    }
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    // All that was written; from the first call on, standard error is what it was before.
    const std::string& text()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
            m_saved = -1;
            (void)!::write(m_stop[1], "", 1);
            m_reader.join();
            drain();
        }
        return m_text;
    }

private:
    void drain()
    {
        char buffer[4096];
        for (ssize_t got; (got = ::read(m_from, buffer, sizeof buffer)) > 0;)
            m_text.append(buffer, static_cast<std::size_t>(got));
    }

    int m_saved = -1;
    int m_from = -1;
    int m_stop[2] = { -1, -1 };
    std::string m_text;
    std::thread m_reader;
};

// What `act` writes to standard error.
inline std::string StderrOf(const std::function<void()>& act)
{
    CapturedStderr captured;
    act();
    return captured.text();
}

} // namespace testing_support
