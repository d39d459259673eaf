#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "LinkWorld.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"

namespace linktest {

// A session controller over the fake radio, torn down only after all its work has settled.
class ControllerFixture : public ::testing::Test {
protected:
    void TearDown() override {
        world.settle();
        controller.reset();
        world.settle();
    }

    void start(bool withChair = true) {
        if (withChair) world.radio.addPeripheral(LinkWorld::chair());
        controller = std::make_unique<chairlink::EADSessionController>(world.env());
        world.settle();
    }

    static Bytes frame(std::int32_t code, chairlink::ChairState state = {}) {
        auto f = chairlink::buildCommandFrame(code, state);
        return Bytes(f.begin(), f.end());
    }

    LinkWorld world;
    std::unique_ptr<chairlink::EADSessionController> controller;
};

}  // namespace linktest
