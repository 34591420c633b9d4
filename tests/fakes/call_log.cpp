#include "fakes/call_log.h"

namespace fakes {

std::vector<std::string> CallLog::Matching(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : calls_) {
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
}

std::string Hex(unsigned long long value) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex << value;
    return text.str();
}

CallLog& Log() {
    static CallLog log;
    return log;
}

}  // namespace fakes
