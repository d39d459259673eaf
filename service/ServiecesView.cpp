#include "service/ServiecesView.h"

#include "main/panelkit/Controls.h"
#include "main/panelkit/LanguageStore.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"
#include "service/UploadProgressView.h"

namespace service {

namespace {
const char* const kLabelKeys[6] = {"serviceBtn1", "serviceBtn2", "serviceBtn3",
                                   "serviceBtn4", "serviceBtn5", "serviceBtn6"};
constexpr int kFirstLabelTag = 30;
constexpr int kLastLabelTag = 36;
}  // namespace

// The numbers of one builder; everything not listed is derived the same way on both.
struct ServiecesView::Layout {
    QRect start, startLabel, box, strip, confirm, confirmLabel, fileBox, fileName, chooseFile;
    int selectorX[3];
    int selectorY, selectorSize;
    QRect selectorLabel;
    QPoint bottomRow;                     // button 6
    int bottomSize, columnStep, rowStep;  // no row step: button 8 beside 7
    QPoint bottomLabelOffset;
    QSize bottomLabelSize;
    QSize goBack;
    QPoint goBackInset;
    QRect progress;  // in the file box, under the file name
    double labelFont, fileNameFont, progressFont;
};

ServiecesView::ServiecesView(const QRect& frame, panels::PanelContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setGeometry(frame);
    if (context_.runtime.screen().isTablet()) {
        initServiceSView1();
    } else {
        initServiceSView();
    }
    checkState_ = 0;
    if (auto* update = tk::viewWithTag<tk::ImageButton>(this, kUpdateTag)) {
        update->setEnabled(false);
    }
    setLabelColor();
}

QRect ServiecesView::frameFor(const tk::Runtime& runtime) {
    const tk::Screen& s = runtime.screen();
    if (s.isTablet()) return QRect(150, 120, 720, 550);
    if (s.L > 500) return QRect(65, 55, s.L - 130, 210);
    return QRect(60, 55, s.L - 140, 210);
}

std::int32_t ServiecesView::commandCodeForTag(int tag) {
    // 0xB8 start/pause, 0xB9 to 0xBB the selections, 0xBC confirm.
    return tag >= kStartTag && tag <= kConfirmTag ? 0xB7 + tag : 0;
}

void ServiecesView::initServiceSView() {
    const int x = width() > 430 ? 40 : 0;
    Layout l{};
    l.start = QRect(15 + x, 10, 50, 50);
    l.startLabel = QRect(3 + x, 59, 60, 20);
    l.box = QRect(65 + (x ? 45 : 0), 5, 225, 80);
    l.selectorX[0] = 15;
    l.selectorX[1] = 85;
    l.selectorX[2] = 155;
    l.selectorY = 5;
    l.selectorSize = 50;
    l.selectorLabel = QRect(12, 55, 200, 15);
    l.confirm = QRect(290 + (x ? 50 : 0), 10, 50, 50);
    l.confirmLabel = QRect(293 + (x ? 50 : 0), 59, 44, 20);
    l.strip = QRect(5, 80, 325, 20);
    l.bottomRow = QPoint(15 + x, 100);
    l.bottomSize = 50;
    // The three buttons share a row, far enough apart for their captions, with the file box
    // under them: a second row of buttons would put its caption below the panel.
    l.columnStep = 95;
    l.rowStep = 0;
    l.bottomLabelOffset = QPoint(-25, 45);
    l.bottomLabelSize = QSize(100, 20);
    l.fileBox = QRect(15 + x, 165, 195, 45);
    l.fileName = QRect(23, 15, 105, 15);
    l.chooseFile = QRect(140, 8, 45, 30);
    l.goBack = QSize(40, 40);
    l.goBackInset = QPoint(50, 40);
    l.labelFont = 10;
    l.fileNameFont = 13;
    l.progress = QRect(23, 31, 112, 13);
    l.progressFont = 7;
    build(l);
}

void ServiecesView::initServiceSView1() {
    Layout l{};
    l.start = QRect(75, 40, 90, 90);
    l.startLabel = QRect(60, 130, 106, 30);
    l.box = QRect(170, 25, 435, 150);
    l.selectorX[0] = 20;
    l.selectorX[1] = 170;
    l.selectorX[2] = 320;
    l.selectorY = 15;
    l.selectorSize = 90;
    l.selectorLabel = QRect(17, 110, 400, 30);
    l.confirm = QRect(610, 40, 90, 90);
    l.confirmLabel = QRect(610, 130, 90, 30);
    l.strip = QRect(45, 160, 700, 40);
    l.bottomRow = QPoint(75, 230);
    l.bottomSize = 90;
    l.columnStep = 110;
    l.rowStep = 110;
    l.bottomLabelOffset = QPoint(-5, 80);
    l.bottomLabelSize = QSize(100, 30);
    l.fileBox = QRect(350, 230, 350, 90);
    l.fileName = QRect(40, 27, 200, 36);
    l.chooseFile = QRect(250, 15, 90, 55);
    l.goBack = QSize(70, 70);
    l.goBackInset = QPoint(90, 90);
    l.labelFont = 20;
    l.fileNameFont = 29;
    l.progress = QRect(40, 63, 205, 24);
    l.progressFont = 13;
    build(l);
}

void ServiecesView::build(const Layout& l) {
    tk::Bundle& bundle = context_.runtime.bundle();
    panels::makeImageButton(this, l.start, bundle, "service_start_off", kStartTag);
    panels::makeCaption(this, l.startLabel, l.labelFont, 30);

    auto* box = panels::makeImageView(this, l.box, bundle, "service_start_box_bg", true);
    for (int i = 0; i < 3; ++i) {
        panels::makeImageButton(box,
                                QRect(l.selectorX[i], l.selectorY, l.selectorSize, l.selectorSize),
                                bundle, array1_[i], i + 2);
    }
    panels::makeCaption(box, l.selectorLabel, l.labelFont, 31);

    panels::makeImageButton(this, l.confirm, bundle, "serviceok", kConfirmTag);
    panels::makeCaption(this, l.confirmLabel, l.labelFont, 32);
    panels::makeImageView(this, l.strip, bundle, "service_link_midden");

    // Buttons 6 and 7 on the first row, 8 beside them or alone on the second.
    const char* const pictures[3] = {"service_check_off", "service_path", "service_update_disable"};
    const QPoint cells[3] = {
        l.bottomRow, l.bottomRow + QPoint(l.columnStep, 0),
        l.bottomRow + (l.rowStep ? QPoint(0, l.rowStep) : QPoint(2 * l.columnStep, 0))};
    for (int i = 0; i < 3; ++i) {
        const QRect frame(cells[i], QSize(l.bottomSize, l.bottomSize));
        panels::makeImageButton(this, frame, bundle, pictures[i], kCheckTag + i);
        panels::makeCaption(this, QRect(cells[i] + l.bottomLabelOffset, l.bottomLabelSize),
                            l.labelFont, 33 + i);
    }

    auto* fileBox = panels::makeImageView(this, l.fileBox, bundle, "service_path_box", true);
    auto* fileName = panels::makeCaption(fileBox, l.fileName, l.fileNameFont, kFileNameTag);
    fileName->setTextAlignment(Qt::AlignLeft);
    panels::makeImageButton(fileBox, l.chooseFile, bundle, "service_path_select_off",
                            kChooseFileTag);
    progress_ = new UploadProgressView(l.progress, l.progressFont, fileBox);
    tk::setTag(progress_, kProgressTag);

    const QRect goBack(QPoint(width() - l.goBackInset.x(), height() - l.goBackInset.y()), l.goBack);
    panels::makeImageButton(this, goBack, bundle, "layout_goback_on", kGoBackTag);
}

void ServiecesView::setLanguageForModeView(std::int64_t languageFlag) {
    const panels::LanguageDictionary& dictionary = context_.languages.load(languageFlag);
    for (int i = 0; i < 6; ++i) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, kFirstLabelTag + i)) {
            label->setText(dictionary.value(kLabelKeys[i]));
        }
    }
    panels::evenCaptionRows(this);
}

void ServiecesView::setLabelColor() {
    for (int tag = kFirstLabelTag; tag <= kLastLabelTag; ++tag) {
        if (auto* label = tk::viewWithTag<tk::Label>(this, tag)) {
            label->setTextColor(QColor(0, 255, 255));
        }
    }
}

void ServiecesView::setButtonImage(int tag, const QString& image) {
    if (auto* button = tk::viewWithTag<tk::ImageButton>(this, tag)) {
        button->setBackgroundImage(context_.runtime.bundle().image(image));
    }
}

void ServiecesView::setStartPause(std::int64_t state) {
    if (state == 1) setButtonImage(kStartTag, "service_start_on");
    if (state == 0) setButtonImage(kStartTag, "service_start_off");
}

void ServiecesView::setTestingBtn(std::int64_t state) {
    if (state == 1) setButtonImage(kCheckTag, "service_check_on");
    if (state == 0) setButtonImage(kCheckTag, "service_check_off");
}

void ServiecesView::setBtnToNormal() {
    for (int i = 0; i < 3; ++i) setButtonImage(i + 2, array1_[i]);
}

void ServiecesView::setBtnSel(std::int64_t n) {
    setBtnToNormal();
    if (n >= 1 && n <= 3) setButtonImage(static_cast<int>(n) + 1, array2_[n - 1]);
}

void ServiecesView::setChosenFile(const QString& name, QByteArray data) {
    if (auto* label = tk::viewWithTag<tk::Label>(this, kFileNameTag)) label->setText(name);
    setButtonImage(kUpdateTag, "service_update_on");
    if (auto* update = tk::viewWithTag<tk::ImageButton>(this, kUpdateTag)) {
        update->setEnabled(true);
    }
    updateData_ = std::move(data);
}

}  // namespace service
