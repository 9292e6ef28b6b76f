#pragma once

#include <filesystem>

namespace vantrel {

// The folder, private to this user, where the running program keeps the marks by which a second
// copy finds the first. VANTREL_RUNTIME_DIR points elsewhere, for tests; otherwise it lies in
// the user's runtime directory, or in the temporary folder when there is none. Created when
// missing.
std::filesystem::path runtimeFolder();

} // namespace vantrel
