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
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>

#include "main/toolkit/PulseVolume.h"
#include "tests/main/SettingsRig.h"

namespace {

using settingstest::SettingsRig;
using tk::PulseVolume;

// Real time, since the other side is another process; bounded.
bool eventually(const std::function<void()>& pump, const std::function<bool()>& done,
                int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        pump();
        QThread::msleep(10);
    }
    return true;
}

// A PulseAudio server of our own, with its own runtime and home directories, so nothing of
// the machine's own sound is touched.
class PrivateSoundServer {
public:
    static bool installed() {
        return !QStandardPaths::findExecutable("pulseaudio").isEmpty() &&
               !QStandardPaths::findExecutable("pactl").isEmpty();
    }

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
        const bool answers = eventually(
            [] {},
            [this] { return server_.state() == QProcess::Running && pactl({"info"}).has_value(); });
        if (answers) return {};
        QFile log(dir_.path() + "/server.log");
        log.open(QIODevice::ReadOnly);
        return "the private pulseaudio does not answer: " + QString::fromUtf8(log.readAll());
    }

    QString address() const { return "unix:" + dir_.path() + "/run/pulse/native"; }

    // pactl against this server: its output, or nothing when it fails.
    std::optional<QString> pactl(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = environment();
        env.insert("PULSE_SERVER", address());
        process.setProcessEnvironment(env);
        process.start("pactl", arguments);
        if (!process.waitForFinished(5000) || process.exitCode() != 0) return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // The sink's volume in per cent, one number per channel.
    QList<int> percents(const QString& sink = "@DEFAULT_SINK@") const {
        QList<int> channels;
        static const QRegularExpression percent(R"((\d+)%)");
        auto it = percent.globalMatch(pactl({"get-sink-volume", sink}).value_or(""));
        while (it.hasNext()) channels << it.next().captured(1).toInt();
        return channels;
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

class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PrivateSoundServer::installed()) {
            if (qEnvironmentVariableIsSet("CI")) FAIL() << "CI needs pulseaudio and pactl";
            GTEST_SKIP() << "pulseaudio or pactl is not installed (scripts/install-deps "
                            "installs pulseaudio and pulseaudio-utils)";
        }
        const QString trouble = server.start();
        ASSERT_TRUE(trouble.isEmpty()) << trouble.toStdString();
        ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "50%"}));
        rig = std::make_unique<SettingsRig>(
            tk::Screen::phone(), std::nullopt, [this](script::WorldSettings& settings) {
                settings.mediaVolume = [this](base::MainThread& main, base::Clock& clock) {
                    auto made = std::make_shared<PulseVolume>(
                        main, clock,
                        PulseVolume::Options{.server = server.address().toStdString()});
                    pulse = made.get();
                    return made;
                };
            });
        rig->start();
        if (!served()) {
            std::string lines;
            for (const auto& line : rig->log.lines()) lines += line + "\n";
            FAIL() << "the app does not reach the private server; its log:\n" << lines;
        }
    }

    bool served() {
        return eventually([this] { rig->settle(); },
                          [this] { return pulse->state() == PulseVolume::State::Served; });
    }
    bool sinkShows(const QList<int>& channels, const QString& sink = "@DEFAULT_SINK@") {
        return eventually([] {}, [&] { return server.percents(sink) == channels; });
    }
    bool appReads(float volume) {
        return eventually([this] { rig->settle(); },
                          [&] { return std::abs(rig->volume() - volume) < 0.001f; });
    }

    PrivateSoundServer server;
    PulseVolume* pulse = nullptr;  // the app's, while the rig is there
    std::unique_ptr<SettingsRig> rig;
};

TEST_F(SoundServerTest, TheVolumeButtonsMoveTheSinkInTenths) {
    EXPECT_EQ(pulse->sinkName(), "null");
    rig->open();
    rig->press(2);
    EXPECT_EQ(rig->volumePicture(), "setting_volume_4");
    rig->press(4);
    EXPECT_TRUE(sinkShows({60, 60}));
    rig->press(4);
    EXPECT_TRUE(sinkShows({70, 70}));
    EXPECT_EQ(rig->volumePicture(), "setting_volume_5");
    for (int i = 0; i < 3; ++i) rig->press(3);  // without waiting for the server in between
    EXPECT_TRUE(sinkShows({40, 40}));
    EXPECT_TRUE(appReads(0.4f));
    EXPECT_EQ(rig->volumePicture(), "setting_volume_3");
}

TEST_F(SoundServerTest, AChangeByAnotherProgramShowsOnChoiceTwo) {
    rig->open();
    ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "30%"}));
    ASSERT_TRUE(appReads(0.3f));
    rig->press(2);
    EXPECT_EQ(rig->volumePicture(), "setting_volume_2");
    // Channels apart: the loudest counts, and a step sets them all alike.
    ASSERT_TRUE(server.pactl({"set-sink-volume", "@DEFAULT_SINK@", "130%", "120%"}));
    ASSERT_TRUE(appReads(1.3f));
    rig->press(2);
    EXPECT_EQ(rig->volumePicture(), "setting_volume_7");
    rig->press(3);
    EXPECT_TRUE(sinkShows({90, 90}));
}

TEST_F(SoundServerTest, ItFollowsANewDefaultSink) {
    ASSERT_TRUE(server.pactl({"load-module", "module-null-sink", "sink_name=second"}));
    ASSERT_TRUE(server.pactl({"set-sink-volume", "second", "20%"}));
    ASSERT_TRUE(server.pactl({"set-default-sink", "second"}));
    ASSERT_TRUE(
        eventually([this] { rig->settle(); }, [this] { return pulse->sinkName() == "second"; }));
    EXPECT_TRUE(appReads(0.2f));
    rig->open();
    rig->press(2);
    rig->press(4);
    EXPECT_TRUE(sinkShows({30, 30}, "second"));
    EXPECT_EQ(server.percents("null"), (QList<int>{50, 50}));
}

// A socket that takes connections and never says a word.
class SilentSocket {
public:
    explicit SilentSocket(const QString& path) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(),
                    std::min<std::size_t>(name.size(), sizeof address.sun_path - 1));
        listening_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(fd_, 4) == 0;
    }
    ~SilentSocket() { ::close(fd_); }
    bool listening() const { return listening_; }

private:
    int fd_ = -1;
    bool listening_ = false;
};

TEST(SoundServerAbsent, NoServerLeavesTheVolumeInTheAppWithOneLogLine) {
    QTemporaryDir dir;
    PulseVolume* pulse = nullptr;  // the app's, while the rig is there
    SettingsRig rig(tk::Screen::phone(), std::nullopt, [&](script::WorldSettings& settings) {
        settings.mediaVolume = [&](base::MainThread& main, base::Clock& clock) {
            const std::string nowhere = "unix:" + dir.path().toStdString() + "/no-server";
            auto made =
                std::make_shared<PulseVolume>(main, clock, PulseVolume::Options{.server = nowhere});
            pulse = made.get();
            return made;
        };
    });
    rig.start();
    ASSERT_TRUE(eventually([&] { rig.settle(); },
                           [&] { return pulse->state() == PulseVolume::State::Absent; }));
    rig.open();
    rig.press(2);
    rig.press(4);
    rig.press(4);
    EXPECT_FLOAT_EQ(rig.volume(), 0.7f);
    EXPECT_EQ(rig.volumePicture(), "setting_volume_5");
    int lines = 0;
    for (const auto& line : rig.log.lines()) lines += line.rfind("No sound server answers", 0) == 0;
    EXPECT_EQ(lines, 1);
}

TEST(SoundServerAbsent, AServerThatDoesNotAnswerInTimeCountsAsAbsent) {
    QTemporaryDir dir;
    SilentSocket silent(dir.path() + "/silent");
    ASSERT_TRUE(silent.listening());
    SettingsRig rig;
    base::PumpedMainThread main;
    PulseVolume pulse(main, rig.world->clock(),
                      {.server = "unix:" + dir.path().toStdString() + "/silent",
                       .answerWithin = 2.0,
                       .inProcessStart = 0.3f});
    rig.advance(1.9);
    main.runPending();
    EXPECT_EQ(pulse.state(), PulseVolume::State::Connecting);
    EXPECT_FLOAT_EQ(pulse.volume(), 0.3f);
    rig.advance(0.1);
    EXPECT_EQ(pulse.state(), PulseVolume::State::Absent);
    EXPECT_TRUE(rig.log.contains(
        "No sound server answers (nothing within 2 s); the media volume stays inside the app"));
    pulse.setVolume(0.8f);
    EXPECT_FLOAT_EQ(pulse.volume(), 0.8f);
}

}  // namespace
