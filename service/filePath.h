#pragma once

#include <QString>

namespace service {

// Where the app keeps and finds its files. Only the home directory is used: it is where the
// update file chooser starts.
class filePath {
public:
    // The user's home directory (HOME, which script mode and --home may point elsewhere).
    static QString homeDirectory();
    static QString filePathForDocuments();
    static QString filePathFortmp();
    static QString filePathForLibary();
};

}  // namespace service
