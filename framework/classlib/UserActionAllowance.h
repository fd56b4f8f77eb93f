#pragma once

#include <utility>

namespace cl {

// How many new windows, downloads and print dialogs a page may ask for, all
// together: one for each thing the user did in it. The engine lets one click
// open any number of windows, so without this a page could hand the desktop a
// thousand addresses for one click.
class UserActionAllowance {
public:
    enum class Answer {
        Granted,
        Refused,
        RefusedFirstOfBurst, // the first refusal since the user last acted
    };

    // A click or a key press in the page: one request may follow.
    void userActed()
    {
        m_available = true;
        m_burstNoticed = false;
    }

    // What the user did was in a page that is gone: a link they clicked
    // mustn't let the page it leads to ask for anything, nor a toolbar load.
    void pageLeft() { m_available = false; }

    Answer take()
    {
        if (takeQuietly())
            return Answer::Granted;
        if (m_burstNoticed)
            return Answer::Refused;
        m_burstNoticed = true;
        return Answer::RefusedFirstOfBurst;
    }

    // For a request whose refusal the caller reports itself, or not at all.
    bool takeQuietly() { return std::exchange(m_available, false); }

private:
    bool m_available = false;
    bool m_burstNoticed = false;
};

} // namespace cl
