#pragma once

#include "automation/WordApplication.h"

#include <memory>
#include <vector>

namespace Office {

class OfficeSession;
class WriterDocument;

// Word's Application object over LibreOffice Writer. Each object stands
// for one Word instance: the documents it adds belong to it (Documents,
// Selection and Quit concern only them), while the office process itself
// is the shared OfficeSession's. Making the object starts the office when
// it is not running; a failure to start raises ServerExecFailure.
//
// While the application is not visible its documents are hidden and their
// views locked (no repainting while writing); showing it unlocks and shows
// them. After Quit every call raises Disconnected.
class WriterApplication : public Word::_Application, public std::enable_shared_from_this<WriterApplication> {
public:
    static std::shared_ptr<WriterApplication> Create(std::shared_ptr<OfficeSession> session);

    explicit WriterApplication(std::shared_ptr<OfficeSession> session);

    // Closes this application's documents without saving (SaveChanges -1
    // saves those that have a file), then ends the office when this
    // program started it and nothing else is open in it.
    void Quit(const Automation::Variant& saveChanges, const Automation::Variant& originalFormat,
        const Automation::Variant& routeDocument) override;
    bool GetVisible() override;
    void PutVisible(bool visible) override;
    int GetWindowState() override;
    void PutWindowState(int state) override;
    // Stored only: the office shows no dialogs to automation calls.
    int GetDisplayAlerts() override;
    void PutDisplayAlerts(int level) override;
    std::shared_ptr<Word::Documents> GetDocuments() override;
    std::shared_ptr<Word::Selection> GetSelection() override;

    std::shared_ptr<WriterDocument> AddDocument(const Automation::Variant& templatePath);
    void CloseDocuments(const Automation::Variant& saveChanges);
    // The documents this application added that are still open, oldest first.
    std::vector<std::shared_ptr<WriterDocument>> OpenDocuments();
    const std::shared_ptr<OfficeSession>& Session() const { return m_session; }

private:
    void EnsureRunning(const char* iid) const;

    std::shared_ptr<OfficeSession> m_session;
    std::vector<std::shared_ptr<WriterDocument>> m_documents;
    bool m_visible = false;
    int m_windowState = 0;
    int m_displayAlerts = -1;
    bool m_quit = false;
};

} // namespace Office
