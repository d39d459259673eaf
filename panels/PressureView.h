#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

#include "panels/MassagePanel.h"
#include "panels/PanelCommand.h"

namespace panels {

// The Pressure panel: the arm bags with their intensity bar, three lower-body zones with a
// shared intensity bar, leg traction and go back. A tap only reports to its target; what is
// lit follows the chair's air-pressure status through the setters. Main thread only.
class PressureView : public MassagePanel {
    Q_OBJECT
public:
    static constexpr int kArmTag = 1;
    static constexpr int kFirstArmSegmentTag = 2;
    static constexpr int kFirstLowerSegmentTag = 7;
    static constexpr int kFirstZoneTag = 12;
    static constexpr int kTractionTag = 15;
    static constexpr int kGoBackTag = 16;

    PressureView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    static std::optional<PanelCommand> commandForTag(int tag);

    void InitPressureView();   // phone
    void InitPressureView1();  // tablet

    // Arm intensity: the arm button lights for any value but 0, the bar for 0 to 3.
    void setBtnSel1(std::uint64_t armIntensity);
    void setStrengthImage(std::uint64_t armIntensity);
    void setStrengthImage1(std::uint64_t lowerIntensity);
    // Zone 1 to 3 lights one of the three zone buttons; other values light none.
    void setBtnSel(std::uint64_t zone);
    void setBtnToNormal();
    // 1 lights the traction button, 0 clears it, anything else leaves it.
    void setBtnSel15(std::uint64_t traction);

    const QStringList& arrayBtn() const { return arrayBtn_; }
    const QStringList& arrayBtn1() const { return arrayBtn1_; }
    const QStringList& arrayFirstSpeed() const { return arrayFirstSpeed_; }

private:
    QStringList arrayBtn_;
    QStringList arrayBtn1_;
    QStringList arrayFirstSpeed_;
};

}  // namespace panels
