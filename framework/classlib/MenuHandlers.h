#pragma once

#include "EventDispatch.h"

#include "runtime/Probe.h"
#include "runtime/Routine.h"
#include "runtime/String.h"

#include <string_view>
#include <utility>
#include <vector>

namespace cl {

// The menu items an object answers, each through a routine registered under
// the item's name. Windows, controls and the application route menu commands
// the same way.
class MenuHandlers {
public:
    void add(const rt::String& itemName, rt::Routine handler) { m_handlers.emplace_back(itemName, handler); }

    // Offers the item to the routines registered under its name, in the order
    // registered, until one says it handled it. Each routine is given `target`
    // and runs as an event handler does.
    template <class Target>
    bool handle(Target& target, std::string_view itemName) const
    {
        for (const auto& [name, routine] : m_handlers) {
            if (name != itemName)
                continue;
            rt::RuntimeProbe("menu handler ", itemName);
            bool handled = false;
            CallFunctionWithExceptionHandling([&] {
                if (auto handler = routine.template as<bool (*)(Target&)>())
                    handled = handler(target);
            });
            if (handled)
                return true;
        }
        return false;
    }

private:
    std::vector<std::pair<rt::String, rt::Routine>> m_handlers;
};

} // namespace cl
