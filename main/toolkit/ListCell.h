#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace tk {

class Label;

// One row of a ListView in the default style: a text label and an optional accessory on a
// content background. Cells are made by the data source and reused by identifier.
class ListCell : public QWidget {
    Q_OBJECT
public:
    enum class Accessory { None = 0, DisclosureIndicator = 1 };

    explicit ListCell(const QString& reuseIdentifier, QWidget* parent = nullptr);

    const QString& reuseIdentifier() const { return reuseIdentifier_; }
    Label* textLabel() const { return textLabel_; }

    // An invalid colour (the default) leaves the content clear.
    void setContentBackgroundColor(const QColor& color);
    const QColor& contentBackgroundColor() const { return contentBackground_; }
    void setAccessory(Accessory accessory);
    Accessory accessory() const { return accessory_; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString reuseIdentifier_;
    Label* textLabel_;
    QColor contentBackground_;
    Accessory accessory_ = Accessory::None;
    bool selected_ = false;
};

}  // namespace tk
