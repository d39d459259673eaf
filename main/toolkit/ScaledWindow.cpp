#include "main/toolkit/ScaledWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QResizeEvent>
#include <algorithm>

#include "main/toolkit/TouchRouter.h"

namespace tk {

ScaledWindow::ScaledWindow(QWidget* content)
    : content_(content), proxy_(nullptr), router_(nullptr) {
    auto* scene = new QGraphicsScene(this);
    proxy_ = scene->addWidget(content);
    // Keys reach the screens only through the scene's focus item; the keyboard layer reads
    // them from there, so the proxy holds the focus from the start.
    proxy_->setFlag(QGraphicsItem::ItemIsFocusable);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                   QPainter::TextAntialiasing);
    setBackgroundBrush(Qt::white);
    setWindowTitle(content_->windowTitle());
    content_->installEventFilter(this);
    router_ = new TouchRouter(*viewport(), *content, [this](QPointF viewportPoint) {
        return proxy_->mapFromScene(viewportTransform().inverted().map(viewportPoint));
    });
    resize(content_->size());
}

ScaledWindow::~ScaledWindow() {
    delete router_;
    if (!content_) return;
    content_->removeEventFilter(this);
    // The content belongs to the caller: out of the scene before the scene goes.
    proxy_->setWidget(nullptr);
}

double ScaledWindow::scale() const {
    return transform().m11();
}

double ScaledWindow::devicePixelsPerPoint() const {
    return scale() * devicePixelRatioF();
}

QPointF ScaledWindow::windowPoint(QPointF contentPoint) const {
    return viewportTransform().map(proxy_->mapToScene(contentPoint));
}

void ScaledWindow::setMarginColour(const QColor& colour) {
    setBackgroundBrush(colour);
}

void ScaledWindow::toggleFullScreen() {
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void ScaledWindow::open(const WindowPlacement& placement) {
    if (!placement.size.isEmpty()) resize(placement.size);
    fit();
    if (placement.fullScreen) {
        showFullScreen();
    } else {
        show();
    }
    // Without a window manager nothing else makes the window active, and keys would go
    // nowhere until the first touch.
    activateWindow();
    proxy_->setFocus();
}

void ScaledWindow::fit() {
    if (!content_) return;
    const QSizeF points = content_->size();
    if (points.isEmpty() || viewport()->size().isEmpty()) return;
    const double factor =
        std::min(viewport()->width() / points.width(), viewport()->height() / points.height());
    setSceneRect(QRectF(QPointF(0, 0), points));
    setTransform(QTransform::fromScale(factor, factor));
}

bool ScaledWindow::event(QEvent* event) {
    // The scene would spend Tab on its own item focus; the screens' keyboard layer moves
    // through the controls instead, so Tab goes to them like every other key.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (content_ && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
            QCoreApplication::sendEvent(content_, event);
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void ScaledWindow::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    if (reshape_) reshape_(viewport()->size());
    fit();
}

void ScaledWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11 && event->modifiers() == Qt::NoModifier) {
        toggleFullScreen();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

bool ScaledWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_) {
        // The content's title is the window's; its size in points sets the scale.
        if (event->type() == QEvent::WindowTitleChange) setWindowTitle(content_->windowTitle());
        if (event->type() == QEvent::Resize) fit();
    }
    return QGraphicsView::eventFilter(watched, event);
}

}  // namespace tk
