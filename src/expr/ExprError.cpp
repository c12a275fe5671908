#include "expr/ExprError.h"

namespace tervane {

ExprError::ExprError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

} // namespace tervane
