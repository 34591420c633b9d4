// One journal shared by every fake, so that a test sees the order of calls across seams.
#pragma once
#include <sstream>
#include <string>
#include <vector>

namespace fakes {

class CallLog {
public:
    void Clear() { calls_.clear(); }
    void Add(std::string call) { calls_.push_back(std::move(call)); }
    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls whose text starts with prefix, in order.
    std::vector<std::string> Matching(const std::string& prefix) const;

private:
    std::vector<std::string> calls_;
};

CallLog& Log();

// "0x1F": how the journal writes flags, raster operations and key handles.
std::string Hex(unsigned long long value);

// "Name(a, b, c)" from the arguments' stream forms.
template <typename... Args>
std::string Call(const std::string& name, const Args&... args) {
    std::ostringstream text;
    text << name << '(';
    [[maybe_unused]] const char* separator = "";  // unread when there are no arguments
    ((text << separator << args, separator = ", "), ...);
    text << ')';
    return text.str();
}

}  // namespace fakes
