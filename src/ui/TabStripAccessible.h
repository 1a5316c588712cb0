#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TabStrip;

// What assistive tools are told of a tab strip: a list of page tabs, each
// with its caption, place and state, that can be pressed to make it
// current, followed by the two scroll buttons.
class TabStripAccessible : public QAccessibleWidget {
public:
    explicit TabStripAccessible(TabStrip* strip);
    ~TabStripAccessible() override;

    // Makes every tab strip answer through this interface (once is enough).
    static void Install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text kind) const override;

private:
    class PageTab;

    TabStrip& Strip() const;
    QList<QWidget*> ScrollButtons() const;

    mutable QHash<int, QAccessible::Id> m_tabs;
};
