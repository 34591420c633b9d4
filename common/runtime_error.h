// The one failure type of the saver, carrying the classic runtime-error codes so that
// every handler can tell an invalid argument from an overflow or a cancelled dialog.
#pragma once
#include <stdexcept>
#include <string>

enum class ErrorCode : int {
    InvalidArgument = 5,
    Overflow = 6,
    TypeMismatch = 13,
    InvalidPropertyValue = 380,
    Cancel = 32755,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorCode code, const std::string& message);
    explicit RuntimeError(ErrorCode code);

    ErrorCode code() const { return code_; }

private:
    ErrorCode code_;
};

// The standard wording of each code, used when a failure carries no message of its own.
const char* DescribeErrorCode(ErrorCode code);
