// wavix-cli's measurements against the simulated instrument in memory, time virtual: the
// records they give, failed and silent ones, and how records are printed and logged.

#include "cli/append_file.h"
#include "cli/measurement_report.h"
#include "cli/measurement_session.h"

#include "platform/doubles/test_platform.h"
#include "sim/memory_line_link.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace cli {
namespace {

class Session : public ::testing::Test {
protected:
    Session() : services(test.platform()), instrument(test.clock) {
        sim::connectToLine(instrument, test.serial);
        dir = std::filesystem::temp_directory_path() /
              ("wavix_cli_session_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~Session() override { std::filesystem::remove_all(dir); }

    std::unique_ptr<MeasurementSession> start(const std::string& ini, Options options = {}) {
        if (!ini.empty()) std::ofstream(dir / "RFX410.INI", std::ios::binary) << ini;
        std::string warning;
        auto session = std::make_unique<MeasurementSession>(
            services, nullptr, SetupFromSettingsFile(options, dir, services.numbers, warning),
            [this] {
                auto texts = test.dialogs.texts();
                test.dialogs.clear();
                return texts;
            });
        EXPECT_TRUE(session->Data().OpenPort(1, 57600));
        test.clock.advance(10);
        return session;
    }
    MeasurementRecord measure(MeasurementSession& session, MeasureKind kind) {
        auto record = session.Measure(
            kind, [this](const std::function<bool()>& done) { return test.clock.advanceUntil(done, 120000, 10); },
            "2024-03-11T14:05:00+01:00");
        EXPECT_TRUE(record);
        return record ? *record : MeasurementRecord{};
    }

    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 instrument;
    std::filesystem::path dir;
};

TEST_F(Session, WaterContentWithTheSettingsAndCalibrationOfTheSettingsFile) {
    // Topp, a start and Kp from the file; the probe length from the command line.
    Options options;
    options.settings[5] = "0.3";
    auto session = start("[Settings]\r\nCaliRadioBtn=4\r\nSrtEd=5\r\nPLgtEd=9\r\nCellConst=2\r\n", options);
    instrument.setMedium({9.0, 0.02});
    const auto r = measure(*session, MeasureKind::WaterContent);
    EXPECT_TRUE(r.ok()) << r.errors.front();
    EXPECT_TRUE(r.answered);
    const std::vector<std::string> sent(instrument.receivedCommands().begin(), instrument.receivedCommands().end());
    EXPECT_EQ(sent, (std::vector<std::string>{"S_VP 1.00", "SNAV 4", "SPNT 251", "SDIS 5", "SWLN 50", "SPRL 0.3",
                                              "SPRO 0.000", "DUMP", "GTIM", "GMOS", "GLWF", "GVAR"}));
    EXPECT_NEAR(r.x, 3.0, 1e-5);
    EXPECT_EQ(r.equation, 4);
    ASSERT_TRUE(r.theta);
    EXPECT_NEAR(*r.theta, 4.3e-6 * 729 - 0.00055 * 81 + 0.0292 * 9 - 0.053, 1e-5);
    EXPECT_EQ(r.waterContentText, "   0.168");
    EXPECT_EQ(r.settings[3], "5.00");  // as the instrument reported it
    EXPECT_NEAR(r.probeStart, instrument.model().headDistance(), 1e-3);
    EXPECT_NEAR(r.probeEnd, instrument.model().endDistance(), 1e-3);
    // The settings file is read, never written.
    EXPECT_EQ(platform::ProfileFile(dir / "RFX410.INI").readString("Settings", "PLgtEd", ""), "9");

    const auto ec = measure(*session, MeasureKind::BulkEC);
    EXPECT_TRUE(ec.ok());
    EXPECT_DOUBLE_EQ(ec.kp, 2.0);
    EXPECT_FLOAT_EQ(ec.bulkEC, static_cast<float>(ec.conductance * 2.0));
    EXPECT_NEAR(ec.bulkEC, 0.02 / 6 * 2, 1e-7);

    const auto wave = measure(*session, MeasureKind::Waveform);
    EXPECT_TRUE(wave.ok());
    EXPECT_EQ(wave.waveform.size(), 251u);
    EXPECT_EQ(wave.waveform[7], instrument.lastWaveform()[7]);
    EXPECT_TRUE(wave.derivative.empty());
}

TEST_F(Session, FailedAndSilentMeasurementsSayWhyAndCarryNoValues) {
    auto session = start("");
    sim::Fault refused;
    refused.kind = sim::FaultKind::InstrumentError;
    refused.target = "GMOS";
    refused.value = 16;
    instrument.faults().add(refused);
    auto r = measure(*session, MeasureKind::WaterContent);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.errors, std::vector<std::string>{"ERROR: Response to Command GMOS\r\nBad Moisture Calculation"});
    const std::string row = FormatRecord(r, OutputFormat::Csv, services.numbers);
    EXPECT_NE(row.find(",,,,,,ERROR: Response to Command GMOS  Bad Moisture Calculation,"), std::string::npos) << row;

    // The next one works again.
    r = measure(*session, MeasureKind::WaterContent);
    EXPECT_TRUE(r.ok());

    // A line that has gone dead: nothing answers, the settings state runs out of time.
    sim::Fault dead;
    dead.kind = sim::FaultKind::DeadLine;
    instrument.faults().add(dead);
    r = measure(*session, MeasureKind::WaterContent);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.answered);
    EXPECT_EQ(r.errors.back(), "ERROR: RFX410 Set Settings Command Failed!");
    instrument.reviveLine();
    r = measure(*session, MeasureKind::BulkEC);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.answered);
}

TEST_F(Session, InterruptedMeasurementGivesNoRecordAndSendsNothingMore) {
    auto session = start("");
    const auto record = session->Measure(
        MeasureKind::WaterContent,
        [&](const std::function<bool()>&) {
            test.clock.advance(300);  // part of the way, then Ctrl+C
            return false;
        },
        "t");
    EXPECT_FALSE(record);
    const auto sentBefore = instrument.receivedCommands().size();
    // The command under way completes; no other follows.
    test.clock.advance(5000);
    EXPECT_FALSE(session->Data().Busy());
    EXPECT_EQ(instrument.receivedCommands().size(), sentBefore);
    const auto next = measure(*session, MeasureKind::BulkEC);
    EXPECT_TRUE(next.ok()) << next.errors.front();
}

TEST(MeasurementReport, RowsInEveryFormat) {
    const platform::Numbers comma(',');
    MeasurementRecord r;
    r.time = "2024-03-11T14:05:00+01:00";
    r.settings = {"1,00", "4", "251", "5,00", "50,00", "0,300", "0,000"};
    r.x = 4.472136f;
    r.theta = 0.3331f;
    r.equation = 1;
    r.waterContentText = "   0,333";
    const std::string csv = FormatRecord(r, OutputFormat::Csv, comma);
    EXPECT_EQ(csv, "2024-03-11T14:05:00+01:00,wc,1,4,251,5,50,0.3,0,4.472136,0.333,1,,,,,\n");
    const std::string header = CsvHeader();
    EXPECT_EQ(std::count(header.begin(), header.end(), ','), std::count(csv.begin(), csv.end(), ','));
    const std::string json = FormatRecord(r, OutputFormat::Json, comma);
    EXPECT_NE(json.find("\"settings\":{\"vp\":1,\"averages\":4,\"points\":251,\"start_m\":5,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"x\":4.472136,\"water_content\":0.333,\"equation\":1,\"error\":null}"), std::string::npos)
        << json;
    const std::string text = FormatRecord(r, OutputFormat::Text, comma);
    EXPECT_NE(text.find("Water content         0,333"), std::string::npos) << text;

    r.errors = {"Error: Failed to get water content!", "a \"quoted\", text"};
    EXPECT_NE(FormatRecord(r, OutputFormat::Csv, comma)
                  .find(",,,,,,,\"Error: Failed to get water content!; a \"\"quoted\"\", text\",\n"),
              std::string::npos);
    EXPECT_NE(FormatRecord(r, OutputFormat::Json, comma).find("\"x\":null,\"water_content\":null"), std::string::npos);

    MeasurementRecord wave;
    wave.kind = MeasureKind::Waveform;
    wave.waveform = {-1.0f, 0.25f};
    EXPECT_NE(FormatRecord(wave, OutputFormat::Csv, comma).find(",,-1 0.25\n"), std::string::npos);
    EXPECT_NE(FormatRecord(wave, OutputFormat::Json, comma).find("\"waveform\":[-1,0.25]"), std::string::npos);
}

TEST(MeasurementReport, TimesAreIso8601WithTheirOffset) {
    const std::string t = IsoTime(0);
    ASSERT_EQ(t.size(), 25u) << t;
    EXPECT_EQ(t[4], '-');
    EXPECT_EQ(t[10], 'T');
    EXPECT_TRUE(t[19] == '+' || t[19] == '-');
    EXPECT_EQ(t[22], ':');
}

TEST(AppendFile, RowsAreAddedToWhatIsThereAndNeverCut) {
    const auto path = std::filesystem::temp_directory_path() / "wavix_cli_append.csv";
    std::filesystem::remove(path);
    std::string error;
    {
        AppendFile file;
        ASSERT_TRUE(file.Open(path, "a,b", error)) << error;
        ASSERT_TRUE(file.Append("1,2\n", error));
    }
    // A row cut short by a crash is closed off before the next one.
    std::ofstream(path, std::ios::app) << "3,";
    {
        AppendFile file;
        ASSERT_TRUE(file.Open(path, "a,b", error)) << error;
        ASSERT_TRUE(file.Append("5,6\n", error));
    }
    std::stringstream contents;
    contents << std::ifstream(path).rdbuf();
    EXPECT_EQ(contents.str(), "a,b\n1,2\n3,\n5,6\n");
    // A file with other columns is not mixed into.
    AppendFile other;
    EXPECT_FALSE(other.Open(path, "x,y", error));
    EXPECT_NE(error.find("other columns"), std::string::npos);
    EXPECT_FALSE(other.Open(std::filesystem::temp_directory_path(), "", error));  // a directory
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace cli
