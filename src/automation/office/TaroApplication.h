#pragma once

#include "automation/NamedDispatch.h"

#include <com/sun/star/datatransfer/XTransferable.hpp>

#include <memory>
#include <vector>

namespace Office {

class OfficeSession;
class TaroDocument;
class TaroLibrary;
class WriterApplication;

// Ichitaro's application object ("JXW.Application") over LibreOffice
// Writer, sharing the office of the Word backend. Members: TaroLibrary
// (the editing object), ActiveDocument (the document opened last that is
// still open, or empty), Visible, WindowState (0 normal, 1 maximised, 2
// minimised), Quit. Like Ichitaro started by automation, it is hidden
// until made visible; its documents are hidden and not repainted meanwhile.
//
// Copies ("Clip") are kept inside the office, never on the system
// clipboard, and are pasted ("Paste") into any document of the application.
class TaroApplication : public Automation::NamedDispatch, public std::enable_shared_from_this<TaroApplication> {
public:
    static constexpr char ProgId[] = "JXW.Application";

    // Starts the office when it is not running; raises ServerExecFailure
    // when it cannot be started.
    static std::shared_ptr<TaroApplication> Create(std::shared_ptr<OfficeSession> session);
    explicit TaroApplication(std::shared_ptr<OfficeSession> session);

    // A new untitled document from the template file, made the active one.
    std::shared_ptr<TaroDocument> OpenDocument(const QString& templatePath);
    // Null when no document is open.
    std::shared_ptr<TaroDocument> ActiveDocument();
    // The active document; raises an error when there is none.
    TaroDocument& RequireDocument();

    // Closes this application's documents unsaved; ends the office when
    // this program started it and nothing else is open in it. Later calls
    // raise Disconnected.
    void Quit();
    void SetVisible(bool visible);
    void SetWindowState(int state);

    void SetCopy(const css::uno::Reference<css::datatransfer::XTransferable>& content, const TaroDocument* source);
    css::uno::Reference<css::datatransfer::XTransferable> Copy() const { return m_copy; }
    void ForgetCopyOf(const TaroDocument* source);

    // Takes the editing steps collected in every open document.
    void FlushEditing();

    // Application settings that the library reads and writes.
    int warningMode = 1;
    bool assist = true;

    OfficeSession* Session() const { return m_session.get(); }
    // Raises Disconnected after Quit.
    void EnsureRunning() const;

private:
    std::shared_ptr<OfficeSession> m_session;
    std::shared_ptr<WriterApplication> m_writer;
    std::vector<std::shared_ptr<TaroDocument>> m_documents;
    std::shared_ptr<TaroLibrary> m_library;
    css::uno::Reference<css::datatransfer::XTransferable> m_copy;
    const TaroDocument* m_copySource = nullptr;
    bool m_quit = false;
};

} // namespace Office
