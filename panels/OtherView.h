#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

#include "panels/MassagePanel.h"
#include "panels/PanelCommand.h"

namespace panels {

// The Other panel: heat, the foot rollers with their speed bar, three memory buttons and go
// back. A tap only reports to its target; heat, rollers and speed follow the chair's
// other-functions status, the memory buttons the automatic programme it reported last.
// Main thread only.
class OtherView : public MassagePanel {
    Q_OBJECT
public:
    static constexpr int kHeatTag = 1;
    static constexpr int kRollersTag = 2;
    static constexpr int kFirstSegmentTag = 3;
    static constexpr int kFirstMemoryTag = 11;
    static constexpr int kMemoryCount = 3;
    static constexpr int kGoBackTag = 14;
    static constexpr std::uint64_t kFirstMemoryProgramme = 8;

    OtherView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    static std::optional<PanelCommand> commandForTag(int tag);

    void InitOtherView();   // phone
    void InitOtherView1();  // tablet

    // 1 lights the heat button, 0 clears it, anything else leaves it.
    void setHeatBtnSel(std::uint64_t heat);
    // The rollers button lights for any speed but 0, the bar shows speeds 0 to 3.
    void setBtnSel1(std::uint64_t rollerSpeed);
    void setStrengthImage(std::uint64_t rollerSpeed);
    // Programmes 8 to 10 are the three memories; any other lights none.
    void setABCSel(std::uint64_t programme);
    void setBtnToNormal();

    const QStringList& arrayStorage() const { return arrayStorage_; }
    const QStringList& arrayStorage1() const { return arrayStorage1_; }
    const QStringList& arrayFirstSpeed() const { return arrayFirstSpeed_; }

private:
    QStringList arrayStorage_;
    QStringList arrayStorage1_;
    QStringList arrayHeatAndFoot_;
    QStringList arrayHeatAndFoot1_;
    QStringList arrayFirstSpeed_;
};

}  // namespace panels
