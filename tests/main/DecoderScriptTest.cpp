// The decoder through the app binary in script mode: frames the chair notifies, what the
// remote answers and what the screen shows afterwards (from the view dump).
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

namespace {

// One run of the app on a script; the dump named "screen.json" is read back when written.
struct ScriptRun {
    explicit ScriptRun(const QString& script, const QStringList& extra = {}) {
        QFile file(dir.path() + "/test.script");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(MASSAGE_REMOTE_BINARY,
                      QStringList{"--script", file.fileName(), "--home", dir.path(), "--settings",
                                  dir.path() + "/settings.ini"} +
                          extra);
        process.waitForFinished(60000);
        exitCode = process.exitCode();
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        QFile dump(dir.path() + "/screen.json");
        if (dump.open(QIODevice::ReadOnly))
            screen = QJsonDocument::fromJson(dump.readAll()).object();
    }

    // The first view with `tag` below `parent` (depth first, back to front).
    static std::optional<QJsonObject> find(const QJsonObject& parent, int tag) {
        for (const auto& child : parent["children"].toArray()) {
            const QJsonObject view = child.toObject();
            if (view["tag"].toInt() == tag) return view;
            if (auto found = find(view, tag)) return found;
        }
        return std::nullopt;
    }
    // The picture of view `tag` inside the panel `panelTag`, or "(none)".
    QString image(int panelTag, int tag) const {
        const auto panel = find(screen, panelTag);
        if (!panel) return "(no panel)";
        const auto view = find(*panel, tag);
        return view ? (*view)["image"].toString("(none)") : "(none)";
    }
    bool has(int tag) const { return find(screen, tag).has_value(); }

    QTemporaryDir dir;
    int exitCode = -1;
    QString out, err;
    QJsonObject screen;
};

const QString kStartUp = "wait 5\nwait 1\n";
const QString kRunning = "chair AA 55 F1 04 0F 06 02 0C 0D 0A\n";  // 15 min, position 6

TEST(DecoderScript, WorkedExampleIsAcknowledgedAndShowsThirtyMinutes) {
    ScriptRun run(kStartUp + kRunning + "say open\n" + "chair AA 55 F1 04 1E 05 03 1B 0D 0A\n" +
                  "say bad\n" + "chair AA 55 F1 04 2D 05 03 1C 0D 0A\n" + "dump screen.json\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.out.contains("open\nchair-got AA 55 C3 3C FF 0D 0A\nbad\n"
                         "chair-got AA 55 C0 0C CC 0D 0A\n"))
        << run.out.toStdString();
    EXPECT_EQ(run.image(106, 5), "info_digital_3");
    EXPECT_EQ(run.image(106, 6), "info_digital_0");
    EXPECT_EQ(run.image(106, 18), "info_pause");
    EXPECT_EQ(run.screen["title"].toString(), "");
}

TEST(DecoderScript, AdjustingThenRunningSettlesOverTwoFrames) {
    ScriptRun first(kStartUp + "chair AA 55 F1 03 00 04 00 F8 0D 0A\n" + kRunning +
                    "dump screen.json\n");
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_FALSE(first.has(105));
    EXPECT_EQ(first.image(106, 18), "info_start");

    ScriptRun second(kStartUp + "chair AA 55 F1 03 00 04 00 F8 0D 0A\n" + kRunning + kRunning +
                     "dump screen.json\n");
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(second.image(106, 18), "info_pause");
    EXPECT_EQ(second.image(106, 12), "info_position_6");
}

TEST(DecoderScript, TheSimulatedChairMeasuresThenTakesUpAndDown) {
    ScriptRun run(
        kStartUp + "tap 50\nwait 7\nsay adjust\ntap 105/1\nwait 0.5\n" + "dump screen.json\n",
        {"--chair", "simulated"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const auto up = run.out.indexOf("adjust\nchair-got AA 55 01 34 35 0D 0A\n");
    EXPECT_GE(up, 0) << run.out.toStdString();
    ASSERT_TRUE(run.has(105));
    // Measured at 6, then one step up, as the chair reported it.
    QStringList pictures;
    for (const auto& child : (*ScriptRun::find(run.screen, 105))["children"].toArray()) {
        pictures << child.toObject()["image"].toString();
    }
    EXPECT_TRUE(pictures.contains("adjust_7")) << pictures.join(",").toStdString();
}

}  // namespace
