#include "panels/AdjustView.h"

#include "main/panelkit/Controls.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace panels {

namespace {
constexpr int kWideFrom = 431;  // a phone panel wider than 430 points gets the wide layout
constexpr int kPhoneHeight = 210;
constexpr int kTabletHeight = 500;
constexpr int kTabletRightMargin = 120;  // the quick-key column
constexpr std::int32_t kUpperCode = 0x34;
constexpr std::int32_t kLowerCode = 0x35;
}  // namespace

// Frames of one layout; the buttons sit beside the grade picture G, the lower one first.
struct AdjustView::Layout {
    QRect body;
    QRect grade;
    QSize button;
    int a;     // x offset from G
    int b;     // y offset from G of the lower button
    int step;  // how far above the lower button the upper one sits
};

AdjustView::AdjustView(const QRect& frame, PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        InitAdjustView1();
    } else {
        InitAdjustView();
    }
}

QRect AdjustView::frameOnScreen(const tk::Screen& screen) {
    const bool wide = screen.L > 500;
    if (screen.isTablet()) {
        // The tablet content reaches 480 points down and 720 across, and a panel clips what
        // lies outside it: as tall as its content, and ending where the quick keys begin so
        // it never covers them.
        return QRect(65, 55, screen.L - kTabletRightMargin - 65, kTabletHeight);
    }
    return QRect(wide ? 65 : 60, 55, wide ? screen.L - 130 : screen.L - 140, kPhoneHeight);
}

void AdjustView::InitAdjustView() {
    if (width() >= kWideFrom) {
        build({QRect(60, 10, 200, 200), QRect(280, 20, 40, 90), QSize(50, 40), 40, 40, 50});
    } else {
        build({QRect(30, 10, 200, 200), QRect(240, 20, 40, 90), QSize(50, 40), 40, 40, 50});
    }
}

void AdjustView::InitAdjustView1() {
    build({QRect(130, 80, 400, 400), QRect(550, 70, 80, 180), QSize(90, 80), 80, 70, 100});
}

void AdjustView::build(const Layout& layout) {
    tk::Bundle& bundle = context_.runtime.bundle();
    arrayImage_.clear();
    for (int i = 0; i < kGradeSteps; ++i) arrayImage_ << QString("adjust_%1").arg(i);

    imageViewBody_ = makeImageView(this, layout.body, bundle, "adjust_body");
    imageViewGrade_ = makeImageView(this, layout.grade, bundle, arrayImage_[0]);
    // The lower button first, then the upper one a step above it.
    const struct {
        int tag;
        const char* picture;
    } buttons[] = {{kLowerButtonTag, "adjust_lower_off"}, {kUpperButtonTag, "adjust_upper_off"}};
    for (int j = 0; j < 2; ++j) {
        const QPoint origin(layout.grade.x() + layout.a,
                            layout.grade.y() + layout.b - j * layout.step);
        makeImageButton(this, QRect(origin, layout.button), bundle, buttons[j].picture,
                        buttons[j].tag);
    }
}

void AdjustView::setImageGradeState(std::int64_t position) {
    // The chair's byte is untrusted: a position without a picture keeps the current one.
    if (position < 0 || position >= arrayImage_.size()) return;
    imageViewGrade_->setImage(
        context_.runtime.bundle().image(arrayImage_[static_cast<int>(position)]));
}

void AdjustView::hideControlBtn() {
    setControlsHidden(true);
}

void AdjustView::showControlBtn() {
    setControlsHidden(false);
}

void AdjustView::setControlsHidden(bool hidden) {
    imageViewGrade_->setHidden(hidden);
    for (int tag : {kUpperButtonTag, kLowerButtonTag}) {
        if (QWidget* button = tk::viewWithTag(this, tag)) button->setHidden(hidden);
    }
}

std::int32_t AdjustView::commandCodeForTag(int tag) {
    switch (tag) {
        case kUpperButtonTag:
            return kUpperCode;
        case kLowerButtonTag:
            return kLowerCode;
        default:
            return 0;
    }
}

}  // namespace panels
