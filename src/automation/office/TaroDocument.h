#pragma once

#include "automation/NamedDispatch.h"
#include "automation/office/TaroEditor.h"

#include <memory>

namespace Office {

class TaroApplication;
class WriterDocument;

// Ichitaro's document object ("ActiveDocument") over a Writer document,
// with the editing state that the library works on. Members: Close;
// SaveAs (path, format): writes the document to a file of the format
// ("pdf", "odt", "docx", "doc"), the document itself staying untitled;
// SetCaption (text): the title bar of the document's window in place of
// the name an unsaved document gets.
class TaroDocument : public Automation::NamedDispatch {
public:
    TaroDocument(std::shared_ptr<WriterDocument> writer, std::weak_ptr<TaroApplication> application);

    // Closes the document without saving, whatever the argument says: a
    // document made from a template has no file of its own to save to.
    void Close();
    bool IsClosed() const;
    void SaveAs(const QString& path, const QString& format);

    TaroEditor& Editor() { return m_editor; }
    // The Writer document with every editing step taken.
    const std::shared_ptr<WriterDocument>& Writer();
    // Raises an automation error once the document is closed or its office gone.
    void CheckOpen() const;
    // Takes the editing steps collected (TaroEditor) in the office.
    void FlushEditing();

private:
    std::shared_ptr<WriterDocument> m_writer;
    std::weak_ptr<TaroApplication> m_application;
    TaroEditor m_editor;
};

} // namespace Office
