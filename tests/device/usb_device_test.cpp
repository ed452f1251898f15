// TUSBDevice against the simulated USB library, on a virtual clock.
#include "simulated_usb.h"
#include "support/simulated_d2xx.h"

#include "device/D2XXUnit.h"
#include "device/_TUSBDevice.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

const char* const Tarnwell = "device Tarnwell\nserial TNW00042\nbaud 115200\nanswer HELLO TNW0001\\r\n";

// A device with one answer to HELLO, talking at any rate.
std::string DeviceAnswering(const std::string& Reply, const std::string& Extra = "")
{
    return "device Probe\nserial P1\nanswer HELLO " + Reply + "\n" + Extra;
}

// A component set up as the import dialog sets it for one device.
struct Probe {
    TOwned<TUSBDevice> Usb{CreateComponent<TUSBDevice>(nullptr)};
    explicit Probe(const std::string& Serial, TBaudRate Rate = TBaudRate::br19200)
    {
        Usb->Baudrate = Rate;
        Usb->AutoConnect = false;
        Usb->DeviceSerial = Serial;
        Usb->ReadTimeout = 1000;
        Usb->WriteTimeout = 1000;
    }
    std::string Hello(int32_t Count = 0)
    {
        EXPECT_TRUE(Usb->Connect());
        EXPECT_TRUE(Usb->WriteString("HELLO", true));
        return Usb->ReadString(Count);
    }
};

TEST(UsbDevice, HelloGoesOutAsSixBytesAndItsShortReplyEndsAtTheReadTimeout)
{
    SimulatedUsb usb(Tarnwell);
    Probe probe("TNW00042", TBaudRate::br115200);
    EXPECT_EQ(probe.Hello(), "TNW0001\r");
    EXPECT_EQ(usb.Device(0).Received, std::string("\x48\x45\x4C\x4C\x4F\x0D"));
    EXPECT_EQ(usb.Device(0).Baud, 115200u);
    EXPECT_EQ(usb.Device(0).ReadTimeoutMs, 1000u);
    EXPECT_EQ(usb.Device(0).WriteTimeoutMs, 1000u);
    // One read of a block: the reply is shorter, so the read waits out its time-out.
    EXPECT_EQ(usb.Calls("FT_Read"), 1u);
    EXPECT_EQ(usb.NowMs(), 1000u);
    EXPECT_TRUE(probe.Usb->Disconnect());
    EXPECT_FALSE(probe.Usb->Connected());
    EXPECT_EQ(usb.Device(0).Closes, 1u);
}

TEST(UsbDevice, AtAnotherBaudRateTheReplyIsGarbage)
{
    SimulatedUsb usb(Tarnwell);
    Probe probe("TNW00042", TBaudRate::br19200);
    const std::string reply = probe.Hello();
    ASSERT_EQ(reply.size(), 8u);
    EXPECT_NE(reply, "TNW0001\r");
    // A value outside the rate list sets 19200.
    probe.Usb->Baudrate = static_cast<TBaudRate>(99);
    EXPECT_TRUE(probe.Usb->Connect());
    EXPECT_EQ(usb.Device(0).Baud, 19200u);
    probe.Usb->Baudrate = TBaudRate::br921600;
    EXPECT_TRUE(probe.Usb->Connect());
    EXPECT_EQ(usb.Device(0).Baud, 921600u);
}

TEST(UsbDevice, BlockReadsEndAtTheFirstShortOrEmptyBlock)
{
    {   // 1500 bytes at block size 1024: a full block, then a short one.
        SimulatedUsb usb(DeviceAnswering("{bytes 1500}"));
        const std::string reply = Probe("P1").Hello();
        EXPECT_EQ(reply.size(), 1500u);
        EXPECT_EQ(reply.substr(0, 3), "ABC");
        EXPECT_EQ(usb.Calls("FT_Read(1, 1024)"), 2u);
    }
    {   // Exactly one block: only a read that brings nothing ends the reply.
        SimulatedUsb usb(DeviceAnswering("{bytes 1024}"));
        EXPECT_EQ(Probe("P1").Hello().size(), 1024u);
        EXPECT_EQ(usb.Calls("FT_Read(1, 1024) = 0, 0 read"), 1u);
        EXPECT_EQ(usb.Calls("FT_Read"), 2u);
    }
    {   // A reply split over two arrivals, both within the read time-out, or not.
        SimulatedUsb usb(DeviceAnswering("TNW0{pause 300}001\\r"));
        Probe slow("P1");
        EXPECT_EQ(slow.Hello(), "TNW0001\r");
        slow.Usb->ReadTimeout = 100;
        EXPECT_EQ(slow.Hello(), "TNW0");
    }
    {   // A silent device: nothing, both ways of reading.
        SimulatedUsb usb(DeviceAnswering(""));
        Probe probe("P1");
        EXPECT_EQ(probe.Hello(), "");
        EXPECT_EQ(probe.Hello(10), "");
    }
}

TEST(UsbDevice, ADeviceThatKeepsSendingEndsTheExchangeAfterTheReplyTimeout)
{
    SimulatedUsb usb(DeviceAnswering("{endless}"));
    Probe probe("P1");
    probe.Usb->ReplyTimeout = 5000;
    const std::string reply = probe.Hello();
    // 1024 bytes take 533 ms at 19200 baud; the exchange stops at the first block past 5 s.
    EXPECT_GE(usb.NowMs(), 5000u);
    EXPECT_LT(usb.NowMs(), 5000u + 600u);
    ASSERT_EQ(reply.size() % 1024, 0u);
    EXPECT_EQ(reply.size() / 1024, usb.Calls("FT_Read"));
    for (size_t i = 0; i < reply.size(); ++i)
        ASSERT_EQ(reply[i], static_cast<char>('A' + i % 26)) << i;
}

// A library that counts a million devices and can describe none of them.
int boundlessQueries = 0;
FT_STATUS D2XX_CALL BoundlessList(void* Arg1, void*, uint32_t Flags)
{
    if (Flags == FT_LIST_NUMBER_ONLY) {
        *static_cast<uint32_t*>(Arg1) = 1000000;
        return FT_OK;
    }
    ++boundlessQueries;
    return FT_DEVICE_NOT_FOUND;
}

TEST(UsbDevice, NoDeviceOrLibraryCanHoldTheProgramLongerThanItsBounds)
{
    {   // A counted read of a device that keeps sending ends at the reply time-out too.
        SimulatedUsb usb(DeviceAnswering("{endless}"));
        Probe probe("P1");
        const std::string reply = probe.Hello(1 << 24);
        EXPECT_GE(usb.NowMs(), probe.Usb->ReplyTimeout);
        EXPECT_LT(usb.NowMs(), probe.Usb->ReplyTimeout + 1000u + 100u) << "the last read waits one read time-out";
        EXPECT_LT(reply.size(), 20000u);
    }
    {   // A device that refuses its time-outs (gone after its open and baud rate) is not used.
        SimulatedUsb usb(DeviceAnswering("TNW0001\\r", "unplug-after 2\n"));
        Probe probe("P1");
        EXPECT_FALSE(probe.Usb->Connect());
        EXPECT_FALSE(probe.Usb->Connected());
        EXPECT_EQ(usb.Calls("FT_SetTimeouts(1, 1000, 1000) = 4"), 1u);
        EXPECT_EQ(usb.Device(0).Closes, 1u);
    }
    {   // The library's count is believed only up to what a machine can attach.
        SimulatedUsb usb("");
        TD2XXFunctions lying = SimulatedD2XXFunctions();
        lying.ListDevices = BoundlessList;
        D2XX().SetFunctions(lying);
        int calls = 0;
        TOwned<TUSBDevice> any{CreateComponent<TUSBDevice>(nullptr)};
        EXPECT_EQ(any->EnumDevices([&](int32_t, const std::string&, const std::string&) { ++calls; }), TUSBDevice::MaxDevices);
        EXPECT_EQ(calls, TUSBDevice::MaxDevices);
        EXPECT_EQ(boundlessQueries, 2 * TUSBDevice::MaxDevices);
    }
}

TEST(UsbDevice, ABlockSizeOfZeroIsRefused)
{
    SimulatedUsb usb(DeviceAnswering("{bytes 8}"));
    Probe probe("P1");
    probe.Usb->SetBlockSize(0);
    EXPECT_EQ(probe.Usb->BlockSize(), 1024);
    probe.Usb->SetBlockSize(8);
    EXPECT_EQ(probe.Usb->BlockSize(), 8);
    // A reply of exactly one small block ends with the empty read after it.
    EXPECT_EQ(probe.Hello(), "ABCDEFGH");
    EXPECT_EQ(usb.Calls("FT_Read(1, 8)"), 2u);
}

TEST(UsbDevice, TransfersStayWithinTheBuffersAndReportShortWrites)
{
    {
        SimulatedUsb usb(DeviceAnswering("{bytes 70000}"));
        Probe probe("P1", TBaudRate::br921600);
        EXPECT_EQ(probe.Hello(70000).size(), 70000u);
        EXPECT_EQ(usb.Calls("FT_Read(1, 65536)"), 1u);
        EXPECT_EQ(usb.Calls("FT_Read(1, 4464)"), 1u);
        // A whole buffer of text and the carriage return after it: both go out.
        EXPECT_TRUE(probe.Usb->WriteString(std::string(65536, 'x'), true));
        EXPECT_EQ(usb.Device(0).Received.size(), 6u + 65537u);
        EXPECT_EQ(usb.Device(0).Received.back(), '\r');
        EXPECT_EQ(usb.Calls("FT_Write(1, 65536)"), 1u);
        EXPECT_EQ(usb.Calls("FT_Write(1, 1)"), 1u);
    }
    {
        SimulatedUsb usb(DeviceAnswering("OK", "short-write 3\n"));
        Probe probe("P1");
        EXPECT_TRUE(probe.Usb->Connect());
        EXPECT_FALSE(probe.Usb->WriteString("HELLO", true));
    }
}

TEST(UsbDevice, UnpluggingOrAReadErrorEndsTheReplyWithWhatArrived)
{
    {   // Gone after open, baud rate, time-outs, write and one read.
        SimulatedUsb usb(DeviceAnswering("{bytes 3000}", "unplug-after 5\n"));
        Probe probe("P1");
        probe.Usb->SetReportErrors(true);
        EXPECT_EQ(probe.Hello().size(), 1024u);
        EXPECT_EQ(usb.Reports, std::vector<std::u16string>{u"FT_Read - General IO error..."});
        EXPECT_TRUE(probe.Usb->Disconnect());
        EXPECT_FALSE(probe.Usb->Connected());
        EXPECT_EQ(probe.Usb->EnumDevices(nullptr), 0);
        EXPECT_FALSE(probe.Usb->Connect());
    }
    {
        SimulatedUsb usb(DeviceAnswering("{bytes 1500}", "read-error-after 100\n"));
        EXPECT_EQ(Probe("P1").Hello().size(), 100u);
    }
}

TEST(UsbDevice, ConnectionsOpenOnceAndCloseOnce)
{
    SimulatedUsb usb("device Open fails\nserial F1\nfail-open\n"
                     "device Qorr 21\nserial Q2\n"
                     "device " + std::string(49, 'A') + "\n");
    {   // A failed connect leaves nothing to close: Disconnect calls nothing and succeeds.
        Probe probe("F1");
        EXPECT_FALSE(probe.Usb->Connect());
        EXPECT_TRUE(probe.Usb->Disconnect());
        EXPECT_FALSE(probe.Usb->Connected());
        EXPECT_EQ(usb.Calls("FT_Close"), 0u);
    }
    {   // Connecting again closes the device still open; freeing the component closes it too.
        Probe probe("Q2");
        EXPECT_TRUE(probe.Usb->Connect());
        EXPECT_TRUE(probe.Usb->Connect());
        EXPECT_EQ(usb.Device(1).Opens, 2u);
        EXPECT_EQ(usb.Device(1).Closes, 1u);
    }
    EXPECT_EQ(usb.Device(1).Closes, 2u);
    {   // A serial number cleared to one NUL counts as none: the description is used, cut to 49.
        Probe probe(std::string(1, '\0'));
        probe.Usb->DeviceName = std::string(49, 'A') + "BBB";
        EXPECT_TRUE(probe.Usb->Connect());
        EXPECT_EQ(usb.Device(2).Opens, 1u);
        // With nothing to open by, nothing happens and the state stays.
        probe.Usb->DeviceName.clear();
        EXPECT_TRUE(probe.Usb->Connect());
        EXPECT_EQ(usb.Device(2).Opens, 1u);
    }
    {   // AutoConnect opens the first device listed (the one that fails here).
        TOwned<TUSBDevice> first{CreateComponent<TUSBDevice>(nullptr)};
        EXPECT_FALSE(first->Connect());
        EXPECT_EQ(usb.Calls("FT_Open(0) = 3"), 1u);
    }
}

TEST(UsbDevice, EnumDevicesGivesEveryDeviceOrOneNulForATextItCannotGet)
{
    using Entry = std::tuple<int32_t, std::string, std::string>;
    std::vector<Entry> seen;
    auto record = [&](int32_t I, const std::string& D, const std::string& S) { seen.emplace_back(I, D, S); };
    TOwned<TUSBDevice> usb{CreateComponent<TUSBDevice>(nullptr)};
    {
        SimulatedUsb sim("device Tarnwell\nserial TNW00042\ndevice Tarnwell\nserial TNW00043\nfail-query\n");
        EXPECT_EQ(usb->EnumDevices(record), 2);
        const std::string nul(1, '\0');
        EXPECT_EQ(seen, (std::vector<Entry>{{0, "Tarnwell", "TNW00042"}, {1, nul, nul}}));
    }
    seen.clear();
    {
        SimulatedUsb sim("");
        EXPECT_EQ(usb->EnumDevices(record), 0);
    }
    {
        SimulatedUsb sim("fail-count\ndevice Tarnwell\n");
        EXPECT_EQ(usb->EnumDevices(record), 0);
    }
    EXPECT_TRUE(seen.empty());
}

TEST(UsbDevice, TheReportSwitchIsOneForAllComponents)
{
    SimulatedUsb usb("device Qorr 21\nserial Q2\n");
    Probe a("NOPE"), b("NOPE");
    a.Usb->SetReportErrors(true);
    EXPECT_FALSE(b.Usb->ReportErrors());
    EXPECT_FALSE(b.Usb->Connect());
    EXPECT_EQ(usb.Reports, std::vector<std::u16string>{u"Open_USB_Device_By_Serial_Number - Device not found..."});
    b.Usb->SetReportErrors(false);
    EXPECT_FALSE(a.Usb->Connect());
    EXPECT_EQ(usb.Reports.size(), 1u);
    EXPECT_STREQ(D2XXStatusText(8), " Device not opened for erase...");
    EXPECT_STREQ(D2XXStatusText(17), " - Other error ...");
    EXPECT_STREQ(D2XXStatusText(0x1234), " - Other error ...");
}

TEST(UsbDevice, WithoutTheLibraryNothingIsListedOrOpened)
{
    D2XX().SetFunctions(AbsentD2XXFunctions());
    Probe probe("TNW00042");
    int calls = 0;
    EXPECT_EQ(probe.Usb->EnumDevices([&](int32_t, const std::string&, const std::string&) { ++calls; }), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(probe.Usb->Connect());
    EXPECT_TRUE(probe.Usb->Disconnect());
    EXPECT_EQ(probe.Usb->ReadString(0), "");
}

} // namespace
