#include "panels/ManualView.h"

#include <vector>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Tag.h"

namespace panels {

namespace {
constexpr int kWideAbove = 430;
constexpr int kPositionCount = 5;
constexpr int kPositionsPerRow = 3;
constexpr int kSegmentCount = 5;
const QString kSpeedBar = "image1";
const QString kWidthBar = "image2";

const char* const kCaptionKeys[] = {
    "shouldergrasp", "knead",    "flap",      "kneadandflap", "shiatsu", "3DMassage", "speed",
    "width",         "fullback", "upperback", "lowerback",    "partial", "fixed"};

// Codes by tag: techniques 1 to 6, then positions 17 to 21 (fixed last, sent as 0x50).
constexpr std::int32_t kTechniqueCodes[ManualView::kTechniqueCount] = {0x65, 0x61, 0x62,
                                                                       0x63, 0x64, 0x6A};
constexpr std::int32_t kPositionCodes[kPositionCount] = {0x51, 0x52, 0x53, 0x54, 0x50};

// Technique number 1 to 11: the tag it lights and the index of its picture in arrayFirstBtn1.
struct LitTechnique {
    int tag;
    int picture;
};
constexpr LitTechnique kLitTechniques[11] = {{2, 1}, {3, 2}, {3, 3}, {4, 4}, {5, 5}, {5, 6},
                                             {1, 0}, {6, 7}, {6, 8}, {6, 9}, {6, 10}};
}  // namespace

// The numbers of one layout; d and g come from the panel's width.
struct ManualView::Metrics {
    QRectF divider;
    QRectF firstTechnique;  // technique i sits i·(d + 70) further right
    QRectF firstTechniqueCaption;
    QRectF flap;                        // tag 3's own frame, its x counted from 2d
    QRectF speedCaption, widthCaption;  // x counted from W/2
    QRectF speedBar, widthBar;          // x counted from W/2
    QRectF firstSegment;
    QRectF firstPosition;  // column c at c·g, row r at r·rowStep
    double positionRowStep;
    QRectF positionCaption;  // relative to its button
    QRectF pageOne, pageTwo;
    double goBackSize;
    double font;
};

ManualView::ManualView(const QRect& frame, PanelContext context, QWidget* parent)
    : MassagePanel(frame, context, parent) {
    arrayFirstBtn_ = {"manual_shoulder_off",  "manual_beat_off",    "manualon_beat_off",
                      "manual_takeknead_off", "manual_shiatsu_off", "manual_3d_off"};
    arrayFirstBtn1_ = {"manual_shoulder_on", "manual_beat_on",      "manualon_beat_1",
                       "manualon_beat_2",    "manual_takeknead_on", "manual_shiatsu_1",
                       "manual_shiatsu_2",   "manual_3d_1",         "manual_3d_2",
                       "manual_3d_3",        "manual_3d_4"};
    for (int grade = 0; grade <= 5; ++grade)
        arrayFirstSpeed_ << QString("manual_grade_%1").arg(grade);
    arraySecondBtn_ = {"manual_full_off", "manual_upper_off", "manual_lower_off", "manual_part_off",
                       "manual_fixed_off"};
    arraySecondBtn1_ = {"manual_full_on", "manual_upper_on", "manual_lower_on", "manual_part_on",
                        "manual_fixed_on"};
    if (isTablet()) {
        InitManualView2();
    } else {
        InitManualView();
    }
}

std::optional<PanelCommand> ManualView::commandForTag(int tag) {
    if (tag >= 1 && tag <= kTechniqueCount) return PanelCommand{kTechniqueCodes[tag - 1]};
    if (tag >= kFirstSpeedTag && tag < kFirstWidthTag) {
        return PanelCommand{0x11, ChairSetting::HandSpeed,
                            static_cast<std::uint8_t>(tag - kFirstSpeedTag + 1)};
    }
    if (tag >= kFirstWidthTag && tag < kFirstPositionTag) {
        return PanelCommand{0x12, ChairSetting::HandWidth,
                            static_cast<std::uint8_t>(tag - kFirstWidthTag + 1)};
    }
    if (tag >= kFirstPositionTag && tag <= kFixedTag) {
        return PanelCommand{kPositionCodes[tag - kFirstPositionTag]};
    }
    return std::nullopt;
}

namespace {
// The frame tables of the three layouts.
const ManualView::Metrics kWidePhone{
    .divider = {45, 60, 360, 20},
    .firstTechnique = {50, 80, 50, 50},
    .firstTechniqueCaption = {42, 120, 60, 32},
    .flap = {188, 80, 52, 49},
    .speedCaption = {-90, 145, 30, 20},
    .widthCaption = {-90, 175, 30, 20},
    .speedBar = {-60, 145, 150, 30},
    .widthBar = {-60, 175, 150, 30},
    .firstSegment = {20, 0, 22, 18},
    .firstPosition = {50, 80, 45, 60},
    .positionRowStep = 60,
    .positionCaption = {0, 40, 50, 20},
    .pageOne = {50, 15, 50, 50},
    .pageTwo = {110, 15, 50, 50},
    .goBackSize = 40,
    .font = 10,
};
const ManualView::Metrics kNarrowPhone{
    .divider = {20, 60, 300, 20},
    .firstTechnique = {40, 80, 45, 45},
    .firstTechniqueCaption = {30, 120, 60, 25},
    .flap = {180, 80, 46, 44},
    .speedCaption = {-90, 145, 30, 20},
    .widthCaption = {-90, 175, 30, 20},
    .speedBar = {-60, 145, 150, 30},
    .widthBar = {-60, 175, 150, 30},
    .firstSegment = {20, 0, 22, 18},
    .firstPosition = {50, 80, 45, 60},
    .positionRowStep = 60,
    .positionCaption = {0, 40, 50, 20},
    .pageOne = {50, 15, 50, 50},
    .pageTwo = {110, 15, 50, 50},
    .goBackSize = 40,
    .font = 10,
};
const ManualView::Metrics kTablet{
    .divider = {45, 120, 700, 40},
    .firstTechnique = {80, 170, 90, 90},
    .firstTechniqueCaption = {80, 250, 100, 50},
    .flap = {218, 170, 94, 89},
    .speedCaption = {-150, 345, 80, 40},
    .widthCaption = {-150, 395, 80, 40},
    .speedBar = {-60, 350, 300, 50},
    .widthBar = {-60, 400, 300, 50},
    .firstSegment = {40, 5, 45, 25},
    .firstPosition = {80, 170, 90, 120},
    .positionRowStep = 130,
    .positionCaption = {-5, 90, 100, 40},  // wide enough for two-word captions
    .pageOne = {80, 30, 90, 100},
    .pageTwo = {180, 30, 90, 100},
    .goBackSize = 70,
    .font = 20,
};
}  // namespace

void ManualView::InitManualView() {
    buildPages(width() > kWideAbove ? kWidePhone : kNarrowPhone);
}

void ManualView::InitManualView2() {
    buildPages(kTablet);
}

void ManualView::buildPages(const Metrics& m) {
    const double w = width(), h = height();
    const double d = (w - 500) / 7;
    const double g = (w - 150) / 4 + 30;
    const double half = w / 2;
    std::vector<ControlSpec> specs = {picture("bg2", {0, 0, w, h}),
                                      picture("service_link_midden", m.divider)};
    for (int i = 0; i < kTechniqueCount; ++i) {
        const double shift = i * (d + 70);
        const QRectF frame =
            i + 1 == 3 ? m.flap.translated(2 * d, 0) : m.firstTechnique.translated(shift, 0);
        specs.push_back(button(i + 1, arrayFirstBtn_[i], frame));
        specs.push_back(caption(kFirstCaptionTag + i, kCaptionKeys[i],
                                m.firstTechniqueCaption.translated(shift, 0), m.font, 2));
    }
    specs.push_back(leftCaption(37, kCaptionKeys[6], m.speedCaption.translated(half, 0), m.font));
    specs.push_back(leftCaption(38, kCaptionKeys[7], m.widthCaption.translated(half, 0), m.font));
    specs.push_back(bar(kSpeedBar, arrayFirstSpeed_[0], m.speedBar.translated(half, 0)));
    addSegments(specs, kSpeedBar, kFirstSpeedTag, kSegmentCount, m.firstSegment);
    specs.push_back(bar(kWidthBar, arrayFirstSpeed_[0], m.widthBar.translated(half, 0)));
    addSegments(specs, kWidthBar, kFirstWidthTag, kSegmentCount, m.firstSegment);
    for (int j = 0; j < kPositionCount; ++j) {
        const int row = j < kPositionsPerRow ? 0 : 1;
        const int column = j - kPositionsPerRow * row;
        const QRectF frame = m.firstPosition.translated(column * g, row * m.positionRowStep);
        specs.push_back(button(kFirstPositionTag + j, arraySecondBtn_[j], frame));
        specs.push_back(caption(39 + j, kCaptionKeys[8 + j],
                                m.positionCaption.translated(frame.topLeft()), m.font, 2));
    }
    specs.push_back(button(kPageOneTag, "manual_skill_off", m.pageOne));
    specs.push_back(button(kPageTwoTag, "manual_back_off", m.pageTwo));
    specs.push_back(button(kGoBackTag, "layout_goback_on",
                           {w - m.goBackSize, h - m.goBackSize, m.goBackSize, m.goBackSize}));
    build(specs);
    hideSecondView();
    setChoiceSel(kPageOneTag);
    setLabelColor();
}

void ManualView::setBtnToNormal(std::int64_t) {
    for (int tag = 1; tag <= kTechniqueCount; ++tag) showImage(tag, arrayFirstBtn_[tag - 1]);
}

void ManualView::setBtnSel(std::uint64_t technique) {
    setBtnToNormal(currentIndex_);
    if (technique < 1 || technique > std::size(kLitTechniques)) return;
    currentIndex_ = static_cast<std::int64_t>(technique);
    const LitTechnique lit = kLitTechniques[technique - 1];
    showImage(lit.tag, arrayFirstBtn1_[lit.picture]);
}

void ManualView::setBtnToNormal1() {
    for (int j = 0; j < kPositionCount; ++j) showImage(kFirstPositionTag + j, arraySecondBtn_[j]);
}

void ManualView::setBtnSel1(std::uint64_t position) {
    if (position > 5) return;
    setBtnToNormal1();
    // The chair reports "fixed" as 0 or 5.
    const int tag = position == 0 ? kFixedTag : kFirstPositionTag - 1 + static_cast<int>(position);
    showImage(tag, arraySecondBtn1_[tag - kFirstPositionTag]);
}

void ManualView::setSpeedImage(std::uint64_t grade) {
    showBarImage(kSpeedBar, arrayFirstSpeed_, grade);
}

void ManualView::setWidthImage(std::uint64_t grade) {
    showBarImage(kWidthBar, arrayFirstSpeed_, grade);
}

void ManualView::setChoiceNormal() {
    showImage(kPageOneTag, "manual_skill_off");
    showImage(kPageTwoTag, "manual_back_off");
}

void ManualView::setChoiceSel(int pageTag) {
    setChoiceNormal();
    if (pageTag == kPageOneTag) showImage(kPageOneTag, "manual_skill_on");
    if (pageTag == kPageTwoTag) showImage(kPageTwoTag, "manual_back_on");
}

void ManualView::showFirst(bool shown) {
    // The grade segments sit in their bars and go with them.
    for (int tag = 1; tag <= kTechniqueCount; ++tag) hideTag(tag, !shown);
    for (int tag = kFirstCaptionTag; tag <= kLastPageOneCaptionTag; ++tag) hideTag(tag, !shown);
    for (const QString& name : {kSpeedBar, kWidthBar}) {
        if (auto* view = gradeBar(name)) view->setHidden(!shown);
    }
}

void ManualView::showSecond(bool shown) {
    for (int tag = kFirstPositionTag; tag <= kFixedTag; ++tag) hideTag(tag, !shown);
    for (int tag = kLastPageOneCaptionTag + 1; tag <= kLastCaptionTag; ++tag) hideTag(tag, !shown);
}

void ManualView::hideFirstView() {
    showFirst(false);
}
void ManualView::showFirstView() {
    showFirst(true);
}
void ManualView::hideSecondView() {
    showSecond(false);
}
void ManualView::showSecondView() {
    showSecond(true);
}

}  // namespace panels
