#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

class QScrollArea;

namespace tk {

class Label;
class ListCell;
class ListViewSource;
class ListContent;

// A scrolling list of one section whose rows, heights, cells, header and selections are all
// asked of its source. Nothing is shown until reloadData(). Main thread only.
class ListView : public QWidget {
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);
    ~ListView() override;

    // Not owned; must outlive the list or be cleared with setSource(nullptr).
    void setSource(ListViewSource* source);
    ListViewSource* source() const { return source_; }

    // Asks the source again for everything; the old cells become reusable.
    void reloadData();
    // A cell set aside by the last reload under that identifier, or nullptr.
    ListCell* dequeueReusableCell(const QString& identifier);

    int numberOfRows() const { return int(rows_.size()); }
    ListCell* cellForRow(int row) const;
    QString headerTitle() const;
    // The row under `point` (in the list's coordinates), if any.
    std::optional<int> rowAt(QPoint point) const;

    // As a tap on the row: it is highlighted, then the source's didSelectRow runs.
    void selectRow(int row);
    void deselectRow(int row);
    std::optional<int> selectedRow() const { return selected_; }

    void setSeparatorColor(const QColor& color);
    void setBackgroundColor(const QColor& color);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class ListContent;
    struct Row {
        QPointer<ListCell> cell;
        int height;
    };

    void layoutRows();
    void recycleCells();

    ListViewSource* source_ = nullptr;
    QScrollArea* scroll_;
    ListContent* content_;
    Label* header_;
    std::vector<Row> rows_;
    QHash<QString, QList<QPointer<ListCell>>> reusable_;
    std::optional<int> selected_;
    QColor separatorColor_{200, 199, 204};
    QColor backgroundColor_;
};

}  // namespace tk
