// The device file: the simulated USB devices of the stand-in library, as plain text.
//
// The library reads the file named by the environment variable L3D_FTD2XX_DEVICES when it is
// first called; without it the bus is empty. One statement per line; blank lines and lines
// starting with '#' are ignored; a keyword and its value are separated by one or more blanks.
//
//   fail-count                  (before the first device) counting the devices fails
//   device <description>        starts a device; the description is the rest of the line,
//                               1 to 63 bytes, listed and opened by as it stands
//   serial <text>               its serial number, up to 15 bytes (default empty)
//   baud <rate>                 the rate it talks at; at any other rate set by the host, its
//                               answers arrive as garbage (every byte b as 0x80 | b >> 1).
//                               Without this line it talks at any rate.
//   latency <ms>                time from the command's carriage return to the first byte of
//                               the answer (default 2)
//   answer <command> <reply>    the reply to a command (the bytes written before a carriage
//                               return, compared exactly; the command has no blanks). The
//                               reply is the rest of the line after one blank; it may be empty
//                               (the device stays silent, as for any command without an answer).
//   fail-open                   every open of the device fails (status 3)
//   fail-query                  listing its serial number or description fails (status 4)
//   short-write <n>             each write takes at most n bytes
//   read-error-after <n>        reads fail (status 4) once n reply bytes have been delivered
//   unplug-after <n>            the device is unplugged after serving n calls (opens, closes,
//                               settings, reads and writes); it then leaves the list and every
//                               call on its handle but close fails (status 4)
//
// Reply text: bytes as written, with the escapes \r \n \t \\ \{ and \xHH, and directives:
//   {pause <ms>}   the rest of the reply follows after a gap (a reply split over arrivals)
//   {bytes <n>}    n bytes of the pattern A..Z repeated (up to 1048576)
//   {endless}      the pattern A..Z without end (only at the end of a reply)
// Bytes follow each other at the line's speed: ten bits per byte at the baud rate set.
//
// Example:
//   device Tarnwell
//   serial TNW00042
//   baud 115200
//   answer HELLO TNW0001\r
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ftsim {

// A stretch of reply bytes, sent after a gap.
struct ReplyPiece {
    uint32_t PauseMs = 0;  // gap before the first byte (after the previous piece or the latency)
    std::string Bytes;
    bool Endless = false;  // the pattern A..Z repeated without end, after Bytes
};

struct Answer {
    std::string Command;
    std::vector<ReplyPiece> Reply;
};

struct DeviceSpec {
    std::string Description;
    std::string Serial;
    uint32_t Baud = 0;  // 0: any rate
    uint32_t LatencyMs = 2;
    std::vector<Answer> Answers;
    bool FailOpen = false;
    bool FailQuery = false;
    uint32_t ShortWrite = 0;        // 0: writes take everything
    int64_t ReadErrorAfter = -1;    // -1: reads never fail
    int64_t UnplugAfter = -1;       // -1: stays plugged in
};

struct BusSpec {
    bool FailCount = false;
    std::vector<DeviceSpec> Devices;
};

constexpr size_t MaxDescription = 63;
constexpr size_t MaxSerial = 15;

// False with Error ("line N: ...") when a line cannot be read; Bus then holds what came before.
bool ParseDeviceFile(const std::string& Text, BusSpec& Bus, std::string& Error);
// A reply text of an answer line (escapes and directives as above).
bool ParseReply(const std::string& Text, std::vector<ReplyPiece>& Reply, std::string& Error);

// The byte at Index of the A..Z pattern.
inline char PatternByte(uint64_t Index)
{
    return static_cast<char>('A' + Index % 26);
}

} // namespace ftsim
