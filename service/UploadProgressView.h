#pragma once

#include <QWidget>
#include <cstddef>

namespace service {

// How far the update file has gone out: a thin bar with the percent and the bytes under it,
// in the file box below the file's name. Hidden until an upload starts. Main thread only.
class UploadProgressView : public QWidget {
    Q_OBJECT
public:
    UploadProgressView(const QRect& frame, double fontSize, QWidget* parent);

    void setProgress(std::size_t bytesSent, std::size_t totalBytes);
    int percent() const;
    // "42 % · 43008 / 102400 B": numbers only, so it reads the same in both languages.
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fontSize_;
    std::size_t bytesSent_ = 0;
    std::size_t totalBytes_ = 0;
};

}  // namespace service
