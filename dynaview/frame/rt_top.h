#pragma once
// dynaview's extension of an environment (one per environment, made by InitRTTop, freed by
// RTCleanup): the data sets 1 to 199, the application's alarm and data-link procedures,
// and the state a family keeps per environment (PID loops, link conversations ...).

#include "dynaview/datasets/data_set_table.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/environment.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace dynaview {

using AlarmProcedure = std::function<void(int dataSet, int channel, int kind, double value, int state)>;

class FamilyState {
public:
    virtual ~FamilyState() = default;
};

class RTTop : public plotbase::Extension {
public:
    explicit RTTop(plotbase::Environment& env) : env_(env) {}
    ~RTTop() override;

    DataSetTable dataSets;
    AlarmProcedure alarmProcedure;  // none: alarms are not reported
    DVDdeProc ddeProcedure = nullptr;

    // A family's own state in this environment, made on first use.
    template <typename T>
    T& familyState(const std::string& family) {
        auto& slot = families_[family];
        if (!slot) slot = std::make_unique<T>();
        return static_cast<T&>(*slot);
    }
    void dropFamilyState(const std::string& family) { families_.erase(family); }

private:
    plotbase::Environment& env_;
    std::map<std::string, std::unique_ptr<FamilyState>> families_;
};

// The environment's extension, or null when it has none (or another library's).
RTTop* TopOf(plotbase::Environment& env);

}  // namespace dynaview
