#include "scheme_names.h"

#include "platform/typed_name.h"

namespace velmora::appearance {

std::optional<std::string> usableSchemeName(std::string_view typed) {
    if (typedNameProblem(typed) != NameProblem::None) return std::nullopt;
    return std::string(trimmedName(typed));
}

} // namespace velmora::appearance
