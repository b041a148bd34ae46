// engine/http.h: Base64 and an HTTP 1.0 client over the socket layer: one request driven through
// a callback, and simple calls that GET into memory or a file and POST a buffer, with Basic
// authentication and an optional proxy. The socket layer must be initialised.
#pragma once

#include <cstdint>

// Result codes beyond the socket layer's.
constexpr uint32_t HTTP_NETWORK_FAILURE = 0x2000;  // a socket failure, a reply cut short
constexpr uint32_t HTTP_BAD_URL = 0x2001;          // not "http://", or credentials too long
constexpr uint32_t HTTP_CANCELLED = 0x2002;        // the callback cancelled, or too much data
constexpr uint32_t HTTP_NOT_HTTP1 = 0x2003;        // a status line that is not HTTP 1.x
constexpr uint32_t HTTP_STATUS_FAILED = 0x2004;    // simple calls: a status other than 2xx

constexpr int32_t HTTP_MAX_CREDENTIAL = 63;  // characters of a user name or a password
constexpr int32_t HTTP_MAX_LINE = 1023;      // characters of a status or header line
constexpr uint32_t HTTP_TIMEOUT_MS = 2000;   // for every send, and every wait for reply data

// Base64 (RFC 2045 alphabet, "=" padding) of `size` bytes into `out`, with a final 0; `out`
// holds HttpBase64Size(size) bytes.
constexpr int32_t HttpBase64Size(int32_t size) { return (size + 2) / 3 * 4 + 1; }
void HTTP_Base64Encode(const void* data, int32_t size, char* out);

// The steps at which HTTP_Request calls its callback.
enum HttpReason : int32_t {
    HTTP_REASON_HEADERS,  // set `line` to a header line to send; asked again until it is null
    HTTP_REASON_STATUS,   // `line` and `status` hold the reply's status
    HTTP_REASON_HEADER,   // `line` holds one header line of the reply
    HTTP_REASON_DATA,     // `data` and `size` hold the next piece of the body
    HTTP_REASON_DONE,     // the whole body has arrived
};

struct HttpCallback;
using HttpCallbackFunction = void (*)(HttpCallback* cb);

struct HttpCallback {
    HttpCallbackFunction fn;
    int32_t reason;  // HttpReason
    const char* line;
    const uint8_t* data;
    int32_t size;
    int32_t status;  // from the status line on
    bool cancel;     // set by the callback: the request ends with HTTP_CANCELLED
    void* user;
    const void* body;  // set by the caller: sent after the header (a POST)
    int32_t bodySize;
};

// Resets the proxy, the time-out and the cancel flag.
void HTTP_Init();

// Connects, sends the request and hands the reply to the callback. 0 once the whole reply has
// arrived, whatever its status; otherwise a code, with the connection closed. A URL without a
// "/" after the host is fatal (a caller's bug).
uint32_t HTTP_Request(const char* method, const char* url, HttpCallback* cb);
// Skips reply data; cancels when HTTP_CancelRequest was called.
void HTTP_CB_Default(HttpCallback* cb);
// The request under way ends with HTTP_CANCELLED after its next callback step.
void HTTP_CancelRequest();

// Requests go to this proxy (a host name or address and a port), with the whole URL in the
// request line, until cleared. Nothing in the game sets one.
void HTTP_SetProxy(const char* host, const char* port);
void HTTP_ClearProxy();
// The wait for reply data; tests shorten it.
void HTTP_SetTimeout(uint32_t timeoutMs);

// The simple calls: 0, or a code as HTTP_Request's, and HTTP_STATUS_FAILED for a status other
// than 2xx (the body is still handed over). More than `max` bytes of body is HTTP_CANCELLED:
// memory keeps the first `max`. A file is written beside its name and moved into place only
// when the whole body has arrived; on any failure no file is left and an existing one stays.
uint32_t HTTP_SimpleGet(const char* url, void* buffer, int32_t max, int32_t* received);
uint32_t HTTP_SimpleGetAuth(const char* url, const char* user, const char* password, void* buffer,
                            int32_t max, int32_t* received);
uint32_t HTTP_SimpleGetFile(const char* url, const char* fileName, int32_t max);
uint32_t HTTP_SimpleGetFileAuth(const char* url, const char* user, const char* password,
                                const char* fileName, int32_t max);
// Posts `size` bytes; the reply's body is skipped.
uint32_t HTTP_SimplePost(const char* url, const void* data, int32_t size);
uint32_t HTTP_SimplePostAuth(const char* url, const char* user, const char* password,
                             const void* data, int32_t size);
// The callback of the simple calls; `user` is their own request record.
void HTTP_CB_SimpleRequest(HttpCallback* cb);
