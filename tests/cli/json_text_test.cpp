#include "cli/json_text.h"

#include <gtest/gtest.h>

namespace {

// Probe names and error texts come from the instrument and the user: whatever they hold,
// the line must stay one valid JSON string.
TEST(JsonText, EscapesWhatJsonCannotHoldAndKeepsTheRest) {
    EXPECT_EQ(cli::JsonString(""), "\"\"");
    EXPECT_EQ(cli::JsonString("say \"hi\" \\ bye"), "\"say \\\"hi\\\" \\\\ bye\"");
    EXPECT_EQ(cli::JsonString(std::string("a\nb\tc\x01", 6) + std::string(1, '\0')), "\"a\\u000ab\\u0009c\\u0001\\u0000\"");
    EXPECT_EQ(cli::JsonString("\xc3\xa9t\xc3\xa9 \x7f"), "\"\xc3\xa9t\xc3\xa9 \x7f\"");
}

}  // namespace
