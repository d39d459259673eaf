#pragma once

#include <QByteArray>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "main/panelkit/LanguageAware.h"
#include "main/panelkit/PanelContext.h"

namespace tk {
class ImageButton;
class Label;
}  // namespace tk

namespace service {

class UploadProgressView;

// The service panel: start/pause of the service run, three selections, confirm, the link
// check and the update file. Presses only report the button to their target; what is lit
// follows the chair's service frames. Main thread only.
class ServiecesView : public QWidget, public panels::LanguageAware {
    Q_OBJECT
public:
    static constexpr int kStartTag = 1;
    static constexpr int kConfirmTag = 5;
    static constexpr int kCheckTag = 6;
    static constexpr int kPathTag = 7;
    static constexpr int kUpdateTag = 8;
    static constexpr int kChooseFileTag = 9;
    static constexpr int kGoBackTag = 10;
    static constexpr int kFileNameTag = 36;
    static constexpr int kProgressTag = 37;

    ServiecesView(const QRect& frame, panels::PanelContext context, QWidget* parent = nullptr);

    // The panel's frame in the main view for the screen at hand.
    static QRect frameFor(const tk::Runtime& runtime);
    // Command code of buttons 1 to 5, or 0 for any other tag.
    static std::int32_t commandCodeForTag(int tag);

    void initServiceSView();   // phone
    void initServiceSView1();  // tablet

    void setLanguageForModeView(std::int64_t languageFlag) override;
    void setLabelColor();
    // 1 on, 0 off; other values leave the picture.
    void setStartPause(std::int64_t state);
    void setTestingBtn(std::int64_t state);
    void setBtnToNormal();
    // Lights selector n (1 to 3); other values leave all three normal.
    void setBtnSel(std::int64_t n);
    // Shows the chosen file and makes the update button usable.
    void setChosenFile(const QString& name, QByteArray data);

    // How far the update file has gone out (the bar under the file's name).
    UploadProgressView* uploadProgress() const { return progress_; }

    std::int64_t checkState() const { return checkState_; }
    void setCheckState(std::int64_t state) { checkState_ = state; }
    const QByteArray& updateData() const { return updateData_; }
    const QStringList& array1() const { return array1_; }
    const QStringList& array2() const { return array2_; }

private:
    struct Layout;
    void build(const Layout& layout);
    void setButtonImage(int tag, const QString& image);

    panels::PanelContext context_;
    QStringList array1_{"service1", "service3", "service5"};
    QStringList array2_{"service2", "service4", "service6"};
    std::int64_t checkState_ = 0;
    QByteArray updateData_;
    UploadProgressView* progress_ = nullptr;  // owned by the file box
};

}  // namespace service
