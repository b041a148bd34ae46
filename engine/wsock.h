// engine/wsock.h: the TCP socket layer: a table of 16 sockets, transfers that loop over partial
// sends and receives within a time-out, text lines, and the result codes with their texts.
#pragma once

#include <cstdint>

constexpr int32_t WSOCK_MAX_SOCKETS = 16;

// Result codes: 0 success; bit 0x1000 marks a temporary failure, bit 0x2000 a permanent one.
using WSockResult = uint32_t;
constexpr WSockResult WSOCK_OK = 0;
constexpr WSockResult WSOCK_TEMPORARY = 0x1000;
constexpr WSockResult WSOCK_PERMANENT = 0x2000;
constexpr WSockResult WSOCK_WOULD_BLOCK = 0x1001;
constexpr WSockResult WSOCK_LINK_DOWN = 0x2001;  // the peer reset or closed the connection
constexpr WSockResult WSOCK_TIMEOUT = 0x2011;
constexpr WSockResult WSOCK_NOT_AVAILABLE = 0x2020;  // refused, or no such host or service
constexpr WSockResult WSOCK_LINE_UNFINISHED = 0x2021;
constexpr WSockResult WSOCK_LINE_FULL = 0x2022;

// Fatal when already initialised; registers "WSock_AbortUninit()" as an exit function.
void WSock_Init();
// Closes every socket still open, with a warning for each; fatal when not initialised.
void WSock_Uninit();
bool WSock_IsInitialised();
const char* WSock_ErrorText(WSockResult code);  // any code: unnamed ones by their family

// A dotted address or a host name to an IPv4 address in host order (127.0.0.1 is 0x7F000001).
WSockResult WSock_LookupHost(const char* name, uint32_t* address);
// A service name ("http") or number ("80") to a TCP port.
WSockResult WSock_TCPLookupService(const char* name, uint16_t* port);

// A free slot of the table; fatal when none is free or the layer is not initialised.
int32_t WSock_TCPCreate();
// Waits at most `timeoutMs` for the connection.
WSockResult WSock_TCPConnect(int32_t socket, uint32_t address, uint16_t port, uint32_t timeoutMs);
void WSock_TCPClose(int32_t socket);  // frees the slot; a free slot is fatal
// One transfer each, without waiting; the bytes moved are stored in `moved`. A receive from a
// peer that has closed answers WSOCK_LINK_DOWN.
WSockResult WSock_TCPSendData(int32_t socket, const void* data, int32_t count, int32_t* moved);
WSockResult WSock_TCPRecvData(int32_t socket, void* buffer, int32_t count, int32_t* moved);
WSockResult WSock_TCPPeekData(int32_t socket, void* buffer, int32_t count, int32_t* moved);
// The whole count, or a failure; the time-out (real milliseconds) is over the whole call.
WSockResult WSock_TCPSendDataFully(int32_t socket, const void* data, int32_t count,
                                   uint32_t timeoutMs);
WSockResult WSock_TCPRecvDataFully(int32_t socket, void* buffer, int32_t count, uint32_t timeoutMs);
// The text, then the terminator.
WSockResult WSock_TCPSendTextLine(int32_t socket, const char* text, const char* terminator,
                                  uint32_t timeoutMs);
// The bytes up to the terminator, without it, as a string in `line` (`size` bytes with the
// final 0). WSOCK_LINE_UNFINISHED when the peer closes first, WSOCK_LINE_FULL when the line
// does not fit.
WSockResult WSock_TCPReadTextLine(int32_t socket, char* line, int32_t size, const char* terminator,
                                  uint32_t timeoutMs);
