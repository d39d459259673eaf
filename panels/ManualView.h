#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

#include "panels/MassagePanel.h"
#include "panels/PanelCommand.h"

namespace panels {

// The Manual panel: six techniques with speed and width bars on page 1, five back positions
// on page 2, two page buttons and a go-back button. A tap only reports to its target; what
// is lit follows the chair's manual status through the setters. The page shown is the
// panel's own and starts on page 1. Main thread only.
class ManualView : public MassagePanel {
    Q_OBJECT
public:
    static constexpr int kTechniqueCount = 6;
    static constexpr int kFirstSpeedTag = 7;
    static constexpr int kFirstWidthTag = 12;
    static constexpr int kFirstPositionTag = 17;
    static constexpr int kFixedTag = 21;
    static constexpr int kPageOneTag = 22;
    static constexpr int kPageTwoTag = 23;
    static constexpr int kGoBackTag = 24;
    static constexpr int kFirstCaptionTag = 31;
    static constexpr int kLastPageOneCaptionTag = 38;
    static constexpr int kLastCaptionTag = 43;
    static constexpr int kUnset = 100;

    ManualView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    // The code of a technique, grade segment or position; nothing for the page and go-back
    // buttons and unknown tags.
    static std::optional<PanelCommand> commandForTag(int tag);

    void InitManualView();   // phone
    void InitManualView2();  // tablet

    // Technique 1 to 11 lights one button (7 lights the shoulder grasp, tag 1); any other
    // number leaves all six off and keeps currentIndex.
    void setBtnSel(std::uint64_t technique);
    void setBtnToNormal(std::int64_t unused);
    // Position 0 and 5 light "fixed", 1 to 4 their button; above 5 changes nothing.
    void setBtnSel1(std::uint64_t position);
    void setBtnToNormal1();
    // Grades 0 to 5; higher grades leave the bar.
    void setSpeedImage(std::uint64_t grade);
    void setWidthImage(std::uint64_t grade);
    void setChoiceSel(int pageTag);
    void setChoiceNormal();
    void hideFirstView();
    void showFirstView();
    void hideSecondView();
    void showSecondView();

    std::int64_t currentIndex() const { return currentIndex_; }
    std::int64_t currentIndex1() const { return currentIndex1_; }
    const QStringList& arrayFirstBtn() const { return arrayFirstBtn_; }
    const QStringList& arrayFirstBtn1() const { return arrayFirstBtn1_; }
    const QStringList& arrayFirstSpeed() const { return arrayFirstSpeed_; }
    const QStringList& arraySecondBtn() const { return arraySecondBtn_; }
    const QStringList& arraySecondBtn1() const { return arraySecondBtn1_; }

    // The numbers of one layout (ManualView.cpp has the three).
    struct Metrics;

private:
    void buildPages(const Metrics& m);
    void showFirst(bool shown);
    void showSecond(bool shown);

    std::int64_t currentIndex_ = kUnset;
    std::int64_t currentIndex1_ = kUnset;
    QStringList arrayFirstBtn_;
    QStringList arrayFirstBtn1_;
    QStringList arrayFirstSpeed_;
    QStringList arraySecondBtn_;
    QStringList arraySecondBtn1_;
};

}  // namespace panels
