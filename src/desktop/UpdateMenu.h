#pragma once

#include <QString>

// The part of the main window's menu bar that the update check changes:
// the top-level command that opens the download page when a newer version
// exists (command Res::ID_GET_UPDATE). Implemented by the main window.
class UpdateMenu {
public:
    virtual ~UpdateMenu() = default;

    // Appends the command, captioned `text`, at the end of the menu bar.
    virtual void AddUpdateItem(const QString& text) = 0;

    // Removes the command from the menu bar; nothing happens when it is absent.
    virtual void RemoveUpdateItem() = 0;
};
