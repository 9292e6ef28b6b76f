#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The request protocol of the receiver's driver: one 512-byte request block in, one 512-byte
// reply block and a count out, under one of two device I/O control codes.
namespace vantrel {

// CTL_CODE(0x22 FILE_DEVICE_UNKNOWN, function, METHOD_BUFFERED, access)
constexpr std::uint32_t ctlCode(std::uint32_t deviceType, std::uint32_t function,
                                std::uint32_t method, std::uint32_t access) {
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
}

constexpr std::uint32_t IOCTL_DEVICE_READ = ctlCode(0x22, 0x800, 0, 1);  // FILE_READ_ACCESS
constexpr std::uint32_t IOCTL_DEVICE_WRITE = ctlCode(0x22, 0x801, 0, 2); // FILE_WRITE_ACCESS
static_assert(IOCTL_DEVICE_READ == 0x00226000);
static_assert(IOCTL_DEVICE_WRITE == 0x0022A004);

constexpr std::uint16_t CMD_QUERY_MODE = 0x03BA;
constexpr std::uint16_t CMD_MEMORY = 0x03EE;

constexpr std::size_t BLOCK_SIZE = 512;

// Layout of the request block; every multi-byte field is little-endian.
constexpr std::size_t COMMAND_OFFSET = 0;
constexpr std::size_t ADDRESS_OFFSET = 2;
constexpr std::size_t LENGTH_OFFSET = 4;
constexpr std::size_t DATA_OFFSET = 6;
constexpr std::size_t DATA_SIZE = 16;
static_assert(DATA_OFFSET + DATA_SIZE == 22);

constexpr std::size_t MAX_WRITE_LENGTH = DATA_SIZE;
constexpr std::size_t MAX_READ_LENGTH = BLOCK_SIZE;

using RequestBlock = std::array<std::uint8_t, BLOCK_SIZE>;
using ReplyBlock = std::array<std::uint8_t, BLOCK_SIZE>;

constexpr std::uint8_t MODE_REPORTS = 0xAA;    // the device sends input reports
constexpr std::uint8_t MODE_NO_REPORTS = 0xBB; // it does not

constexpr std::size_t REPORT_SIZE = 20;
constexpr std::size_t REPORT_QUALITY_OFFSET = 14;
using InputReport = std::array<std::uint8_t, REPORT_SIZE>;

// Host error codes, numbered as the platform numbers them.
constexpr std::uint32_t ERROR_INVALID_FUNCTION = 1;
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_GEN_FAILURE = 31;
constexpr std::uint32_t ERROR_DEV_NOT_EXIST = 55;
constexpr std::uint32_t ERROR_TIMEOUT = 1460;

// A transport failure with one of these ends a mode query or a write instead of repeating it.
constexpr bool isEndingCode(std::uint32_t error) {
    return (error >= ERROR_INVALID_FUNCTION && error <= ERROR_INVALID_HANDLE) ||
           error == ERROR_DEV_NOT_EXIST;
}

inline std::uint16_t readLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline void writeLe16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace vantrel
