#pragma once

#include "devsim/TraceSink.h"

#include <filesystem>
#include <fstream>

namespace vantrel::devsim {

// The daemon's trace: a text file started afresh, each line flushed as it is written so that
// readers see every answered request.
class TraceFile : public TraceSink {
public:
    explicit TraceFile(const std::filesystem::path& file);
    bool isOpen() const { return out_.is_open(); }
    void line(std::string_view text) override;

private:
    std::ofstream out_;
};

} // namespace vantrel::devsim
