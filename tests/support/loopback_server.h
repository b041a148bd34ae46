// tests/support/loopback_server.h: a server of our own on 127.0.0.1 that stands for a remote
// machine: it accepts one connection on a port the system picks, plays one scripted behaviour
// and records every byte the client sent.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

struct LoopbackPiece {
    std::string bytes;
    int pauseMsBefore = 0;
};

enum class LoopbackMode {
    Reply,          // the pieces in order, then a close
    Silent,         // accepts and sends nothing until the client goes
    CloseAtOnce,    // accepts and closes without reading
    ReplyAndReset,  // the pieces, then a reset instead of an orderly close
};

struct LoopbackBehaviour {
    LoopbackMode mode = LoopbackMode::Reply;
    std::vector<LoopbackPiece> pieces;
    // Read a whole HTTP request (its head and a Content-Length body) before replying.
    bool readRequest = true;
};

// The reply as pieces of at most `pieceSize` bytes each.
std::vector<LoopbackPiece> LoopbackSplit(const std::string& reply, size_t pieceSize);

class LoopbackServer {
public:
    explicit LoopbackServer(LoopbackBehaviour behaviour);
    ~LoopbackServer();  // waits for the connection to end (never more than a few seconds)
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t Port() const { return m_port; }
    // Everything the client sent, once the connection has ended.
    const std::string& Received();

    // A port on 127.0.0.1 with no listener: connections to it are refused.
    static uint16_t RefusedPort();

private:
    void Serve();

    LoopbackBehaviour m_behaviour;
    int m_listener = -1;
    uint16_t m_port = 0;
    std::string m_received;
    std::thread m_thread;
};
