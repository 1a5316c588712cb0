#include "desktop/MenuBarUpdateItem.h"

#include "res/ResourceIds.h"

#include <QAction>
#include <QMenuBar>

#include <utility>

MenuBarUpdateItem::MenuBarUpdateItem(QMenuBar* menuBar, std::function<void()> onChosen)
    : m_menuBar(menuBar)
    , m_onChosen(std::move(onChosen))
{
}

void MenuBarUpdateItem::AddUpdateItem(const QString& text)
{
    if (!m_menuBar)
        return;
    QAction* action = m_menuBar->addAction(text);
    action->setData(Res::ID_GET_UPDATE);
    if (m_onChosen)
        QObject::connect(action, &QAction::triggered, m_menuBar, [chosen = m_onChosen] { chosen(); });
}

void MenuBarUpdateItem::RemoveUpdateItem()
{
    if (!m_menuBar)
        return;
    const QList<QAction*> actions = m_menuBar->actions();
    for (QAction* action : actions) {
        if (action->data() == QVariant(Res::ID_GET_UPDATE) && !action->menu()) {
            m_menuBar->removeAction(action);
            action->deleteLater();
        }
    }
}
