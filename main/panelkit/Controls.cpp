#include "main/panelkit/Controls.h"

#include <vector>

#include "main/toolkit/Bundle.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"

namespace panels {

tk::ImageButton* makeImageButton(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                                 const QString& image, int tag) {
    auto* button = new tk::ImageButton(parent);
    button->setGeometry(frame);
    button->setBackgroundImage(bundle.image(image));
    if (tag != 0) tk::setTag(button, tag);
    button->show();
    return button;
}

tk::ImageView* makeImageView(QWidget* parent, const QRect& frame, tk::Bundle& bundle,
                             const QString& image, bool touchesToSubviews, int tag) {
    auto* view = new tk::ImageView(bundle.image(image), parent);
    view->setGeometry(frame);
    view->setUserInteractionEnabled(touchesToSubviews);
    if (tag != 0) tk::setTag(view, tag);
    view->show();
    return view;
}

tk::Label* makeCaption(QWidget* parent, const QRect& frame, double fontSize, int tag,
                       const QColor& color) {
    auto* label = new tk::Label(parent);
    label->setGeometry(frame);
    label->setTextFont(tk::Fonts::system(fontSize));
    label->setTextColor(color);
    label->setTextAlignment(Qt::AlignHCenter);
    // A caption that would be cut off in either language is drawn smaller instead.
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(kSmallestCaptionScale);
    if (tag != 0) tk::setTag(label, tag);
    label->show();
    return label;
}

void evenCaptionRows(QWidget* parent) {
    std::vector<tk::Label*> captions;
    std::vector<double> sizes;
    for (auto* label : parent->findChildren<tk::Label*>(Qt::FindDirectChildrenOnly)) {
        if (!label->adjustsFontSizeToFitWidth()) continue;
        label->setLargestFittedSize(0);
        captions.push_back(label);
        sizes.push_back(label->drawnFont().pointSizeF());
    }
    const auto oneRow = [](const tk::Label* a, const tk::Label* b) {
        return a->size() == b->size() && (a->y() == b->y() || a->x() == b->x());
    };
    // The smallest size spreads through each row, rows joined through shared members included.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            for (std::size_t j = 0; j < captions.size(); ++j) {
                if (sizes[j] < sizes[i] && oneRow(captions[i], captions[j])) {
                    sizes[i] = sizes[j];
                    changed = true;
                }
            }
        }
    }
    for (std::size_t i = 0; i < captions.size(); ++i) captions[i]->setLargestFittedSize(sizes[i]);
}

}  // namespace panels
