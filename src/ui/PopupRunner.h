#pragma once

#include <QAction>
#include <QMenu>
#include <QPoint>

#include <functional>

// Runs a context menu at a screen position and returns the chosen action
// (null when none was chosen). Windows show their popups through one of
// these so that tests can choose an item instead of a person.
using PopupRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

// `runner`, or the menu's own modal loop when no runner is set.
inline QAction* RunPopup(const PopupRunner& runner, QMenu& menu, const QPoint& globalPos)
{
    return runner ? runner(menu, globalPos) : menu.exec(globalPos);
}
