#pragma once

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <span>

#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/PanelContext.h"
#include "panels/PanelLayout.h"

namespace tk {
class ImageButton;
class ImageView;
}  // namespace tk

namespace panels {

// What the Manual, Pressure and Other panels share: contents built from a frame table,
// captions relabelled from the language file by their keys, and pictures switched by tag or
// by bar. The bars and buttons are looked up again each time, so a setter on a panel that
// lacks a control does nothing. Main thread only.
class MassagePanel : public QWidget, public LanguageAware {
    Q_OBJECT
public:
    MassagePanel(const QRect& frame, PanelContext context, QWidget* parent);

    // Captions in the given language, by the keys of the frame table.
    void setLanguageForModeView(std::int64_t languageFlag) override;
    // Full cyan, the colour of every panel caption.
    void setLabelColor();

    // The bar picture named `name` ("image1", "image2"), or nullptr.
    tk::ImageView* gradeBar(const QString& name) const;
    tk::ImageButton* buttonWithTag(int tag) const;

protected:
    bool isTablet() const;
    // Builds the table and remembers which caption shows which key.
    void build(std::span<const ControlSpec> specs);
    // The button `tag` shows `image`; nothing when there is no such button.
    void showImage(int tag, const QString& image);
    // The bar shows the picture of `value` from `images`; a value past the table leaves it.
    void showBarImage(const QString& name, const QStringList& images, std::uint64_t value);
    void hideTag(int tag, bool hidden);

    PanelContext context_;

private:
    QList<QPair<int, QString>> captionKeys_;
};

}  // namespace panels
