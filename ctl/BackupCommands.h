#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vantrel::ctl {

int runBackup(const std::vector<std::string>& arguments, bool json, std::ostream& out);
int runRestore(const std::vector<std::string>& arguments, bool json, std::ostream& out);

} // namespace vantrel::ctl
