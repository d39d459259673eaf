#include "panels/MassagePanel.h"

#include "main/panelkit/Controls.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Bundle.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace panels {

namespace {
const QColor kCaptionColor(0, 255, 255);
}

MassagePanel::MassagePanel(const QRect& frame, PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
}

bool MassagePanel::isTablet() const {
    return context_.runtime.screen().isTablet();
}

void MassagePanel::build(std::span<const ControlSpec> specs) {
    buildControls(this, context_.runtime.bundle(), specs);
    for (const ControlSpec& spec : specs) {
        if (spec.kind == ControlSpec::Kind::Caption ||
            spec.kind == ControlSpec::Kind::LeftCaption) {
            captionKeys_.append({spec.tag, spec.image});
        }
    }
}

void MassagePanel::setLanguageForModeView(std::int64_t languageFlag) {
    const LanguageDictionary& dictionary = context_.languages.load(languageFlag);
    for (const auto& [tag, key] : captionKeys_) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, tag))
            label->setText(dictionary.value(key));
    }
    evenCaptionRows(this);
}

void MassagePanel::setLabelColor() {
    for (const auto& entry : captionKeys_) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, entry.first)) {
            label->setTextColor(kCaptionColor);
        }
    }
}

tk::ImageView* MassagePanel::gradeBar(const QString& name) const {
    return findChild<tk::ImageView*>(name, Qt::FindDirectChildrenOnly);
}

tk::ImageButton* MassagePanel::buttonWithTag(int tag) const {
    return tk::viewWithTag<tk::ImageButton>(const_cast<MassagePanel*>(this), tag);
}

void MassagePanel::showImage(int tag, const QString& image) {
    if (auto* button = buttonWithTag(tag)) {
        button->setBackgroundImage(context_.runtime.bundle().image(image));
    }
}

void MassagePanel::showBarImage(const QString& name, const QStringList& images,
                                std::uint64_t value) {
    if (value >= static_cast<std::uint64_t>(images.size())) return;
    if (auto* view = gradeBar(name)) {
        view->setImage(context_.runtime.bundle().image(images[static_cast<int>(value)]));
    }
}

void MassagePanel::hideTag(int tag, bool hidden) {
    if (QWidget* view = tk::viewWithTag(this, tag)) view->setHidden(hidden);
}

}  // namespace panels
