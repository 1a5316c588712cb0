#include "app/DeferredIconEngine.h"

#include <QPainter>

#include <utility>

DeferredIconEngine::DeferredIconEngine(Source source)
    : m_source(std::move(source))
    , m_icon(std::make_shared<std::optional<QIcon>>())
{
}

const QIcon& DeferredIconEngine::Icon()
{
    if (!m_icon->has_value())
        *m_icon = m_source ? m_source() : QIcon();
    return **m_icon;
}

void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return Icon().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return Icon().pixmap(size, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    return Icon().pixmap(size, scale, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return Icon().availableSizes(mode, state);
}

QString DeferredIconEngine::iconName()
{
    return Icon().name();
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine* DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}
