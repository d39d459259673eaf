#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "main/panelkit/PanelContext.h"

namespace tk {
class ImageView;
}

namespace mainscreen {

// The menu that slides down from the top left: four entries (buttons tagged 1 to 4, captions
// tagged 11 to 14) on the "menulist" picture. It only shows which entry is selected; the main
// screen wires the entries and moves the menu. Main thread only.
class MenuView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEntryCount = 4;
    static constexpr std::int64_t kNoEntry = 100;

    // Builds the entries for the runtime's idiom at once.
    MenuView(const QRect& frame, panels::PanelContext context, QWidget* parent = nullptr);

    void InitWithMenuView();   // phone
    void InitWithMenuView2();  // tablet

    void setLanguageForModeView(std::int64_t languageFlag);
    // Entries 1 to 4 select; 11 or more only turn the selected entry off and keep
    // currentIndex. Anything else (0, 5 to 10, negative) changes nothing.
    void setBtnSel(std::int64_t index);
    // Entries 1 to 4 get their off picture; other indices change nothing.
    void setBtnToNormal(std::int64_t index);

    tk::ImageView* imageView() const { return imageView_; }
    std::int64_t currentIndex() const { return currentIndex_; }
    void setCurrentIndex(std::int64_t index) { currentIndex_ = index; }
    const QStringList& btnarray() const { return btnarray_; }
    const QStringList& btnarray1() const { return btnarray1_; }

private:
    struct EntryLayout;
    void buildEntries(const EntryLayout& layout);
    void setEntryPicture(std::int64_t entry, const QString& picture);
    static bool isEntry(std::int64_t index) { return index >= 1 && index <= kEntryCount; }

    panels::PanelContext context_;
    tk::ImageView* imageView_ = nullptr;
    QStringList btnarray_{"layout_auto_off", "layout_manual_off", "layout_airpressure_off",
                          "layout_other_off"};
    QStringList btnarray1_{"layout_auto_on", "layout_manual_on", "layout_airpressure_on",
                           "layout_other_on"};
    std::int64_t currentIndex_ = kNoEntry;
};

}  // namespace mainscreen
