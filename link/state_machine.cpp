#include "link/state_machine.h"

namespace instrument {

StateSet States(std::initializer_list<int> numbers) {
    StateSet set;
    for (int n : numbers)
        if (n >= 0 && n < 256) set.set(static_cast<std::size_t>(n));
    return set;
}

TStateMach::TStateMach(platform::Clock& clock) : clock_(clock) {
    timer_ = clock_.createTimer(platform::TimerKind::Periodic, [this] { Tick(); });
}

TStateMach::~TStateMach() = default;

int TStateMach::AddState(std::string name, const StateSet& allowed, TStateNode::Action action, std::uint32_t timeoutMs,
                         std::uint8_t failNext, std::uint8_t successNext) {
    if (nodes_.size() >= MaxStates) return 1;
    auto node = std::make_shared<TStateNode>();
    node->Name = std::move(name);
    node->Allowed = allowed;
    node->TimeoutMs = timeoutMs;
    node->FailNext = failNext;
    node->SuccessNext = successNext;
    node->Action_ = std::move(action);
    nodes_.push_back(std::move(node));
    return 0;
}

TStateNode* TStateMach::Node(int s) const {
    if (s < 0 || static_cast<std::size_t>(s) >= nodes_.size()) return nullptr;
    return nodes_[static_cast<std::size_t>(s)].get();
}

void TStateMach::Enter(int s) {
    std::shared_ptr<TStateNode> node = nodes_.at(static_cast<std::size_t>(s));
    node->Active = true;
    node->Status = 0;
    node->EnteredAt = clock_.tickCount();
    node->ExitCode = ExitSuccess;
    // An action that forgets to set its result counts as having failed to start.
    std::int32_t result = -1;
    if (node->Action_) {
        // The action may Stop() the machine (the end state does); `node` keeps it alive.
        auto action = node->Action_;
        action(result);
    }
    node->Status = result == 0 ? 1 : -1;
}

void TStateMach::Leave(int s) {
    if (TStateNode* node = Node(s)) {
        node->Active = false;
        node->EnteredAt = 0;
    }
}

void TStateMach::Start(int first) {
    if (nodes_.empty() || !Node(first)) return;
    for (auto& node : nodes_) node->Active = false;
    current_ = first;
    timer_->start(TickMs);
    Enter(first);
}

void TStateMach::Stop() {
    if (!nodes_.empty()) {
        for (std::size_t s = 0; s < nodes_.size(); ++s) Leave(static_cast<int>(s));
        timer_->stop();
        nodes_.clear();
    }
    current_ = -1;
}

int TStateMach::GoTo(int next) {
    if (current_ < 0) return 5;
    TStateNode* node = Node(current_);
    if (!node || next < 0 || next > 255 || !node->Allowed.test(static_cast<std::size_t>(next)) || !Node(next)) return 2;
    Leave(current_);
    node->Status = 0;
    ActionDone = false;
    current_ = next;
    Node(next)->Status = 0;
    Enter(next);
    return 0;
}

int TStateMach::Abort() {
    TStateNode* node = Node(current_);
    if (!node) return 5;
    node->ExitCode = ExitTimeLimit;
    ActionDone = false;
    return GoTo(node->FailNext);
}

void TStateMach::Tick() {
    if (current_ < 0) return;
    TStateNode* node = Node(current_);
    if (ActionDone && node->Status != 0) {
        ActionDone = false;
        if (node->Status == 1 && node->Allowed.test(node->SuccessNext)) {
            node->ExitCode = ExitSuccess;
            GoTo(node->SuccessNext);
        } else {
            node->ExitCode = node->Status == 1 ? ExitNotAllowed : ExitActionFailed;
            GoTo(node->FailNext);
        }
    }
    if (current_ < 0) return;  // the new state's action ended the chain
    node = Node(current_);
    const std::uint32_t inState = clock_.tickCount() - node->EnteredAt;  // unsigned: survives the wrap
    if (node->TimeoutMs != 0 && inState >= node->TimeoutMs) {
        node->ExitCode = ExitTimeLimit;
        ActionDone = false;
        GoTo(node->FailNext);
    }
}

std::string TStateMach::Name(int s) const { return Node(s) ? Node(s)->Name : std::string(); }
std::uint8_t TStateMach::SuccessNext(int s) const { return Node(s) ? Node(s)->SuccessNext : 0; }
void TStateMach::SetSuccessNext(int s, std::uint8_t next) {
    if (TStateNode* n = Node(s)) n->SuccessNext = next;
}
std::uint8_t TStateMach::FailNext(int s) const { return Node(s) ? Node(s)->FailNext : 0; }
StateSet TStateMach::Allowed(int s) const { return Node(s) ? Node(s)->Allowed : StateSet(); }
std::uint32_t TStateMach::EnteredAt(int s) const { return Node(s) ? Node(s)->EnteredAt : 0; }
std::uint32_t TStateMach::Timeout(int s) const { return Node(s) ? Node(s)->TimeoutMs : 0; }
std::int32_t TStateMach::Status(int s) const { return Node(s) ? Node(s)->Status : 0; }
void TStateMach::SetStatus(int s, std::int32_t status) {
    if (TStateNode* n = Node(s)) n->Status = status;
}
std::int32_t TStateMach::ExitCodeOf(int s) const { return Node(s) ? Node(s)->ExitCode : 0; }
void TStateMach::SetExitCode(int s, std::int32_t code) {
    if (TStateNode* n = Node(s)) n->ExitCode = code;
}
bool TStateMach::TimerRunning() const { return timer_->isActive(); }

}  // namespace instrument
