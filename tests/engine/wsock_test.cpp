#include "engine/wsock.h"

#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/host/inject.h"
#include "engine/ras.h"
#include "tests/support/loopback_server.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint32_t kPatienceMs = 5000;  // only a broken client waits this long

// A connected socket to a server that replies without reading first.
int32_t ConnectTo(const LoopbackServer& server)
{
    const int32_t socket = WSock_TCPCreate();
    EXPECT_EQ(WSock_TCPConnect(socket, kLoopback, server.Port(), kPatienceMs), WSOCK_OK);
    return socket;
}

LoopbackBehaviour Sends(std::vector<LoopbackPiece> pieces, LoopbackMode mode = LoopbackMode::Reply)
{
    return {mode, std::move(pieces), false};
}

}  // namespace

TEST(WSock, ReceivesWholeCountWhateverThePiecesTheServerWrites)
{
    ScopedCore core;
    WSock_Init();
    std::string sent;
    for (int i = 0; i < 100; ++i) {
        sent += static_cast<char>('A' + i % 26);
    }
    for (size_t pieceSize : {size_t{1}, size_t{7}, sent.size()}) {
        LoopbackServer server(Sends(LoopbackSplit(sent, pieceSize)));
        const int32_t socket = ConnectTo(server);
        std::string got(sent.size(), '\0');
        EXPECT_EQ(WSock_TCPRecvDataFully(socket, got.data(), 100, kPatienceMs), WSOCK_OK);
        EXPECT_EQ(got, sent) << "pieces of " << pieceSize;
        WSock_TCPClose(socket);
    }
    WSock_Uninit();
    EXPECT_EQ(HostInjectOpenSockets(), 0);
}

TEST(WSock, ReadsTextLinesAndRefusesUnfinishedOrOversizedOnes)
{
    ScopedCore core;
    WSock_Init();
    struct Case {
        const char* sent;
        int32_t size;
        std::vector<std::string> lines;  // lines read with success before `last`
        WSockResult last;
    };
    const Case cases[] = {
        {"a\r\nbb\r\n", 16, {"a", "bb"}, WSOCK_LINE_UNFINISHED},
        {"abc", 16, {}, WSOCK_LINE_UNFINISHED},
        {"x\r\r\n", 16, {"x\r"}, WSOCK_LINE_UNFINISHED},
        {"abcdefgh\r\n", 9, {"abcdefgh"}, WSOCK_LINE_UNFINISHED},  // exactly fills the buffer
        {"abcdefghi\r\n", 9, {}, WSOCK_LINE_FULL},
    };
    for (const Case& c : cases) {
        LoopbackServer server(Sends({{c.sent}}));
        const int32_t socket = ConnectTo(server);
        char line[32];
        for (const std::string& expected : c.lines) {
            ASSERT_EQ(WSock_TCPReadTextLine(socket, line, c.size, "\r\n", kPatienceMs), WSOCK_OK);
            EXPECT_EQ(line, expected);
        }
        EXPECT_EQ(WSock_TCPReadTextLine(socket, line, c.size, "\r\n", kPatienceMs), c.last)
            << c.sent;
        WSock_TCPClose(socket);
    }
    WSock_Uninit();
}

TEST(WSock, PeekLeavesTheBytesToRead)
{
    ScopedCore core;
    WSock_Init();
    LoopbackServer server(Sends({{"hello"}}));
    const int32_t socket = ConnectTo(server);
    char peeked[5];
    int32_t moved = 0;
    while (WSock_TCPPeekData(socket, peeked, 5, &moved) == WSOCK_WOULD_BLOCK || moved < 5) {
    }
    char got[6] = {};
    EXPECT_EQ(WSock_TCPRecvDataFully(socket, got, 5, kPatienceMs), WSOCK_OK);
    EXPECT_EQ(std::string(peeked, 5), "hello");
    EXPECT_STREQ(got, "hello");
    // The server has closed: what is left is the end of the link.
    EXPECT_EQ(WSock_TCPRecvDataFully(socket, got, 1, kPatienceMs), WSOCK_LINK_DOWN);
    WSock_TCPClose(socket);
    WSock_Uninit();
}

TEST(WSock, ReportsRefusalSilenceAndResetWithTheirCodes)
{
    ScopedCore core;
    WSock_Init();
    const int32_t refused = WSock_TCPCreate();
    EXPECT_EQ(WSock_TCPConnect(refused, kLoopback, LoopbackServer::RefusedPort(), kPatienceMs),
              WSOCK_NOT_AVAILABLE);
    WSock_TCPClose(refused);

    LoopbackServer silent(Sends({}, LoopbackMode::Silent));
    const int32_t socket = ConnectTo(silent);
    char byte;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WSock_TCPRecvDataFully(socket, &byte, 1, 100), WSOCK_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    WSock_TCPClose(socket);

    // The server waits for a request, so that its reset cannot reach the connect itself.
    LoopbackServer resetting({LoopbackMode::ReplyAndReset, {{"ab"}}, true});
    const int32_t reset = ConnectTo(resetting);
    EXPECT_EQ(WSock_TCPSendTextLine(reset, "", "\r\n\r\n", kPatienceMs), WSOCK_OK);
    char got[4];
    EXPECT_EQ(WSock_TCPRecvDataFully(reset, got, 4, kPatienceMs), WSOCK_LINK_DOWN);
    WSock_TCPClose(reset);
    WSock_Uninit();
}

TEST(WSock, SendsTextLinesWithTheirTerminator)
{
    ScopedCore core;
    WSock_Init();
    LoopbackServer server(Sends({}));
    const int32_t socket = ConnectTo(server);
    EXPECT_EQ(WSock_TCPSendTextLine(socket, "GET / HTTP/1.0", "\r\n", kPatienceMs), WSOCK_OK);
    EXPECT_EQ(WSock_TCPSendTextLine(socket, "", "\r\n", kPatienceMs), WSOCK_OK);
    WSock_TCPClose(socket);
    EXPECT_EQ(server.Received(), "GET / HTTP/1.0\r\n\r\n");
    WSock_Uninit();
}

TEST(WSock, LooksUpHostsAndServices)
{
    ScopedCore core;
    WSock_Init();
    uint32_t address = 0;
    EXPECT_EQ(WSock_LookupHost("127.0.0.1", &address), WSOCK_OK);
    EXPECT_EQ(address, kLoopback);
    address = 0;
    EXPECT_EQ(WSock_LookupHost("localhost", &address), WSOCK_OK);
    EXPECT_EQ(address >> 24, 127u);
    EXPECT_EQ(WSock_LookupHost("no-such-host.invalid", &address), WSOCK_NOT_AVAILABLE);
    uint16_t port = 0;
    EXPECT_EQ(WSock_TCPLookupService("80", &port), WSOCK_OK);
    EXPECT_EQ(port, 80);
    port = 0;
    EXPECT_EQ(WSock_TCPLookupService("http", &port), WSOCK_OK);
    EXPECT_EQ(port, 80);
    EXPECT_EQ(WSock_TCPLookupService("no-such-service", &port), WSOCK_NOT_AVAILABLE);
    EXPECT_EQ(WSock_TCPLookupService("70000", &port), WSOCK_NOT_AVAILABLE);
    WSock_Uninit();
}

TEST(WSock, ErrorTextsNameEveryCodeAndTheFamilyOfOthers)
{
    const struct {
        WSockResult code;
        const char* text;
    } cases[] = {
        {0, "No error"},
        {0x1001, "Operation would block"},
        {0x2001, "The communications link is down"},
        {0x2011, "A timeout occured waiting for the request"},
        {0x2020, "The service is not available"},
        {0x2021, "No more data, but the end of the line was missing"},
        {0x2022, "The line buffer is full, and the end of line wasn't found"},
        {0x1777, "An unknown temporary error occured"},
        {0x2777, "An unknown permanent error occured"},
        {0x4000, "An unknown error occured"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(WSock_ErrorText(c.code), c.text) << std::hex << c.code;
    }
}

TEST(WSock, UninitClosesAndNamesEverySocketLeftOpen)
{
    ScopedCore core;
    WSock_Init();
    WSock_TCPCreate();
    const int32_t closed = WSock_TCPCreate();
    WSock_TCPCreate();
    WSock_TCPClose(closed);
    EXPECT_EQ(HostInjectOpenSockets(), 2);
    testing::internal::CaptureStdout();
    WSock_Uninit();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: WSock_Uninit(): socket 0 not closed\n"
              "Warning: WSock_Uninit(): socket 2 not closed\n");
    EXPECT_EQ(HostInjectOpenSockets(), 0);
}

TEST(WSockDeathTest, StateChecksAndAFullTableAreFatal)
{
    ScopedCore core;
    EXPECT_FATAL(WSock_Uninit(), "WSock_Uninit(): not initialised");
    WSock_Init();
    EXPECT_FATAL(WSock_Init(), "WSock_Init(): already initialised");
    for (int i = 0; i < WSOCK_MAX_SOCKETS; ++i) {
        WSock_TCPCreate();
    }
    EXPECT_FATAL(WSock_TCPCreate(), "WSock_TCPCreate(): no free sockets");
    WSock_TCPClose(3);
    EXPECT_FATAL(WSock_TCPClose(3), "WSock_TCPClose(): socket 3 is not open");
    EXPECT_FATAL(WSock_TCPRecvData(WSOCK_MAX_SOCKETS, nullptr, 0, nullptr),
                 "WSock_TCPRecvData(): socket 16 is not open");
}

TEST(Ras, NoDialUpConnectionCanBeMade)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(RAS_Init());
    EXPECT_FALSE(RAS_StartDial());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "RAS_Init(): no rasapi32.dll found\nRAS_StartDial(): dial failed\n");
    EXPECT_EQ(RAS_GetDialState(), 0);
    EXPECT_EQ(RAS_GetEntryCount(), 0);
}
