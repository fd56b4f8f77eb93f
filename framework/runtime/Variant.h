#pragma once

#include "Object.h"
#include "String.h"

#include <cstdint>
#include <variant>

namespace rt {

// The framework's variant: what introspection and delegates pass around.
using Variant = std::variant<std::monostate, bool, std::int32_t, double, String, RefPtr<Object>>;

// The framework's variant-to-string conversion.
String VariantToString(const Variant&);

} // namespace rt
