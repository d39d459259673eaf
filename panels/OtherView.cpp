#include "panels/OtherView.h"

#include <vector>

namespace panels {

namespace {
constexpr int kWideAbove = 430;
constexpr int kSegmentCount = 5;
const QString kSpeedBar = "image1";
const char* const kButtonKeys[2] = {"heatfunction", "rolleronsole"};
constexpr std::int32_t kMemoryCodes[OtherView::kMemoryCount] = {0xA3, 0xA4, 0xA5};
}  // namespace

OtherView::OtherView(const QRect& frame, PanelContext context, QWidget* parent)
    : MassagePanel(frame, context, parent) {
    arrayStorage_ = {"service1", "service3", "service5"};
    arrayStorage1_ = {"service2", "service4", "service6"};
    arrayHeatAndFoot_ = {"other_therapy_off", "other_footrollers_off"};
    arrayHeatAndFoot1_ = {"other_therapy_on", "other_footrollers_on"};
    arrayFirstSpeed_ = {"manual_grade_0", "manual_grade_2", "manual_grade_4", "manual_grade_5"};
    if (isTablet()) {
        InitOtherView1();
    } else {
        InitOtherView();
    }
}

std::optional<PanelCommand> OtherView::commandForTag(int tag) {
    if (tag == kHeatTag) return PanelCommand{0x81};
    if (tag == kRollersTag) return PanelCommand{0x88};
    if (tag >= kFirstSegmentTag && tag < kFirstSegmentTag + kSegmentCount) {
        return PanelCommand{0x15, ChairSetting::FootRollerSpeed,
                            levelOfSegment(tag - kFirstSegmentTag + 1)};
    }
    if (tag >= kFirstMemoryTag && tag < kFirstMemoryTag + kMemoryCount) {
        return PanelCommand{kMemoryCodes[tag - kFirstMemoryTag]};
    }
    return std::nullopt;
}

void OtherView::InitOtherView() {
    const double w = width(), h = height(), half = w / 2;
    const bool wide = w > kWideAbove;
    // One line per row of the frame table: the wide frame, then the narrow one.
    const auto at = [wide](QRectF wideFrame, QRectF narrowFrame) {
        return wide ? wideFrame : narrowFrame;
    };
    std::vector<ControlSpec> specs = {
        picture("bg4", {0, 0, w, h}),
        picture("service_link_midden", at({40, 80, 360, 20}, {20, 80, 300, 20})),
        picture("service_link_midden", at({45, 150, 360, 20}, {20, 150, 300, 20})),
        picture("service_link_y", at({90, 13, 20, 70}, {75, 13, 20, 70})),
    };
    for (int k = 0; k < 2; ++k) {
        const QRectF frame = at({40.0 + 70 * k, 20, 50, 60}, {30.0 + 60 * k, 20, 50, 60});
        specs.push_back(button(kHeatTag + k, arrayHeatAndFoot_[k], frame));
        specs.push_back(caption(30 + k, kButtonKeys[k], {frame.x(), 65, 45, 30}, 10, 2));
    }
    specs.push_back(caption(32, "SpeedOnOther",
                            at({half - 50, 40, 50, 13}, {half - 31, 40, 29, 13}), 10,
                            wide ? 2 : 1));
    specs.push_back(bar(kSpeedBar, arrayFirstSpeed_[0], {half, 35, 150, 30}));
    for (int k = 0; k < kMemoryCount; ++k) {
        specs.push_back(button(kFirstMemoryTag + k, arrayStorage_[k],
                               at({130.0 + 70 * k, 110, 45, 45}, {100.0 + 50 * k, 110, 45, 45})));
    }
    specs.push_back(caption(33, "memostore", at({60, 165, 320, 16}, {10, 165, 320, 16}), 14));
    addSegments(specs, kSpeedBar, kFirstSegmentTag, kSegmentCount, {20, 0, 22, 18});
    specs.push_back(button(kGoBackTag, "layout_goback_on", {w - 40, h - 40, 40, 40}));
    build(specs);
    setLabelColor();
}

void OtherView::InitOtherView1() {
    const double w = width(), h = height(), half = w / 2;
    std::vector<ControlSpec> specs = {
        picture("bg4", {0, 0, w, h}),
        picture("service_link_midden", {45, 120, 700, 40}),
        picture("service_link_midden", {45, 300, 700, 40}),
        picture("service_link_y", {180, 20, 30, 120}),
    };
    for (int k = 0; k < 2; ++k) {
        const QRectF frame(90.0 + 110 * k, 30, 90, 110);
        specs.push_back(button(kHeatTag + k, arrayHeatAndFoot_[k], frame));
        specs.push_back(wrappedCaption(30 + k, kButtonKeys[k], {frame.x() - 5, 140, 100, 50}, 20));
    }
    specs.push_back(caption(32, "SpeedOnOther", {half - 60, 65, 100, 30}, 20));
    specs.push_back(bar(kSpeedBar, arrayFirstSpeed_[0], {half + 40, 60, 300, 50}));
    for (int k = 0; k < kMemoryCount; ++k) {
        specs.push_back(
            button(kFirstMemoryTag + k, arrayStorage_[k], {230.0 + 130 * k, 200, 90, 90}));
    }
    specs.push_back(caption(33, "memostore", {210, 330, 400, 50}, 27));
    addSegments(specs, kSpeedBar, kFirstSegmentTag, kSegmentCount, {40, 5, 45, 25});
    specs.push_back(button(kGoBackTag, "layout_goback_on", {w - 70, h - 70, 70, 70}));
    build(specs);
    setLabelColor();
}

void OtherView::setHeatBtnSel(std::uint64_t heat) {
    if (heat == 1) showImage(kHeatTag, arrayHeatAndFoot1_[0]);
    if (heat == 0) showImage(kHeatTag, arrayHeatAndFoot_[0]);
}

void OtherView::setBtnSel1(std::uint64_t rollerSpeed) {
    showImage(kRollersTag, rollerSpeed != 0 ? arrayHeatAndFoot1_[1] : arrayHeatAndFoot_[1]);
    setStrengthImage(rollerSpeed);
}

void OtherView::setStrengthImage(std::uint64_t rollerSpeed) {
    showBarImage(kSpeedBar, arrayFirstSpeed_, rollerSpeed);
}

void OtherView::setBtnToNormal() {
    for (int k = 0; k < kMemoryCount; ++k) showImage(kFirstMemoryTag + k, arrayStorage_[k]);
}

void OtherView::setABCSel(std::uint64_t programme) {
    setBtnToNormal();
    if (programme < kFirstMemoryProgramme || programme >= kFirstMemoryProgramme + kMemoryCount) {
        return;
    }
    const int k = static_cast<int>(programme - kFirstMemoryProgramme);
    showImage(kFirstMemoryTag + k, arrayStorage1_[k]);
}

}  // namespace panels
