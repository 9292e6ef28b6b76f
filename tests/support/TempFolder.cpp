#include "tests/support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace vantrel::test {

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Short, so that socket paths inside it stay within the socket address limit.
        path_ = std::filesystem::temp_directory_path() / ("vt" + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) {
            std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
            // Tests compare against absolute paths the host reports, which resolve links.
            path_ = std::filesystem::canonical(path_);
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::set<std::string> TempFolder::names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace vantrel::test
