#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace base {
class Clock;
}

namespace tk {

class ImageButton;
class Label;

// What screen readers are told about the screens' own controls: a button's name is its
// title, else the caption under it, else the name the app gives its picture (quick keys,
// power, go-back: pictures without a caption); it says "checked" while its picture shows it
// lit. Labels read their text. One per window, as its child; the app fills in the names in
// the current language. Main thread only.
class AccessibleNames : public QObject {
    Q_OBJECT
public:
    // Looks up a language key in the screen's current language.
    using Text = std::function<QString(const QString& key)>;

    // `pictures`: every picture name of the bundle, from which the lit ones are told;
    // `keysByStem`: the text key naming each captionless picture, by stem.
    AccessibleNames(QWidget& window, const QStringList& pictures,
                    QHash<QString, QString> keysByStem, Text text);

    // Installs the interfaces for the toolkit's controls; once per process is enough.
    static void install();
    static AccessibleNames* of(const QWidget* widget);

    QString nameOf(const ImageButton& button) const;
    // Bars are named by the text key given for "<panel class>/<bar name>" ("panels::ManualView/
    // image1"), else after their caption.
    void setBarKeys(QHash<QString, QString> keys) { barKeys_ = std::move(keys); }
    QString nameOfBar(const QWidget& bar) const;
    // A label that names a button or bar (under it, on it, beside a bar): part of that
    // control's name, not a text of its own.
    static bool isCaption(const Label& label);

    // A reader's press is a short tap: down now, up a moment later on `clock`, so a hold key
    // sends its code once before its stop, as under a finger. Without a clock, at once.
    static constexpr double kTapSeconds = 0.1;
    void setClock(base::Clock* clock) { clock_ = clock; }
    void tap(ImageButton& button);
    // A picture is lit when it is the "on" or a numbered look of a stem that also has an
    // "_off" look, or one of the selected looks of a group ("service2").
    bool isLit(const QString& picture) const { return lit_.contains(picture); }
    // Any look of a stem that has a lit one: a control that is on or off.
    bool isToggle(const QString& picture) const { return toggles_.contains(stemOf(picture)); }
    // "layout_power" for "layout_power_on" and "layout_power_off", "manual_3d" for
    // "manual_3d_2".
    static QString stemOf(const QString& picture);

private:
    QHash<QString, QString> keysByStem_;
    QHash<QString, QString> barKeys_;
    base::Clock* clock_ = nullptr;
    Text text_;
    QSet<QString> lit_;
    QSet<QString> toggles_;
};

}  // namespace tk
