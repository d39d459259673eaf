#include "app/LogRoute.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/Log.h"

namespace {

QString contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(LogRoute, TheLogAndQtsMessagesGoToTheFileWholeAndFlushedUntilTheRouteEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("remote.log");
    {
        app::LogRoute route(path, app::LogRoute::Otherwise::StandardError);
        EXPECT_FALSE(route.failed());
        base::log("Chair: stand-in chair");
        qWarning("a warning");
        // Readable while the program still runs: a killed one leaves the same.
        EXPECT_EQ(contents(path), "Chair: stand-in chair\nQt: a warning\n");
    }
    base::log("after the route");
    EXPECT_EQ(contents(path), "Chair: stand-in chair\nQt: a warning\n");

    app::LogRoute unwritable(dir.filePath("no/such/folder/remote.log"),
                             app::LogRoute::Otherwise::StandardError);
    EXPECT_TRUE(unwritable.failed());
}

}  // namespace
