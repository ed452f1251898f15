// The stand-in USB library's own rules: its device file, its statuses, the line's timing and
// its set-up from the environment.
#include "ftd2xx/Library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace ftsim;

BusSpec Parse(const std::string& Text)
{
    BusSpec bus;
    std::string error;
    EXPECT_TRUE(ParseDeviceFile(Text, bus, error)) << error;
    return bus;
}

std::string ParseError(const std::string& Text)
{
    BusSpec bus;
    std::string error;
    EXPECT_FALSE(ParseDeviceFile(Text, bus, error)) << Text;
    return error;
}

TEST(StandIn, DeviceFileStatementsAndReplies)
{
    BusSpec bus = Parse("# two devices\n\nfail-count\ndevice Qorr 21\r\nserial QR2100A7\nbaud 19200\nlatency 0\n"
                        "answer HELLO  QR\\x32\\r{pause 40}\\{x}{bytes 3}{endless}\n"
                        "answer PING\nfail-open\nfail-query\nshort-write 2\nread-error-after 7\nunplug-after 9\n"
                        "device Tarnwell\n");
    EXPECT_TRUE(bus.FailCount);
    ASSERT_EQ(bus.Devices.size(), 2u);
    const DeviceSpec& d = bus.Devices[0];
    EXPECT_EQ(d.Description, "Qorr 21");
    EXPECT_EQ(d.Serial, "QR2100A7");
    EXPECT_EQ(d.Baud, 19200u);
    EXPECT_EQ(d.LatencyMs, 0u);
    ASSERT_EQ(d.Answers.size(), 2u);
    const std::vector<ReplyPiece>& r = d.Answers[0].Reply;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Bytes, " QR2\r");  // one blank separates the command; the next one is the reply's
    EXPECT_EQ(r[1].PauseMs, 40u);
    EXPECT_EQ(r[1].Bytes, "{x}ABC");
    EXPECT_TRUE(r[1].Endless);
    EXPECT_EQ(d.Answers[1].Command, "PING");
    EXPECT_TRUE(d.Answers[1].Reply[0].Bytes.empty());
    EXPECT_TRUE(d.FailOpen && d.FailQuery);
    EXPECT_EQ(d.ShortWrite, 2u);
    EXPECT_EQ(d.ReadErrorAfter, 7);
    EXPECT_EQ(d.UnplugAfter, 9);
    EXPECT_EQ(bus.Devices[1].Serial, "");

    std::stringstream example;
    example << std::ifstream(L3D_SOURCE_DIR "/src/stand-ins/ftd2xx/devices.example.txt").rdbuf();
    EXPECT_EQ(Parse(example.str()).Devices.size(), 6u);

    EXPECT_EQ(ParseError("serial X\n"), "line 1: 'serial' before the first device");
    EXPECT_EQ(ParseError("device A\nanswer HELLO {endless}X\n"), "line 2: nothing may follow {endless}");
    EXPECT_EQ(ParseError("device A\nanswer HELLO \\q\n"), "line 2: unknown escape \\q");
    EXPECT_EQ(ParseError("device A\nanswer HELLO {bytes 1048577}\n"), "line 2: a byte count goes up to 1048576");
    EXPECT_EQ(ParseError("device A\nserial 0123456789ABCDEF\n"), "line 2: a serial number has at most 15 bytes");
    EXPECT_EQ(ParseError("device " + std::string(64, 'x') + "\n"), "line 1: a description has 1 to 63 bytes");
    EXPECT_EQ(ParseError("device A\nbaud fast\n"), "line 2: a baud rate from 1 to 3000000");
    EXPECT_EQ(ParseError("device A\nfail-count\n"), "line 2: unknown statement 'fail-count'");
}

TEST(StandIn, StatusesFollowTheLibrary)
{
    VirtualClock clock;
    Simulation sim(Parse("device A\nserial S1\ndevice B\nserial S2\n"), clock);
    uint32_t count = 0;
    char text[DescriptionBufferSize];
    EXPECT_EQ(sim.ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(sim.ListDevices(reinterpret_cast<void*>(1), text, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER), FT_OK);
    EXPECT_STREQ(text, "S2");
    EXPECT_EQ(sim.ListDevices(reinterpret_cast<void*>(2), text, FT_LIST_BY_INDEX | FT_OPEN_BY_DESCRIPTION),
              FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(sim.ListDevices(&count, text, 0x20000000u), FT_INVALID_PARAMETER);

    Handle a = nullptr, again = nullptr;
    EXPECT_EQ(sim.Open(0, &a), FT_OK);
    EXPECT_EQ(sim.OpenEx(const_cast<char*>("A"), FT_OPEN_BY_DESCRIPTION, &again), FT_DEVICE_NOT_OPENED);
    EXPECT_EQ(sim.OpenEx(const_cast<char*>("S3"), FT_OPEN_BY_SERIAL_NUMBER, &again), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(sim.Open(2, &again), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(sim.SetBaudRate(a, 100), FT_INVALID_BAUD_RATE);
    EXPECT_EQ(sim.SetBaudRate(a, 115200), FT_OK);
    EXPECT_EQ(sim.Close(a), FT_OK);
    // Handles are never reused: the old one stays invalid after the device is opened again.
    EXPECT_EQ(sim.Close(a), FT_INVALID_HANDLE);
    EXPECT_EQ(sim.OpenEx(const_cast<char*>("S1"), FT_OPEN_BY_SERIAL_NUMBER, &again), FT_OK);
    EXPECT_NE(again, a);
    uint32_t n = 0;
    EXPECT_EQ(sim.Read(a, text, 1, &n), FT_INVALID_HANDLE);
    sim.Unplug(0);
    EXPECT_EQ(sim.Write(again, text, 1, &n), FT_IO_ERROR);
    EXPECT_EQ(sim.ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
    EXPECT_EQ(count, 1u);
}

TEST(StandIn, RepliesArriveAtLineSpeedAfterTheLatency)
{
    VirtualClock clock;
    Simulation sim(Parse("device A\nanswer HI 0123456789\n"), clock);
    Handle h = nullptr;
    ASSERT_EQ(sim.Open(0, &h), FT_OK);
    ASSERT_EQ(sim.SetTimeouts(h, 1000, 0), FT_OK);
    char buffer[16] = "HI\r";
    uint32_t n = 0;
    ASSERT_EQ(sim.Write(h, buffer, 3, &n), FT_OK);
    // 9600 baud until set: 1041 us a byte. The carriage return arrives after three bytes, the
    // answer starts 2 ms later, and its tenth byte arrives ten bytes after that.
    ASSERT_EQ(sim.Read(h, buffer, 4, &n), FT_OK);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(clock.NowUs(), 3 * 1041u + 2000u + 4 * 1041u);
    ASSERT_EQ(sim.Read(h, buffer, 16, &n), FT_OK);
    EXPECT_EQ(std::string(buffer, n), "456789");
    EXPECT_EQ(clock.NowUs(), 3 * 1041u + 2000u + 4 * 1041u + 1000000u);
    // A time-out of 0 takes what is there without waiting.
    ASSERT_EQ(sim.SetTimeouts(h, 0, 0), FT_OK);
    ASSERT_EQ(sim.Read(h, buffer, 16, &n), FT_OK);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(clock.NowUs(), 3 * 1041u + 2000u + 4 * 1041u + 1000000u);
}

TEST(StandIn, SetUpFromTheEnvironmentWithATraceOfEveryCall)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("l3d-standin-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir);
    const fs::path devices = dir / "devices.txt", trace = dir / "trace.log";
    std::ofstream(devices) << "device Tarnwell\nserial TNW00042\n";
    auto pathText = [](const fs::path& p) { return std::string(reinterpret_cast<const char*>(p.u8string().c_str())); };

    VirtualClock clock;
    {
        auto sim = SimulationFromEnvironment({pathText(devices), pathText(trace)}, clock);
        uint32_t count = 0;
        EXPECT_EQ(sim->ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
        EXPECT_EQ(count, 1u);
        Handle h = nullptr;
        EXPECT_EQ(sim->OpenEx(const_cast<char*>("TNW00042"), FT_OPEN_BY_SERIAL_NUMBER, &h), FT_OK);
        EXPECT_EQ(sim->Close(h), FT_OK);
        auto empty = SimulationFromEnvironment({pathText(dir / "missing.txt"), pathText(trace)}, clock);
        EXPECT_EQ(empty->ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
        EXPECT_EQ(count, 0u);
    }
    std::stringstream log;
    log << std::ifstream(trace).rdbuf();
    const std::string text = log.str();
    EXPECT_NE(text.find("library ready"), std::string::npos) << text;
    EXPECT_NE(text.find("FT_ListDevices(count) = 0, 1 devices"), std::string::npos) << text;
    EXPECT_NE(text.find("FT_OpenEx(serial \"TNW00042\") = 0, handle 1"), std::string::npos) << text;
    EXPECT_NE(text.find("FT_Close(1) = 0"), std::string::npos) << text;
    EXPECT_NE(text.find("missing.txt: no devices"), std::string::npos) << text;
    fs::remove_all(dir);
}

} // namespace
