#include "main/toolkit/ListView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "base/Log.h"
#include "main/toolkit/Fonts.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ListCell.h"
#include "main/toolkit/ListViewSource.h"

namespace tk {

namespace {
constexpr int kHeaderHeight = 22;
// Heights outside this range are a source's mistake; they are clamped, not trusted.
constexpr int kMinRowHeight = 1;
constexpr int kMaxRowHeight = 2000;
}  // namespace

// The scrolled area: draws the separators and turns taps into row selections.
class ListContent : public QWidget {
public:
    explicit ListContent(ListView& list) : QWidget(nullptr), list_(list) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressedRow_ = rowAt(event->position().toPoint().y());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const auto row = rowAt(event->position().toPoint().y());
        const auto pressed = pressedRow_;
        pressedRow_.reset();
        // Last: the selection may close the screen and delete this list.
        if (row && row == pressed) list_.selectRow(*row);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(list_.separatorColor_);
        int y = top();
        for (const auto& row : list_.rows_) {
            y += row.height;
            painter.drawLine(15, y - 1, width(), y - 1);
        }
    }

public:
    int top() const { return list_.header_->isHidden() ? 0 : kHeaderHeight; }
    std::optional<int> rowAt(int y) const {
        int bottom = top();
        for (int i = 0; i < int(list_.rows_.size()); ++i) {
            const int start = bottom;
            bottom += list_.rows_[i].height;
            if (y >= start && y < bottom) return i;
        }
        return std::nullopt;
    }

private:
    ListView& list_;
    std::optional<int> pressedRow_;
};

ListView::ListView(QWidget* parent)
    : QWidget(parent), scroll_(new QScrollArea(this)), content_(new ListContent(*this)) {
    header_ = new Label(content_);
    header_->setTextFont(Fonts::boldSystem(17));
    header_->setBackgroundColor(QColor(247, 247, 247));
    header_->hide();
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(false);
    scroll_->setStyleSheet("background: transparent;");
    scroll_->setWidget(content_);
}

ListView::~ListView() = default;

void ListView::setSource(ListViewSource* source) {
    source_ = source;
}

void ListView::recycleCells() {
    for (auto& row : rows_) {
        if (!row.cell) continue;
        row.cell->hide();
        row.cell->setSelected(false);
        reusable_[row.cell->reuseIdentifier()].append(row.cell);
    }
    rows_.clear();
}

ListCell* ListView::dequeueReusableCell(const QString& identifier) {
    auto it = reusable_.find(identifier);
    while (it != reusable_.end() && !it->isEmpty()) {
        QPointer<ListCell> cell = it->takeFirst();
        if (cell) return cell;
    }
    return nullptr;
}

void ListView::reloadData() {
    recycleCells();
    selected_.reset();
    const QString title = source_ ? source_->titleForHeader(*this) : QString();
    header_->setText(title);
    header_->setHidden(title.isEmpty());
    const int count = source_ ? std::max(0, source_->numberOfRows(*this)) : 0;
    for (int row = 0; row < count; ++row) {
        const double asked = source_->heightForRow(*this, row);
        const int height = std::isfinite(asked)
                               ? std::clamp(int(std::lround(asked)), kMinRowHeight, kMaxRowHeight)
                               : 44;
        ListCell* cell = source_->cellForRow(*this, row);
        if (!cell) {
            base::log(base::format("ListView: no cell for row %d, showing an empty one", row));
            cell = new ListCell(QString());
        }
        cell->setParent(content_);
        cell->setSelected(false);
        cell->show();
        rows_.push_back({cell, height});
    }
    // Cells the source did not take back are no longer needed.
    for (auto& list : reusable_) {
        for (auto& cell : list) {
            if (cell && !std::any_of(rows_.begin(), rows_.end(),
                                     [&](const Row& r) { return r.cell == cell; })) {
                cell->deleteLater();
            }
        }
    }
    reusable_.clear();
    layoutRows();
}

ListCell* ListView::cellForRow(int row) const {
    if (row < 0 || row >= int(rows_.size())) return nullptr;
    return rows_[row].cell;
}

QString ListView::headerTitle() const {
    return header_->isHidden() ? QString() : header_->text();
}

std::optional<int> ListView::rowAt(QPoint point) const {
    const QPoint inContent = content_->mapFrom(this, point);
    if (!rect().contains(point)) return std::nullopt;
    return content_->rowAt(inContent.y());
}

void ListView::selectRow(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    if (selected_ && *selected_ != row) deselectRow(*selected_);
    selected_ = row;
    if (rows_[row].cell) rows_[row].cell->setSelected(true);
    if (source_) source_->didSelectRow(*this, row);
}

void ListView::deselectRow(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    if (rows_[row].cell) rows_[row].cell->setSelected(false);
    if (selected_ == row) selected_.reset();
}

void ListView::setSeparatorColor(const QColor& color) {
    separatorColor_ = color;
    content_->update();
}

void ListView::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    update();
}

void ListView::layoutRows() {
    scroll_->setGeometry(rect());
    // The viewport catches up with the scroll area only once laid out, so measure here.
    int total = content_->top();
    for (const auto& row : rows_) total += row.height;
    int width = scroll_->maximumViewportSize().width();
    if (total > scroll_->maximumViewportSize().height()) {
        width -= scroll_->verticalScrollBar()->sizeHint().width();
    }
    width = std::max(width, 0);
    int y = content_->top();
    header_->setGeometry(0, 0, width, kHeaderHeight);
    for (auto& row : rows_) {
        if (row.cell) row.cell->setGeometry(0, y, width, row.height);
        y += row.height;
    }
    content_->resize(width, std::max(y, 1));
    content_->update();
}

void ListView::resizeEvent(QResizeEvent*) {
    layoutRows();
}

void ListView::paintEvent(QPaintEvent*) {
    if (!backgroundColor_.isValid()) return;
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor_);
}

}  // namespace tk
