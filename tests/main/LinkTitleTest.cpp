// The window title tells where the link stands, in the screen's language.
#include <gtest/gtest.h>

#include "chair/ChairFaults.h"
#include "main/AppDelegate.h"
#include "main/ScreenRig.h"

namespace {

using screentest::ScreenRig;

TEST(LinkTitle, FollowsTheLinkAndTheLanguage) {
    ScreenRig rig;
    rig.world->launch();
    QWidget* window = rig.world->app().window();
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair)") << "during the logo";
    rig.advance(mainscreen::RootViewController::kLogoSeconds);
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 zh:linkConnected");

    auto& chair = rig.world->chair();
    chair.setAdvertising(false);
    chair.dropLink();
    rig.settle();
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 zh:linkSearching");
    rig.root().selectLanguage(1);
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 en:linkSearching");

    chair::ChairFaults faults;
    faults.failConnections = 2;
    chair.setFaults(faults);
    chair.setAdvertising(true);
    rig.advance(0.5);
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 en:linkRetrying 1");
    rig.advance(1.0);
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 en:linkRetrying 2");
    rig.advance(2.5);
    EXPECT_EQ(window->windowTitle(), "Massage chair remote (demo chair) \u2014 en:linkConnected");
}

}  // namespace
