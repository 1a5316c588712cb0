#include "platformexport/PrintExporter.h"

#include "platformexport/AnswerKeyWriter.h"
#include "platformexport/ExportSet.h"
#include "platformexport/GiftWriter.h"
#include "platformexport/MoodleXmlWriter.h"
#include "platformexport/QtiPackageWriter.h"
#include "platformexport/SelfCheckPageWriter.h"

#include <QFileInfo>
#include <QSaveFile>

ExportBytes PrintExporter::Render(const ExportSet& set, ExportFormat::Kind format, QString* error)
{
    switch (format) {
    case ExportFormat::kMoodleXml: return MoodleXmlWriter::Write(set);
    case ExportFormat::kGift: return GiftWriter::Write(set);
    case ExportFormat::kQtiPackage: return QtiPackageWriter::Write(set, error);
    case ExportFormat::kSelfCheckPage: return SelfCheckPageWriter::Write(set);
    case ExportFormat::kAnswerKey: return AnswerKeyWriter::Write(set);
    case ExportFormat::kNone: break;
    }
    *error = ExportFormat::Extensions().join(QLatin1Char(' '));
    return {};
}

PrintExporter::Result PrintExporter::Export(
    const ExportSet& set, const QString& path, QString* error, const CancelCheck& cancelled)
{
    if (QFileInfo(path).isDir()) {
        *error = path;
        return kFailed;
    }
    const ExportBytes bytes = Render(set, ExportFormat::OfFile(path), error);
    if (bytes.IsEmpty())
        return kFailed;
    // Unbuffered: the pieces go to the file in one call where it has a
    // descriptor, else one by one.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    QString writeError;
    if (written && file.handle() >= 0) {
        written = bytes.WriteTo(file.handle(), &writeError);
    } else {
        for (const QByteArray& piece : bytes.Pieces())
            written = written && file.write(piece) == piece.size();
    }
    if (!written) {
        *error = writeError.isEmpty() ? file.errorString() : writeError;
        file.cancelWriting();
        return kFailed;
    }
    if (cancelled && cancelled()) {
        file.cancelWriting();
        return kCancelled;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return kFailed;
    }
    return kWritten;
}
