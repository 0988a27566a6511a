#pragma once
// Faults the simulated instrument commits on demand, each aimed at one command name or at
// any framed command, for the next command only, for N commands, or for all of them.
//
// Text form (program option --fault, and parseFault):
//   KIND[=VALUE][:TARGET[:COUNT]]
//   KIND    no-reply | late=MS | bad-crc | wrong-name[=NAME] | wrong-size[=BYTES] |
//           error=N | dead-line | corrupt-record=N | silent-record=N
//   TARGET  a command name such as GWAV or S_VP, or "any" (default)
//   COUNT   once (default) | always | a number of commands (of upgrades for the record
//           faults, which take no target)

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class FaultKind {
    NoReply,          // the command is carried out, its reply is lost
    LateReply,        // the reply comes value ms later than it would
    BadCrc,           // the reply's CRC does not match
    WrongName,        // the reply names another command (name, or one chosen)
    WrongSize,        // a data reply carries value bytes more (or fewer, when negative)
    InstrumentError,  // an error reply with number value instead; the command is not carried out
    DeadLine,         // from this command on nothing is answered or echoed any more
    // The loader's faults, aimed at the value-th S-record of an upgrade (from 1):
    CorruptRecord,    // a character of the record is changed on its way, so it fails (">")
    SilentRecord,     // the record is taken but not answered
};

struct Fault {
    static constexpr int Always = -1;

    FaultKind kind = FaultKind::NoReply;
    int value = 0;
    std::string name;    // WrongName: the name to answer with; empty picks another one
    std::string target;  // command name; empty means any command
    int count = 1;       // commands still affected; Always for no limit

    bool forRecords() const { return kind == FaultKind::CorruptRecord || kind == FaultKind::SilentRecord; }
    bool matches(std::string_view commandName) const {
        return !forRecords() && (target.empty() || target == commandName);
    }
};

// Parses the text form above; on failure returns nothing and fills error with a sentence.
std::optional<Fault> parseFault(std::string_view text, std::string& error);
// The text form of a fault (parseFault reads it back).
std::string describeFault(const Fault& fault);

class FaultPlan {
public:
    static constexpr std::size_t MaxFaults = 64;

    // False when the plan is full.
    bool add(Fault fault);
    void clear() { faults_.clear(); }
    const std::vector<Fault>& faults() const { return faults_; }
    // The faults that apply to one command, in the order they were added; each one's count
    // is used up by one, and spent faults leave the plan.
    std::vector<Fault> take(std::string_view commandName);
    // The loader's faults for the recordNumber-th record of an upgrade, used up alike.
    std::vector<Fault> takeForRecord(int recordNumber);

private:
    template <typename Applies>
    std::vector<Fault> takeWhere(Applies applies);

    std::vector<Fault> faults_;
};

}  // namespace sim
