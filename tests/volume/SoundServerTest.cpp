// The settings panel against a real sound server: a private PulseAudio with a null sink,
// started here and stopped again; and the app without one.
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>

#include "tests/main/SettingsRig.h"
#include "volume/PulseVolume.h"

namespace {

using settingstest::SettingsRig;
using volume::PulseVolume;

// Real time, since the other side is another process; bounded.
bool eventually(const std::function<void()>& pump, const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 10000) return false;
        pump();
        QThread::msleep(10);
    }
    return true;
}

// A PulseAudio server of our own, with its own runtime and home directories, so nothing of
// the machine's own sound is touched.
class PrivateSoundServer {
public:
    ~PrivateSoundServer() {
        if (server_.state() == QProcess::NotRunning) return;
        server_.terminate();  // only the one we started
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }

    // Empty once the server answers; otherwise what went wrong.
    QString start() {
        QDir(dir_.path()).mkpath("run");
        QDir(dir_.path()).mkpath("home");
        QFile::setPermissions(dir_.path() + "/run",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        server_.setProcessEnvironment(environment());
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.setStandardOutputFile(dir_.path() + "/server.log");
        // Should this test die on the way, the server goes with it.
        server_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        // -n: none of the configured modules, only a null sink and the local socket. As root
        // it warns that it is not meant to run so, and runs.
        server_.start("pulseaudio",
                      {"-n", "--daemonize=no", "--exit-idle-time=-1", "--log-target=stderr", "-L",
                       "module-null-sink", "-L", "module-native-protocol-unix"});
        if (!server_.waitForStarted(5000)) return "pulseaudio does not start";
        if (eventually([] {},
                       [this] {
                           return server_.state() == QProcess::Running &&
                                  pactl({"info"}).has_value();
                       }))
            return {};
        QFile log(dir_.path() + "/server.log");
        log.open(QIODevice::ReadOnly);
        return "the private pulseaudio does not answer: " + QString::fromUtf8(log.readAll());
    }

    std::string address() const {
        return "unix:" + dir_.path().toStdString() + "/run/pulse/native";
    }

    // pactl against this server: its output, or nothing when it fails.
    std::optional<QString> pactl(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = environment();
        env.insert("PULSE_SERVER", QString::fromStdString(address()));
        process.setProcessEnvironment(env);
        process.start("pactl", arguments);
        if (!process.waitForFinished(5000) || process.exitCode() != 0) return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Whether the sink comes to show these per cents, one number per channel.
    bool shows(const QList<int>& channels, const QString& sink = "@DEFAULT_SINK@") const {
        return eventually(
            [] {},
            [&] {
                QList<int> shown;
                static const QRegularExpression percent(R"((\d+)%)");
                auto it = percent.globalMatch(pactl({"get-sink-volume", sink}).value_or(""));
                while (it.hasNext()) shown << it.next().captured(1).toInt();
                return shown == channels;
            });
    }

private:
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir_.path() + "/run");
        env.insert("HOME", dir_.path() + "/home");
        env.remove("PULSE_SERVER");
        return env;
    }

    QTemporaryDir dir_;
    QProcess server_;
};

TEST(SoundServerTest, TheButtonsMoveTheSinkInTenthsAndChangesElsewhereShow) {
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
        QStandardPaths::findExecutable("pactl").isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) FAIL() << "CI needs pulseaudio and pactl";
        GTEST_SKIP() << "pulseaudio or pactl is not installed (scripts/install-deps installs "
                        "pulseaudio and pulseaudio-utils)";
    }
    PrivateSoundServer server;
    const QString trouble = server.start();
    ASSERT_TRUE(trouble.isEmpty()) << trouble.toStdString();
    ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "50%"}));
    // The whole app with its media volume on the private server.
    PulseVolume* pulse = nullptr;  // the app's, while the rig is there
    SettingsRig rig(tk::Screen::phone(), std::nullopt, [&](script::WorldSettings& settings) {
        settings.mediaVolume = [&](base::MainThread& main, base::Clock& clock) {
            auto made = std::make_shared<PulseVolume>(
                main, clock, PulseVolume::Options{.server = server.address()});
            pulse = made.get();
            return made;
        };
    });
    rig.start();
    const auto appReads = [&](float volume) {
        return eventually([&] { rig.settle(); },
                          [&] { return std::abs(rig.volume() - volume) < 0.001f; });
    };
    if (!eventually([&] { rig.settle(); },
                    [&] { return pulse->state() == PulseVolume::State::Served; })) {
        std::string lines;
        for (const auto& line : rig.log.lines()) lines += line + "\n";
        FAIL() << "the app does not reach the private server; its log:\n" << lines;
    }
    EXPECT_EQ(pulse->sinkName(), "null");
    // The pictures for a volume are the settings panel's test; here, what the server shows and
    // what the app reads from it.
    rig.open();
    rig.press(2);
    rig.press(4);
    EXPECT_TRUE(server.shows({60, 60}));
    rig.press(4);
    EXPECT_TRUE(server.shows({70, 70}));
    for (int i = 0; i < 3; ++i) rig.press(3);  // without waiting for the server in between
    EXPECT_TRUE(server.shows({40, 40}));
    EXPECT_TRUE(appReads(0.4f));

    // Another program's change reaches the app.
    ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "30%"}));
    ASSERT_TRUE(appReads(0.3f));
    // Channels apart: the loudest counts, and a step sets them all alike.
    ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "130%", "120%"}));
    ASSERT_TRUE(appReads(1.3f));
    rig.press(3);
    EXPECT_TRUE(server.shows({90, 90}));

    // A new default sink is followed, and the old one left alone.
    ASSERT_TRUE(server.pactl({"load-module", "module-null-sink", "sink_name=second"}));
    ASSERT_TRUE(server.pactl({"set-sink-volume", "second", "20%"}));
    ASSERT_TRUE(server.pactl({"set-default-sink", "second"}));
    ASSERT_TRUE(eventually([&] { rig.settle(); }, [&] { return pulse->sinkName() == "second"; }));
    EXPECT_TRUE(appReads(0.2f));
    rig.press(4);
    EXPECT_TRUE(server.shows({30, 30}, "second"));
    EXPECT_TRUE(server.shows({90, 90}, "null"));
}

// No server at the address, or one that takes the connection and never says a word: the
// media volume stays inside the app, and the log says so once.
TEST(SoundServerAbsent, NoServerOrASilentOneLeavesTheVolumeInTheAppWithOneLogLine) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("silent"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(silent, 4), 0);
    const std::pair<std::string, std::string> servers[] = {
        {"silent", "No sound server answers (nothing within 2 s); the media volume stays"},
        {"none", "No sound server answers ("}};
    for (const auto& [name, line] : servers) {
        SCOPED_TRACE(name);
        base::LogCapture log;
        base::ManualClock clock;
        base::PumpedMainThread main;
        PulseVolume pulse(
            main, clock,
            {.server = "unix:" + dir.filePath(QString::fromStdString(name)).toStdString(),
             .answerWithin = 2.0,
             .inProcessStart = 0.3f});
        clock.advance(1.9);
        if (name == "silent") {  // waited for until the deadline
            main.runPending();
            EXPECT_EQ(pulse.state(), PulseVolume::State::Connecting);
            clock.advance(0.1);
        }
        ASSERT_TRUE(eventually([&] { main.runPending(); },
                               [&] { return pulse.state() == PulseVolume::State::Absent; }));
        EXPECT_FLOAT_EQ(pulse.volume(), 0.3f);
        pulse.setVolume(0.8f);
        EXPECT_FLOAT_EQ(pulse.volume(), 0.8f);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0].rfind(line, 0), 0u) << log.lines()[0];
    }
    ::close(silent);
}

}  // namespace
