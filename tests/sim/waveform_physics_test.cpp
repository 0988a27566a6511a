// The waveforms and readings: edges where the cable, the velocity setting and the medium
// put them, the late level of the medium's conductivity, noise that averaging reduces,
// determinism per seed, and readings (GMOS, GVAR, GCON, GTIM) that agree with the trace.

#include "sim/de_ionized_water.h"
#include "sim/reference_source.h"
#include "sim/waveform_model.h"
#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace simtest {
namespace {

sim::SimulatorConfig quietConfig(double dielectric = 20.0, double conductivity = 0.02) {
    sim::SimulatorConfig config;
    config.noiseAtOneAverage = 0.0;
    config.medium = {dielectric, conductivity};
    return config;
}

std::string setting(const char* name, double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%s %.4f", name, value);
    return text;
}

// The edges a user would read off a trace: the probe's start, where the handle's bump
// falls to the rods' level (the steepest fall after the first bump out of the cable past
// 1 m), and the rod ends (the steepest rise after that), as apparent distances.
struct Edges {
    double head;
    double end;
};

Edges findEdges(const std::vector<float>& w, double start, double length) {
    const double step = length / (static_cast<double>(w.size()) - 1);
    const auto at = [&](std::size_t i) { return start + static_cast<double>(i) * step; };
    const auto d = sim::derivativePerPoint(w);
    std::size_t i = 0;
    while (i < w.size() && at(i) < 1.0) ++i;
    const float cable = i < w.size() ? w[i] : 0.0f;
    while (i < w.size() && w[i] < cable + 0.3f) ++i;
    std::size_t head = i;
    for (std::size_t k = i; k < d.size() && at(k) < at(i) + 0.2; ++k)
        if (d[k] < d[head]) head = k;
    std::size_t end = std::min(head + static_cast<std::size_t>(0.1 / step), d.size() - 1);
    for (std::size_t k = end; k < d.size(); ++k)
        if (d[k] > d[end]) end = k;
    return {at(head), at(end)};
}

Edges acquireEdges(SimHarness& sim, double start, double length) {
    sim.configure({setting("SDIS", start), setting("SWLN", length), "SPNT 2048"});
    return findEdges(sim.fetch("GWAV").values(), start, length);
}

TEST(WaveformPhysics, ProbeHeadFollowsTheCableAndVelocitySetting) {
    for (double vp : {1.0, 0.67, 0.4}) {
        SimHarness sim(quietConfig());
        sim.configure({setting("S_VP", vp)});
        const sim::Cable cable = sim.instrument.processor().config().cable;
        const double expectedHead = cable.length * vp / cable.velocity;
        const Edges edges = acquireEdges(sim, expectedHead - 1.5, 4.0);
        EXPECT_NEAR(edges.head, expectedHead, 0.01) << "Vp " << vp;
        EXPECT_NEAR(sim.instrument.model().headDistance(), expectedHead, 1e-6);
        // At Vp equal to the cable's own velocity the apparent distance is the real one.
        if (vp == 0.67) {
            EXPECT_NEAR(edges.head, cable.length, 0.01);
        }
    }
}

TEST(WaveformPhysics, RodEndMovesWithDielectricAndVelocity) {
    double previous = 0;
    for (double ka : {3.0, 10.0, 25.0, 80.0}) {
        for (double vp : {1.0, 0.5}) {
            SimHarness sim(quietConfig(ka));
            sim.configure({setting("S_VP", vp)});
            const double head = 5.0 * vp / 0.67;
            const Edges edges = acquireEdges(sim, head - 1.0, 2.0 + 0.3 * std::sqrt(ka) * vp * 1.5);
            const double expectedLength = vp * 0.3 * std::sqrt(ka);
            EXPECT_NEAR(edges.end - edges.head, expectedLength, 0.02) << "Ka " << ka << " Vp " << vp;
            EXPECT_NEAR(edges.end, head + expectedLength, 0.01) << "Ka " << ka << " Vp " << vp;
            if (vp == 1.0) {
                EXPECT_GT(edges.end - edges.head, previous);
                previous = edges.end - edges.head;
            }
        }
    }
}

TEST(WaveformPhysics, LateLevelIsSetByConductivity) {
    double previous = 2.0;
    for (double ec : {0.0, 0.002, 0.02, 0.2, 2.0}) {
        SimHarness sim(quietConfig(20, ec));
        sim.configure({"SDIS 40", "SWLN 20"});
        const auto w = sim.fetch("GWAV").values();
        const double late = w.back();
        const double expected = ec > 0 ? (6.0 / ec - 50) / (6.0 / ec + 50) : 1.0;
        EXPECT_NEAR(late, expected, 0.01) << ec << " S/m";
        EXPECT_LT(late, previous);
        previous = late;
    }
}

TEST(WaveformPhysics, TraceStartsWithTheStepAtTheConnectorAndAMatchedCable) {
    SimHarness sim(quietConfig());
    sim.configure({"SDIS -2", "SWLN 8", "SPNT 801"});
    const auto w = sim.fetch("GWAV").values();
    EXPECT_NEAR(w.front(), -1.0, 1e-3);       // before the connector: no step yet
    EXPECT_NEAR(w[200], -0.5, 0.05);          // 0 m: halfway up
    EXPECT_NEAR(w[400], 0.0, 1e-3);           // 2 m of matched cable
    EXPECT_NEAR(w[200 + 500], 0.0, 1e-3);     // 5 m (apparent 7.46 m is the head)
}

TEST(WaveformPhysics, NoiseFallsWithTheSquareRootOfAverages) {
    sim::SimulatorConfig config;
    config.noiseAtOneAverage = 0.02;
    auto deviation = [&](int averages) {
        SimHarness sim(config);
        sim.configure({"SPNT 2048", "SNAV " + std::to_string(averages)});
        const auto w = sim.fetch("GWAV").values();
        const sim::WaveformModel model = sim.instrument.model();
        double sum = 0;
        for (int i = 1; i <= 2048; ++i) sum += std::pow(w[static_cast<std::size_t>(i - 1)] - model.reflection(model.pointDistance(i)), 2);
        return std::sqrt(sum / 2048);
    };
    const double one = deviation(1);
    const double many = deviation(64);
    EXPECT_NEAR(one, 0.02, 0.002);
    EXPECT_NEAR(one / many, 8.0, 1.0);
}

TEST(WaveformPhysics, SameSeedGivesTheSameWaveformsAndEachAcquisitionANewDraw) {
    sim::SimulatorConfig config;
    config.seed = 7;
    SimHarness a(config), b(config);
    config.seed = 8;
    SimHarness other(config);
    const auto a1 = a.fetch("GWAV").values(), a2 = a.fetch("GWAV").values();
    const auto b1 = b.fetch("GWAV").values(), b2 = b.fetch("GWAV").values();
    EXPECT_EQ(a1, b1);
    EXPECT_EQ(a2, b2);
    EXPECT_NE(a1, a2);
    EXPECT_NE(a1, other.fetch("GWAV").values());
}

TEST(Readings, GmosMatchesTheEdgesOfTheWaveformItWasMeasuredOn) {
    for (double ka : {4.0, 20.0, 60.0}) {
        sim::SimulatorConfig config;
        config.medium = {ka, 0.01};
        SimHarness sim(config);
        const double head = 5.0 / 0.67;
        sim.configure({"SNAV 64", "SPNT 2048", setting("SDIS", head - 1), setting("SWLN", 1.5 + 0.3 * std::sqrt(ka) * 1.3)});
        const float x = sim.fetch("GMOS").value(0);
        EXPECT_NEAR(x, std::sqrt(ka), 0.005 * std::sqrt(ka)) << "Ka " << ka;

        // GLWF hands over the very waveform GMOS used, without a new acquisition.
        const auto acquisitions = sim.instrument.processor().acquisitionCount();
        const auto w = sim.fetch("GLWF").values();
        EXPECT_EQ(sim.instrument.processor().acquisitionCount(), acquisitions);
        EXPECT_EQ(w, sim.instrument.lastWaveform());
        const sim::InstrumentSettings& s = sim.instrument.settings();
        const Edges edges = findEdges(w, s.start, s.length);
        EXPECT_NEAR((edges.end - edges.head) / s.probeLength, x, 0.02 / s.probeLength) << "Ka " << ka;

        // GVAR's markers sit on those edges where the program draws them.
        const Reply vars = sim.fetch("GVAR");
        const auto marker = [&](std::size_t i) { return s.start + vars.value(i) / s.points * s.length; };
        EXPECT_NEAR(marker(0), edges.head, 0.01);
        EXPECT_NEAR(marker(1), edges.end, 0.01);
        EXPECT_NEAR(vars.value(2), x * s.probeLength, 1e-4);  // La
        EXPECT_NEAR(marker(0), sim.instrument.model().headDistance(), 1e-3);
        EXPECT_NEAR(marker(1), sim.instrument.model().endDistance(), 1e-3);
    }
}

TEST(Readings, GmosUsesTheProbeLengthAndOffsetSettings) {
    sim::SimulatorConfig config = quietConfig(16.0);
    config.probe.headLength = 0.05;
    SimHarness sim(config);
    sim.configure({"SPRO 0.05"});
    EXPECT_NEAR(sim.fetch("GMOS").value(0), 4.0, 1e-3);  // right settings: sqrt(Ka)
    sim.configure({"SPRO 0"});
    EXPECT_NEAR(sim.fetch("GMOS").value(0), (0.05 + 0.3 * 4.0) / 0.3, 1e-3);
    sim.configure({"SPRO 0.05", "SPRL 0.15"});
    EXPECT_NEAR(sim.fetch("GMOS").value(0), 8.0, 2e-3);  // rods twice as long as set
}

TEST(Readings, GmosRefusesWithoutProbeLengthOrWhenTheProbeIsOutsideTheWindow) {
    SimHarness sim;
    sim.configure({"SPRL 0"});
    EXPECT_EQ(sim.command("GMOS")->error, 16);
    sim.configure({"SPRL 0.3", "SDIS 20"});
    EXPECT_EQ(sim.command("GMOS")->error, 19);
    sim.configure({"SDIS 0", "SWLN 8"});  // the rods end beyond 8 m
    EXPECT_EQ(sim.command("GMOS")->error, 19);
}

TEST(Readings, DerivativeIsThatOfTheLastWaveformPerPoint) {
    SimHarness sim;
    const auto w = sim.fetch("GWAV").values();
    const auto d = sim.fetch("GLDR").values();
    EXPECT_EQ(d, sim::derivativePerPoint(w));
    // GNDR takes a new waveform and answers its derivative.
    const auto fresh = sim.fetch("GNDR").values();
    EXPECT_EQ(fresh, sim::derivativePerPoint(sim.instrument.lastWaveform()));
    EXPECT_NE(fresh, d);
}

TEST(Readings, ConductanceAndCellConstantComeFromTheProbeAndMedium) {
    sim::SimulatorConfig config;
    config.medium.conductivity = 0.05;
    config.probe.cellConstant = 7.5;
    SimHarness sim(config);
    const float g = sim.fetch("GCON").value(0);
    EXPECT_NEAR(g, 0.05 / 7.5, 1e-7);
    // The program shows G times its cell constant as bulk EC.
    EXPECT_NEAR(g * 7.5, 0.05, 1e-6);
    // Told the water's temperature, the instrument finds the probe's Kp; told a warmer one,
    // it expects more conductive water and finds a larger Kp.
    EXPECT_FLOAT_EQ(sim.command("CCCC 20")->value(0), 7.5f);
    EXPECT_FLOAT_EQ(sim.command("CCCC 30")->value(0),
                    static_cast<float>(7.5 * sim::pureWaterConductivity(30) / sim::pureWaterConductivity(20)));
    sim.instrument.setWaterTemperature(21.5);
    EXPECT_FLOAT_EQ(sim.command("CCCC 21.5")->value(0), 7.5f);
    // G = 1/R is what the late level of the trace says too.
    const double late = sim.instrument.model().lateLevel();
    EXPECT_NEAR(1.0 / (50.0 * (1 + late) / (1 - late)), g, 1e-6);
}

TEST(Readings, GtimGrowsWithPointsAndAveragesAndBoundsTheRealDelays) {
    SimHarness sim;
    auto times = [&](int points, int averages) {
        sim.configure({"SPNT " + std::to_string(points), "SNAV " + std::to_string(averages)});
        const Reply t = sim.fetch("GTIM");
        return std::pair{t.value(1), t.value(2)};
    };
    // The program's reply time-out is the reported time truncated to whole seconds.
    auto delayOf = [&](const char* command) {
        const std::uint64_t sent = sim.clock.elapsed();
        sim.fetch(command);
        return sim.outputTimes.back() - sent;
    };
    const auto small = times(100, 1);
    EXPECT_LT(delayOf("GWAV"), std::floor(small.first) * 1000);
    EXPECT_LT(delayOf("GMOS"), std::floor(small.second) * 1000);
    const auto morePoints = times(2048, 1);
    const auto most = times(2048, 128);
    EXPECT_LT(small.first, morePoints.first);
    EXPECT_LT(morePoints.first, most.first);
    EXPECT_LT(small.second, morePoints.second);
    EXPECT_LT(morePoints.second, most.second);
    EXPECT_LT(delayOf("GWAV"), std::floor(most.first) * 1000);
    EXPECT_LT(delayOf("GNWA"), std::floor(most.first) * 1000);
    EXPECT_LT(delayOf("GMOS"), std::floor(most.second) * 1000);
    EXPECT_LT(most.second, 10.0);  // the program gives GMOS ten seconds at most

    // On a paced line the transfer of the reply counts as well: 2048 points at 9600 baud
    // take more than eight seconds.
    sim.instrument.setLineBaud(9600);
    const auto paced = times(2048, 128);
    const double transfer = sim::transferMs(sim::worstWaveformReplyBytes(2048), 9600) / 1000.0;
    EXPECT_GT(transfer, 8.0);
    EXPECT_GE(std::floor(paced.first), (sim::acquisitionMs(sim.instrument.processor().config().timing, sim.instrument.settings()) / 1000.0) + transfer);
}

}  // namespace
}  // namespace simtest

namespace simtest {
namespace {

TEST(DeIonizedWater, ConductivityRisesSteeplyWithTemperature) {
    EXPECT_NEAR(sim::pureWaterConductivity(25), 5.5e-6, 1e-8);
    EXPECT_NEAR(sim::pureWaterConductivity(0), 1.16e-6, 1e-8);
    EXPECT_NEAR(sim::pureWaterConductivity(100), 6.88e-5, 1e-7);
    double before = 0;
    for (double t = 0; t <= 100; t += 0.5) {
        ASSERT_GT(sim::pureWaterConductivity(t), before) << t;
        before = sim::pureWaterConductivity(t);
    }
    EXPECT_EQ(sim::pureWaterConductivity(-5), sim::pureWaterConductivity(0));  // clamped
}

TEST(ReferenceSource, WaveformIsTheSourceWithEvenlySpacedCrossingsUnlessTheTimeBaseIsOff) {
    sim::SimulatorConfig config = quietConfig();
    config.referenceSource = true;
    SimHarness sim(config);
    sim.configure({"S_VP 0.67", "SPNT 2048", "SDIS 2.0", "SWLN 25"});
    const auto w = sim.fetch("GWAV").values();
    ASSERT_EQ(w.size(), 2048u);
    // Falling zero crossings, as point numbers.
    auto crossings = [](const std::vector<float>& v) {
        std::vector<double> at;
        for (std::size_t i = 1; i < v.size(); ++i)
            if (v[i] < 0 && v[i - 1] > 0) at.push_back(static_cast<double>(i) + 1.0 / (1.0 - v[i] / v[i - 1]));
        return at;
    };
    const auto even = crossings(w);
    const double periodPoints = sim::ReferenceSource::periodDistance(0.67) / (25.0 / 2047.0);
    ASSERT_GT(even.size(), 100u);
    for (std::size_t k = 1; k < even.size(); ++k) ASSERT_NEAR(even[k] - even[k - 1], periodPoints, 0.02) << k;
    // No probe to measure on.
    EXPECT_EQ(sim.command("GMOS")->error, 19);

    sim.instrument.setTimebaseError(0.10);
    const auto stretched = crossings(sim.fetch("GWAV").values());
    const double first = stretched[1] - stretched[0];
    const double last = stretched[stretched.size() - 1] - stretched[stretched.size() - 2];
    EXPECT_NEAR(first / last, 1.10, 0.02);
}

}  // namespace
}  // namespace simtest
