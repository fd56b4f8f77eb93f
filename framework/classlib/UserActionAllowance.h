#pragma once

#include <chrono>
#include <optional>
#include <utility>

namespace cl {

// How many new windows, downloads and print dialogs a page may ask for, all
// together: one for each thing the user did in it, and only for a short while
// after it. The engine lets one click open any number of windows, so without
// this a page could hand the desktop a thousand addresses for one click, or
// wait for the user to look away before it asks.
//
// The time is given to each step, so the caller decides what clock it is read
// from.
class UserActionAllowance {
public:
    using Clock = std::chrono::steady_clock;

    // How long what the user did lets the page ask: as long as browsers count
    // a click or a key press as the user's activation of the page.
    static constexpr Clock::duration kLifetime = std::chrono::seconds(5);

    enum class Answer {
        Granted,
        Refused,
        RefusedFirstOfBurst, // the first refusal since the user last acted
    };

    // A click or a key press in the page: one request may follow, until it lapses.
    void userActed(Clock::time_point now)
    {
        m_lapsesAt = now + kLifetime;
        m_burstNoticed = false;
    }

    // What the user did was in a page that is gone: a link they clicked
    // mustn't let the page it leads to ask for anything, nor a toolbar load.
    void pageLeft() { m_lapsesAt.reset(); }

    Answer take(Clock::time_point now)
    {
        if (takeQuietly(now))
            return Answer::Granted;
        if (m_burstNoticed)
            return Answer::Refused;
        m_burstNoticed = true;
        return Answer::RefusedFirstOfBurst;
    }

    // For a request whose refusal the caller reports itself, or not at all.
    bool takeQuietly(Clock::time_point now)
    {
        const std::optional<Clock::time_point> lapsesAt = std::exchange(m_lapsesAt, std::nullopt);
        return lapsesAt && now < *lapsesAt;
    }

private:
    std::optional<Clock::time_point> m_lapsesAt; // none: nothing the user did may be drawn on
    bool m_burstNoticed = false;
};

} // namespace cl
