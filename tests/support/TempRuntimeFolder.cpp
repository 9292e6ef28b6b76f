#include "tests/support/TempRuntimeFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace vantrel::test {

TempRuntimeFolder::TempRuntimeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    setenv("VANTREL_RUNTIME_DIR", path_.c_str(), 1);
}

TempRuntimeFolder::~TempRuntimeFolder() {
    unsetenv("VANTREL_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace vantrel::test
