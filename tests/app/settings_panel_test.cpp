// The settings edits' keystroke filter, validation and display texts.

#include "app/settings_panel.h"

#include <gtest/gtest.h>

namespace app {
namespace {

KeyDecision type(int tag, std::string_view text, int caret, char key, int selection = 0) {
    return FilterKey(tag, text, caret, selection, key);
}

TEST(SettingsKeyFilter, OnlyDigitsPointMinusAndBackspacePass) {
    EXPECT_TRUE(type(TagVp, "", 0, '5').accept);
    EXPECT_TRUE(type(TagVp, "0.5", 3, Backspace).accept);
    for (char key : {'a', ' ', ',', '+', char(22) /* paste */, char(13)}) {
        const auto d = type(TagVp, "0.5", 3, key);
        EXPECT_FALSE(d.accept) << int(key);
        EXPECT_TRUE(d.beep) << int(key);
    }
}

TEST(SettingsKeyFilter, DecimalsAreLimitedPerEditUnlessTypingBeforeThePointOrOverASelection) {
    // Vp, start and length: 2 decimals.
    EXPECT_TRUE(type(TagVp, "1.0", 3, '0').accept);
    const auto third = type(TagVp, "1.00", 4, '5');
    EXPECT_FALSE(third.accept);
    EXPECT_TRUE(third.beep);
    EXPECT_TRUE(type(TagVp, "1.00", 1, '5').accept);     // caret at the point
    EXPECT_TRUE(type(TagVp, "1.00", 0, '5').accept);     // before it
    EXPECT_TRUE(type(TagVp, "1.00", 3, '5', 1).accept);  // over a selected digit
    EXPECT_FALSE(type(TagLength, "50.25", 5, '1').accept);
    EXPECT_FALSE(type(TagStart, "-1.50", 5, '1').accept);
    // Probe length and offset: 3 decimals.
    EXPECT_TRUE(type(TagProbeLength, "0.30", 4, '0').accept);
    EXPECT_FALSE(type(TagProbeLength, "0.300", 5, '1').accept);
    EXPECT_FALSE(type(TagProbeOffset, "0.200", 5, '1').accept);
    // Averages and points: no limit, and a point passes the filter (validation refuses it).
    EXPECT_TRUE(type(TagPoints, "251.123", 7, '4').accept);
    EXPECT_TRUE(type(TagAverages, "4", 1, '.').accept);
}

TEST(SettingsKeyFilter, MinusOnlyInTheStartEditAndOnlyOnceInFront) {
    const auto refused = type(TagVp, "5", 1, '-');
    EXPECT_FALSE(refused.accept);
    EXPECT_FALSE(refused.beep);  // refused silently
    const auto sign = type(TagStart, "5", 1, '-');
    EXPECT_TRUE(sign.accept);
    EXPECT_TRUE(sign.caretToStart);  // "5" then "-" gives "-5"
    EXPECT_FALSE(type(TagStart, "-5", 2, '-').accept);
    EXPECT_FALSE(type(TagStart, "-5", 0, '-').accept);
    // Typed over a selection holding the sign, the new sign replaces it.
    const auto over = type(TagStart, "-5", 0, '-', 2);
    EXPECT_TRUE(over.accept);
    EXPECT_FALSE(over.caretToStart);
}

TEST(SettingsKeyFilter, SecondPointIsRefusedUnlessItReplacesTheFirst) {
    EXPECT_FALSE(type(TagLength, "1.2", 3, '.').accept);
    EXPECT_TRUE(type(TagLength, "1.2", 1, '.', 1).accept);
}

TEST(SettingsKeyFilter, TheDecimalPointIsTheLocaleSeparator) {
    EXPECT_TRUE(FilterKey(TagVp, "0", 1, 0, ',', ',').accept);
    EXPECT_TRUE(FilterKey(TagVp, "0.", 2, 0, '.', ',').beep);  // '.' is not a point here
    EXPECT_FALSE(FilterKey(TagVp, "1,00", 4, 0, '5', ',').accept);
}

SettingTexts good() { return {"1.00", "4", "251", "0.0", "50", "0.3", "0.000"}; }

std::optional<int> failingTag(SettingTexts texts) {
    auto failure = ValidateSettings(texts, platform::Numbers('.'));
    if (!failure) return std::nullopt;
    return failure->tag;
}

TEST(SettingsValidation, BoundsAreInclusiveAndTheFirstBadEditIsReported) {
    struct Case {
        int tag;
        const char* ok;
        const char* bad;
    };
    const Case cases[] = {
        {TagVp, "0.1", "0.09"},        {TagVp, "1.0", "1.01"},       {TagAverages, "1", "0"},
        {TagAverages, "128", "129"},   {TagPoints, "20", "19"},      {TagPoints, "2048", "2049"},
        {TagStart, "-2", "-2.01"},     {TagStart, "2100", "2100.01"}, {TagLength, "0.1", "0.09"},
        {TagLength, "2100", "2101"},   {TagProbeLength, "0", "-0.001"}, {TagProbeLength, "10", "10.001"},
        {TagProbeOffset, "0.200", "0.201"}, {TagProbeOffset, "0.2", "0.21"}, {TagProbeOffset, "0", "-0.1"},
    };
    for (const auto& c : cases) {
        auto texts = good();
        texts[c.tag - 1] = c.ok;
        EXPECT_EQ(failingTag(texts), std::nullopt) << c.ok;
        texts[c.tag - 1] = c.bad;
        EXPECT_EQ(failingTag(texts), c.tag) << c.bad;
    }
    auto texts = good();
    texts[TagPoints - 1] = "251.";  // the filter let the point through; validation stops it
    auto failure = ValidateSettings(texts, platform::Numbers('.'));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, "Waveform Points Value is Out of Range [ 20 to 2048 ]");
    texts[TagVp - 1] = "";
    texts[TagLength - 1] = "x";
    EXPECT_EQ(failingTag(texts), TagVp);  // the first in table order
    texts = good();
    texts[TagStart - 1] = "  -1.5";  // leading blanks are allowed
    EXPECT_EQ(failingTag(texts), std::nullopt);
}

TEST(SettingsValidation, UsesTheLocaleSeparator) {
    auto texts = good();
    texts[TagVp - 1] = "0,67";
    texts[TagStart - 1] = "0,0";
    texts[TagProbeLength - 1] = "0,3";
    texts[TagProbeOffset - 1] = "0,000";
    EXPECT_FALSE(ValidateSettings(texts, platform::Numbers(',')));
    EXPECT_TRUE(ValidateSettings(texts, platform::Numbers('.')));
}

TEST(SettingsDisplay, InstrumentValuesAreFormattedPerEdit) {
    instrument::InstrumentSettings s;
    s.Vp = 0.67f;
    s.Averages = 16;
    s.Points = 251;
    s.WinStart = -1.5f;
    s.WinLgt = 2100.0f;
    s.ProbeLgt = 0.3f;
    s.ProbeOffset = 0.0125f;
    EXPECT_EQ(DisplayTexts(s, platform::Numbers('.')),
              (SettingTexts{"0.67", "16", "251", "-1.50", "2100.00", "0.300", "0.013"}));
    EXPECT_EQ(DisplayTexts(s, platform::Numbers(','))[0], "0,67");
}

TEST(SettingsCommands, TextsAreSentAsTyped) {
    EXPECT_EQ(SetCommandText(TagStart, "-1.5"), "SDIS -1.5");
    EXPECT_EQ(SetCommandText(TagAverages, "4"), "SNAV 4");
    EXPECT_EQ(SetCommandText(TagVp, "0.0"), "S_VP 0.0");
}

}  // namespace
}  // namespace app
