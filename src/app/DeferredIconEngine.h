#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>
#include <memory>

// An icon that is read only when it is first drawn or measured. Reading
// some icons costs far more than it seems: an image file read through
// QImageReader loads every image-format plugin the first time. An icon
// that may never be drawn (a button shown only when its bar is too narrow)
// should not make the window appear later.
class DeferredIconEngine : public QIconEngine {
public:
    using Source = std::function<QIcon()>;

    explicit DeferredIconEngine(Source source);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    // An icon deferred this way is one that exists: asking whether it is
    // null does not read it.
    bool isNull() override { return false; }
    QString key() const override;
    QIconEngine* clone() const override;

    // Whether the icon has been read.
    bool IsRead() const { return m_icon->has_value(); }

private:
    const QIcon& Icon();

    Source m_source;
    // Shared with clones, so that a copied icon is read once for all.
    std::shared_ptr<std::optional<QIcon>> m_icon;
};
