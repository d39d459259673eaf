#include "app/script/ScriptRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QPixmap>
#include <QStringList>
#include <cmath>

#include "app/LaunchOptions.h"
#include "app/script/ScriptFingers.h"
#include "app/script/ScriptOptions.h"
#include "app/script/ScriptWorld.h"
#include "app/script/ViewDump.h"
#include "app/script/ViewPath.h"
#include "chair/StandInChair.h"
#include "link/Hex.h"
#include "main/AppDelegate.h"
#include "main/toolkit/AlertView.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ListView.h"
#include "main/toolkit/MediaVolume.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/ScaledWindow.h"
#include "main/toolkit/ViewAttributes.h"

namespace script {

namespace {
using Failure = std::optional<std::string>;

std::string str(const QString& text) {
    return text.toStdString();
}
}  // namespace

ScriptRunner::ScriptRunner(ScriptWorld& world, std::ostream& out) : world_(world), out_(out) {}

ScriptRunner::~ScriptRunner() = default;

int ScriptRunner::run(const QString& scriptText, const QString& scriptName, std::ostream& err) {
    const QStringList lines = scriptText.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (const Failure failure = perform(lines[i])) {
            out_.flush();
            err << str(scriptName) << ":" << i + 1 << ": " << *failure << std::endl;
            return 2;
        }
    }
    out_.flush();
    return 0;
}

ScriptRunner::Line ScriptRunner::split(const QString& rawLine) {
    QString line = rawLine;
    if (const int hash = line.indexOf('#'); hash >= 0) line.truncate(hash);
    line = line.trimmed();
    const int space = line.indexOf(' ');
    if (space < 0) return {line, line, QString()};
    return {line, line.left(space), line.mid(space + 1).trimmed()};
}

Failure ScriptRunner::perform(const QString& rawLine) {
    const auto [line, verb, rest] = split(rawLine);
    if (verb.isEmpty()) return std::nullopt;

    Failure failure;
    if (verb == "wait") {
        bool ok = false;
        const double seconds = rest.toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds < 0)
            return "wait needs seconds, not \"" + str(rest) + "\"";
        world_.advance(seconds);
    } else if (verb == "tap" || verb == "down" || verb == "up" || verb == "exit") {
        failure = touch(verb, rest);
    } else if (verb == "touch") {
        failure = fingers().perform(rest);
    } else if (verb == "chair") {
        failure = notifyFromChair(rest);
    } else if (verb == "link") {
        failure = link(rest);
    } else if (verb == "fault" && rest == "checksum") {
        // The chair's next status frame goes out with a wrong checksum.
        auto faults = world_.chair().faults();
        ++faults.corruptChecksums;
        world_.chair().setFaults(faults);
    } else if (verb == "radio") {
        failure = radio(rest);
    } else if (verb == "window") {
        failure = resizeWindow(rest);
    } else if (verb == "row") {
        failure = selectRow(rest);
    } else if (verb == "back" && rest.isEmpty()) {
        failure = back();
    } else if (verb == "dismiss" && rest.isEmpty()) {
        failure = dismiss();
    } else if (verb == "dump") {
        failure = dump(rest);
    } else if (verb == "shot") {
        failure = shot(rest);
    } else if (verb == "volume") {
        // Another program (the desktop's mixer, say) sets the media volume.
        const auto volume = ScriptOptions::parseVolume(rest);
        if (!volume) return "volume needs a number from 0 to 1.5, not \"" + str(rest) + "\"";
        tk::MediaVolume* media = world_.mediaVolume();
        if (!media) return "no media volume yet";
        media->setVolume(*volume);
    } else if (verb == "say") {
        out_ << str(rest) << "\n";
    } else {
        return "unknown verb: " + str(line);
    }
    if (failure) return failure;
    world_.settle();
    return std::nullopt;
}

// The user drags the window to another size (device-independent pixels).
Failure ScriptRunner::resizeWindow(const QString& text) {
    const auto size = app::sizeFrom(text);
    if (!size) return "window needs WxH in pixels (each 100 to 8192), not \"" + str(text) + "\"";
    world_.app().hostWindow()->resize(*size);
    return std::nullopt;
}

ScriptFingers& ScriptRunner::fingers() {
    if (!fingers_) fingers_ = std::make_unique<ScriptFingers>(world_.app());
    return *fingers_;
}

QWidget* ScriptRunner::window() const {
    return world_.app().window();
}

bool ScriptRunner::reachable(tk::ImageButton& button) const {
    const QPoint centre = button.mapTo(window(), button.rect().center());
    QWidget* target = tk::touchTarget(window(), centre);
    return target == &button || (target && button.isAncestorOf(target));
}

Failure ScriptRunner::touch(const QString& verb, const QString& path) {
    if (path.isEmpty()) return str(verb) + " needs a view path";
    QWidget* view = findViewByPath(world_.app().rootviewCtrl(), path);
    if (!view) return "no such view: " + str(path);
    auto* button = qobject_cast<tk::ImageButton*>(view);
    if (!button) return "not a button: " + str(path);
    if ((verb == "tap" || verb == "down") && !reachable(*button)) {
        return "cannot be touched (hidden, covered or off screen): " + str(path);
    }
    if (verb == "tap") {
        button->touchDown();
        if (button->isPressed()) button->touchUp(true);
    } else if (verb == "down") {
        button->touchDown();
    } else if (verb == "up") {
        button->touchUp(true);
    } else {
        button->moveOutside();
        button->touchUp(false);
    }
    return std::nullopt;
}

Failure ScriptRunner::notifyFromChair(const QString& text) {
    const auto bytes = chairlink::parseHexBytes(str(text));
    if (!bytes || bytes->empty()) return "chair needs hex bytes, not \"" + str(text) + "\"";
    world_.chair().notify(*bytes);
    return std::nullopt;
}

Failure ScriptRunner::link(const QString& state) {
    if (state == "down") {
        world_.chair().setAdvertising(false);
        world_.chair().dropLink();
    } else if (state == "up") {
        world_.chair().setAdvertising(true);
    } else {
        return "link needs up or down, not \"" + str(state) + "\"";
    }
    return std::nullopt;
}

// "radio CI_MS K [MTU]": the chair takes writes at a radio's pace, K per connection event
// every CI_MS milliseconds (MTU 247 unless given); "radio off" takes them at once again.
Failure ScriptRunner::radio(const QString& text) {
    if (text == "off") {
        world_.chair().setRadioPace(0, 1, 247);
        return std::nullopt;
    }
    const QStringList words = text.split(' ', Qt::SkipEmptyParts);
    bool ok = words.size() == 2 || words.size() == 3;
    const double interval = ok ? words[0].toDouble(&ok) : 0;
    const int perEvent = ok ? words[1].toInt(&ok) : 0;
    const int mtu = ok && words.size() == 3 ? words[2].toInt(&ok) : 247;
    if (!ok || !(interval > 0) || interval > 4000 || perEvent < 1 || mtu < 23 || mtu > 517)
        return "radio needs CI_MS K [MTU] or off, not \"" + str(text) + "\"";
    world_.chair().setRadioPace(interval / 1000, perEvent, mtu);
    return std::nullopt;
}

Failure ScriptRunner::selectRow(const QString& text) {
    bool ok = false;
    const int row = text.toInt(&ok);
    if (!ok) return "row needs a row number, not \"" + str(text) + "\"";
    tk::ListView* shown = nullptr;
    for (auto* list : window()->findChildren<tk::ListView*>()) {
        if (list->isVisibleTo(window()) && tk::takesTouches(list)) shown = list;
    }
    if (!shown) return "no list view on screen";
    if (row < 0 || row >= shown->numberOfRows()) return "no row " + std::to_string(row);
    shown->selectRow(row);
    return std::nullopt;
}

Failure ScriptRunner::back() {
    auto* navigation = world_.app().navigationController();
    tk::ImageButton* button = navigation->backButton();
    if (navigation->isNavigationBarHidden() || !button->isVisibleTo(window())) {
        return "no back button on screen";
    }
    button->touchDown();
    button->touchUp(true);
    return std::nullopt;
}

Failure ScriptRunner::dismiss() {
    auto* alert = tk::AlertView::visibleAlert(window());
    if (!alert) return "no alert on screen";
    alert->pressButton();
    return std::nullopt;
}

Failure ScriptRunner::dump(const QString& file) {
    if (file.isEmpty()) return "dump needs a file name";
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "cannot write " + str(file);
    out.write(QJsonDocument(dumpScreen(world_.app())).toJson(QJsonDocument::Indented));
    return std::nullopt;
}

Failure ScriptRunner::shot(const QString& file) {
    if (file.isEmpty()) return "shot needs a file name";
    // What the display shows: the window at its size and scale.
    if (!world_.app().hostWindow()->grab().save(file, "PNG")) return "cannot write " + str(file);
    return std::nullopt;
}

}  // namespace script
