#pragma once
// The data link of one environment: the conversation table (5 conversations of 16 items
// each), the string and data handles the application's link procedure sees, the ways to
// reach servers (the session bus, and an MQTT broker for "mqtt://" services), and the
// events arriving from them. Made by WRInitDde, ended by RTCleanup.

#include "dynaview/dde/link_transport.h"
#include "dynaview/frame/rt_top.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace dynaview {

class DynDataSet;

constexpr int MaxConversations = 5;
constexpr int MaxConversationItems = 16;

// One connected item: which data set it feeds and how many values its first text held.
struct LinkItem {
    std::uintptr_t itemString = 0;
    int dataSet = 0;
    const DynDataSet* set = nullptr;  // identity only: the index may be reused after a free
    std::uint16_t valuesReceived = 0;
};

struct Conversation {
    std::uintptr_t handle = 0;  // 0: the slot is free
    std::uintptr_t service = 0;
    std::uintptr_t topic = 0;
    link::LinkTransport* transport = nullptr;
    std::uint16_t itemCount = 0;
    std::array<std::optional<LinkItem>, MaxConversationItems> items;
};

// Texts the link hands out as handles: the same text always has the same handle.
class StringHandles {
public:
    std::uintptr_t handle(const std::string& text);
    const std::string* text(std::uintptr_t handle) const;

private:
    std::map<std::string, std::uintptr_t> handles_;
    std::map<std::uintptr_t, std::string> texts_;
};

class LinkState : public FamilyState, public link::LinkEvents {
public:
    static constexpr const char* FamilyName = "dde";
    ~LinkState() override;

    // The ways to servers; tests put their own in before WRInitDde.
    std::unique_ptr<link::LinkTransport> bus;
    std::unique_ptr<link::LinkTransport> broker;
    std::function<std::unique_ptr<link::LinkTransport>()> makeBroker;
    // How long a started server may take to appear before the second try.
    std::uint32_t serverStartWaitMs = 500;

    std::uintptr_t instance = 0;
    plotbase::Environment* env = nullptr;
    std::array<Conversation, MaxConversations> conversations;
    StringHandles strings;
    std::uintptr_t lastConversation = 0;

    // The texts of events in flight, by data handle.
    std::map<std::uintptr_t, std::string> data;
    std::uintptr_t lastData = 0;

    // False once the state is gone (the application cleaned up from a procedure we called).
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    // Events being handled: a clean-up meanwhile leaves the transports to the event loop.
    int dispatching = 0;

    Conversation* find(std::uintptr_t handle);
    // One item fewer; the last one ends the conversation and frees its slot.
    void release(Conversation& conversation);
    // Ends every conversation and the ways to servers.
    void end();

    void adviseData(std::uintptr_t conversation, const std::string& item, const std::optional<std::string>& text) override;
    void disconnected(std::uintptr_t conversation) override;
    void reconnected(std::uintptr_t conversation) override;
    // A conversation's connection event, handed to the link's handling as DdeCallback would.
    void conversationEvent(std::uintptr_t conversation, unsigned event);
};

// The environment's link state, made on first use.
LinkState& LinkStateOf(RTTop& top);

// The link's handling of one event, as the exported DdeCallback does it.
std::intptr_t HandleLinkEvent(plotbase::Environment& env, RTTop& top, unsigned type, unsigned format, std::uintptr_t conversation,
                              std::uintptr_t string1, std::uintptr_t string2, std::uintptr_t data, std::uintptr_t data1,
                              std::uintptr_t data2);

// WRInitDde: the instance, made on first use with a connection to the session bus; 0 when
// there is no bus to connect to.
std::uintptr_t InitLink(plotbase::Environment& env, RTTop& top);

// WRConnectDDE.
std::uintptr_t ConnectLink(plotbase::Environment& env, RTTop& top, int dataSet, const char* serverCommandLine,
                           const char* serviceName, const char* topic, const char* item, int autoUpdate);

}  // namespace dynaview
