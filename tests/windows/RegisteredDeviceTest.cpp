// The whole walk against the host's real device manager, with devices registered for the test.
#include "device/DeviceDiscovery.h"
#include "device/HardwareId.h"
#include "device/windows/WindowsDeviceBus.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>
#include <usbiodef.h>

namespace vantrel {
namespace {

using test::RecordingMessages;

// Registering devices changes the machine for everyone; only Wine's throw-away prefix is fair
// game.
bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A device on the root enumerator with a USB device interface that counts as present, and the
// given hardware-ID list (none when empty). Removed again at the end of the test.
class RegisteredDevices : public ::testing::Test {
protected:
    void SetUp() override {
        if (!underWine()) {
            GTEST_SKIP() << "registers devices in the machine's registry; runs under Wine only";
        }
        set_ = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_USB, nullptr);
        ASSERT_NE(set_, INVALID_HANDLE_VALUE) << GetLastError();
    }

    void TearDown() override {
        for (SP_DEVINFO_DATA& device : devices_) {
            SetupDiRemoveDevice(set_, &device);
        }
        if (set_ != INVALID_HANDLE_VALUE) {
            SetupDiDestroyDeviceInfoList(set_);
        }
    }

    // Returns the interface path.
    std::wstring add(const std::wstring& instance, const std::wstring& hardwareIds) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        EXPECT_TRUE(SetupDiCreateDeviceInfoW(set_, instance.c_str(), &GUID_DEVCLASS_USB, nullptr,
                                             nullptr, 0, &device))
            << GetLastError();
        EXPECT_TRUE(SetupDiRegisterDeviceInfo(set_, &device, 0, nullptr, nullptr, nullptr))
            << GetLastError();
        devices_.push_back(device);
        if (!hardwareIds.empty()) {
            EXPECT_TRUE(SetupDiSetDeviceRegistryPropertyW(
                set_, &device, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(hardwareIds.c_str()),
                static_cast<DWORD>((hardwareIds.size() + 1) * sizeof(wchar_t))))
                << GetLastError();
        }
        SP_DEVICE_INTERFACE_DATA iface{};
        iface.cbSize = sizeof iface;
        EXPECT_TRUE(SetupDiCreateDeviceInterfaceW(set_, &device, &::GUID_DEVINTERFACE_USB_DEVICE,
                                                  nullptr, 0, &iface))
            << GetLastError();
        const std::wstring path = interfacePath(iface);
        markPresent(path);
        return path;
    }

private:
    std::wstring interfacePath(SP_DEVICE_INTERFACE_DATA& iface) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set_, &iface, nullptr, 0, &size, nullptr);
        std::vector<std::byte> buffer(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof *detail;
        EXPECT_TRUE(SetupDiGetDeviceInterfaceDetailW(set_, &iface, detail, size, nullptr, nullptr))
            << GetLastError();
        return detail->DevicePath;
    }

    // A present interface is a linked one: its key is the path with "\\?\" written "##?#".
    static void markPresent(std::wstring path) {
        path.replace(0, 4, L"##?#");
        const std::wstring key = L"System\\CurrentControlSet\\Control\\DeviceClasses\\"
                                 L"{A5DCBF10-6530-11D2-901F-00C04FB951ED}\\" +
                                 path + L"\\#\\Control";
        HKEY control = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &control, nullptr),
                  ERROR_SUCCESS);
        const DWORD linked = 1;
        RegSetValueExW(control, L"Linked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&linked),
                       sizeof linked);
        RegCloseKey(control);
    }

    HDEVINFO set_ = INVALID_HANDLE_VALUE;
    std::vector<SP_DEVINFO_DATA> devices_;
};

TEST_F(RegisteredDevices, WalkFindsTheReceiverAmongOthersAndGetsItsPath) {
    add(L"ROOT\\VANTREL_OTHER\\0000", std::wstring(L"USB\\VID_046D&PID_C077\0", 23));
    add(L"ROOT\\VANTREL_NO_LIST\\0000", L"");
    const std::wstring receiver =
        add(L"ROOT\\VANTREL_RECEIVER\\0000",
            std::wstring(L"USB\\VID_1234&PID_0001\0usb\\vid_7b4d&pid_0018&rev_0104\0", 54));

    RecordingMessages messages;
    WindowsDeviceBus bus;
    DeviceDiscovery discovery(bus, messages);
    EXPECT_TRUE(discovery.findDevice(hardwareIdPattern));
    EXPECT_EQ(std::wstring(discovery.devicePath().begin(), discovery.devicePath().end()), receiver);
    EXPECT_TRUE(messages.texts().empty());

    // No driver stands behind it.
    EXPECT_EQ(bus.open(discovery.devicePath()), nullptr);
}

} // namespace
} // namespace vantrel
