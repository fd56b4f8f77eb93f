#include "Variant.h"

#include "ClassRecord.h"

#include <charconv>
#include <cstdio>

namespace rt {

String VariantToString(const Variant& value)
{
    struct Visitor {
        String operator()(std::monostate) const { return String(); }
        String operator()(bool flag) const { return flag ? "True" : "False"; }
        String operator()(std::int32_t number) const { return String(std::to_string(number)); }
        String operator()(double number) const
        {
            char text[32];
            auto result = std::to_chars(text, text + sizeof text, number);
            return String(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
        }
        String operator()(const String& text) const { return text; }
        String operator()(const RefPtr<Object>& object) const { return object ? object->classRecord().name : String(); }
    };
    return std::visit(Visitor(), value);
}

} // namespace rt
