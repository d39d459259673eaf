// The service panel through the whole app: opening and closing, its commands, the link check
// and the chair's service frames.
#include <gtest/gtest.h>

#include "ServiceRig.h"

namespace {

using screentest::frameOf;
using screentest::Frames;
using service::ServiecesView;
using servicetest::ServiceRig;

TEST(ServicePanel, OpensWithTheKeptServiceFrameSendsTheServiceStepsChecksTheLinkAndCloses) {
    ServiceRig rig;
    rig.chairSays({0xAA, 0x55, 0xF7, 0x01, 0x02, 0x00, 0x00, 0xFA, 0x0D, 0x0A});
    rig.tap(rig.serviceButton());
    ASSERT_NE(rig.panel(), nullptr);
    EXPECT_EQ(rig.controlPicture(1), "service_start_on");
    EXPECT_EQ(rig.controlPicture(3), "service4");
    rig.chairSays({0xAA, 0x55, 0xF7, 0x00, 0x03, 0x00, 0x00, 0xFA, 0x0D, 0x0A});
    EXPECT_EQ(rig.controlPicture(1), "service_start_off");
    EXPECT_EQ(rig.controlPicture(3), "service3");
    EXPECT_EQ(rig.controlPicture(4), "service6");
    EXPECT_TRUE(rig.root().serviceSettingFlag());
    EXPECT_EQ(rig.root().titleLabel()->text(), "zh:serviceOne");
    rig.sent();  // the two frames' acknowledges
    for (int tag = 1; tag <= 5; ++tag) rig.tap(rig.control(tag));
    rig.tap(rig.control(7));
    EXPECT_EQ(rig.sent(),
              (Frames{frameOf(184), frameOf(185), frameOf(186), frameOf(187), frameOf(188)}));
    // The link check polls four times, then shows hint 14 unless the chair answers.
    for (int run = 0; run < 2; ++run) {
        rig.tap(rig.control(ServiecesView::kCheckTag));
        rig.advance(0.1);
        EXPECT_EQ(rig.sent().size(), 1u) << "the first poll at once";
        rig.advance(0.2 * 5);
        EXPECT_EQ(rig.sent(), (Frames(3, frameOf(177))));
        EXPECT_EQ(rig.hint(), "zh:hint14");
        EXPECT_EQ(rig.panel()->checkState(), 0);
    }
    // Which frames answer is the decoder's test; here, what the panel shows for an answer.
    rig.tap(rig.control(ServiecesView::kCheckTag));
    rig.chairSays(servicetest::kLinkCheckAnswer);
    EXPECT_EQ(rig.controlPicture(ServiecesView::kCheckTag), "service_check_on");
    EXPECT_EQ(rig.panel()->checkState(), 1);
    EXPECT_EQ(rig.hint(), "zh:hint15");

    rig.tap(rig.serviceButton());
    EXPECT_EQ(rig.panel(), nullptr);
    EXPECT_FALSE(rig.root().serviceSettingFlag());
    EXPECT_EQ(rig.root().titleLabel()->text(), "");
    rig.tap(rig.serviceButton());
    rig.tap(rig.control(ServiecesView::kGoBackTag));
    EXPECT_EQ(rig.panel(), nullptr);
}

}  // namespace
