#include "panels/AutoView.h"

#include <cmath>

#include "main/panelkit/Controls.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace panels {

namespace {
const char* const kTitleKeys[AutoView::kProgrammeCount] = {
    "comfort", "relax", "acherelieve", "waisttwist", "fullairpressure", "waiststretch"};

// Frames are whole points: half-point origins of the column step round to the nearest.
int whole(double value) {
    return static_cast<int>(std::lround(value));
}
}  // namespace

AutoView::AutoView(const QRect& frame, PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        InitAutoView1();
    } else {
        InitAutoView();
    }
}

std::int32_t AutoView::commandCodeForTag(int tag) {
    // 0x41 comfort to 0x46 waist stretch, in tag order.
    return tag >= 1 && tag <= kProgrammeCount ? 0x40 + tag : 0;
}

void AutoView::InitAutoView() {
    const int w = width();
    imageView_ =
        makeImageView(this, QRect(0, 0, w, height()), context_.runtime.bundle(), "bg1", true);
    if (w > 430) {
        buildButtons(90, 70, 10, (w - 470) / 4.0 + 120, 100, 9);
    } else {
        buildButtons(90, 27, 10, (w - 430) / 4.0 + 120, 95, 9);
    }
    makeImageButton(this, QRect(w - 40, height() - 30, 40, 40), context_.runtime.bundle(),
                    "layout_goback_on", kGoBackTag);
}

void AutoView::InitAutoView1() {
    const int w = width();
    imageView_ =
        makeImageView(this, QRect(0, 0, w, height()), context_.runtime.bundle(), "bg1", true);
    buildButtons(180, 70, 50, (w - 300) / 4.0 + 120, 200, 17);
    makeImageButton(this, QRect(w - 70, height() - 70, 70, 70), context_.runtime.bundle(),
                    "layout_goback_on", kGoBackTag);
}

void AutoView::buildButtons(int size, int left, int top, double step, int rowStep,
                            double fontSize) {
    array_ = {"auto_comfort_off", "auto_easy_off",        "auto_improve_off",
              "auto_twist_off",   "auto_airpressure_off", "auto_waisttensile_off"};
    array1_ = {"auto_comfort_on", "auto_easy_on",        "auto_improve_on",
               "auto_twist_on",   "auto_airpressure_on", "auto_waisttensile_on"};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int tag = 3 * row + column + 1;
            const QRect frame(whole(left + column * step), top + rowStep * row, size, size);
            auto* button =
                makeImageButton(this, frame, context_.runtime.bundle(), array_[tag - 1], tag);
            button->setTitleColor(Qt::black);
            button->setTitleFont(tk::Fonts::system(fontSize));
        }
    }
}

void AutoView::setLanguageForModeView(std::int64_t languageFlag) {
    const LanguageDictionary& dictionary = context_.languages.load(languageFlag);
    for (int tag = 1; tag <= kProgrammeCount; ++tag) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(this, tag)) {
            button->setTitle(dictionary.value(kTitleKeys[tag - 1]));
        }
    }
}

void AutoView::setBtnToNormal() {
    for (int tag = 1; tag <= kProgrammeCount; ++tag) {
        if (auto* button = tk::viewWithTag<tk::ImageButton>(this, tag)) {
            button->setBackgroundImage(context_.runtime.bundle().image(array_.value(tag - 1)));
        }
    }
}

void AutoView::setBtnSel(std::uint64_t programme) {
    setBtnToNormal();
    if (programme < 1 || programme > kProgrammeCount) return;
    int tag = static_cast<int>(programme);
    if (programme == 4) tag = 5;
    if (programme == 5) tag = 4;
    if (auto* button = tk::viewWithTag<tk::ImageButton>(this, tag)) {
        button->setBackgroundImage(context_.runtime.bundle().image(array1_.value(tag - 1)));
    }
}

}  // namespace panels
