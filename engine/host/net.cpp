// engine/host/net.cpp: IPv4 TCP over POSIX sockets; the only code of the game that includes the
// system's socket headers.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"

namespace {

constexpr int32_t kMaxUdpSize = 65507;  // 65,535 less the IPv4 and UDP headers
constexpr int32_t kMaxSockets = 16;

struct NetState {
    HostNetReason lastReason;
    int32_t openSockets;
};

NetState s_net;

HostNetReason ReasonOf(int error)
{
    switch (error) {
        case ECONNREFUSED: return HOST_NET_REASON_REFUSED;
        case ECONNRESET:
        case EPIPE:
        case ENOTCONN: return HOST_NET_REASON_RESET;
        case ENETUNREACH:
        case EHOSTUNREACH: return HOST_NET_REASON_UNREACHABLE;
        case ETIMEDOUT: return HOST_NET_REASON_TIMED_OUT;
        default: return HOST_NET_REASON_OTHER;
    }
}

int32_t Failed(int error)
{
    if (error == EAGAIN || error == EWOULDBLOCK) return HOST_NET_WOULD_BLOCK;
    s_net.lastReason = ReasonOf(error);
    return HOST_NET_ERROR;
}

// A received count of 0 means the peer closed its side.
int32_t Received(ssize_t count)
{
    if (count > 0) return static_cast<int32_t>(count);
    if (count == 0) return HOST_NET_CLOSED;
    return Failed(errno);
}

}  // namespace

bool HostNetStart(HostNetInfo* info)
{
    s_net.lastReason = HOST_NET_REASON_NONE;
    *info = {};
    std::snprintf(info->description, sizeof info->description, "POSIX sockets");
    std::snprintf(info->status, sizeof info->status, "Running");
    info->maxSockets = kMaxSockets;
    info->maxUdpSize = kMaxUdpSize;
    return true;
}

void HostNetStop() { s_net.lastReason = HOST_NET_REASON_NONE; }

HostNetReason HostNetLastReason() { return s_net.lastReason; }

bool HostNetResolve(const char* name, uint32_t* ipv4)
{
    in_addr address{};
    if (inet_pton(AF_INET, name, &address) == 1) {
        *ipv4 = ntohl(address.s_addr);
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0 || found == nullptr) {
        s_net.lastReason = HOST_NET_REASON_NOT_FOUND;
        return false;
    }
    *ipv4 = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return true;
}

bool HostNetService(const char* name, uint16_t* port)
{
    char* end = nullptr;
    const long number = std::strtol(name, &end, 10);
    if (*name != '\0' && *end == '\0') {
        if (number < 1 || number > 65535) {
            s_net.lastReason = HOST_NET_REASON_NOT_FOUND;
            return false;
        }
        *port = static_cast<uint16_t>(number);
        return true;
    }
    servent entry{};
    servent* found = nullptr;
    char scratch[1024];
    if (getservbyname_r(name, "tcp", &entry, scratch, sizeof scratch, &found) != 0
        || found == nullptr) {
        s_net.lastReason = HOST_NET_REASON_NOT_FOUND;
        return false;
    }
    *port = ntohs(static_cast<uint16_t>(found->s_port));
    return true;
}

int32_t HostTcpOpen()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return Failed(errno);
    ++s_net.openSockets;
    return fd;
}

bool HostTcpConnect(int32_t socket, uint32_t ipv4, uint16_t port, uint32_t timeoutMs)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(ipv4);
    if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
    }
    if (errno != EINPROGRESS) {
        Failed(errno);
        return false;
    }
    if (!HostTcpWait(socket, false, timeoutMs)) {
        s_net.lastReason = HOST_NET_REASON_TIMED_OUT;
        return false;
    }
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size);
    if (error != 0) {
        Failed(error);
        return false;
    }
    return true;
}

void HostTcpClose(int32_t socket)
{
    if (close(socket) == 0) --s_net.openSockets;
}

int32_t HostTcpSend(int32_t socket, const void* data, int32_t count)
{
    if (count == 0) return 0;
    const ssize_t sent = send(socket, data, static_cast<size_t>(count), MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<int32_t>(sent);
    return Failed(errno);
}

int32_t HostTcpRecv(int32_t socket, void* buffer, int32_t count)
{
    if (count == 0) return 0;
    return Received(recv(socket, buffer, static_cast<size_t>(count), 0));
}

int32_t HostTcpPeek(int32_t socket, void* buffer, int32_t count)
{
    if (count == 0) return 0;
    return Received(recv(socket, buffer, static_cast<size_t>(count), MSG_PEEK));
}

bool HostTcpWait(int32_t socket, bool forRead, uint32_t timeoutMs)
{
    pollfd entry{socket, static_cast<short>(forRead ? POLLIN : POLLOUT), 0};
    int ready;
    do {
        ready = poll(&entry, 1, static_cast<int>(timeoutMs));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

int32_t HostInjectOpenSockets() { return s_net.openSockets; }
