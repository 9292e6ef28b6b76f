#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel::ctl {

// keys, keys set, keys clear, keys reset, keys load, keys save.
int runKeys(const std::vector<std::string>& arguments, bool json, std::ostream& out);

} // namespace vantrel::ctl
