#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel::ctl {

// x360, x360 assign, x360 sensitivity, x360 speed, x360 default, x360 clear.
int runX360(const std::vector<std::string>& arguments, bool json, std::ostream& out);

} // namespace vantrel::ctl
