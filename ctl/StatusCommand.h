#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel::ctl {

int runStatus(const std::vector<std::string>& arguments, bool json, std::ostream& out);

} // namespace vantrel::ctl
