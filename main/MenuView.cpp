#include "main/MenuView.h"

#include "main/panelkit/Controls.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace mainscreen {

namespace {
constexpr int kCaptionTagOffset = 10;
const char* const kCaptionKeys[MenuView::kEntryCount] = {"Auto", "Manual", "Pressure", "Others"};
}  // namespace

// Entry n (from 0) sits at origin + n * step; the caption overlaps the lower part of the
// button.
struct MenuView::EntryLayout {
    QRect firstButton;
    QRect firstCaption;
    int step;
    double fontSize;
};

MenuView::MenuView(const QRect& frame, panels::PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        InitWithMenuView2();
    } else {
        InitWithMenuView();
    }
    currentIndex_ = kNoEntry;
}

void MenuView::InitWithMenuView() {
    buildEntries({QRect(10, 70, 45, 45), QRect(14, 82, 37, 45), 50, 10});
}

void MenuView::InitWithMenuView2() {
    buildEntries({QRect(8, 150, 110, 110), QRect(16, 220, 93, 30), 120, 20});
}

void MenuView::buildEntries(const EntryLayout& layout) {
    imageView_ = panels::makeImageView(this, QRect(0, 0, width(), height()),
                                       context_.runtime.bundle(), "menulist", true);
    for (int n = 1; n <= kEntryCount; ++n) {
        const int dy = layout.step * (n - 1);
        panels::makeImageButton(imageView_, layout.firstButton.translated(0, dy),
                                context_.runtime.bundle(), btnarray_[n - 1], n);
        panels::makeCaption(imageView_, layout.firstCaption.translated(0, dy), layout.fontSize,
                            n + kCaptionTagOffset);
    }
}

void MenuView::setLanguageForModeView(std::int64_t languageFlag) {
    const panels::LanguageDictionary& dictionary = context_.languages.load(languageFlag);
    for (int n = 1; n <= kEntryCount; ++n) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, n + kCaptionTagOffset)) {
            label->setText(dictionary.value(kCaptionKeys[n - 1]));
        }
    }
    if (imageView_) panels::evenCaptionRows(imageView_);
}

void MenuView::setEntryPicture(std::int64_t entry, const QString& picture) {
    if (auto* button = tk::viewWithTag<tk::ImageButton>(this, static_cast<int>(entry))) {
        button->setBackgroundImage(context_.runtime.bundle().image(picture));
    }
}

void MenuView::setBtnToNormal(std::int64_t index) {
    if (!isEntry(index)) return;
    setEntryPicture(index, btnarray_[index - 1]);
}

void MenuView::setBtnSel(std::int64_t index) {
    // 11 and above is "no entry"; the small numbers outside 1 to 4 name no picture at all.
    if (!isEntry(index) && index < 11) return;
    if (currentIndex_ <= 9) setBtnToNormal(currentIndex_);
    if (!isEntry(index)) return;
    currentIndex_ = index;
    setEntryPicture(index, btnarray1_[index - 1]);
}

}  // namespace mainscreen
