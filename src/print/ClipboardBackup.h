#pragma once
// What a print run needs from the system clipboard: the word processor
// copies the template's header block through it, so the user's clipboard is
// saved before the run and put back afterwards. The core sees only this
// interface; the implementation over the desktop clipboard lives with the
// program (CClipboardBackup).
#include <functional>
#include <memory>

namespace Print {

class ClipboardBackup {
public:
    virtual ~ClipboardBackup() = default;

    // Replace the saved contents with what the clipboard holds now.
    // False when the clipboard cannot be reached; the saved contents stay.
    virtual bool Save() = 0;
    // Empty the clipboard and put the saved contents back.
    // False when the clipboard cannot be reached.
    virtual bool Restore() = 0;
};

// Makes the backup for one print run.
using ClipboardBackupFactory = std::function<std::unique_ptr<ClipboardBackup>()>;

} // namespace Print
