#pragma once

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "main/panelkit/PanelContext.h"
#include "main/toolkit/Screen.h"

namespace tk {
class ImageView;
}

namespace panels {

// The panel the chair calls up while it measures the shoulders: a body picture, a grade
// picture of 12 steps that follows the reported position, and the up and down buttons.
// Passive: the buttons only report to the main screen's action; the grade picture changes
// only through setImageGradeState. Main thread only.
class AdjustView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTag = 105;
    static constexpr int kUpperButtonTag = 1;
    static constexpr int kLowerButtonTag = 2;
    static constexpr int kGradeSteps = 12;

    // Builds the tablet layout for the runtime's tablet idiom, else the phone layout that
    // fits the frame's width.
    AdjustView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    // The panel's frame on a main screen of these measures.
    static QRect frameOnScreen(const tk::Screen& screen);
    // What a button sends: 52 for the upper one, 53 for the lower one, 0 for any other tag.
    static std::int32_t commandCodeForTag(int tag);

    // Positions 0 to 11 pick the grade picture; anything else leaves it as it is.
    void setImageGradeState(std::int64_t position);
    // Hides or shows the grade picture and both buttons.
    void hideControlBtn();
    void showControlBtn();

    tk::ImageView* imageViewBody() const { return imageViewBody_; }
    tk::ImageView* imageViewGrade() const { return imageViewGrade_; }
    const QStringList& arrayImage() const { return arrayImage_; }

private:
    struct Layout;
    void InitAdjustView();   // phone
    void InitAdjustView1();  // tablet
    void build(const Layout& layout);
    void setControlsHidden(bool hidden);

    PanelContext context_;
    QStringList arrayImage_;
    tk::ImageView* imageViewBody_ = nullptr;
    tk::ImageView* imageViewGrade_ = nullptr;
};

}  // namespace panels
