#pragma once

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/PanelContext.h"

namespace tk {
class ImageView;
}

namespace panels {

// The Auto panel: six automatic programmes in two rows of three and a go-back button. A tap
// only reports the button to its target (the main screen sends the code); what is lit follows
// the programme the chair reports through setBtnSel. Main thread only.
class AutoView : public QWidget, public LanguageAware {
    Q_OBJECT
public:
    static constexpr int kProgrammeCount = 6;
    static constexpr int kGoBackTag = 7;

    // Builds the contents for the runtime's idiom at once.
    AutoView(const QRect& frame, PanelContext context, QWidget* parent = nullptr);

    // Command code of the programme button `tag` (1 to 6), or 0 for any other tag.
    static std::int32_t commandCodeForTag(int tag);

    void InitAutoView();   // phone
    void InitAutoView1();  // tablet

    // Button titles in the given language.
    void setLanguageForModeView(std::int64_t languageFlag) override;
    // Lights the programme the chair reports: 4 and 5 light the buttons tagged 5 and 4, since
    // the chair numbers those two programmes the other way round from their command codes.
    // Other numbers than 1 to 6 leave all six off.
    void setBtnSel(std::uint64_t programme);
    void setBtnToNormal();

    tk::ImageView* imageView() const { return imageView_; }
    const QStringList& array() const { return array_; }
    const QStringList& array1() const { return array1_; }

private:
    void buildButtons(int size, int left, int top, double step, int rowStep, double fontSize);

    PanelContext context_;
    tk::ImageView* imageView_ = nullptr;
    QStringList array_;
    QStringList array1_;
};

}  // namespace panels
