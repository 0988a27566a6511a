#pragma once
// What the data link needs from a way of reaching servers: open a conversation with a
// service on a topic, ask whether it still answers, request an item's text, start the
// server's advise of an item, end the conversation, and start a server program. The
// session bus (D-Bus) and an MQTT broker are the two ways; tests use their own.
//
// Conversations are named by the link's handles. Whatever arrives later (a new text of an
// advised item, the server gone) is told to the LinkEvents the link gives.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {
class Clock;
}

namespace dynaview::link {

// The link's error numbers (as the classic DDE management library numbered them; the
// reported error is 100 + (number - 0x4000)).
enum LinkError : int {
    NoLinkError = 0,
    AdviseAckTimeout = 0x4000,
    Busy = 0x4001,
    DataAckTimeout = 0x4002,
    DllNotInitialized = 0x4003,
    DllUsage = 0x4004,
    ExecAckTimeout = 0x4005,
    InvalidParameter = 0x4006,
    LowMemory = 0x4007,
    MemoryError = 0x4008,
    NotProcessed = 0x4009,
    NoConversationEstablished = 0x400a,
    PokeAckTimeout = 0x400b,
    PostMessageFailed = 0x400c,
    Reentrancy = 0x400d,
    ServerDied = 0x400e,
    SystemError = 0x400f,
    UnadviseAckTimeout = 0x4010,
    UnfoundQueueId = 0x4011,
};

// The number ReportDynError shows for a link error.
constexpr int ReportedLinkError(int error) { return 100 + (error - AdviseAckTimeout); }

// The time-out of every synchronous transaction.
constexpr std::uint32_t TransactionTimeoutMs = 3000;

class LinkEvents {
public:
    virtual ~LinkEvents() = default;
    // A new text of an advised item (nullopt: the server only said it changed).
    virtual void adviseData(std::uintptr_t conversation, const std::string& item, const std::optional<std::string>& text) = 0;
    // The server went away (or the connection to it broke).
    virtual void disconnected(std::uintptr_t conversation) = 0;
    // The connection came back after disconnected() on a link that reconnects by itself.
    virtual void reconnected(std::uintptr_t conversation) = 0;
};

class LinkTransport {
public:
    virtual ~LinkTransport() = default;
    void setEvents(LinkEvents* events) { events_ = events; }

    // Opens the conversation `handle` with the service on the topic; a link error on failure.
    virtual int connect(std::uintptr_t handle, const std::string& service, const std::string& topic) = 0;
    // Whether the conversation's server still answers.
    virtual bool alive(std::uintptr_t handle) = 0;
    // The item's current text, or a link error.
    virtual int request(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs, std::string& text) = 0;
    // Starts the item's advise: from now on each change arrives as adviseData.
    virtual int advise(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs) = 0;
    // Ends the conversation (its advises stop); nothing more arrives for it.
    virtual void disconnect(std::uintptr_t handle) = 0;
    // Starts a server program from its command line; false when it cannot be started.
    virtual bool startServer(const std::string& commandLine) = 0;
    // Waits up to ms for the service to appear (at most; returning earlier when it is there).
    virtual void waitForService(const std::string& service, std::uint32_t ms, platform::Clock& clock) = 0;
    // Whether a lost connection comes back by itself (the conversation then stays).
    virtual bool reconnectsByItself() const { return false; }

protected:
    LinkEvents* events_ = nullptr;
};

}  // namespace dynaview::link
