// engine/wsock.cpp: the TCP socket layer over the host's sockets.
#include "engine/wsock.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/host.h"

namespace {

constexpr int32_t kFreeSlot = -1;

struct WSockState {
    bool initialised;
    int32_t slots[WSOCK_MAX_SOCKETS];  // the host's socket, or kFreeSlot
};

WSockState s_wsock;

struct NamedCode {
    WSockResult code;
    const char* text;
};

constexpr NamedCode kNamedCodes[] = {
    {WSOCK_OK, "No error"},
    {WSOCK_WOULD_BLOCK, "Operation would block"},
    {WSOCK_LINK_DOWN, "The communications link is down"},
    {WSOCK_TIMEOUT, "A timeout occured waiting for the request"},
    {WSOCK_NOT_AVAILABLE, "The service is not available"},
    {WSOCK_LINE_UNFINISHED, "No more data, but the end of the line was missing"},
    {WSOCK_LINE_FULL, "The line buffer is full, and the end of line wasn't found"},
};

// Real time: the peer lives on a real network, whatever clock the game runs on.
class Deadline {
public:
    explicit Deadline(uint32_t timeoutMs)
        : m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs))
    {
    }
    // Milliseconds left, rounded up so that a wait never ends before the deadline.
    uint32_t Left() const
    {
        const auto left = m_end - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return 0;
        return static_cast<uint32_t>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

private:
    std::chrono::steady_clock::time_point m_end;
};

void WSock_AbortUninit()
{
    if (s_wsock.initialised) WSock_Uninit();
}

int32_t HostSocketOf(int32_t socket, const char* caller)
{
    if (socket < 0 || socket >= WSOCK_MAX_SOCKETS || s_wsock.slots[socket] == kFreeSlot) {
        char message[96];
        std::snprintf(message, sizeof message, "%s(): socket %d is not open", caller, socket);
        FatalAbort("wsock", __LINE__, message);
    }
    return s_wsock.slots[socket];
}

WSockResult CodeOfReason(HostNetReason reason)
{
    switch (reason) {
        case HOST_NET_REASON_REFUSED:
        case HOST_NET_REASON_UNREACHABLE:
        case HOST_NET_REASON_NOT_FOUND: return WSOCK_NOT_AVAILABLE;
        case HOST_NET_REASON_TIMED_OUT: return WSOCK_TIMEOUT;
        default: return WSOCK_LINK_DOWN;
    }
}

// A host transfer's answer as a result code and a byte count.
WSockResult ResultOf(int32_t answer, int32_t* moved)
{
    *moved = answer > 0 ? answer : 0;
    if (answer >= 0) return WSOCK_OK;
    if (answer == HOST_NET_WOULD_BLOCK) return WSOCK_WOULD_BLOCK;
    if (answer == HOST_NET_CLOSED) return WSOCK_LINK_DOWN;
    return CodeOfReason(HostNetLastReason());
}

using Transfer = WSockResult (*)(int32_t socket, void* data, int32_t count, int32_t* moved);

WSockResult SendSome(int32_t socket, void* data, int32_t count, int32_t* moved)
{
    return WSock_TCPSendData(socket, data, count, moved);
}

// Moves the whole count, waiting for the socket whenever it would block.
WSockResult TransferFully(int32_t socket, uint8_t* data, int32_t count, uint32_t timeoutMs,
                          Transfer transfer, bool forRead)
{
    const Deadline deadline(timeoutMs);
    int32_t done = 0;
    while (done < count) {
        int32_t moved = 0;
        const WSockResult result = transfer(socket, data + done, count - done, &moved);
        done += moved;
        if (result == WSOCK_OK) continue;
        if (result != WSOCK_WOULD_BLOCK) return result;
        const uint32_t left = deadline.Left();
        if (left == 0 || !HostTcpWait(s_wsock.slots[socket], forRead, left)) return WSOCK_TIMEOUT;
    }
    return WSOCK_OK;
}

}  // namespace

void WSock_Init()
{
    if (s_wsock.initialised) FatalAbort("wsock", __LINE__, "WSock_Init(): already initialised");
    s_wsock = {};
    for (int32_t& slot : s_wsock.slots) {
        slot = kFreeSlot;
    }
    HostNetInfo info;
    HostNetStart(&info);
    DebugPrintf(DBG_NETWORK, 1, "%s\n%s\n", info.description, info.status);
    DebugPrintf(DBG_NETWORK, 1, "WSock_Init(): max sockets: %d, max UDP size: %d\n",
                info.maxSockets, info.maxUdpSize);
    s_wsock.initialised = true;
    OnExitAddEx(WSock_AbortUninit, "WSock_AbortUninit()");
}

void WSock_Uninit()
{
    if (!s_wsock.initialised) FatalAbort("wsock", __LINE__, "WSock_Uninit(): not initialised");
    for (int32_t socket = 0; socket < WSOCK_MAX_SOCKETS; ++socket) {
        if (s_wsock.slots[socket] == kFreeSlot) continue;
        std::printf("Warning: WSock_Uninit(): socket %d not closed\n", socket);
        WSock_TCPClose(socket);
    }
    HostNetStop();
    s_wsock.initialised = false;
    OnExitRemove(WSock_AbortUninit);
}

bool WSock_IsInitialised() { return s_wsock.initialised; }

const char* WSock_ErrorText(WSockResult code)
{
    for (const NamedCode& named : kNamedCodes) {
        if (named.code == code) return named.text;
    }
    if (code & WSOCK_TEMPORARY) return "An unknown temporary error occured";
    if (code & WSOCK_PERMANENT) return "An unknown permanent error occured";
    return "An unknown error occured";
}

WSockResult WSock_LookupHost(const char* name, uint32_t* address)
{
    if (HostNetResolve(name, address)) return WSOCK_OK;
    DebugPrintf(DBG_NETWORK, 1, "WSock_LookupHost(): cannot find '%s'\n", name);
    return WSOCK_NOT_AVAILABLE;
}

WSockResult WSock_TCPLookupService(const char* name, uint16_t* port)
{
    if (HostNetService(name, port)) return WSOCK_OK;
    DebugPrintf(DBG_NETWORK, 1, "WSock_TCPLookupService(): cannot find '%s'\n", name);
    return WSOCK_NOT_AVAILABLE;
}

int32_t WSock_TCPCreate()
{
    if (!s_wsock.initialised) FatalAbort("wsock", __LINE__, "WSock_TCPCreate(): not initialised");
    for (int32_t socket = 0; socket < WSOCK_MAX_SOCKETS; ++socket) {
        if (s_wsock.slots[socket] != kFreeSlot) continue;
        const int32_t hostSocket = HostTcpOpen();
        if (hostSocket < 0) FatalAbort("wsock", __LINE__, "WSock_TCPCreate(): no free sockets");
        s_wsock.slots[socket] = hostSocket;
        return socket;
    }
    FatalAbort("wsock", __LINE__, "WSock_TCPCreate(): no free sockets");
}

WSockResult WSock_TCPConnect(int32_t socket, uint32_t address, uint16_t port, uint32_t timeoutMs)
{
    const int32_t hostSocket = HostSocketOf(socket, "WSock_TCPConnect");
    DebugPrintf(DBG_NETWORK, 1, "%d.%d.%d.%d (%d)\n", address >> 24, (address >> 16) & 0xFF,
                (address >> 8) & 0xFF, address & 0xFF, port);
    if (HostTcpConnect(hostSocket, address, port, timeoutMs)) return WSOCK_OK;
    return CodeOfReason(HostNetLastReason());
}

void WSock_TCPClose(int32_t socket)
{
    HostTcpClose(HostSocketOf(socket, "WSock_TCPClose"));
    s_wsock.slots[socket] = kFreeSlot;
}

WSockResult WSock_TCPSendData(int32_t socket, const void* data, int32_t count, int32_t* moved)
{
    return ResultOf(HostTcpSend(HostSocketOf(socket, "WSock_TCPSendData"), data, count), moved);
}

WSockResult WSock_TCPRecvData(int32_t socket, void* buffer, int32_t count, int32_t* moved)
{
    return ResultOf(HostTcpRecv(HostSocketOf(socket, "WSock_TCPRecvData"), buffer, count), moved);
}

WSockResult WSock_TCPPeekData(int32_t socket, void* buffer, int32_t count, int32_t* moved)
{
    return ResultOf(HostTcpPeek(HostSocketOf(socket, "WSock_TCPPeekData"), buffer, count), moved);
}

WSockResult WSock_TCPSendDataFully(int32_t socket, const void* data, int32_t count,
                                   uint32_t timeoutMs)
{
    // The transfer only reads the bytes: the one signature serves both directions.
    return TransferFully(socket, static_cast<uint8_t*>(const_cast<void*>(data)), count, timeoutMs,
                         SendSome, false);
}

WSockResult WSock_TCPRecvDataFully(int32_t socket, void* buffer, int32_t count, uint32_t timeoutMs)
{
    return TransferFully(socket, static_cast<uint8_t*>(buffer), count, timeoutMs, WSock_TCPRecvData,
                         true);
}

WSockResult WSock_TCPSendTextLine(int32_t socket, const char* text, const char* terminator,
                                  uint32_t timeoutMs)
{
    const Deadline deadline(timeoutMs);
    const WSockResult result =
        WSock_TCPSendDataFully(socket, text, static_cast<int32_t>(std::strlen(text)), timeoutMs);
    if (result != WSOCK_OK) return result;
    return WSock_TCPSendDataFully(socket, terminator, static_cast<int32_t>(std::strlen(terminator)),
                                  deadline.Left());
}

WSockResult WSock_TCPReadTextLine(int32_t socket, char* line, int32_t size, const char* terminator,
                                  uint32_t timeoutMs)
{
    // Byte by byte, so that nothing past the terminator is taken from the socket.
    const Deadline deadline(timeoutMs);
    const int32_t terminatorLength = static_cast<int32_t>(std::strlen(terminator));
    int32_t length = 0;
    int32_t matched = 0;  // bytes of the terminator seen so far, held back from the line
    line[0] = '\0';
    auto append = [&](char c) {
        if (length >= size - 1) return false;
        line[length++] = c;
        line[length] = '\0';
        return true;
    };
    while (matched < terminatorLength) {
        char c;
        const WSockResult result = WSock_TCPRecvDataFully(socket, &c, 1, deadline.Left());
        if (result == WSOCK_LINK_DOWN) return WSOCK_LINE_UNFINISHED;
        if (result != WSOCK_OK) return result;
        if (c == terminator[matched]) {
            ++matched;
            continue;
        }
        // A false start of the terminator belongs to the line after all.
        for (int32_t i = 0; i < matched; ++i) {
            if (!append(terminator[i])) return WSOCK_LINE_FULL;
        }
        matched = 0;
        if (c == terminator[0]) {
            matched = 1;
        } else if (!append(c)) {
            return WSOCK_LINE_FULL;
        }
    }
    return WSOCK_OK;
}
