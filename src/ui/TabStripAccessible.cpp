#include "ui/TabStripAccessible.h"

#include "ui/TabStrip.h"

#include <QPointer>
#include <QToolButton>

// One tab of the strip, known by its place in the row.
class TabStripAccessible::PageTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTab(TabStrip* strip, int index)
        : m_strip(strip)
        , m_index(index)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    bool isValid() const override { return m_strip && m_index < m_strip->Count(); }
    QObject* object() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.selectable = true;
        state.focusable = true;
        const bool current = m_index == m_strip->CurrentIndex();
        state.selected = current;
        state.focused = current && m_strip->hasFocus();
        state.invisible = !m_strip->isVisible() || !m_strip->rect().intersects(m_strip->TabRect(m_index));
        state.disabled = !m_strip->isEnabled();
        return state;
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_strip->TabRect(m_index);
        return {m_strip->mapToGlobal(tab.topLeft()), tab.size()};
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? m_strip->TabText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_strip.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (isValid() && name == pressAction())
            m_strip->SetCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Index() const { return m_index; }

private:
    QPointer<TabStrip> m_strip;
    int m_index;
};

TabStripAccessible::TabStripAccessible(TabStrip* strip)
    : QAccessibleWidget(strip, QAccessible::PageTabList)
{
}

TabStripAccessible::~TabStripAccessible()
{
    for (QAccessible::Id id : std::as_const(m_tabs))
        QAccessible::deleteAccessibleInterface(id);
}

void TabStripAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            auto* strip = qobject_cast<TabStrip*>(object);
            return strip ? new TabStripAccessible(strip) : nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed);
}

TabStrip& TabStripAccessible::Strip() const
{
    return *static_cast<TabStrip*>(widget());
}

QList<QWidget*> TabStripAccessible::ScrollButtons() const
{
    QList<QWidget*> buttons;
    for (QToolButton* button : Strip().findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        buttons << button;
    return buttons;
}

int TabStripAccessible::childCount() const
{
    return Strip().Count() + static_cast<int>(ScrollButtons().size());
}

// Interfaces for the tabs are made as they are asked for: a strip of
// thousands of tabs makes none until a tool looks at them.
QAccessibleInterface* TabStripAccessible::child(int index) const
{
    const int count = Strip().Count();
    if (index < 0)
        return nullptr;
    if (index >= count) {
        const QList<QWidget*> buttons = ScrollButtons();
        return index - count < buttons.size() ? QAccessible::queryAccessibleInterface(buttons[index - count]) : nullptr;
    }
    if (const auto known = m_tabs.constFind(index); known != m_tabs.cend())
        return QAccessible::accessibleInterface(*known);
    auto* tab = new PageTab(&Strip(), index);
    m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

int TabStripAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (child->role() == QAccessible::PageTab && child->parent() == this) {
        const int index = static_cast<const PageTab*>(child)->Index();
        return index < Strip().Count() ? index : -1;
    }
    const int button = ScrollButtons().indexOf(qobject_cast<QWidget*>(child->object()));
    return button < 0 ? -1 : Strip().Count() + button;
}

QAccessibleInterface* TabStripAccessible::focusChild() const
{
    const int current = Strip().CurrentIndex();
    return Strip().hasFocus() && current >= 0 ? child(current) : nullptr;
}

// The strip is named after its current tab.
QString TabStripAccessible::text(QAccessible::Text kind) const
{
    const QString own = QAccessibleWidget::text(kind);
    if (kind == QAccessible::Name && own.isEmpty())
        return Strip().TabText(Strip().CurrentIndex());
    return own;
}
