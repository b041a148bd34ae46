// tests/support/loopback_server.cpp: the scripted server, over POSIX sockets directly.
#include "tests/support/loopback_server.h"

#include <chrono>
#include <cstdlib>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// No wait of the server lasts longer, so a client that misbehaves cannot hang a test.
constexpr int kMaxWaitMs = 5000;

int Listen(uint16_t* port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 4) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::abort();
    }
    *port = ntohs(address.sin_port);
    return fd;
}

bool WaitReadable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0;
}

// Appends what arrives; false when the client closed, reset or stayed silent too long.
bool ReadSome(int fd, std::string* received)
{
    if (!WaitReadable(fd, kMaxWaitMs)) return false;
    char buffer[4096];
    const ssize_t count = recv(fd, buffer, sizeof buffer, 0);
    if (count <= 0) return false;
    received->append(buffer, static_cast<size_t>(count));
    return true;
}

// The head up to its empty line, then as many body bytes as its Content-Length says.
void ReadRequest(int fd, std::string* received)
{
    size_t headEnd;
    while ((headEnd = received->find("\r\n\r\n")) == std::string::npos) {
        if (!ReadSome(fd, received)) return;
    }
    size_t bodyLength = 0;
    const size_t field = received->find("Content-Length: ");
    if (field != std::string::npos && field < headEnd) {
        bodyLength = std::strtoul(received->c_str() + field + 16, nullptr, 10);
    }
    while (received->size() < headEnd + 4 + bodyLength) {
        if (!ReadSome(fd, received)) return;
    }
}

void SendAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0) return;
        done += static_cast<size_t>(sent);
    }
}

}  // namespace

std::vector<LoopbackPiece> LoopbackSplit(const std::string& reply, size_t pieceSize)
{
    std::vector<LoopbackPiece> pieces;
    for (size_t at = 0; at < reply.size(); at += pieceSize) {
        pieces.push_back({reply.substr(at, pieceSize), 0});
    }
    return pieces;
}

LoopbackServer::LoopbackServer(LoopbackBehaviour behaviour) : m_behaviour(std::move(behaviour))
{
    m_listener = Listen(&m_port);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer()
{
    if (m_thread.joinable()) m_thread.join();
    close(m_listener);
}

const std::string& LoopbackServer::Received()
{
    if (m_thread.joinable()) m_thread.join();
    return m_received;
}

uint16_t LoopbackServer::RefusedPort()
{
    uint16_t port;
    close(Listen(&port));
    return port;
}

void LoopbackServer::Serve()
{
    if (!WaitReadable(m_listener, kMaxWaitMs)) return;
    const int fd = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    if (m_behaviour.mode == LoopbackMode::CloseAtOnce) {
        close(fd);
        return;
    }
    if (m_behaviour.readRequest) ReadRequest(fd, &m_received);
    for (const LoopbackPiece& piece : m_behaviour.pieces) {
        if (piece.pauseMsBefore > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(piece.pauseMsBefore));
        }
        SendAll(fd, piece.bytes);
    }
    if (m_behaviour.mode == LoopbackMode::ReplyAndReset) {
        const linger abortive{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        close(fd);
        return;
    }
    if (m_behaviour.mode == LoopbackMode::Reply) shutdown(fd, SHUT_WR);
    // Whatever else the client sends, until it goes.
    while (ReadSome(fd, &m_received)) {
    }
    close(fd);
}
