#pragma once
// The electrical conductivity of de-ionized (pure) water against temperature: what the
// instrument's cell-constant measurement assumes of the water the probe stands in.

namespace sim {

// Siemens per metre at a temperature in degrees Celsius (0 to 100; clamped outside),
// about 5.5e-6 S/m at 25 C, rising steeply with temperature.
double pureWaterConductivity(double celsius);

}  // namespace sim
