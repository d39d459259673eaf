#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

class QWidget;

namespace tk {
class ImageButton;
}

namespace script {

class ScriptFingers;
class ScriptWorld;

// Runs a script against a launched ScriptWorld, one verb per line ("#" starts a comment):
// wait S, tap|down|up|exit PATH, touch N down|move|tap WHERE, touch N up, touch cancel,
// chair XX XX ..., link down|up, window WxH, row N, back, dismiss, dump FILE, shot FILE,
// say TEXT. Output of "say" (and the world's chair-got lines) go to `out`.
class ScriptRunner {
public:
    ScriptRunner(ScriptWorld& world, std::ostream& out);
    ~ScriptRunner();

    // 0 when every line ran; 2 after writing one line on `err` about the first line that
    // could not be done.
    int run(const QString& scriptText, const QString& scriptName, std::ostream& err);

    // One line; the reason when it cannot be done.
    std::optional<std::string> perform(const QString& line);

    // A line as it is read: the comment cut, the first word the verb, the trimmed rest.
    struct Line {
        QString text;  // without the comment, trimmed
        QString verb;
        QString rest;
    };
    static Line split(const QString& rawLine);

private:
    std::optional<std::string> touch(const QString& verb, const QString& path);
    std::optional<std::string> notifyFromChair(const QString& bytes);
    std::optional<std::string> link(const QString& state);
    std::optional<std::string> radio(const QString& pace);
    std::optional<std::string> resizeWindow(const QString& size);
    std::optional<std::string> selectRow(const QString& row);
    std::optional<std::string> back();
    std::optional<std::string> dismiss();
    std::optional<std::string> dump(const QString& file);
    std::optional<std::string> shot(const QString& file);
    // Whether a finger at the button's centre would land on it.
    bool reachable(tk::ImageButton& button) const;
    QWidget* window() const;
    // Made when a script first touches: it registers a touch screen with Qt.
    ScriptFingers& fingers();

    ScriptWorld& world_;
    std::ostream& out_;
    std::unique_ptr<ScriptFingers> fingers_;
};

}  // namespace script
