#pragma once

#include "devsim/TraceSink.h"

#include <mutex>
#include <string>
#include <vector>

namespace vantrel::devsim {

// The in-process trace: a list of lines that tests read.
class TraceRecorder : public TraceSink {
public:
    void line(std::string_view text) override;
    std::vector<std::string> lines() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

} // namespace vantrel::devsim
