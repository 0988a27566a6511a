#pragma once
// A data-link transport for tests: servers are entries of a table, time is the fixture's
// virtual clock, and what the link did is kept in a log that outlives the transport.

#include "dynaview/dde/link_transport.h"
#include "platform/clock.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dynaview::testing {

struct FakeServer {
    std::set<std::string> topics;
    std::map<std::string, std::string> items;
    std::uint32_t readyAt = 0;  // clock tick from which it answers
};

struct FakeLinkLog {
    std::map<std::uintptr_t, std::pair<std::string, std::string>> open;  // handle: service, topic
    std::vector<std::string> started;
    std::vector<std::string> requests;
    std::vector<std::pair<std::uintptr_t, std::string>> advised;
    std::vector<std::uintptr_t> disconnected;
};

class FakeLinkTransport : public link::LinkTransport {
public:
    FakeLinkTransport(platform::Clock& clock, std::shared_ptr<FakeLinkLog> log) : clock_(clock), log_(std::move(log)) {}

    std::map<std::string, FakeServer> running;            // by service
    std::map<std::string, std::pair<std::string, FakeServer>> startable;  // by command line: service, server
    std::uint32_t startUpMs = 300;
    int adviseError = link::NoLinkError;

    int connect(std::uintptr_t handle, const std::string& service, const std::string& topic) override {
        auto server = running.find(service);
        if (server == running.end() || !server->second.topics.count(topic) || clock_.tickCount() < server->second.readyAt)
            return link::NoConversationEstablished;
        log_->open[handle] = {service, topic};
        return link::NoLinkError;
    }
    bool alive(std::uintptr_t handle) override { return log_->open.count(handle) && running.count(log_->open[handle].first); }
    int request(std::uintptr_t handle, const std::string& item, std::uint32_t, std::string& text) override {
        log_->requests.push_back(item);
        if (!alive(handle)) return link::ServerDied;
        const FakeServer& server = running[log_->open[handle].first];
        auto found = server.items.find(item);
        if (found == server.items.end()) return link::NotProcessed;
        text = found->second;
        return link::NoLinkError;
    }
    int advise(std::uintptr_t handle, const std::string& item, std::uint32_t) override {
        if (adviseError != link::NoLinkError) return adviseError;
        log_->advised.emplace_back(handle, item);
        return link::NoLinkError;
    }
    void disconnect(std::uintptr_t handle) override {
        if (log_->open.erase(handle)) log_->disconnected.push_back(handle);
    }
    bool startServer(const std::string& commandLine) override {
        log_->started.push_back(commandLine);
        auto found = startable.find(commandLine);
        if (found == startable.end()) return false;
        FakeServer server = found->second.second;
        server.readyAt = clock_.tickCount() + startUpMs;
        running[found->second.first] = server;
        return true;
    }
    void waitForService(const std::string&, std::uint32_t ms, platform::Clock& clock) override { clock.delay(ms); }

    // A server's new text of an item, sent to every conversation that advised it.
    void change(const std::string& service, const std::string& item, const std::string& text) {
        for (const auto& [handle, item2] : std::vector(log_->advised))
            if (item2 == item && log_->open.count(handle) && log_->open[handle].first == service && events_)
                events_->adviseData(handle, item, text);
    }
    // The server goes away: its conversations are told.
    void stop(const std::string& service) {
        running.erase(service);
        std::vector<std::uintptr_t> handles;
        for (const auto& [handle, place] : log_->open)
            if (place.first == service) handles.push_back(handle);
        for (std::uintptr_t handle : handles)
            if (events_) events_->disconnected(handle);
    }
    void reconnect(std::uintptr_t handle) {
        if (events_) events_->reconnected(handle);
    }

private:
    platform::Clock& clock_;
    std::shared_ptr<FakeLinkLog> log_;
};

}  // namespace dynaview::testing
