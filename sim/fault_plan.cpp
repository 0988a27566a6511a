#include "sim/fault_plan.h"

#include <charconv>

namespace sim {

namespace {

struct KindName {
    FaultKind kind;
    std::string_view text;
};

constexpr KindName kindNames[] = {
    {FaultKind::NoReply, "no-reply"},     {FaultKind::LateReply, "late"},
    {FaultKind::BadCrc, "bad-crc"},       {FaultKind::WrongName, "wrong-name"},
    {FaultKind::WrongSize, "wrong-size"}, {FaultKind::InstrumentError, "error"},
    {FaultKind::DeadLine, "dead-line"},   {FaultKind::CorruptRecord, "corrupt-record"},
    {FaultKind::SilentRecord, "silent-record"},
};

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool isCommandName(std::string_view text) {
    if (text.size() != 4) return false;
    for (char c : text)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return parts;
}

}  // namespace

std::optional<Fault> parseFault(std::string_view text, std::string& error) {
    const std::string quoted = "fault \"" + std::string(text) + "\": ";
    const auto parts = split(text, ':');
    if (parts.size() > 3) {
        error = quoted + "too many parts; expected KIND[=VALUE][:TARGET[:COUNT]].";
        return std::nullopt;
    }
    std::string_view kindText = parts[0];
    std::optional<std::string_view> valueText;
    if (const auto eq = kindText.find('='); eq != std::string_view::npos) {
        valueText = kindText.substr(eq + 1);
        kindText = kindText.substr(0, eq);
    }
    Fault fault;
    bool known = false;
    for (const KindName& k : kindNames)
        if (k.text == kindText) {
            fault.kind = k.kind;
            known = true;
        }
    if (!known) {
        error = quoted + "unknown kind \"" + std::string(kindText) +
                "\"; expected no-reply, late, bad-crc, wrong-name, wrong-size, error, dead-line, corrupt-record "
                "or silent-record.";
        return std::nullopt;
    }

    switch (fault.kind) {
    case FaultKind::LateReply: {
        const auto ms = valueText ? parseInt(*valueText) : std::nullopt;
        if (!ms || *ms <= 0) {
            error = quoted + "late needs a positive delay in milliseconds, e.g. late=2000.";
            return std::nullopt;
        }
        fault.value = *ms;
        break;
    }
    case FaultKind::InstrumentError: {
        const auto number = valueText ? parseInt(*valueText) : std::nullopt;
        if (!number || *number < 0 || *number > 99) {
            error = quoted + "error needs an instrument error number from 0 to 99, e.g. error=18.";
            return std::nullopt;
        }
        fault.value = *number;
        break;
    }
    case FaultKind::WrongSize: {
        fault.value = 4;
        if (valueText) {
            const auto bytes = parseInt(*valueText);
            if (!bytes || *bytes == 0 || *bytes < -65536 || *bytes > 65536) {
                error = quoted + "wrong-size takes a non-zero number of bytes to add (or remove, when negative).";
                return std::nullopt;
            }
            fault.value = *bytes;
        }
        break;
    }
    case FaultKind::CorruptRecord:
    case FaultKind::SilentRecord: {
        const auto number = valueText ? parseInt(*valueText) : std::nullopt;
        if (!number || *number <= 0) {
            error = quoted + std::string(kindText) + " needs the number of the S-record, from 1, e.g. " +
                    std::string(kindText) + "=3.";
            return std::nullopt;
        }
        fault.value = *number;
        break;
    }
    case FaultKind::WrongName:
        if (valueText) {
            if (!isCommandName(*valueText)) {
                error = quoted + "wrong-name takes a four-character command name, e.g. wrong-name=GVER.";
                return std::nullopt;
            }
            fault.name = std::string(*valueText);
        }
        break;
    default:
        if (valueText) {
            error = quoted + std::string(kindText) + " takes no value.";
            return std::nullopt;
        }
        break;
    }

    if (parts.size() >= 2 && parts[1] != "any") {
        if (fault.forRecords()) {
            error = quoted + std::string(kindText) + " applies to S-records, not to a command: leave the target out.";
            return std::nullopt;
        }
        if (!isCommandName(parts[1])) {
            error = quoted + "the target must be a four-character command name (such as GWAV) or \"any\".";
            return std::nullopt;
        }
        fault.target = std::string(parts[1]);
    }
    if (parts.size() == 3) {
        if (parts[2] == "always") {
            fault.count = Fault::Always;
        } else if (parts[2] != "once") {
            const auto n = parseInt(parts[2]);
            if (!n || *n <= 0) {
                error = quoted + "the count must be once, always or a positive number.";
                return std::nullopt;
            }
            fault.count = *n;
        }
    }
    return fault;
}

std::string describeFault(const Fault& fault) {
    std::string text;
    for (const KindName& k : kindNames)
        if (k.kind == fault.kind) text = std::string(k.text);
    switch (fault.kind) {
    case FaultKind::LateReply:
    case FaultKind::InstrumentError:
    case FaultKind::WrongSize:
    case FaultKind::CorruptRecord:
    case FaultKind::SilentRecord: text += "=" + std::to_string(fault.value); break;
    case FaultKind::WrongName:
        if (!fault.name.empty()) text += "=" + fault.name;
        break;
    default: break;
    }
    text += ":" + (fault.target.empty() ? std::string("any") : fault.target);
    text += ":" + (fault.count == Fault::Always ? std::string("always")
                   : fault.count == 1           ? std::string("once")
                                                : std::to_string(fault.count));
    return text;
}

bool FaultPlan::add(Fault fault) {
    if (faults_.size() >= MaxFaults || fault.count == 0) return false;
    faults_.push_back(std::move(fault));
    return true;
}

template <typename Applies>
std::vector<Fault> FaultPlan::takeWhere(Applies applies) {
    std::vector<Fault> applied;
    for (auto it = faults_.begin(); it != faults_.end();) {
        if (!applies(*it)) {
            ++it;
            continue;
        }
        applied.push_back(*it);
        if (it->count != Fault::Always && --it->count <= 0) {
            it = faults_.erase(it);
        } else {
            ++it;
        }
    }
    return applied;
}

std::vector<Fault> FaultPlan::take(std::string_view commandName) {
    return takeWhere([commandName](const Fault& fault) { return fault.matches(commandName); });
}

std::vector<Fault> FaultPlan::takeForRecord(int recordNumber) {
    return takeWhere(
        [recordNumber](const Fault& fault) { return fault.forRecords() && fault.value == recordNumber; });
}

}  // namespace sim
