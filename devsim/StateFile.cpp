#include "devsim/StateFile.h"

#include "devsim/DurableFile.h"
#include "devsim/StateImage.h"

#include <fstream>
#include <iostream>
#include <vector>

namespace vantrel::devsim {

StateFile::StateFile(std::filesystem::path file) : file_(std::move(file)) {
}

StateFile::Loaded StateFile::load() const {
    std::error_code error;
    if (!std::filesystem::exists(file_, error)) {
        return {Loaded::Outcome::Missing, factoryImage(), {}};
    }
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        return {Loaded::Outcome::Corrupt, {}, "it cannot be read"};
    }
    // One byte more than a state file has tells an oversized file from a whole one.
    std::vector<char> bytes(STATE_FILE_SIZE + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const auto decoded = decodeStateImage(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (const auto* problem = std::get_if<std::string>(&decoded)) {
        return {Loaded::Outcome::Corrupt, {}, *problem};
    }
    return {Loaded::Outcome::Loaded, std::get<MemoryImage>(decoded), {}};
}

bool StateFile::save(const MemoryImage& memory) {
    if (const auto problem = replaceFileDurably(file_, encodeStateImage(memory))) {
        std::cerr << "vantrel-devsim: the memory was not kept: " << *problem << '\n';
        return false;
    }
    return true;
}

} // namespace vantrel::devsim
