#pragma once

#include <QString>
#include <QStringList>

#include <mutex>

class QLibrary;

namespace Automation {

// The office backend, built as a module of its own ("tavisko-office.so"
// beside the program) and loaded at run time. The program itself needs
// none of the office's libraries: where they are missing the module does
// not load, no word processor is registered, and the program runs for
// composing prints and says so when a print run needs the office.
class OfficeModule {
public:
    // The module's file name.
    static const QString FileName;

    // The module of the program. Another instance (tests) loads its own.
    static OfficeModule& Shared();
    OfficeModule() = default;
    OfficeModule(const OfficeModule&) = delete;
    OfficeModule& operator=(const OfficeModule&) = delete;

    // The programmatic identifiers of the word processors the module
    // registers.
    static const QStringList WordProcessorIds;

    // The office program the module starts: `soffice` on the PATH, or
    // where the Debian packages put it; empty when there is none.
    static QString OfficeProgram();

    // Whether an office the module could drive is installed, told from the
    // files alone: the module in `folder`, the office program, and the UNO
    // libraries the module links beside that program.
    static bool OfficeFilesPresent(const QString& folder);

    // Start-up without loading the module (loading it and the office's
    // libraries takes longer than a bare window needs to appear): where
    // OfficeFilesPresent, registers the word processors with the class
    // registry as available, under factories that load the module first
    // (its own registrations then replace these). Until EndDeferral, their
    // availability is that of the files; after it, asking loads the module,
    // so that a module that cannot load makes them unavailable. Returns
    // whether they were registered.
    bool Announce(const QString& folder);
    // Asking about announced word processors may load the module from now
    // on (the window is up). Returns whether they were deferred: answers
    // given before may have been wrong.
    bool EndDeferral();

    // Loads the module from `folder` (once; later calls answer as the
    // first did) and lets it register its word processors with the class
    // registry. False when it cannot be loaded (Error says why) or finds
    // no office; the announced word processors are then withdrawn. From
    // any thread.
    bool Load(const QString& folder);
    // Load from the folder of Announce.
    bool Load();
    bool IsLoaded() const { return m_loaded; }
    QString Error() const { return m_error; }

    // The office the module starts runs without windows even where there
    // is a display, on a profile of its own (printing from the command
    // line beside an open program). Call before Load.
    void PreferHeadless() { m_headless = true; }

    // Another entry point of the loaded module by its name; null when the
    // module is not loaded or has no such entry.
    void* Entry(const char* name) const;

    // Launches the office without waiting for it; nothing when the module
    // is not loaded.
    void StartInBackground();
    // At program end: ends the office the module started, unless the
    // teacher has documents open in it.
    void Release();

private:
    void Withdraw();

    std::recursive_mutex m_mutex;
    QString m_folder;
    bool m_announced = false;
    bool m_deferred = false;
    bool m_tried = false;
    bool m_headless = false;
    bool m_loaded = false;
    bool m_registered = false;
    QString m_error;
    QLibrary* m_library = nullptr;
    void (*m_startInBackground)() = nullptr;
    void (*m_release)() = nullptr;
};

} // namespace Automation
