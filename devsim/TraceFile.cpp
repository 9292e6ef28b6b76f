#include "devsim/TraceFile.h"

namespace vantrel::devsim {

TraceFile::TraceFile(const std::filesystem::path& file) : out_(file, std::ios::trunc) {
}

void TraceFile::line(std::string_view text) {
    out_ << text << '\n';
    out_.flush();
}

} // namespace vantrel::devsim
