#include "cli/reply_report.h"

#include "link/wire.h"
#include "platform/doubles/test_platform.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

class ReplyReport : public ::testing::Test {
protected:
    ReplyReport() : services(test.platform()), data(services) {}
    platform::TestPlatform test;
    platform::Platform services;
    instrument::TTDRdataObject data;
};

TEST_F(ReplyReport, DumpFieldsInEveryFormat) {
    data.Settings.Vp = 0.67f;
    data.Settings.Averages = 16;
    data.Settings.Points = 251;
    data.Settings.DumpWord9 = 0xA029;
    const auto text = FormatReply(data, "DUMP", OutputFormat::Text);
    EXPECT_NE(text.find("Vp                    0.670000017"), std::string::npos) << text;
    EXPECT_NE(text.find("DumpWord9             0x0000A029"), std::string::npos);
    const auto json = FormatReply(data, "DUMP", OutputFormat::Json);
    EXPECT_NE(json.find("\"Averages\":16"), std::string::npos) << json;
    EXPECT_NE(json.find("\"DumpWord9\":\"0x0000A029\""), std::string::npos);
    EXPECT_EQ(FormatReply(data, "DUMP", OutputFormat::Csv).substr(0, 27), "field,value\nVp,0.670000017\n");
}

TEST_F(ReplyReport, ArrayRepliesListTheirPoints) {
    data.StoreWaveformWord(1, wire::floatToWord(-0.5f));
    data.StoreWaveformWord(2, wire::floatToWord(0.25f));
    data.StoreWaveformWord(3, wire::floatToWord(9.0f));  // beyond the reply: not listed
    data.LastArrayPoints = 2;
    EXPECT_EQ(FormatReply(data, "GWAV", OutputFormat::Csv), "point,value\n1,-0.5\n2,0.25\n");
    EXPECT_EQ(FormatReply(data, "GWAV", OutputFormat::Json), "{\"command\":\"GWAV\",\"result\":0,\"points\":[-0.5,0.25]}\n");
    EXPECT_EQ(FormatReply(data, "S_VP 0.67", OutputFormat::Text), "S_VP 0.67: acknowledged\n");
}

}  // namespace
}  // namespace cli
