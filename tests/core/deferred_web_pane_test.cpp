#include "fakes/fake_services.h"
#include "platform/deferred_web_pane.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

struct Deferred : ::testing::Test
{
    testing::FakeWebPane real;
    int starts = 0;
    DeferredWebPane pane{[this]() -> WebPane & {
        ++starts;
        return real;
    }};
};

TEST_F(Deferred, NavigationsWaitAndTheLastIsShownAtTheStartWhichComesOnce)
{
    int navigated = 0, completed = 0;
    pane.onNavigationComplete = [&] { ++navigated; };
    pane.onDocumentComplete = [&] { ++completed; };
    pane.navigate("http://kestrova/102.html");
    pane.navigate("http://kestrova/");
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(pane.currentAddress(), "") << "nothing is shown before the start";
    pane.start();
    pane.start();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(real.navigations, (std::vector<std::string>{"http://kestrova/"}));
    pane.navigate("http://example.test/");
    real.completeLoad("http://example.test/");
    EXPECT_EQ(pane.currentAddress(), "http://example.test/");
    EXPECT_EQ(std::pair(navigated, completed), std::pair(1, 1)) << "the program's handlers";
}

TEST_F(Deferred, WhatNeedsAPageStartsThePaneAtOnce)
{
    pane.navigate("http://kestrova/102.html");
    pane.back();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(real.navigations.size(), 1u) << "the kept navigation comes first";
    pane.refresh();
    pane.clickElement("submit2");
    EXPECT_EQ(std::tuple(real.backs, real.refreshes, real.clicks),
              std::tuple(1, 1, std::vector<std::string>{"submit2"}));
}

} // namespace
} // namespace kestrova
