// Starting plotbase, the page table, graph slots and handles, and releasing everything.

#include "plotbase_fixture.h"

#include <QWidget>

namespace plotbase::testing {
namespace {

struct FreshEnvironment : ::testing::Test {
    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    QWidget host;
    Environment env{dialogs, numbers};
};

TEST_F(FreshEnvironment, StartsOnlyAfterInitialisationAndForRevisionsItOffers) {
    EXPECT_EQ(InitTop(env, nullptr, nullptr, Revision), 0);
    EXPECT_EQ(env.lastError.code, NotInitialised);
    EXPECT_EQ(InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr), 0);

    EXPECT_EQ(InitDll(env), 1);
    EXPECT_EQ(InitTop(env, nullptr, nullptr, Revision + 1), 0);
    EXPECT_EQ(env.lastError.code, RevisionTooNew);
    EXPECT_EQ(InitTop(env, nullptr, nullptr, Revision), 1);
    EXPECT_EQ(InitPage(env, "P", nullptr, "T", 0, 15, 8, ChildWindow, {}, nullptr), 0);
    EXPECT_EQ(env.lastError.code, NoHostWindow);
}

TEST_F(FreshEnvironment, PagesAreNumberedOneToSixtyAndBuildersRunInside) {
    InitDll(env);
    int built = 0;
    for (int n = 1; n <= MaxPages; ++n) {
        const int page = InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, [&](Environment&, int p) { built = p; });
        ASSERT_EQ(page, n);
        EXPECT_EQ(built, n);
    }
    EXPECT_EQ(env.openPages, MaxPages);
    env.showErrorMessages = false;
    EXPECT_EQ(InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr), 0);
    EXPECT_EQ(env.lastError.code, NoFreePage);

    EXPECT_EQ(KillGraphPage(env, 7), 1);
    EXPECT_EQ(env.openPages, MaxPages - 1);
    EXPECT_EQ(env.page(7), nullptr);
    EXPECT_EQ(InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr), 7);
    EXPECT_EQ(KillGraphPage(env, 61), 0);
}

TEST_F(FreshEnvironment, GraphsTakeTheSlotsThePageAllowsAndFillTheirPlaceOnIt) {
    InitDll(env);
    host.resize(400, 200);
    host.show();
    env.showErrorMessages = false;
    const int page = InitPage(env, "PAGE1", &host, "T", 0, 2, 8, ChildWindow | VisibleWindow, {}, nullptr);
    const int first = InitGraph(env, page, 0.0, 0.0, 0.5, 1.0, 0, 0, 0, nullptr);
    const int second = InitGraph(env, page, 0.5, 0.0, 1.0, 0.5, 0, 0, 0, nullptr);
    const int third = InitGraph(env, page, 0.5, 0.5, 1.0, 1.0, 0, 0, 0, nullptr);
    ASSERT_NE(first, 0);
    ASSERT_NE(third, 0);
    EXPECT_EQ(InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr), 0);  // slots 0..2 only
    EXPECT_EQ(env.lastError.code, NoFreeGraphSlot);
    EXPECT_EQ(InitGraph(env, page, 0.6, 0.0, 0.5, 1.0, 0, 0, 0, nullptr), 0);
    EXPECT_EQ(env.lastError.code, InvalidPlacement);

    EXPECT_EQ(env.page(page)->graphCount, 3);
    EXPECT_EQ(WGGetGraphWindow(env, second)->geometry(), QRect(200, 0, 200, 100));
    host.resize(800, 400);  // the page follows its host, the graphs their page
    EXPECT_EQ(WGGetPageWindow(env, page)->size(), QSize(800, 400));
    EXPECT_EQ(WGGetGraphWindow(env, third)->geometry(), QRect(400, 200, 400, 200));
}

TEST_F(FreshEnvironment, DeletedGraphHandlesStayInvalidEvenWhenTheSlotIsReused) {
    InitDll(env);
    const int page = InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr);
    const int old = InitGraph(env, page, 0, 0, 1, 1, 0, 0, 0, nullptr);
    EXPECT_TRUE(WGIsGraphDescValid(env, old));
    EXPECT_EQ(WGDeleteGraph(env, old), 1);
    EXPECT_FALSE(WGIsGraphDescValid(env, old));
    const int renewed = InitGraph(env, page, 0, 0, 1, 1, 0, 0, 0, nullptr);
    EXPECT_NE(renewed, old);
    EXPECT_EQ(env.graph(renewed)->slot, 0);
    EXPECT_FALSE(WGIsGraphDescValid(env, old));
}

struct CountingExtension : Extension {
    explicit CountingExtension(int& alive) : alive_(alive) { ++alive_; }
    ~CountingExtension() override { --alive_; }
    int& alive_;
};

TEST_F(FreshEnvironment, CleanupKillsEveryPageAndMinusOneReleasesTheEnvironment) {
    InitDll(env);
    InitTop(env, nullptr, nullptr, Revision);
    int alive = 0;
    env.extension = std::make_unique<CountingExtension>(alive);
    const int page = InitPage(env, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr);
    const int graph = InitGraph(env, page, 0, 0, 1, 1, 0, 0, 0, nullptr);
    InitPage(env, "Q", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr);
    ASSERT_EQ(host.findChildren<QWidget*>().size(), 3);

    EXPECT_EQ(Cleanup(env, 0), 1);
    EXPECT_EQ(env.openPages, 0);
    EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());
    EXPECT_FALSE(WGIsGraphDescValid(env, graph));
    EXPECT_EQ(alive, 1);
    EXPECT_TRUE(env.initialised);

    Cleanup(env, -1);
    EXPECT_EQ(alive, 0);
    EXPECT_FALSE(env.initialised);
    EXPECT_FALSE(env.topInitialised);
}

TEST_F(FreshEnvironment, PagesOutliveNeitherTheirHostNorTheEnvironment) {
    {
        Environment scoped{dialogs, numbers};
        InitDll(scoped);
        const int page = InitPage(scoped, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr);
        InitGraph(scoped, page, 0, 0, 1, 1, 0, 0, 0, nullptr);
    }
    EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());

    InitDll(env);
    auto doomed = std::make_unique<QWidget>();
    const int page = InitPage(env, "P", doomed.get(), "T", 0, 15, 8, ChildWindow, {}, nullptr);
    const int graph = InitGraph(env, page, 0, 0, 1, 1, 0, 0, 0, nullptr);
    doomed.reset();  // Qt deletes the page window with its host
    EXPECT_EQ(WGGetPageWindow(env, page), nullptr);
    EXPECT_EQ(WGGetGraphWindow(env, graph), nullptr);
    EXPECT_EQ(KillGraphPage(env, page), 1);
}

}  // namespace
}  // namespace plotbase::testing
