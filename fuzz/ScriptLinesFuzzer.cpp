// Any text as script-mode lines against the whole app (headless, manual clock, the stand-in
// chair behaving as one). Checked on every input: every line is done or refused with a reason,
// never a crash, and the app keeps its window. The app lives on from input to input.
// Files the script names go to a scratch folder, and waits are kept short so an input cannot
// stall the run; both are the harness's, not the script language's.
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

#include "FuzzCheck.h"
#include "QtFuzzApp.h"
#include "app/script/ScriptRunner.h"
#include "app/script/ScriptWorld.h"
#include "base/Log.h"
#include "main/AppDelegate.h"

namespace {

constexpr double kLongestWait = 5.0;

struct Harness {
    Harness() {
        base::setLogSink([](const std::string&) {});
        // The file chooser browses here: a file and a folder.
        qputenv("HOME", QFile::encodeName(scratch.path()));
        QDir(scratch.path()).mkdir("updates");
        QFile file(scratch.filePath("update.bin"));
        if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(300, '\x5A'));
        script::WorldSettings settings;
        settings.chair = script::ChairMode::Simulated;
        world = std::make_unique<script::ScriptWorld>(settings, quiet);
        world->launch();
        runner = std::make_unique<script::ScriptRunner>(*world, quiet);
    }

    // Keeps what a line may touch on the machine inside the scratch folder.
    QString confined(const QString& line) const {
        const script::ScriptRunner::Line read = script::ScriptRunner::split(line);
        if (read.verb == "dump" || read.verb == "shot")
            return read.verb + " " + scratch.filePath("out");
        bool ok = false;
        if (read.verb == "wait" && read.rest.toDouble(&ok) > kLongestWait && ok)
            return "wait " + QString::number(kLongestWait);
        return line;
    }

    QTemporaryDir scratch;
    std::ostream quiet{nullptr};
    std::unique_ptr<script::ScriptWorld> world;
    std::unique_ptr<script::ScriptRunner> runner;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::qtApplication();
    static Harness* harness = fuzz::keptUntilExit(new Harness());
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : text.split('\n')) {
        const auto failure = harness->runner->perform(harness->confined(line));
        fuzz::check(!failure || !failure->empty(), "a line refused without a reason");
    }
    fuzz::check(harness->world->app().window() != nullptr, "the app lost its window");
    return 0;
}
