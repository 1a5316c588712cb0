#include "desktop/CClipboardBackup.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QThread>
#include <chrono>
#include <thread>

namespace {
const QString PngFormat = QStringLiteral("image/png");

QByteArray EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
} // namespace

CClipboardBackup::CClipboardBackup(bool restoreOnDestruction)
    : m_restoreOnDestruction(restoreOnDestruction)
{
}

CClipboardBackup::~CClipboardBackup()
{
    if (m_restoreOnDestruction && m_restorePending)
        Restore();
}

Print::ClipboardBackupFactory CClipboardBackup::Factory()
{
    return [] { return std::make_unique<CClipboardBackup>(); };
}

QClipboard* CClipboardBackup::Clipboard()
{
    // Without a GUI application there is no clipboard to reach, and only
    // its thread may touch it: a print run on a worker thread leaves the
    // clipboard to the caller on the GUI thread.
    const QCoreApplication* application = QCoreApplication::instance();
    if (qobject_cast<const QGuiApplication*>(application) == nullptr
        || application->thread() != QThread::currentThread())
        return nullptr;
    return QGuiApplication::clipboard();
}

bool CClipboardBackup::IsClipboardHeld() const
{
    return false;
}

void CClipboardBackup::WaitForClipboard(double limitSeconds) const
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto limit = std::chrono::duration<double>(limitSeconds);
    while (IsClipboardHeld()) {
        if (Clock::now() - start > limit)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(WaitPollMilliseconds));
    }
}

bool CClipboardBackup::HasImageEntry(const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (entry.format.startsWith(QLatin1String("image/")))
            return true;
    }
    return false;
}

// Readers inside this process ask for the image object rather than for
// bytes, so give them the saved PNG as an image too.
void CClipboardBackup::RestoreImage(QMimeData& mime) const
{
    for (const Entry& entry : m_entries) {
        if (entry.format != PngFormat)
            continue;
        const QImage image = QImage::fromData(entry.data, "PNG");
        if (!image.isNull())
            mime.setImageData(image);
        return;
    }
}

bool CClipboardBackup::Save()
{
    WaitForClipboard(WaitLimitSeconds);
    QClipboard* clipboard = Clipboard();
    if (clipboard == nullptr)
        return false;

    m_entries.clear();
    if (const QMimeData* mime = clipboard->mimeData(QClipboard::Clipboard)) {
        for (const QString& format : mime->formats()) {
            QByteArray data = mime->data(format);
            // A format whose bytes cannot be had is not saved.
            if (data.isEmpty())
                continue;
            m_entries.push_back({format, data});
        }
        // An image put on the clipboard inside this process is held as an
        // image object, not as bytes: keep it as PNG so that it survives.
        if (mime->hasImage() && !HasImageEntry(m_entries)) {
            const QImage image = qvariant_cast<QImage>(mime->imageData());
            if (!image.isNull())
                m_entries.push_back({PngFormat, EncodePng(image)});
        }
    }
    m_restorePending = true;
    return true;
}

bool CClipboardBackup::Restore()
{
    WaitForClipboard(WaitLimitSeconds);
    QClipboard* clipboard = Clipboard();
    if (clipboard == nullptr)
        return false;

    if (m_entries.empty()) {
        clipboard->clear(QClipboard::Clipboard);
    } else {
        auto* mime = new QMimeData;
        for (const Entry& entry : m_entries)
            mime->setData(entry.format, entry.data);
        RestoreImage(*mime);
        clipboard->setMimeData(mime, QClipboard::Clipboard); // takes ownership
    }
    m_restorePending = false;
    return true;
}
