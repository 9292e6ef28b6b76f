#include "tests/support/TempRuntimeFolder.h"

#include <cstdlib>

namespace vantrel::test {

TempRuntimeFolder::TempRuntimeFolder() {
    setenv("VANTREL_RUNTIME_DIR", path().c_str(), 1);
}

TempRuntimeFolder::~TempRuntimeFolder() {
    unsetenv("VANTREL_RUNTIME_DIR");
}

} // namespace vantrel::test
