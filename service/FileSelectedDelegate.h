#pragma once

#include <QString>

#include "service/FileBrowser.h"

namespace service {

// Receives the file picked in the update file chooser. Main thread.
class FileSelectedDelegate {
public:
    virtual ~FileSelectedDelegate() = default;
    // `file` holds the bytes, or why there are none.
    virtual void fileSelected(const QString& name, const PickedFile& file) = 0;
};

}  // namespace service
