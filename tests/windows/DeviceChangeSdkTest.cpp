// The device-change records as the host's own headers lay them out.
#include "device/windows/DeviceChangeParser.h"
#include "device/windows/DeviceInterfaceFilter.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include <windows.h>

#include <dbt.h>
#include <initguid.h>
#include <usbiodef.h>

namespace vantrel {
namespace {

const std::wstring receiverPath =
    L"\\\\?\\USB#VID_7B4D&PID_0018#5&2C3F0E1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

TEST(DeviceChangeSdk, FilterIsTheHostsRegistrationRecord) {
    DEV_BROADCAST_DEVICEINTERFACE_W host{};
    host.dbcc_size = sizeof host;
    host.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    host.dbcc_classguid = ::GUID_DEVINTERFACE_USB_DEVICE;
    static_assert(sizeof host == sizeof(DeviceInterfaceFilter));

    const DeviceInterfaceFilter filter = usbDeviceInterfaceFilter();
    EXPECT_EQ(std::memcmp(filter.bytes.data(), &host, sizeof host), 0);
}

// The message's parameters go in as the window procedure receives them, with no cast in between.
static_assert(std::is_same_v<decltype(&parseDeviceChangeMessage),
                             std::optional<DeviceNotice> (*)(WPARAM, LPARAM)>);

TEST(DeviceChangeSdk, HostRecordsParse) {
    const std::size_t pathOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    std::vector<std::byte> storage(pathOffset + (receiverPath.size() + 1) * sizeof(wchar_t) + 8);
    auto* device = new (storage.data()) DEV_BROADCAST_DEVICEINTERFACE_W{};
    device->dbcc_size = static_cast<DWORD>(storage.size() - 8);
    device->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    device->dbcc_classguid = ::GUID_DEVINTERFACE_USB_DEVICE;
    std::memcpy(storage.data() + pathOffset, receiverPath.c_str(),
                (receiverPath.size() + 1) * sizeof(wchar_t));

    const auto arrival =
        parseDeviceChangeMessage(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(device));
    ASSERT_TRUE(arrival && arrival->path);
    EXPECT_EQ(arrival->kind, DeviceNotice::Kind::Arrival);
    EXPECT_EQ(std::wstring(arrival->path->begin(), arrival->path->end()), receiverPath);

    device->dbcc_classguid = ::GUID_DEVINTERFACE_USB_HUB;
    const auto hub = parseDeviceChangeMessage(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(device));
    ASSERT_TRUE(hub);
    EXPECT_FALSE(hub->path) << "an interface of another class is none of the receiver's";

    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1 << 3;
    const auto removal =
        parseDeviceChangeMessage(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume));
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->kind, DeviceNotice::Kind::RemovalComplete);
    EXPECT_FALSE(removal->path);

    EXPECT_FALSE(parseDeviceChangeMessage(DBT_DEVICEQUERYREMOVE, reinterpret_cast<LPARAM>(device)));
}

} // namespace
} // namespace vantrel
