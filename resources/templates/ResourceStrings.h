#pragma once

#include <string_view>

namespace vantrel {

struct ResourceString {
    int id;
    std::string_view text;
};

#define RESOURCE_STRING(name, id, text) inline constexpr ResourceString name{id, text};
#include "resources/templates/ResourceStrings.def"
#undef RESOURCE_STRING

} // namespace vantrel
