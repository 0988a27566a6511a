#pragma once
// The type codes of dynaview's objects and the sizes of their records, which are part of
// the interface (WRGetDynTypeSize); the C++ objects need not have these sizes.

#include <cstdint>

namespace dynaview {

enum DynType : std::int16_t {
    AlarmLinesType = 100,
    AlarmMarksType = 101,
    DynamicGridType = 102,
    ScrollGraphType = 103,
    XYGraphType = 104,
    TimeLabelsType = 105,
    BarGraphType = 106,
    TextType = 107,
    MessageType = 108,
    AnnunciatorType = 109,
    MeterType = 110,
    ControlType = 111,
};

// Subtypes of the text object.
constexpr std::int16_t DynamicTextSubtype = 1;
constexpr std::int16_t AlarmTextSubtype = 6;

// The record size of a type, 0 for a code that is not one of dynaview's.
int DynTypeSize(int type);

}  // namespace dynaview
