#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/PanelContext.h"

namespace tk {
class ImageView;
class ListView;
class Runtime;
}  // namespace tk

namespace service {

// The settings panel: two choices on the left, language and volume, and one box to their
// right that shows the language list or the volume control. It sends nothing to the chair;
// presses only report the button to their target. Main thread only.
class SettingView : public QWidget, public panels::LanguageAware {
    Q_OBJECT
public:
    static constexpr int kLanguageTag = 1;
    static constexpr int kVolumeTag = 2;
    static constexpr int kDownTag = 3;
    static constexpr int kUpTag = 4;
    static constexpr int kGoBackTag = 5;
    static constexpr int kLanguageMarkerTag = 10;
    static constexpr int kVolumeMarkerTag = 11;
    static constexpr int kLanguageCaptionTag = 30;
    static constexpr int kVolumeCaptionTag = 31;

    SettingView(const QRect& frame, panels::PanelContext context, QWidget* parent = nullptr);

    // The panel's frame in the main view for the screen at hand.
    static QRect frameFor(const tk::Runtime& runtime);

    // A volume snapped to a tenth, as a count of tenths (0 to 10): a value at most 0.04
    // above a tenth goes down to it, anything more up to the next one.
    static int snapToTenths(double volume);
    // The level picture for 0 to 10; levels 2, 6 and 9 (and any other) keep the one shown.
    static std::optional<QString> volumeImageFor(std::int64_t level);

    void initSettingView();   // phone
    void initSettingView1();  // tablet

    void setLanguageForModeView(std::int64_t languageFlag) override;
    void setChoiceNormal();
    // 1 language, 2 volume: lights that choice and its marker.
    void setChoiceSel(int choice);
    void showLanguageView();
    void hideLanguageView();
    void showSound();
    void hideSound();
    void setVolumn(std::int64_t level);

    tk::ListView* tableView() const { return tableView_; }
    tk::ImageView* imagView1() const { return imagView1_; }

private:
    struct Layout;
    void build(const Layout& layout);
    void setButtonImage(int tag, const QString& image);
    void setSoundHidden(bool hidden);

    panels::PanelContext context_;
    tk::ListView* tableView_ = nullptr;  // owned by the panel
    tk::ImageView* imagView1_ = nullptr;
};

}  // namespace service
