#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Takes a fuzz input apart from its front, so that a regression input reads like the steps it
// stands for. Past the end every byte reads as 0.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return offset_ >= size_; }

    std::uint8_t byte() { return empty() ? 0 : data_[offset_++]; }

    std::uint16_t le16() {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | byte() << 8);
    }

    std::uint32_t le32() {
        const std::uint32_t low = le16();
        return low | static_cast<std::uint32_t>(le16()) << 16;
    }

    // A choice among count alternatives.
    int below(int count) { return byte() % count; }

    // Fills the bytes from first to last.
    template <typename Iterator>
    void fill(Iterator first, Iterator last) {
        for (; first != last; ++first) {
            *first = byte();
        }
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

} // namespace vantrel::fuzz
