#include "panels/PressureView.h"

#include <vector>

namespace panels {

namespace {
constexpr int kWideAbove = 430;
constexpr int kRowCount = 4;  // three zones, then leg traction
constexpr int kSegmentCount = 5;
const QString kArmBar = "image1";
const QString kLowerBar = "image2";
const char* const kRowKeys[kRowCount] = {"lower", "waistbutt", "foot", "legstretch"};
// The zone codes are not in tag order: waist to hip is 0x73, legs 0x72.
constexpr std::int32_t kZoneCodes[3] = {0x71, 0x73, 0x72};
}  // namespace

PressureView::PressureView(const QRect& frame, PanelContext context, QWidget* parent)
    : MassagePanel(frame, context, parent) {
    arrayBtn_ = {"air_arm_off", "air_lowerbody_off", "air_waisttohip_off", "air_legs_off",
                 "air_legtraction_off"};
    arrayBtn1_ = {"air_arm_on", "air_lowerbody_on", "air_waisttohip_on", "air_legs_on",
                  "air_legtraction_on"};
    arrayFirstSpeed_ = {"manual_grade_0", "manual_grade_2", "manual_grade_4", "manual_grade_5"};
    if (isTablet()) {
        InitPressureView1();
    } else {
        InitPressureView();
    }
}

std::optional<PanelCommand> PressureView::commandForTag(int tag) {
    if (tag == kArmTag) return PanelCommand{0x79};
    if (tag == kTractionTag) return PanelCommand{0x77};
    if (tag >= kFirstArmSegmentTag && tag < kFirstLowerSegmentTag) {
        return PanelCommand{0x13, ChairSetting::ArmPressureIntensity,
                            levelOfSegment(tag - kFirstArmSegmentTag + 1)};
    }
    if (tag >= kFirstLowerSegmentTag && tag < kFirstZoneTag) {
        return PanelCommand{0x14, ChairSetting::LowerPressureIntensity,
                            levelOfSegment(tag - kFirstLowerSegmentTag + 1)};
    }
    if (tag >= kFirstZoneTag && tag < kTractionTag) {
        const int zone = tag - kFirstZoneTag + 1;
        return PanelCommand{kZoneCodes[zone - 1], ChairSetting::LowerPressureStatus,
                            static_cast<std::uint8_t>(zone)};
    }
    return std::nullopt;
}

void PressureView::InitPressureView() {
    const double w = width(), h = height(), half = w / 2;
    const double d = (w - 500) / 7;
    const bool wide = w > kWideAbove;
    // One line per row of the frame table: the wide frame, then the narrow one.
    const auto at = [wide](QRectF wideFrame, QRectF narrowFrame) {
        return wide ? wideFrame : narrowFrame;
    };
    std::vector<ControlSpec> specs = {
        picture("bg3", {0, 0, w, h}),
        picture("service_link_midden", at({45, 70, 360, 20}, {20, 70, 300, 20})),
        button(kArmTag, arrayBtn_[0], at({70, 15, 45, 60}, {40, 15, 45, 60})),
        caption(30, "arm", at({70, 65, 45, 10}, {40, 60, 45, 10}), 10),
        caption(31, "strength", at({half - 50, 30, 50, 10}, {half - 82, 30, 50, 14}), 10),
        bar(kArmBar, arrayFirstSpeed_[0], at({half, 25, 150, 30}, {half - 30, 25, 150, 30})),
        caption(32, "strength", at({half - 50, 170, 50, 10}, {half - 82, 175, 50, 14}), 10),
        bar(kLowerBar, arrayFirstSpeed_[0], at({half, 170, 150, 30}, {half - 30, 170, 150, 30})),
    };
    for (int k = 0; k < kRowCount; ++k) {
        const double step = k * (d + 80);
        specs.push_back(button(kFirstZoneTag + k, arrayBtn_[k + 1],
                               at({70 + step, 90, 45, 60}, {40 + step, 90, 45, 60})));
        specs.push_back(caption(33 + k, kRowKeys[k],
                                at({60 + step, 130, 60, 25}, {30 + step, 130, 60, 25}), 10, 2));
    }
    addSegments(specs, kArmBar, kFirstArmSegmentTag, kSegmentCount, {20, 0, 22, 18});
    addSegments(specs, kLowerBar, kFirstLowerSegmentTag, kSegmentCount, {20, 0, 22, 18});
    specs.push_back(button(kGoBackTag, "layout_goback_on", {w - 50, h - 40, 40, 40}));
    build(specs);
    setLabelColor();
}

void PressureView::InitPressureView1() {
    const double w = width(), h = height(), half = w / 2;
    const double d = (w - 500) / 7;
    std::vector<ControlSpec> specs = {
        picture("bg3", {0, 0, w, h}),
        picture("service_link_midden", {45, 120, 700, 40}),
        button(kArmTag, arrayBtn_[0], {90, 30, 90, 110}),
        // As wide as its button: the table's 45 points hold no word at this size.
        caption(30, "arm", {90, 110, 90, 30}, 20),
        caption(31, "strength", {half - 160, 60, 98, 30}, 20),
        bar(kArmBar, arrayFirstSpeed_[0], {half - 60, 60, 300, 50}),
        caption(32, "strength", {half - 160, 400, 98, 30}, 20),
        bar(kLowerBar, arrayFirstSpeed_[0], {half - 60, 400, 300, 50}),
    };
    for (int k = 0; k < kRowCount; ++k) {
        const double step = k * (d + 110);
        specs.push_back(button(kFirstZoneTag + k, arrayBtn_[k + 1], {90 + step, 200, 90, 110}));
        // Two whole lines: at this size the longer captions need both.
        specs.push_back(wrappedCaption(33 + k, kRowKeys[k], {85 + step, 280, 100, 50}, 20));
    }
    addSegments(specs, kArmBar, kFirstArmSegmentTag, kSegmentCount, {40, 5, 45, 25});
    addSegments(specs, kLowerBar, kFirstLowerSegmentTag, kSegmentCount, {40, 5, 45, 25});
    specs.push_back(button(kGoBackTag, "layout_goback_on", {w - 70, h - 70, 70, 70}));
    build(specs);
    setLabelColor();
}

void PressureView::setBtnSel1(std::uint64_t armIntensity) {
    showImage(kArmTag, armIntensity != 0 ? arrayBtn1_[0] : arrayBtn_[0]);
    setStrengthImage(armIntensity);
}

void PressureView::setStrengthImage(std::uint64_t armIntensity) {
    showBarImage(kArmBar, arrayFirstSpeed_, armIntensity);
}

void PressureView::setStrengthImage1(std::uint64_t lowerIntensity) {
    showBarImage(kLowerBar, arrayFirstSpeed_, lowerIntensity);
}

void PressureView::setBtnToNormal() {
    for (int z = 1; z <= 3; ++z) showImage(kFirstZoneTag + z - 1, arrayBtn_[z]);
}

void PressureView::setBtnSel(std::uint64_t zone) {
    setBtnToNormal();
    if (zone < 1 || zone > 3) return;
    showImage(kFirstZoneTag + static_cast<int>(zone) - 1, arrayBtn1_[static_cast<int>(zone)]);
}

void PressureView::setBtnSel15(std::uint64_t traction) {
    if (traction == 1) showImage(kTractionTag, arrayBtn1_[4]);
    if (traction == 0) showImage(kTractionTag, arrayBtn_[4]);
}

}  // namespace panels
