// dynaview-demo's page files: the page it saves opens back as the same page, and the opened
// page goes on running.

#include "dynaview/demo/demo_window.h"
#include "dynaview/demo/page_files.h"
#include "plotbase/page_file.h"
#include "support/own_temp_path.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DemoPage, ASavedPageOpensBackIdenticalAndRuns) {
    dynaview::demo::DemoWindow window;
    for (int step = 0; step < 30; ++step) window.FeedTimer();
    const auto saved = testsupport::OwnTempPath("demo_page", ".pbp");
    const auto again = testsupport::OwnTempPath("demo_page_again", ".pbp");
    ASSERT_EQ(window.pageFiles().savePage(saved.string()), 1);
    const int opened = window.pageFiles().openPage(saved.string());
    ASSERT_NE(opened, 0);
    ASSERT_EQ(window.pageFiles().savePage(again.string()), 1);
    const std::string before = contents(saved), after = contents(again);
    EXPECT_GT(before.size(), 1000u);
    EXPECT_TRUE(before == after) << before.size() << " bytes saved, " << after.size() << " saved again";

    // The trend goes on in the opened page's values.
    const auto trend = window.temperature().trendValues;
    ASSERT_NE(trend, nullptr);
    const std::vector<double> first(trend->begin(), trend->end());
    for (int step = 0; step < 10; ++step) window.FeedTimer();
    EXPECT_NE(std::vector<double>(trend->begin(), trend->end()), first);
    std::filesystem::remove(saved);
    std::filesystem::remove(again);
}

}  // namespace
