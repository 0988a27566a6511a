#include "dynaview/dde/link_state.h"

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/dde/bus_transport.h"
#include "dynaview/dde/link_text.h"
#include "dynaview/dde/mqtt_transport.h"
#include "dynaview/datasets/data_updates.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/datasets/single_precision.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/library.h"
#include "platform/numbers.h"
#include "plotbase/environment.h"

#include <QCoreApplication>
#include <QTimer>

#include <vector>

namespace dynaview {

namespace {

// Texts longer than this are cut: what a server name or an item can sensibly be.
constexpr std::size_t MaxNameLength = 255;

void setFail(DynDataSet& set, bool on) {
    for (int channel = 0; channel < set.channels; ++channel) {
        std::uint8_t& state = set.alarm.currentState[static_cast<std::size_t>(channel)];
        state = on ? static_cast<std::uint8_t>(state | AlarmBit(FailAlarm)) : static_cast<std::uint8_t>(state & ~AlarmBit(FailAlarm));
    }
}

void reportLinkError(plotbase::Environment& env, int error, const std::string& text) {
    if (error >= link::AdviseAckTimeout && error <= link::UnfoundQueueId)
        ReportDynError(env, link::ReportedLinkError(error), 2, text);
}

// Leaves the transport to the event loop when an event of it is being handled (it is on
// the stack), else ends it now.
void retire(std::unique_ptr<link::LinkTransport> transport, bool dispatching) {
    if (!transport) return;
    transport->setEvents(nullptr);
    if (dispatching && QCoreApplication::instance()) {
        std::shared_ptr<link::LinkTransport> held(std::move(transport));
        QTimer::singleShot(0, QCoreApplication::instance(), [held] {});
    }
}

bool isBrokerService(const std::string& service) { return service.rfind("mqtt://", 0) == 0; }

}  // namespace

std::uintptr_t StringHandles::handle(const std::string& text) {
    auto found = handles_.find(text);
    if (found != handles_.end()) return found->second;
    // Odd numbers well away from the conversation and data handles, so that a mix-up shows.
    const std::uintptr_t handle = 0x10001 + 2 * handles_.size();
    handles_.emplace(text, handle);
    texts_.emplace(handle, text);
    return handle;
}

const std::string* StringHandles::text(std::uintptr_t handle) const {
    auto found = texts_.find(handle);
    return found == texts_.end() ? nullptr : &found->second;
}

LinkState::~LinkState() {
    end();
    *alive = false;
}

Conversation* LinkState::find(std::uintptr_t handle) {
    if (handle == 0) return nullptr;
    for (Conversation& c : conversations)
        if (c.handle == handle) return &c;
    return nullptr;
}

void LinkState::release(Conversation& conversation) {
    if (conversation.itemCount > 0) --conversation.itemCount;
    if (conversation.itemCount > 0) return;
    if (conversation.transport) conversation.transport->disconnect(conversation.handle);
    conversation = Conversation{};
}

void LinkState::end() {
    for (Conversation& c : conversations) {
        if (c.handle && c.transport) c.transport->disconnect(c.handle);
        c = Conversation{};
    }
    retire(std::move(bus), dispatching > 0);
    retire(std::move(broker), dispatching > 0);
    instance = 0;
}

void LinkState::adviseData(std::uintptr_t conversation, const std::string& item, const std::optional<std::string>& text) {
    Conversation* c = find(conversation);
    if (!c || !env) return;
    RTTop* top = TopOf(*env);
    if (!top) return;
    std::uintptr_t dataHandle = 0;
    if (text) {
        dataHandle = ++lastData;
        data.emplace(dataHandle, *text);
    }
    const std::shared_ptr<bool> stillAlive = alive;
    ++dispatching;
    HandleLinkEvent(*env, *top, DV_LINK_ADVDATA, DV_LINK_TEXT, conversation, c->topic, strings.handle(item), dataHandle, 0, 0);
    if (!*stillAlive) return;
    --dispatching;
    data.erase(dataHandle);
}

void LinkState::disconnected(std::uintptr_t conversation) { conversationEvent(conversation, DV_LINK_DISCONNECT); }

void LinkState::reconnected(std::uintptr_t conversation) { conversationEvent(conversation, DV_LINK_CONNECT_CONFIRM); }

void LinkState::conversationEvent(std::uintptr_t conversation, unsigned event) {
    Conversation* c = find(conversation);
    if (!c || !env) return;
    RTTop* top = TopOf(*env);
    if (!top) return;
    const std::shared_ptr<bool> stillAlive = alive;
    ++dispatching;
    HandleLinkEvent(*env, *top, event, 0, conversation, c->topic, c->service, 0, 0, 0);
    if (*stillAlive) --dispatching;
}

LinkState& LinkStateOf(RTTop& top) { return top.familyState<LinkState>(LinkState::FamilyName); }

namespace {

// The data sets an event concerns: those of the conversation's items (with `item`: only
// those of that item), each once.
std::vector<LinkItem> itemsOf(const Conversation& c, std::optional<std::uintptr_t> item = std::nullopt) {
    std::vector<LinkItem> items;
    for (const auto& record : c.items)
        if (record && (!item || record->itemString == *item)) items.push_back(*record);
    return items;
}

// Puts the numbers of an advise into the data set as the classic link did: an item whose
// first text held fewer than 2 values is one channel moving on; else the numbers go into
// the channels from channel 0.
void applyAdvise(DynDataSet& set, const LinkItem& item, const std::vector<double>& values) {
    if (values.empty()) return;
    if (item.valuesReceived < 2) {
        set.previous[0] = set.current[0];
        set.current[0] = ToSingle(values[0]);
        return;
    }
    for (std::size_t i = 0; i < values.size() && i < static_cast<std::size_t>(MaxChannels); ++i) {
        set.previous[i] = set.current[i];
        set.current[i] = ToSingle(values[i]);
    }
}

// Runs WRUpdateData for a link-fed data set; false when the link went away meanwhile.
bool update(int index, const std::shared_ptr<bool>& stillAlive) {
    WRUpdateData(index, nullptr, 0);
    return *stillAlive;
}

std::intptr_t onAdviseData(plotbase::Environment& env, RTTop& top, LinkState& state, Conversation& c, std::uintptr_t itemString,
                           std::uintptr_t dataHandle) {
    std::string text;
    auto held = state.data.find(dataHandle);
    if (held != state.data.end()) {
        text = held->second;
    } else {
        // The event carries no text: ask for it.
        const std::string* item = state.strings.text(itemString);
        if (!item || !c.transport || c.transport->request(c.handle, *item, link::TransactionTimeoutMs, text) != link::NoLinkError)
            return DV_LINK_ACK;
    }
    const std::vector<double> values = link::ParseItemNumbers(link::ReceivedText(text), env.numbers.decimalSeparator());
    const std::shared_ptr<bool> stillAlive = state.alive;
    for (const LinkItem& item : itemsOf(c, itemString)) {
        DynDataSet* set = top.dataSets.at(item.dataSet);
        if (!DataSetAlive(env, &top, item.dataSet, item.set) || !set->ddeLink) continue;
        applyAdvise(*set, item, values);
        if (set->ddeLink->autoUpdate && !values.empty() && !update(item.dataSet, stillAlive)) break;
    }
    return DV_LINK_ACK;
}

// The server went away: every fed channel enters Fail (reported by the alarm check) and the
// conversation ends with all its items (on a broker it waits for the reconnection).
void onDisconnect(plotbase::Environment& env, RTTop& top, LinkState& state, Conversation& c) {
    const std::vector<LinkItem> items = itemsOf(c);
    // A broker connection comes back by itself: its conversation waits for it.
    if (!c.transport || !c.transport->reconnectsByItself()) {
        if (c.transport) c.transport->disconnect(c.handle);
        c = Conversation{};
    }
    const std::shared_ptr<bool> stillAlive = state.alive;
    for (const LinkItem& item : items) {
        if (!DataSetAlive(env, &top, item.dataSet, item.set)) continue;
        setFail(*top.dataSets.at(item.dataSet), true);
        if (!update(item.dataSet, stillAlive)) return;
    }
}

// A broker connection came back: the fed channels leave Fail.
void onReconnect(plotbase::Environment& env, RTTop& top, LinkState& state, Conversation& c) {
    const std::shared_ptr<bool> stillAlive = state.alive;
    for (const LinkItem& item : itemsOf(c)) {
        if (!DataSetAlive(env, &top, item.dataSet, item.set)) continue;
        setFail(*top.dataSets.at(item.dataSet), false);
        if (!update(item.dataSet, stillAlive)) return;
    }
}

}  // namespace

std::intptr_t HandleLinkEvent(plotbase::Environment& env, RTTop& top, unsigned type, unsigned format, std::uintptr_t conversation,
                              std::uintptr_t string1, std::uintptr_t string2, std::uintptr_t data, std::uintptr_t data1,
                              std::uintptr_t data2) {
    LinkState& state = LinkStateOf(top);
    Conversation* c = state.find(conversation);
    if (!c) return 0;
    const std::shared_ptr<bool> stillAlive = state.alive;
    if (type == DV_LINK_ADVDATA) return onAdviseData(env, top, state, *c, string2, data);
    if (type == DV_LINK_DISCONNECT) onDisconnect(env, top, state, *c);
    if (type == DV_LINK_CONNECT_CONFIRM) onReconnect(env, top, state, *c);
    if (!*stillAlive) return 0;
    RTTop* stillTop = TopOf(env);
    const DVDdeProc procedure = stillTop ? stillTop->ddeProcedure : nullptr;
    return procedure ? procedure(type, format, conversation, string1, string2, data, data1, data2) : 0;
}

std::uintptr_t InitLink(plotbase::Environment& env, RTTop& top) {
    LinkState& state = LinkStateOf(top);
    state.env = &env;
    if (state.instance) return state.instance;
    if (!state.bus) state.bus = link::OpenBusTransport();
    if (!state.bus) return 0;
    state.bus->setEvents(&state);
    state.instance = 1;
    return state.instance;
}

namespace {

link::LinkTransport* brokerOf(LinkState& state) {
    if (!state.broker) {
        state.broker = state.makeBroker ? state.makeBroker() : link::OpenBrokerTransport();
        if (state.broker) state.broker->setEvents(&state);
    }
    return state.broker.get();
}

// Finds or opens the conversation with the service on the topic; null after reporting.
Conversation* conversationFor(plotbase::Environment& env, LinkState& state, link::LinkTransport& transport, const std::string& service,
                              const std::string& topic, const char* serverCommandLine) {
    const std::uintptr_t serviceString = state.strings.handle(service);
    const std::uintptr_t topicString = state.strings.handle(topic);
    for (Conversation& c : state.conversations)
        if (c.handle && c.service == serviceString && c.topic == topicString && c.transport == &transport && transport.alive(c.handle))
            return &c;
    Conversation* slot = nullptr;
    for (Conversation& c : state.conversations)
        if (!c.handle) {
            slot = &c;
            break;
        }
    if (!slot) {
        ReportDynError(env, TooManyConversations);
        return nullptr;
    }
    const std::uintptr_t handle = ++state.lastConversation;
    int error = transport.connect(handle, service, topic);
    if (error != link::NoLinkError) {
        if (!serverCommandLine) {
            reportLinkError(env, error, service);
            return nullptr;
        }
        const std::string commandLine = CutText(serverCommandLine, 4 * MaxNameLength);
        if (!transport.startServer(commandLine)) {
            reportLinkError(env, error, commandLine);
            return nullptr;
        }
        if (platform::Clock* clock = Library::instance().clock()) transport.waitForService(service, state.serverStartWaitMs, *clock);
        // The wait ran the event loop: the table may have changed.
        slot = nullptr;
        for (Conversation& c : state.conversations)
            if (!c.handle) {
                slot = &c;
                break;
            }
        error = slot ? transport.connect(handle, service, topic) : link::NoLinkError;
        if (!slot) {
            ReportDynError(env, TooManyConversations);
            return nullptr;
        }
        if (error != link::NoLinkError) {
            reportLinkError(env, error, service);
            return nullptr;
        }
    }
    *slot = Conversation{};
    slot->handle = handle;
    slot->service = serviceString;
    slot->topic = topicString;
    slot->transport = &transport;
    return slot;
}

}  // namespace

std::uintptr_t ConnectLink(plotbase::Environment& env, RTTop& top, int dataSet, const char* serverCommandLine, const char* serviceName,
                           const char* topic, const char* item, int autoUpdate) {
    DynDataSet* set = api::DataSetOrReport(env, top, dataSet, "WRConnectDDE");
    if (!set) return 0;
    LinkState& state = LinkStateOf(top);
    state.env = &env;
    const std::shared_ptr<bool> stillAlive = state.alive;
    // Every failure from here on leaves the data set's channels in Fail.
    auto fail = [&]() -> std::uintptr_t {
        if (*stillAlive && DataSetAlive(env, TopOf(env), dataSet, set)) setFail(*set, true);
        return 0;
    };
    if (!topic || !item) {
        api::Refuse(env, "WRConnectDDE");
        return fail();
    }
    const std::string service = serviceName ? CutText(serviceName, MaxNameLength)
                                            : (serverCommandLine ? link::ServiceFromCommandLine(CutText(serverCommandLine, 4 * MaxNameLength)) : "");
    link::LinkTransport* transport = nullptr;
    if (isBrokerService(service)) {
        transport = brokerOf(state);
    } else {
        InitLink(env, top);
        transport = state.bus.get();
    }
    if (!transport) {
        reportLinkError(env, link::DllNotInitialized, service);
        return fail();
    }
    const std::string topicText = CutText(topic, MaxNameLength);
    const std::string itemText = CutText(item, MaxNameLength);
    Conversation* c = conversationFor(env, state, *transport, service, topicText, serverCommandLine);
    if (!*stillAlive) return 0;
    if (!c) return fail();
    const std::uintptr_t handle = c->handle;
    setFail(*set, false);
    if (set->alarm.limit(FailAlarm).message.empty()) set->alarm.limit(FailAlarm).message = "FAIL";

    std::size_t slot = 0;
    while (slot < c->items.size() && c->items[slot]) ++slot;
    if (slot == c->items.size() || c->itemCount >= MaxConversationItems) {
        ReportDynError(env, TooManyItems);
        if (c->itemCount == 0) state.release(*c);
        return fail();
    }
    ++c->itemCount;
    if (!set->ddeLink) set->ddeLink = std::make_unique<DdeLinkCell>();
    set->ddeLink->autoUpdate = autoUpdate;

    std::string text;
    const int requestError = transport->request(handle, itemText, link::TransactionTimeoutMs, text);
    if (requestError != link::NoLinkError) {
        reportLinkError(env, requestError, " - " + itemText);
        state.release(*c);
        return fail();
    }
    // The record goes in now, so that a procedure run by the update below cannot take the slot.
    const std::vector<double> values = link::ParseItemNumbers(link::ReceivedText(text), env.numbers.decimalSeparator());
    for (std::size_t i = 0; i < values.size(); ++i) set->current[i] = ToSingle(values[i]);
    const std::uintptr_t itemString = state.strings.handle(itemText);
    c->items[slot] = LinkItem{itemString, dataSet, set, static_cast<std::uint16_t>(values.size())};

    if (autoUpdate && !update(dataSet, stillAlive)) return 0;
    c = state.find(handle);
    if (!c || !c->items[slot] || c->items[slot]->itemString != itemString) return fail();  // gone meanwhile

    const int adviseError = transport->advise(handle, itemText, link::TransactionTimeoutMs);
    if (adviseError != link::NoLinkError && adviseError != link::NotProcessed) {
        reportLinkError(env, adviseError, " - " + itemText);
        c->items[slot].reset();
        state.release(*c);
        return fail();
    }
    return handle;
}

}  // namespace dynaview
