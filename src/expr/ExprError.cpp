#include "expr/ExprError.h"

#include <string>

namespace tervane {

ExprError::ExprError(EvalStatus status)
    : std::runtime_error(std::string(EvalStatusMessage(status))), status_(status) {}

} // namespace tervane
