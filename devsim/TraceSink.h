#pragma once

#include <string_view>

namespace vantrel::devsim {

// Where the receiver writes its trace, one line per request that reaches it. Called with the
// receiver's lock held, so the lines come in the order the requests were answered.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void line(std::string_view text) = 0;
};

} // namespace vantrel::devsim
