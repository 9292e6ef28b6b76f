#pragma once

#include "device/DeviceProtocol.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantrel::test {

inline RequestBlock requestBlock(std::uint16_t command, std::uint16_t address, std::uint16_t length,
                                 const std::vector<std::uint8_t>& data = {}) {
    RequestBlock block{};
    writeLe16(&block[COMMAND_OFFSET], command);
    writeLe16(&block[ADDRESS_OFFSET], address);
    writeLe16(&block[LENGTH_OFFSET], length);
    std::copy_n(data.begin(), std::min(data.size(), DATA_SIZE), block.begin() + DATA_OFFSET);
    return block;
}

inline RequestBlock queryBlock() {
    return requestBlock(CMD_QUERY_MODE, 0, 1);
}

inline RequestBlock memoryBlock(std::uint16_t address, std::uint16_t length,
                                const std::vector<std::uint8_t>& data = {}) {
    return requestBlock(CMD_MEMORY, address, length, data);
}

} // namespace vantrel::test
