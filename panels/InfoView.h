#pragma once

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "base/NotificationCenter.h"
#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/LanguageStore.h"
#include "main/panelkit/PanelContext.h"
#include "main/toolkit/Screen.h"
#include "panels/InfoImageTables.h"

namespace tk {
class ImageView;
class Label;
}  // namespace tk

namespace panels {

struct InfoLayout;

// The running display: technique, speed, width and range, the remaining minutes, the air-bag
// zones, foot rollers, heat, stretch, the massage position and the intensity bar, with five
// intensity touch areas and the start/pause button. Filled only by status frames; a value
// outside an indicator's table leaves that indicator as it was. Main thread only.
class InfoView : public QWidget, public LanguageAware {
    Q_OBJECT
public:
    static constexpr int kTag = 106;
    static constexpr int kTensDigitTag = 5;
    static constexpr int kUnitsDigitTag = 6;
    static constexpr int kFirstTouchAreaTag = 13;
    static constexpr int kLastTouchAreaTag = 17;
    static constexpr int kStartPauseTag = 18;
    static constexpr int kCaptionTag = 30;
    static constexpr int kStateLabelTag = 31;
    static constexpr const char* kMessageName = "infoViewMessage";

    // Builds the tablet layout for the runtime's tablet idiom, else the phone layout that
    // fits the frame's width.
    InfoView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    // The panel's frame on a main screen of these measures.
    static QRect frameOnScreen(const tk::Screen& screen);

    // Takes the dictionary of `flag` into `dic`; the caption shows "strength", the state
    // label "running" or "pause" by the panel's own running state.
    void setLanguageForModeView(std::int64_t languageFlag) override;

    void setImageView1(std::int64_t technique);
    void setImageView2(std::int64_t speed);
    void setImageView3(std::int64_t width);
    void setImageView4(std::int64_t range);
    // 0 to 45 minutes as two digits; anything else is ignored.
    void setTimeImageView(std::int64_t minutes);
    void setImageView7(std::int64_t armLevel);
    // Position 0 empties the indicator whatever the value; 1 lower body, 2 air bags, 3 legs.
    void setImageView8(std::int64_t value, std::int64_t position);
    void setImageView9(std::int64_t stretch);
    void setImageView10(std::int64_t footRollers);
    void setImageView11(std::int64_t heat);
    void setImageView12(std::int64_t position);
    void setSpeedImage(std::int64_t intensity);
    // 1 running, 0 paused; other values are ignored.
    void setStartPause(std::int64_t state);
    void setLabelColor();

    // Runs `onMessage` for every "infoViewMessage" while this panel exists. One observation
    // per panel: calling again replaces it, and it ends when the panel is removed from its
    // parent or destroyed.
    void observeInfoMessages(base::NotificationCenter& center, std::function<void()> onMessage);
    bool observingInfoMessages() const { return infoObservation_.active(); }

    std::int64_t currentState() const { return currentState_; }
    const LanguageDictionary& dic() const { return dic_; }
    tk::ImageView* image1() const { return image1_; }

protected:
    bool event(QEvent* event) override;

private:
    void InitInfoView();
    void InitInfoView1();
    void build(const InfoLayout& layout);
    tk::Label* addLabel(QWidget* parent, int tag, const QRect& frame, int fontSize);
    // Shows table[value] in the indicator `tag`; a value outside the table changes nothing.
    void showFromTable(int tag, const QStringList& table, std::int64_t value);
    // The remaining minutes as a reader's text, in the panel's language.
    void nameRemainingTime();
    void setIndicatorImage(int tag, const QString& name);
    QString text(const char* key) const;

    PanelContext context_;
    InfoImageTables tables_;
    LanguageDictionary dic_;
    std::int64_t minutes_ = 0;
    std::int64_t currentState_ = 0;
    tk::ImageView* image1_ = nullptr;
    base::ObserverRegistration infoObservation_;
};

}  // namespace panels
