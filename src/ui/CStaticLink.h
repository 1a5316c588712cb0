#pragma once

#include <QColor>
#include <QLabel>

#include <functional>

// A text that behaves as a hyperlink: underlined, blue until any link of
// the program has been followed and purple from then on, with the hand
// cursor. A click (or double-click) opens the target, or the shown text
// when no target is set.
class CStaticLink : public QLabel {
    Q_OBJECT

public:
    // Opens a target (an address or a file path); true when it could.
    using Opener = std::function<bool(const QString& target)>;

    static const QColor NormalColor;  // blue
    static const QColor VisitedColor; // purple

    explicit CStaticLink(QWidget* parent = nullptr);
    explicit CStaticLink(const QString& text, QWidget* parent = nullptr);
    ~CStaticLink() override;

    void SetTarget(const QString& target);
    QString Target() const;

    // How this link opens its target. Without one the program-wide opener
    // is used (SetDefaultOpener), and without that the desktop's handler.
    void SetOpener(Opener opener);
    static void SetDefaultOpener(Opener opener);

    // Opens the target; on success every link of the program turns to the
    // visited colour. Returns whether the target was opened.
    bool Follow();

    // Whether any link of the program has been followed; setting it
    // repaints every link.
    static bool Visited();
    static void SetVisited(bool visited);

    // The colour the link is drawn in now.
    QColor LinkColor() const;

Q_SIGNALS:
    // The target was opened.
    void Followed(const QString& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ApplyLook();

    QString target_;
    Opener opener_;
    bool releaseEndsDoubleClick_ = false;
};
