#include "common/runtime_error.h"

RuntimeError::RuntimeError(ErrorCode code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

RuntimeError::RuntimeError(ErrorCode code) : RuntimeError(code, DescribeErrorCode(code)) {}

const char* DescribeErrorCode(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidArgument: return "Invalid procedure call or argument";
    case ErrorCode::Overflow: return "Overflow";
    case ErrorCode::TypeMismatch: return "Type mismatch";
    case ErrorCode::InvalidPropertyValue: return "Invalid property value";
    case ErrorCode::Cancel: return "Cancel was selected";
    }
    return "Application-defined or object-defined error";
}
