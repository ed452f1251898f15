// The USB library bound at run time under Wine: the stand-in DLL from the program folder with
// two simulated devices, and no library at all.
#include "stand_in_usb.h"

#include "device/D2XXLibrary.h"
#include "device/D2XXUnit.h"
#include "device/_TUSBDevice.h"

#include "framework/StrConv.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <atomic>
#include <tuple>
#include <vector>

namespace {

using Entry = std::tuple<int32_t, std::string, std::string>;

std::vector<Entry> ListDevices(TUSBDevice& Usb, int32_t& Count)
{
    std::vector<Entry> seen;
    Count = Usb.EnumDevices([&](int32_t I, const std::string& D, const std::string& S) { seen.emplace_back(I, D, S); });
    return seen;
}

const wchar_t* W(const std::u16string& S)
{
    return reinterpret_cast<const wchar_t*>(S.c_str());
}

TEST(UsbLibrary, TheStandInListsItsDevicesAnswersHelloAndTracesEveryCall)
{
    const TStandInUsb stand("device Tarnwell\nserial TNW00042\nbaud 115200\n"
                            "answer HELLO TNW0001\\r\n"
                            "device Qorr 21\nserial QR2100A7\n");
    ASSERT_TRUE(stand.Point());
    ASSERT_TRUE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/FTD2XX.DLL")));

    TOwned<TUSBDevice> usb{CreateComponent<TUSBDevice>(nullptr)};
    int32_t count = 0;
    EXPECT_EQ(ListDevices(*usb, count), (std::vector<Entry>{{0, "Tarnwell", "TNW00042"}, {1, "Qorr 21", "QR2100A7"}}));
    EXPECT_EQ(count, 2);

    usb->AutoConnect = false;
    usb->DeviceSerial = "TNW00042";
    usb->Baudrate = TBaudRate::br115200;
    usb->ReadTimeout = 200;
    usb->WriteTimeout = 200;
    ASSERT_TRUE(usb->Connect());
    EXPECT_TRUE(usb->WriteString("HELLO", true));
    EXPECT_EQ(usb->ReadString(0), "TNW0001\r");
    EXPECT_TRUE(usb->Disconnect());

    const std::string log = stand.Trace();
    for (const char* call : {"FT_ListDevices(count) = 0, 2 devices", "FT_ListDevices(1, serial) = 0, \"QR2100A7\"",
                             "FT_OpenEx(serial \"TNW00042\") = 0, handle 1", "FT_SetBaudRate(1, 115200) = 0",
                             "FT_SetTimeouts(1, 200, 200) = 0", "FT_Write(1, 6) = 0, 6 written \"HELLO\\r\"",
                             "FT_Read(1, 1024) = 0, 8 read \"TNW0001\\r\"", "FT_Close(1) = 0"})
        EXPECT_NE(log.find(call), std::string::npos) << call << "\n" << log;
}

DWORD WINAPI CountRun(LPVOID Ran)
{
    ++*static_cast<std::atomic<int>*>(Ran);
    return 0;
}

TEST(UsbLibrary, LoadedUsedAndUnloadedAgainAndAgainTheProcessStillStartsThreads)
{
    // Each round binds the stand-in, lists and opens a device, and unbinds it (a missing
    // library takes its place), so the DLL is really unmapped and mapped again. Threads started
    // afterwards must not run into anything the unloaded DLL left registered with the system.
    const TStandInUsb stand("device Tarnwell\nserial TNW00042\nanswer HELLO TNW0001\\r\n");
    ASSERT_TRUE(stand.Point(false));
    // The library an earlier test bound goes first, so every round maps a fresh copy.
    EXPECT_FALSE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/missing/FTD2XX.DLL")));
    for (int round = 0; round < 4; ++round) {
        ASSERT_TRUE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/FTD2XX.DLL"))) << round;
        {
            TOwned<TUSBDevice> usb{CreateComponent<TUSBDevice>(nullptr)};
            int32_t count = 0;
            EXPECT_EQ(ListDevices(*usb, count), (std::vector<Entry>{{0, "Tarnwell", "TNW00042"}})) << round;
            usb->AutoConnect = false;
            usb->DeviceSerial = "TNW00042";
            usb->ReadTimeout = 50;
            EXPECT_TRUE(usb->Connect()) << round;
            EXPECT_TRUE(usb->WriteString("HELLO", true)) << round;
            EXPECT_EQ(usb->ReadString(0), "TNW0001\r") << round;
            EXPECT_TRUE(usb->Disconnect()) << round;
        }
        EXPECT_FALSE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/missing/FTD2XX.DLL"))) << round;
        EXPECT_EQ(GetModuleHandleW(W(Utf8ToWide(L3D_PROGRAM_DIR "/FTD2XX.DLL"))), nullptr) << round;
    }
    std::atomic<int> ran{0};
    for (int i = 0; i < 3; ++i)
        std::thread([&] { ++ran; }).join();
    HANDLE plain = CreateThread(nullptr, 0, CountRun, &ran, 0, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(WaitForSingleObject(plain, kPatienceMs), WAIT_OBJECT_0);
    CloseHandle(plain);
    EXPECT_EQ(ran, 4);
}

TEST(UsbLibrary, WithoutTheLibraryNoDeviceIsListedAndTheProgramRunsOn)
{
    // A library loaded before would be found by its name alone, so this names a missing file.
    EXPECT_FALSE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/missing/FTD2XX.DLL")));
    TOwned<TUSBDevice> usb{CreateComponent<TUSBDevice>(nullptr)};
    int32_t count = -1;
    EXPECT_TRUE(ListDevices(*usb, count).empty());
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(usb->Connect());
    EXPECT_TRUE(usb->Disconnect());
    EXPECT_EQ(usb->ReadString(0), "");
    EXPECT_FALSE(usb->WriteString("HELLO", true));
}

} // namespace
