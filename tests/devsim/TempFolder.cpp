#include "tests/devsim/TempFolder.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vantrel::test {

TempFolder::TempFolder() {
    // Short, so that socket paths inside it stay within the socket address limit.
    std::string pattern = "/tmp/vdsXXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace vantrel::test
