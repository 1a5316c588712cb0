#pragma once

#include <QString>

#include <com/sun/star/text/XTextDocument.hpp>

namespace Office {

class OfficeSession;

// Writes a Writer document to a file through the office's export filters,
// leaving the document untitled and unchanged. `format` names the file
// type by its usual extension: "pdf" (fonts embedded), "odt", "docx" or
// "doc". An unknown format raises InvalidArgument, a failed write Fail,
// both on interface `iid`.
void ExportDocument(OfficeSession* session, const char* iid, const css::uno::Reference<css::text::XTextDocument>& model,
    const QString& path, const QString& format);

// The format name for a Word save format (WdSaveFormat); empty for the
// formats the office does not write here.
QString FormatOfWordSaveFormat(int saveFormat);

} // namespace Office
