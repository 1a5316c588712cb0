#pragma once

#include <QString>

#include <functional>
#include <QStringList>

// Where the program's files are: the book databases, print templates and
// help page beside the program, and the per-user database in the XDG data
// home. A small value class; copies are handed to whoever needs paths.
class Path {
public:
    // The program folder is the folder of the running executable.
    Path();
    // For tests and tools: a given program folder.
    explicit Path(const QString& programFolder);
    virtual ~Path() = default;

    QString ProgramFolder() const;
    // Full paths of the book database candidates: the files (hidden ones
    // too, no folders) matching "data/*_main.db" below the program folder,
    // by name, then those matching "*_main.db" in the teacher's own book
    // folder, by name. The list is emptied first; returns the count.
    int BookFiles(QStringList& out) const;
    // <XDG data home>/morvane-k/books: the teacher's own books. Not made
    // here; empty when there is no data home.
    QString UserBookFolder() const;
    // The file pattern of book databases, "*_main.db".
    QString BookPattern() const { return m_bookPattern; }
    // <XDG data home>/morvane-k/userdata/tv_user.db, creating the folders;
    // empty when they cannot be made.
    QString UserDatabasePath() const;
    // <XDG data home>/morvane-k/userdata/tv_history.db, the record of print
    // runs, creating the folders; empty when they cannot be made.
    QString HistoryDatabasePath() const;
    // The bundled templates below the program folder (read-only for a teacher).
    QString TemplateFolder() const;
    // <XDG data home>/morvane-k/template: the teacher's own templates. Only
    // named here; the folder may not exist.
    QString UserTemplateFolder() const;
    // The same folder, made when missing; empty when it cannot be made.
    QString MakeUserTemplateFolder() const;
    QString HelpPage() const;
    // Names (no folder) of the files matching the full pattern
    // "<folder>/<wildcards>", skipping folders and hidden files, by name.
    // The list is emptied first; returns the count.
    int ListFiles(const QString& pattern, QStringList& out) const;
    // Opens a file path or web address in the user's default browser
    // (xdg-open, started detached). Whether the launcher process started.
    bool OpenInBrowser(const QString& target) const;
    // The same, telling `done` from the event loop whether it opened: false
    // when xdg-open cannot be started or ends with a status other than 0
    // (no browser, no file manager for it). A launcher still running after
    // `patienceMs` is taken to have opened it (some wait for the browser
    // they started) and is left to run.
    static constexpr int LaunchPatienceMs = 20000;
    void OpenInBrowser(
        const QString& target, std::function<void(bool opened)> done, int patienceMs = LaunchPatienceMs) const;

private:
    QString Join(const QString& relative) const;
    // <XDG data home>/morvane-k/userdata/<name>, making the folders.
    QString UserDataFile(const QString& name) const;
    // <XDG data home>/morvane-k, made when `create` is set; empty when there
    // is no data home or the folder cannot be made.
    QString MakerFolder(bool create) const;

    QString m_programFolder; // empty: ask the running application
    QString m_dataFolder = QStringLiteral("data");
    QString m_bookPattern = QStringLiteral("*_main.db");
    QString m_makerFolder = QStringLiteral("morvane-k");
    QString m_userDataFolder = QStringLiteral("userdata");
    QString m_userDatabase = QStringLiteral("tv_user.db");
    QString m_historyDatabase = QStringLiteral("tv_history.db");
    QString m_userBookFolder = QStringLiteral("books");
    QString m_templateFolder = QStringLiteral("data/template");
    QString m_userTemplateFolder = QStringLiteral("template");
    QString m_helpPage = QStringLiteral("help/index.html");
};
