#pragma once
// What hangs on the instrument's connector: the cable, the probe and the medium around it.

namespace sim {

struct Medium {
    double dielectric = 20.0;     // apparent dielectric constant Ka
    double conductivity = 0.02;   // bulk electrical conductivity, S/m

    bool operator==(const Medium&) const = default;
};

struct Cable {
    double length = 5.0;     // physical length to the probe head, metres
    double velocity = 0.67;  // true propagation velocity, relative to the speed of light

    bool operator==(const Cable&) const = default;
};

struct Probe {
    double rodLength = 0.3;        // metres
    double cellConstant = 6.0;     // Kp, 1/m: the probe's resistance is Kp / EC
    double airImpedance = 150.0;   // characteristic impedance of the rods in air, ohms
    // The probe's handle at the end of the cable: a short section of higher impedance (its
    // apparent length at Vp 1) that shows as a bump ending where the probe starts.
    double handleImpedance = 200.0;
    double handleLength = 0.08;
    // Matched line between the probe's start and its rods: apparent length at Vp 1 (what
    // the probe offset setting compensates).
    double headLength = 0.0;

    bool operator==(const Probe&) const = default;
};

}  // namespace sim
