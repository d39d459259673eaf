#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

// Without a session's runtime folder the tests (and the programs they start) get a private
// one for as long as this lives, so Qt has nothing to warn about.
class PrivateRuntime {
public:
    PrivateRuntime() {
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && folder_.isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder_.path()));
    }

private:
    QTemporaryDir folder_;
};

}  // namespace testsupport
