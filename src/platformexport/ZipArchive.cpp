#include "platformexport/ZipArchive.h"

#include <zip.h>

#include <memory>

namespace {

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

QString ErrorText(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// The bytes of a closed in-memory archive.
QByteArray ReadAll(zip_source_t* source, QString* error)
{
    zip_stat_t stat;
    if (zip_source_open(source) < 0) {
        *error = ErrorText(zip_source_error(source));
        return {};
    }
    QByteArray bytes;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
        bytes.resize(static_cast<qsizetype>(stat.size));
        const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
        if (read != static_cast<zip_int64_t>(stat.size)) {
            *error = ErrorText(zip_source_error(source));
            bytes.clear();
        }
    } else {
        *error = ErrorText(zip_source_error(source));
    }
    zip_source_close(source);
    return bytes;
}

} // namespace

void ZipArchive::Add(const QString& name, QByteArray content)
{
    m_entries.push_back({name, std::move(content)});
}

QByteArray ZipArchive::Bytes(QString* error) const
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    SourcePtr source(zip_source_buffer_create(nullptr, 0, 0, &zipError));
    zip_t* archive = source ? zip_open_from_source(source.get(), ZIP_TRUNCATE, &zipError) : nullptr;
    if (!archive) {
        *error = ErrorText(&zipError);
        zip_error_fini(&zipError);
        return {};
    }
    // The archive lets go of its source when closed; it is read after that.
    zip_source_keep(source.get());
    for (const Entry& entry : m_entries) {
        // The buffers stay in m_entries until the archive is closed.
        zip_source_t* content
            = zip_source_buffer(archive, entry.content.constData(), static_cast<zip_uint64_t>(entry.content.size()), 0);
        const zip_int64_t index = content
            ? zip_file_add(archive, entry.name.toUtf8().constData(), content, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
            : -1;
        if (index < 0) {
            zip_source_free(content);
            *error = ErrorText(zip_get_error(archive));
            zip_discard(archive);
            return {};
        }
        // Stored, not deflated: the entries are many files of a few hundred
        // bytes, and a deflater set up afresh for each (hundreds of KiB of
        // tables cleared per entry) took most of the export's time to
        // halve a package of a megabyte or two.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) < 0) {
        *error = ErrorText(zip_get_error(archive));
        zip_discard(archive);
        return {};
    }
    return ReadAll(source.get(), error);
}
