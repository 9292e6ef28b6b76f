#include "ctl/CtlFailure.h"

namespace vantrel::ctl {

std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
            continue;
        }
        if (c == ' ' && !line.empty() && line.back() == ' ') {
            continue;
        }
        line += c;
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

} // namespace vantrel::ctl
