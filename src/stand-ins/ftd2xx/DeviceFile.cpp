#include "DeviceFile.h"

#include <cstddef>

namespace ftsim {

namespace {

constexpr uint64_t MaxPatternBytes = 1u << 20;
constexpr uint64_t MaxReplyBytes = 4u << 20;
constexpr uint64_t MaxPauseMs = 600000;

// Decimal digits only, at most Max.
bool ParseNumber(const std::string& Text, uint64_t Max, uint64_t& Value)
{
    if (Text.empty() || Text.size() > 10)
        return false;
    uint64_t v = 0;
    for (char c : Text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > Max)
        return false;
    Value = v;
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Splits "keyword rest": the keyword up to the first blank, the rest after the blanks.
void SplitKeyword(const std::string& Line, std::string& Keyword, std::string& Rest)
{
    size_t end = Line.find_first_of(" \t");
    Keyword = Line.substr(0, end);
    if (end == std::string::npos) {
        Rest.clear();
        return;
    }
    size_t start = Line.find_first_not_of(" \t", end);
    Rest = start == std::string::npos ? std::string() : Line.substr(start);
}

std::string TrimRight(std::string S)
{
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r'))
        S.pop_back();
    return S;
}

bool ParseDirective(const std::string& Body, std::vector<ReplyPiece>& Reply, uint64_t& Total, std::string& Error)
{
    std::string name, arg;
    SplitKeyword(Body, name, arg);
    uint64_t n = 0;
    if (name == "pause") {
        if (!ParseNumber(arg, MaxPauseMs, n))
            return Error = "a pause takes milliseconds up to 600000", false;
        Reply.push_back(ReplyPiece{static_cast<uint32_t>(n), {}, false});
        return true;
    }
    if (name == "bytes") {
        if (!ParseNumber(arg, MaxPatternBytes, n))
            return Error = "a byte count goes up to 1048576", false;
        if (Total + n > MaxReplyBytes)
            return Error = "a reply holds at most 4 MiB", false;
        Total += n;
        for (uint64_t i = 0; i < n; ++i)
            Reply.back().Bytes.push_back(PatternByte(i));
        return true;
    }
    if (name == "endless" && arg.empty()) {
        Reply.back().Endless = true;
        return true;
    }
    return Error = "unknown directive {" + Body + "}", false;
}

} // namespace

bool ParseReply(const std::string& Text, std::vector<ReplyPiece>& Reply, std::string& Error)
{
    Reply.assign(1, ReplyPiece{});
    uint64_t total = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Reply.back().Endless)
            return Error = "nothing may follow {endless}", false;
        char c = Text[i];
        if (c == '{') {
            size_t close = Text.find('}', i);
            if (close == std::string::npos)
                return Error = "a directive lacks its '}'", false;
            if (!ParseDirective(Text.substr(i + 1, close - i - 1), Reply, total, Error))
                return false;
            i = close;
            continue;
        }
        if (c == '\\') {
            if (i + 1 >= Text.size())
                return Error = "a reply ends in a lone backslash", false;
            char e = Text[++i];
            switch (e) {
            case 'r': c = '\r'; break;
            case 'n': c = '\n'; break;
            case 't': c = '\t'; break;
            case '\\': c = '\\'; break;
            case '{': c = '{'; break;
            case 'x': {
                int hi = i + 1 < Text.size() ? HexDigit(Text[i + 1]) : -1;
                int lo = i + 2 < Text.size() ? HexDigit(Text[i + 2]) : -1;
                if (hi < 0 || lo < 0)
                    return Error = "\\x takes two hex digits", false;
                c = static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default:
                return Error = std::string("unknown escape \\") + e, false;
            }
        }
        if (++total > MaxReplyBytes)
            return Error = "a reply holds at most 4 MiB", false;
        Reply.back().Bytes.push_back(c);
    }
    return true;
}

bool ParseDeviceFile(const std::string& Text, BusSpec& Bus, std::string& Error)
{
    Bus = BusSpec{};
    size_t lineNo = 0;
    size_t pos = 0;
    while (pos < Text.size()) {
        size_t end = Text.find('\n', pos);
        std::string line = TrimRight(Text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? Text.size() : end + 1;
        ++lineNo;
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        line.erase(0, first);

        std::string keyword, rest, why;
        SplitKeyword(line, keyword, rest);
        auto fail = [&](const std::string& What) {
            Error = "line " + std::to_string(lineNo) + ": " + What;
            return false;
        };
        uint64_t n = 0;
        if (keyword == "device") {
            if (rest.empty() || rest.size() > MaxDescription)
                return fail("a description has 1 to 63 bytes");
            Bus.Devices.push_back(DeviceSpec{});
            Bus.Devices.back().Description = rest;
            continue;
        }
        if (keyword == "fail-count" && rest.empty() && Bus.Devices.empty()) {
            Bus.FailCount = true;
            continue;
        }
        if (Bus.Devices.empty())
            return fail("'" + keyword + "' before the first device");
        DeviceSpec& d = Bus.Devices.back();
        if (keyword == "serial") {
            if (rest.size() > MaxSerial)
                return fail("a serial number has at most 15 bytes");
            d.Serial = rest;
        } else if (keyword == "baud") {
            if (!ParseNumber(rest, 3000000, n) || n == 0)
                return fail("a baud rate from 1 to 3000000");
            d.Baud = static_cast<uint32_t>(n);
        } else if (keyword == "latency") {
            if (!ParseNumber(rest, MaxPauseMs, n))
                return fail("a latency in milliseconds up to 600000");
            d.LatencyMs = static_cast<uint32_t>(n);
        } else if (keyword == "answer") {
            // Only one blank separates the command from the reply: the reply may begin with one.
            size_t blank = line.find_first_of(" \t");
            size_t cmdStart = line.find_first_not_of(" \t", blank);
            if (cmdStart == std::string::npos)
                return fail("an answer names its command");
            size_t cmdEnd = line.find_first_of(" \t", cmdStart);
            Answer a;
            a.Command = line.substr(cmdStart, cmdEnd == std::string::npos ? std::string::npos : cmdEnd - cmdStart);
            std::string reply = cmdEnd == std::string::npos ? std::string() : line.substr(cmdEnd + 1);
            if (!ParseReply(reply, a.Reply, why))
                return fail(why);
            d.Answers.push_back(std::move(a));
        } else if (keyword == "fail-open" && rest.empty()) {
            d.FailOpen = true;
        } else if (keyword == "fail-query" && rest.empty()) {
            d.FailQuery = true;
        } else if (keyword == "short-write") {
            if (!ParseNumber(rest, 0xFFFFFFFFu, n) || n == 0)
                return fail("short-write takes a count above 0");
            d.ShortWrite = static_cast<uint32_t>(n);
        } else if (keyword == "read-error-after") {
            if (!ParseNumber(rest, 0xFFFFFFFFu, n))
                return fail("read-error-after takes a byte count");
            d.ReadErrorAfter = static_cast<int64_t>(n);
        } else if (keyword == "unplug-after") {
            if (!ParseNumber(rest, 0xFFFFFFFFu, n))
                return fail("unplug-after takes a call count");
            d.UnplugAfter = static_cast<int64_t>(n);
        } else {
            return fail("unknown statement '" + keyword + "'");
        }
    }
    return true;
}

} // namespace ftsim
