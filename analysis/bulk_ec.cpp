#include "analysis/bulk_ec.h"

#include "link/chain_steps.h"
#include "link/command_set.h"

namespace analysis {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

float BulkConductivity(float conductance, double kp) {
    if (kp == 0.0) return conductance;
    return static_cast<float>(static_cast<double>(conductance) * kp);
}

std::string FormatBulkEC(float conductance, double kp, const platform::Numbers& numbers) {
    return numbers.formatWidth(static_cast<double>(BulkConductivity(conductance, kp)), 8, 4);
}

BulkEC::BulkEC(const MeasurementContext& context) : c_(context) {}

void BulkEC::CalcBulkECClick() {
    if (c_.settings.UpdateSettings()) CalcBulEC();
}

bool BulkEC::CalcBulEC() { return instrument::StartChain(c_.machine, c_.window, c_.platform.dialogs, Chain()); }

std::vector<ChainRow> BulkEC::Chain() {
    auto act = [this](void (BulkEC::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    using namespace BulkECChain;
    auto rows = c_.settings.SettingsPrefix(End);
    const std::vector<ChainRow> own = {
        //  #      name    action                           limit    success   failure
        {Dump,  "DUMP", act(&BulkEC::DumpStep),             2000,    Gcon,     Error},
        {Gcon,  "GCON", act(&BulkEC::ConductivityStep),     10000,   End,      Error},
        {Error, "Err",  act(&BulkEC::ErrStep),              NoLimit, End,      End},
        {End,   "End",  act(&BulkEC::EndStep),              NoLimit, NoTarget, NoTarget},
    };
    rows.insert(rows.end(), own.begin(), own.end());
    return rows;
}

void BulkEC::DumpStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "DUMP", instrument::ReplyTimeouts::Dump,
                               [this](std::int32_t code) { c_.settings.DumpDone(code); }, result);
}

void BulkEC::ConductivityStep(std::int32_t& result) {
    instrument::GetCommandStep(c_.data, c_.platform.dialogs, "GCON", instrument::ReplyTimeouts::Gcon,
                               [this](std::int32_t code) { ConductivityDone(code); }, result);
}

void BulkEC::ErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(c_.machine, c_.data, c_.platform.dialogs, BulkECFailedMessage, result);
}

void BulkEC::EndStep(std::int32_t& result) { instrument::ChainEndStep(c_.machine, c_.window, c_.platform.tones, result); }

void BulkEC::ConductivityDone(std::int32_t) {
    // Whatever the outcome: the field shows what the store holds.
    c_.window.ShowBulkEC(FormatBulkEC(c_.data.GconValue, c_.window.CellConstant(), c_.platform.numbers));
    c_.machine.ActionDone = true;
}

}  // namespace analysis
