#include "engine/http.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/host/inject.h"
#include "engine/wsock.h"
#include "tests/support/loopback_server.h"
#include "tests/support/support.h"

namespace {

constexpr char kOk[] = "HTTP/1.0 200 OK\r\n\r\nok";

// The socket layer up, the client's settings at their defaults, diagnostics shown.
class ScopedHttp {
public:
    ScopedHttp()
    {
        WSock_Init();
        HTTP_Init();
        DebugSetLevel(DBG_NETWORK, 1);
    }
    ~ScopedHttp() { HTTP_Init(); }

private:
    ScopedCore m_core;
};

std::string Url(uint16_t port, const char* path)
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

std::string HeadOf(const std::string& requestLine, const std::string& host)
{
    return requestLine + "\r\nHost: " + host
           + "\r\nUser-Agent: Brix-gfxlib/0.1\r\nDate: Sat, 01 Jan 2000 00:00:00 GMT\r\n";
}

// Gives two header lines of its own (`user` counts them), then stores nothing.
void TwoHeaderLines(HttpCallback* cb)
{
    static const char* const kLines[] = {"X-One: 1", "X-Two: 2", nullptr};
    int* next = static_cast<int*>(cb->user);
    if (cb->reason == HTTP_REASON_HEADERS) cb->line = kLines[(*next)++];
}

void CancelAtFirstHeader(HttpCallback* cb)
{
    if (cb->reason == HTTP_REASON_HEADER) cb->cancel = true;
}

// Cancels at its first piece of the body; `user` counts the pieces it was given.
void CancelRequestInBody(HttpCallback* cb)
{
    if (cb->reason != HTTP_REASON_DATA) return;
    ++*static_cast<int*>(cb->user);
    HTTP_CancelRequest();
}

}  // namespace

TEST(Http, Base64MatchesTheStandardVectorsAndCoversEveryByte)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        char out[16];
        HTTP_Base64Encode(plain, static_cast<int32_t>(std::strlen(plain)), out);
        EXPECT_STREQ(out, encoded) << plain;
    }
    // Every byte value, decoded back by the alphabet's positions.
    uint8_t all[256];
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<uint8_t>(i);
    }
    char out[HttpBase64Size(256)];
    HTTP_Base64Encode(all, 256, out);
    ASSERT_EQ(std::strlen(out), 344u);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string decoded;
    uint32_t bits = 0;
    int held = 0;
    for (const char* c = out; *c != '\0' && *c != '='; ++c) {
        bits = bits << 6 | static_cast<uint32_t>(alphabet.find(*c));
        held += 6;
        if (held >= 8) {
            held -= 8;
            decoded += static_cast<char>((bits >> held) & 0xFF);
        }
    }
    EXPECT_EQ(decoded, std::string(reinterpret_cast<const char*>(all), 256));
}

TEST(Http, PutsTheRequestOnTheWireByteForByte)
{
    ScopedHttp http;
    int32_t received = 0;
    char buffer[16];
    {
        LoopbackServer server({LoopbackMode::Reply, {{kOk}}, true});
        EXPECT_EQ(HTTP_SimpleGetAuth(Url(server.Port(), "/dir/x?y=1").c_str(), "user", "pass",
                                     buffer, 16, &received),
                  0u);
        EXPECT_EQ(server.Received(), HeadOf("GET /dir/x?y=1 HTTP/1.0", "127.0.0.1")
                                         + "Authorization: Basic dXNlcjpwYXNz\r\n\r\n");
    }
    {
        LoopbackServer server({LoopbackMode::Reply, {{kOk}}, true});
        const std::string body("\x00\x01 body\r\n\xFF", 10);
        EXPECT_EQ(HTTP_SimplePostAuth(Url(server.Port(), "/post").c_str(), "user", "pa:ss",
                                      body.data(), 10),
                  0u);
        EXPECT_EQ(server.Received(), HeadOf("POST /post HTTP/1.0", "127.0.0.1")
                                         + "Authorization: Basic dXNlcjpwYTpzcw==\r\n"
                                           "Content-Length: 10\r\n"
                                           "Content-Type: application/octet-stream\r\n\r\n"
                                         + body);
    }
    {
        // The proxy takes the connection and the whole URL; the origin is never looked up.
        LoopbackServer proxy({LoopbackMode::Reply, {{kOk}}, true});
        HTTP_SetProxy("127.0.0.1", std::to_string(proxy.Port()).c_str());
        EXPECT_EQ(HTTP_SimpleGet("HTTP://origin.invalid/page", buffer, 16, &received), 0u);
        EXPECT_EQ(proxy.Received(),
                  HeadOf("GET HTTP://origin.invalid/page HTTP/1.0", "origin.invalid") + "\r\n");
        HTTP_ClearProxy();
    }
    {
        LoopbackServer server({LoopbackMode::Reply, {{kOk}}, true});
        int next = 0;
        HttpCallback cb{};
        cb.fn = TwoHeaderLines;
        cb.user = &next;
        EXPECT_EQ(HTTP_Request("GET", Url(server.Port(), "/").c_str(), &cb), 0u);
        EXPECT_EQ(server.Received(),
                  HeadOf("GET / HTTP/1.0", "127.0.0.1") + "X-One: 1\r\nX-Two: 2\r\n\r\n");
    }
    EXPECT_EQ(HostInjectOpenSockets(), 0);
}

TEST(Http, EveryServerBehaviourEndsWithItsCodeAndNoHalfStoredBody)
{
    enum Call { GET, GET_FILE, POST, CANCEL_AT_HEADER };
    enum Where { SERVER, REFUSED, NOWHERE };
    struct Row {
        const char* name;
        Call call;
        LoopbackBehaviour behaviour;
        uint32_t code;
        const char* stored;  // memory: the bytes kept; file: the file's whole body
        int32_t max = 16;
        Where where = SERVER;
        const char* printed = "";  // a line the request must print
        const char* scheme = "http://";
    };
    const std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\nhello world";
    std::vector<LoopbackPiece> pauses = LoopbackSplit(reply, 4);
    for (size_t i = 0; i < pauses.size(); i += 3) {
        pauses[i].pauseMsBefore = 5;
    }
    const std::string longHeader =
        "HTTP/1.0 200 OK\r\nX-Long: " + std::string(2000, 'a') + "\r\n\r\nx";
    const auto reply200 = [](const std::string& bytes) {
        return LoopbackBehaviour{LoopbackMode::Reply, {{bytes}}, true};
    };
    const Row rows[] = {
        {"whole reply in one piece", GET_FILE, reply200(reply), 0, "hello world"},
        {"whole reply in pieces", GET, {LoopbackMode::Reply, pauses, true}, 0, "hello world"},
        {"no Content-Length", GET_FILE, reply200("HTTP/1.0 200 OK\r\n\r\nabc"), 0, "abc"},
        {"bare newlines, header split",
         GET,
         {LoopbackMode::Reply, {{"HTTP/1.1 200 OK\nContent-"}, {"Length: 3\n\nabc", 20}}, true},
         0,
         "abc"},
        {"empty body", GET_FILE, reply200("HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n"), 0, ""},
        {"body exactly the buffer", GET, reply200(reply), 0, "hello world", 11},
        {"reset after the whole reply",
         GET,
         {LoopbackMode::ReplyAndReset, {{reply}}, true},
         0,
         "hello world"},
        {"silent server", GET_FILE, {LoopbackMode::Silent, {}, true}, 0x2011, nullptr},
        {"refused port", GET_FILE, {}, 0x2000, nullptr, 16, REFUSED},
        {"closes at once", GET_FILE, {LoopbackMode::CloseAtOnce, {}, true}, 0x2000, nullptr},
        {"cut short", GET_FILE, reply200("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc"),
         0x2000, nullptr},
        {"HTTP/2.0", GET, reply200("HTTP/2.0 200 OK\r\n\r\nabc"), 0x2003, "", 16, SERVER,
         "Warning: HTTP_Request(): HTTP major version not 1 (was HTTP/2.0)\n"},
        {"garbage status", GET_FILE, reply200("garbage\r\n\r\nabc"), 0x2003, nullptr, 16, SERVER,
         "Warning: HTTP_Request(): cannot process reply status 'garbage'\n"},
        {"status 404", GET, reply200("HTTP/1.0 404 Not Found\r\n\r\nmissing"), 0x2004, "missing"},
        {"status 404 to a file", GET_FILE, reply200("HTTP/1.0 404 Not Found\r\n\r\nmissing"),
         0x2004, nullptr},
        {"too much for the buffer", GET, reply200(reply), 0x2002, "hell", 4, SERVER,
         "HTTP_CB_SimpleRequest(): too much data was recieved!\n"},
        {"too much for the file", GET_FILE, reply200(reply), 0x2002, nullptr, 4},
        {"header of 2,000 characters", GET_FILE, reply200(longHeader), 0x2022, nullptr},
        {"ftp URL", GET_FILE, {}, 0x2001, nullptr, 16, NOWHERE, "", "ftp://"},
        {"post", POST, reply200("HTTP/1.0 201 Created\r\n\r\nignored"), 0, ""},
        {"cancel at the first header", CANCEL_AT_HEADER,
         reply200("HTTP/1.0 200 OK\r\nServer: x\r\n\r\nabc"), 0x2002, "", 16, SERVER,
         "HTTP_CB_Default(): custom callback has cancelled (cb->Reason = 2)\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedHttp http;
        // Only the silent server is waited out: the others keep the full time-out, which a
        // loaded machine may need.
        if (row.behaviour.mode == LoopbackMode::Silent) HTTP_SetTimeout(200);
        TempDir dir;
        const std::string file = dir.Path("page.html");
        WriteTextFile(file, "old");
        std::optional<LoopbackServer> server;
        uint16_t port = LoopbackServer::RefusedPort();
        if (row.where == SERVER) {
            server.emplace(row.behaviour);
            port = server->Port();
        }
        const std::string url =
            row.scheme + std::string("127.0.0.1:") + std::to_string(port) + "/page.html";
        char buffer[32] = {};
        int32_t received = 0;
        uint32_t code = 0;
        testing::internal::CaptureStdout();
        switch (row.call) {
            case GET: code = HTTP_SimpleGet(url.c_str(), buffer, row.max, &received); break;
            case GET_FILE: code = HTTP_SimpleGetFile(url.c_str(), file.c_str(), row.max); break;
            case POST: code = HTTP_SimplePost(url.c_str(), "data", 4); break;
            case CANCEL_AT_HEADER: {
                HttpCallback cb{};
                cb.fn = CancelAtFirstHeader;
                code = HTTP_Request("GET", url.c_str(), &cb);
                break;
            }
        }
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(code, row.code);
        EXPECT_NE(printed.find(row.printed), std::string::npos) << printed;
        EXPECT_EQ(HostInjectOpenSockets(), 0);
        if (row.call == GET) {
            EXPECT_EQ(std::string(buffer, received), row.stored);
        }
        if (row.call == GET_FILE) {
            EXPECT_EQ(ReadTextFile(file), row.stored ? row.stored : "old");
            EXPECT_FALSE(std::filesystem::exists(file + ".part"));
        }
        if (row.where == NOWHERE) {
            EXPECT_EQ(printed, "");  // not even a connection tried
        }
    }
}

TEST(Http, CancelRequestStopsTheBodyAtTheNextStep)
{
    ScopedHttp http;
    LoopbackServer server(
        {LoopbackMode::Reply, {{"HTTP/1.0 200 OK\r\n\r\nfirst"}, {"second", 50}}, true});
    int pieces = 0;
    HttpCallback cb{};
    cb.fn = CancelRequestInBody;
    cb.user = &pieces;
    testing::internal::CaptureStdout();
    EXPECT_EQ(HTTP_Request("GET", Url(server.Port(), "/").c_str(), &cb), HTTP_CANCELLED);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(pieces, 1);  // the second piece is never read
    EXPECT_NE(printed.find("127.0.0.1 (" + std::to_string(server.Port()) + ")\n"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("HTTP_CB_Default(): forced cancel of request\n"), std::string::npos)
        << printed;
    EXPECT_EQ(HostInjectOpenSockets(), 0);
}

TEST(HttpDeathTest, AUrlWithoutTheEndOfItsHostIsFatal)
{
    ScopedHttp http;
    HttpCallback cb{};
    cb.fn = HTTP_CB_Default;
    EXPECT_FATAL(HTTP_Request("GET", "http://host", &cb), "Cannot find end of hostname in URL");
}
