#pragma once

#include "desktop/UpdateMenu.h"

#include <QPointer>

#include <functional>

class QMenuBar;

// The update command as a plain action at the end of a QMenuBar. The
// action carries its command id (Res::ID_GET_UPDATE) as QAction::data(),
// like every other menu command, so a window that dispatches its menu bar's
// triggered() by command id sees it too; `onChosen`, when given, is called
// as well when the user chooses it.
class MenuBarUpdateItem : public UpdateMenu {
public:
    explicit MenuBarUpdateItem(QMenuBar* menuBar, std::function<void()> onChosen = {});

    void AddUpdateItem(const QString& text) override;
    void RemoveUpdateItem() override;

private:
    QPointer<QMenuBar> m_menuBar;
    std::function<void()> m_onChosen;
};
