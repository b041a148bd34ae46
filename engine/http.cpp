// engine/http.cpp: Base64 and the HTTP 1.0 client.
#include "engine/http.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include <strings.h>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/wsock.h"

namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kScheme[] = "http://";
constexpr int32_t kSchemeLength = 7;
constexpr int32_t kReadPieceSize = 4096;

struct HttpState {
    std::string proxyHost;  // empty: no proxy
    std::string proxyPort;
    uint32_t timeoutMs;
    bool cancelRequested;
};

HttpState s_http = {"", "", HTTP_TIMEOUT_MS, false};

struct ParsedUrl {
    std::string host;
    std::string port;
    const char* path;  // from the "/" after the host
};

// HTTP_BAD_URL unless the scheme is http; a URL without a "/" after the host is our own misuse.
uint32_t ParseUrl(const char* url, ParsedUrl* parsed)
{
    if (strncasecmp(url, kScheme, kSchemeLength) != 0) return HTTP_BAD_URL;
    const char* host = url + kSchemeLength;
    const char* path = std::strchr(host, '/');
    if (path == nullptr) FatalAbort("http", __LINE__, "Cannot find end of hostname in URL");
    const char* colon = static_cast<const char*>(std::memchr(host, ':', path - host));
    parsed->host.assign(host, colon != nullptr ? colon : path);
    parsed->port = colon != nullptr ? std::string(colon + 1, path) : "80";
    parsed->path = path;
    return 0;
}

void FormatDate(char* out, size_t size)
{
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const time_t seconds = static_cast<time_t>(ClockWallSeconds());
    tm utc{};
    gmtime_r(&seconds, &utc);
    std::snprintf(out, size, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[utc.tm_wday], utc.tm_mday,
                  kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
}

// Runs one callback step; false when it ends the request with HTTP_CANCELLED.
bool RunStep(HttpCallback* cb, HttpReason reason)
{
    cb->reason = reason;
    cb->fn(cb);
    if (cb->cancel) {
        DebugPrintf(DBG_NETWORK, 1,
                    "HTTP_CB_Default(): custom callback has cancelled (cb->Reason = %d)\n", reason);
        return false;
    }
    if (s_http.cancelRequested) {
        HTTP_CB_Default(cb);
        return false;
    }
    return true;
}

// Socket failures as the client's codes: a time-out and a line too long keep their own.
uint32_t RequestCode(WSockResult result)
{
    if (result == WSOCK_TIMEOUT || result == WSOCK_LINE_FULL) return result;
    return HTTP_NETWORK_FAILURE;
}

uint32_t SendLine(int32_t socket, const char* text)
{
    const WSockResult result = WSock_TCPSendTextLine(socket, text, "\r\n", HTTP_TIMEOUT_MS);
    return result == WSOCK_OK ? 0 : RequestCode(result);
}

// A reply line without its "\r\n" (a bare "\n" ends one too).
uint32_t ReadLine(int32_t socket, char* line)
{
    const WSockResult result =
        WSock_TCPReadTextLine(socket, line, HTTP_MAX_LINE + 1, "\n", s_http.timeoutMs);
    if (result != WSOCK_OK) return RequestCode(result);
    const size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\r') line[length - 1] = '\0';
    return 0;
}

uint32_t SendRequest(int32_t socket, const char* method, const char* url, const ParsedUrl& parsed,
                     HttpCallback* cb)
{
    // The request line is the longest: the method, a URL of any length and the version.
    const std::string requestLine =
        std::string(method) + " " + (s_http.proxyHost.empty() ? parsed.path : url) + " HTTP/1.0";
    char date[64];
    FormatDate(date, sizeof date);
    const std::string ownLines[] = {requestLine, "Host: " + parsed.host,
                                    "User-Agent: Brix-gfxlib/0.1", std::string("Date: ") + date};
    for (const std::string& line : ownLines) {
        if (const uint32_t result = SendLine(socket, line.c_str())) return result;
    }
    for (;;) {
        cb->line = nullptr;
        if (!RunStep(cb, HTTP_REASON_HEADERS)) return HTTP_CANCELLED;
        if (cb->line == nullptr) break;
        if (const uint32_t result = SendLine(socket, cb->line)) return result;
    }
    if (const uint32_t result = SendLine(socket, "")) return result;
    if (cb->bodySize > 0) {
        const WSockResult result =
            WSock_TCPSendDataFully(socket, cb->body, cb->bodySize, HTTP_TIMEOUT_MS);
        if (result != WSOCK_OK) return RequestCode(result);
    }
    DebugPrintf(DBG_NETWORK, 1, "HTTP_Request(): request sent - waiting for reply\n");
    return 0;
}

uint32_t ReadStatus(int32_t socket, HttpCallback* cb)
{
    char line[HTTP_MAX_LINE + 1];
    if (const uint32_t result = ReadLine(socket, line)) return result;
    int major = 0, minor = 0, status = 0;
    if (std::strncmp(line, "HTTP/", 5) != 0
        || std::sscanf(line + 5, "%d.%d %d", &major, &minor, &status) != 3) {
        std::printf("Warning: HTTP_Request(): cannot process reply status '%s'\n", line);
        return HTTP_NOT_HTTP1;
    }
    if (major != 1) {
        std::printf("Warning: HTTP_Request(): HTTP major version not 1 (was HTTP/%d.%d)\n", major,
                    minor);
        return HTTP_NOT_HTTP1;
    }
    cb->status = status;
    cb->line = line;
    return RunStep(cb, HTTP_REASON_STATUS) ? 0 : HTTP_CANCELLED;
}

// The header lines up to the empty one; the announced body length, -1 when none.
uint32_t ReadHeaders(int32_t socket, HttpCallback* cb, int64_t* contentLength)
{
    *contentLength = -1;
    char line[HTTP_MAX_LINE + 1];
    for (;;) {
        if (const uint32_t result = ReadLine(socket, line)) return result;
        if (line[0] == '\0') return 0;
        DebugPrintf(DBG_NETWORK, 1, "HTTP_Request(): got header '%s'\n", line);
        if (strncasecmp(line, "Content-Length:", 15) == 0) {
            char* end = nullptr;
            const long long length = std::strtoll(line + 15, &end, 10);
            if (end != line + 15 && length >= 0) *contentLength = length;
        }
        cb->line = line;
        if (!RunStep(cb, HTTP_REASON_HEADER)) return HTTP_CANCELLED;
    }
}

// Until the server closes; a body shorter than announced is a reply cut short.
uint32_t ReadBody(int32_t socket, HttpCallback* cb, int64_t contentLength)
{
    uint8_t piece[kReadPieceSize];
    int64_t total = 0;
    for (;;) {
        // The first byte waits for the server; the rest is whatever has arrived with it.
        WSockResult result = WSock_TCPRecvDataFully(socket, piece, 1, s_http.timeoutMs);
        if (result == WSOCK_LINK_DOWN) break;
        if (result != WSOCK_OK) return RequestCode(result);
        int32_t more = 0;
        result = WSock_TCPRecvData(socket, piece + 1, kReadPieceSize - 1, &more);
        total += 1 + more;
        cb->data = piece;
        cb->size = 1 + more;
        if (!RunStep(cb, HTTP_REASON_DATA)) return HTTP_CANCELLED;
        if (result == WSOCK_LINK_DOWN) break;
    }
    cb->data = nullptr;
    cb->size = 0;
    if (contentLength >= 0 && total < contentLength) {
        DebugPrintf(DBG_NETWORK, 1, "HTTP_Request(): reply cut short after %lld of %lld bytes\n",
                    static_cast<long long>(total), static_cast<long long>(contentLength));
        return HTTP_NETWORK_FAILURE;
    }
    return RunStep(cb, HTTP_REASON_DONE) ? 0 : HTTP_CANCELLED;
}

uint32_t Connect(int32_t socket, const ParsedUrl& parsed)
{
    const bool proxied = !s_http.proxyHost.empty();
    const std::string& host = proxied ? s_http.proxyHost : parsed.host;
    const std::string& port = proxied ? s_http.proxyPort : parsed.port;
    uint32_t address = 0;
    uint16_t portNumber = 0;
    if (WSock_LookupHost(host.c_str(), &address) != WSOCK_OK
        || WSock_TCPLookupService(port.c_str(), &portNumber) != WSOCK_OK
        || WSock_TCPConnect(socket, address, portNumber, s_http.timeoutMs) != WSOCK_OK) {
        return HTTP_NETWORK_FAILURE;
    }
    return 0;
}

// The simple calls' own record, in HttpCallback::user.
struct SimpleRequest {
    uint8_t* buffer;  // memory form
    FILE* file;       // file form
    int32_t max;
    int32_t received;
    int32_t headerCount;
    int32_t headersSent;
    char headers[3][HTTP_MAX_LINE + 1];
};

void StoreData(SimpleRequest* rq, const uint8_t* data, int32_t size)
{
    if (rq->file != nullptr) {
        DebugPrintf(DBG_NETWORK, 1, "HTTP_CB_Simple(): read %d bytes to file offset %d\n", size,
                    rq->received);
        if (std::fwrite(data, 1, static_cast<size_t>(size), rq->file)
            != static_cast<size_t>(size)) {
            std::printf("Warning: HTTP_CB_SimpleRequest(): cannot write the file\n");
        }
    } else {
        DebugPrintf(DBG_NETWORK, 1, "HTTP_CB_Simple(): read %d bytes\n", size);
        std::memcpy(rq->buffer + rq->received, data, static_cast<size_t>(size));
    }
    rq->received += size;
}

uint32_t RunSimple(const char* method, const char* url, const char* user, const char* password,
                   SimpleRequest* rq, const void* body, int32_t bodySize)
{
    if (user != nullptr) {
        if (std::strlen(user) > HTTP_MAX_CREDENTIAL
            || std::strlen(password) > HTTP_MAX_CREDENTIAL) {
            std::printf("Warning: HTTP_SimpleGet(): user or password longer than %d characters\n",
                        HTTP_MAX_CREDENTIAL);
            return HTTP_BAD_URL;
        }
        char credentials[2 * HTTP_MAX_CREDENTIAL + 2];
        std::snprintf(credentials, sizeof credentials, "%s:%s", user, password);
        char encoded[HttpBase64Size(sizeof credentials)];
        HTTP_Base64Encode(credentials, static_cast<int32_t>(std::strlen(credentials)), encoded);
        std::snprintf(rq->headers[rq->headerCount++], HTTP_MAX_LINE + 1, "Authorization: Basic %s",
                      encoded);
    }
    if (body != nullptr) {
        std::snprintf(rq->headers[rq->headerCount++], HTTP_MAX_LINE + 1, "Content-Length: %d",
                      bodySize);
        std::snprintf(rq->headers[rq->headerCount++], HTTP_MAX_LINE + 1,
                      "Content-Type: application/octet-stream");
    }
    HttpCallback cb{};
    cb.fn = HTTP_CB_SimpleRequest;
    cb.user = rq;
    cb.body = body;
    cb.bodySize = bodySize;
    uint32_t result = HTTP_Request(method, url, &cb);
    if (result != 0) return result;
    DebugPrintf(DBG_NETWORK, 1, "HTTP_SimpleGet(): success - closing connection\n");
    if (cb.status < 200 || cb.status > 299) result = HTTP_STATUS_FAILED;
    return result;
}

uint32_t SimpleGetMemory(const char* url, const char* user, const char* password, void* buffer,
                         int32_t max, int32_t* received)
{
    SimpleRequest rq{};
    rq.buffer = static_cast<uint8_t*>(buffer);
    rq.max = max;
    const uint32_t result = RunSimple("GET", url, user, password, &rq, nullptr, 0);
    *received = rq.received;
    return result;
}

// Written beside the target and moved into place only when complete, so a failed request never
// leaves half a file nor spoils the one already there.
uint32_t SimpleGetFile(const char* url, const char* user, const char* password,
                       const char* fileName, int32_t max)
{
    const std::string temporary = std::string(fileName) + ".part";
    SimpleRequest rq{};
    rq.file = std::fopen(temporary.c_str(), "wb");
    rq.max = max;
    if (rq.file == nullptr) {
        std::printf("Warning: HTTP_SimpleGetFile(): cannot write '%s'\n", temporary.c_str());
        return HTTP_NETWORK_FAILURE;
    }
    uint32_t result = RunSimple("GET", url, user, password, &rq, nullptr, 0);
    const bool written = std::ferror(rq.file) == 0;
    if (std::fclose(rq.file) != 0 || !written) {
        if (result == 0) result = HTTP_NETWORK_FAILURE;
    }
    if (result == 0 && std::rename(temporary.c_str(), fileName) != 0) {
        std::printf("Warning: HTTP_SimpleGetFile(): cannot write '%s'\n", fileName);
        result = HTTP_NETWORK_FAILURE;
    }
    if (result != 0) std::remove(temporary.c_str());
    return result;
}

uint32_t SimplePost(const char* url, const char* user, const char* password, const void* data,
                    int32_t size)
{
    SimpleRequest rq{};
    return RunSimple("POST", url, user, password, &rq, data, size);
}

}  // namespace

void HTTP_Base64Encode(const void* data, int32_t size, char* out)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (int32_t at = 0; at < size; at += 3) {
        const int32_t count = size - at < 3 ? size - at : 3;
        uint32_t group = static_cast<uint32_t>(bytes[at]) << 16;
        if (count > 1) group |= static_cast<uint32_t>(bytes[at + 1]) << 8;
        if (count > 2) group |= bytes[at + 2];
        *out++ = kBase64Alphabet[group >> 18];
        *out++ = kBase64Alphabet[(group >> 12) & 0x3F];
        *out++ = count > 1 ? kBase64Alphabet[(group >> 6) & 0x3F] : '=';
        *out++ = count > 2 ? kBase64Alphabet[group & 0x3F] : '=';
    }
    *out = '\0';
}

void HTTP_Init() { s_http = {"", "", HTTP_TIMEOUT_MS, false}; }

uint32_t HTTP_Request(const char* method, const char* url, HttpCallback* cb)
{
    s_http.cancelRequested = false;
    cb->cancel = false;
    cb->status = 0;
    ParsedUrl parsed;
    if (ParseUrl(url, &parsed) != 0) return HTTP_BAD_URL;
    const int32_t socket = WSock_TCPCreate();
    uint32_t result = Connect(socket, parsed);
    if (result == 0) result = SendRequest(socket, method, url, parsed, cb);
    if (result == 0) result = ReadStatus(socket, cb);
    int64_t contentLength = -1;
    if (result == 0) result = ReadHeaders(socket, cb, &contentLength);
    if (result == 0) result = ReadBody(socket, cb, contentLength);
    WSock_TCPClose(socket);
    cb->line = nullptr;
    return result;
}

void HTTP_CB_Default(HttpCallback* cb)
{
    if (!s_http.cancelRequested) return;
    DebugPrintf(DBG_NETWORK, 1, "HTTP_CB_Default(): forced cancel of request\n");
    cb->cancel = true;
}

void HTTP_CancelRequest() { s_http.cancelRequested = true; }

void HTTP_SetProxy(const char* host, const char* port)
{
    s_http.proxyHost = host;
    s_http.proxyPort = port;
}

void HTTP_ClearProxy()
{
    s_http.proxyHost.clear();
    s_http.proxyPort.clear();
}

void HTTP_SetTimeout(uint32_t timeoutMs) { s_http.timeoutMs = timeoutMs; }

void HTTP_CB_SimpleRequest(HttpCallback* cb)
{
    SimpleRequest* rq = static_cast<SimpleRequest*>(cb->user);
    if (cb->reason == HTTP_REASON_HEADERS) {
        if (rq->headersSent < rq->headerCount) cb->line = rq->headers[rq->headersSent++];
        return;
    }
    if (cb->reason != HTTP_REASON_DATA || (rq->buffer == nullptr && rq->file == nullptr)) return;
    if (cb->size > rq->max - rq->received) {
        StoreData(rq, cb->data, rq->max - rq->received);
        std::printf("HTTP_CB_SimpleRequest(): too much data was recieved!\n");
        cb->cancel = true;
        return;
    }
    StoreData(rq, cb->data, cb->size);
}

uint32_t HTTP_SimpleGet(const char* url, void* buffer, int32_t max, int32_t* received)
{
    return SimpleGetMemory(url, nullptr, nullptr, buffer, max, received);
}

uint32_t HTTP_SimpleGetAuth(const char* url, const char* user, const char* password, void* buffer,
                            int32_t max, int32_t* received)
{
    return SimpleGetMemory(url, user, password, buffer, max, received);
}

uint32_t HTTP_SimpleGetFile(const char* url, const char* fileName, int32_t max)
{
    return SimpleGetFile(url, nullptr, nullptr, fileName, max);
}

uint32_t HTTP_SimpleGetFileAuth(const char* url, const char* user, const char* password,
                                const char* fileName, int32_t max)
{
    return SimpleGetFile(url, user, password, fileName, max);
}

uint32_t HTTP_SimplePost(const char* url, const void* data, int32_t size)
{
    return SimplePost(url, nullptr, nullptr, data, size);
}

uint32_t HTTP_SimplePostAuth(const char* url, const char* user, const char* password,
                             const void* data, int32_t size)
{
    return SimplePost(url, user, password, data, size);
}
