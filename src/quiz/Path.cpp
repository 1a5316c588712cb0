#include "quiz/Path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>
#include <utility>

namespace {

bool SameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Whether `name` matches `wildcard`, where * stands for any run of
// characters and ? for any one character, as in QDir's name filters (which
// ignore case). QDir would compile the wildcard into a regular expression
// for each listing, which costs more than listing a folder of books.
bool MatchesWildcard(QStringView name, QStringView wildcard)
{
    qsizetype n = 0;
    qsizetype w = 0;
    qsizetype starAt = -1; // the last * seen, and where its run began in `name`
    qsizetype runFrom = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == u'?' || (wildcard[w] != u'*' && SameLetter(wildcard[w], name[n])))) {
            ++n;
            ++w;
        } else if (w < wildcard.size() && wildcard[w] == u'*') {
            starAt = w++;
            runFrom = n;
        } else if (starAt >= 0) {
            w = starAt + 1;
            n = ++runFrom;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == u'*')
        ++w;
    return w == wildcard.size();
}

QStringList Entries(const QString& folder, const QString& wildcard, QDir::Filters filters)
{
    QDir dir(folder);
    dir.setFilter(filters);
    dir.setSorting(QDir::Name);
    // Character classes are left to QDir.
    if (wildcard.contains(u'[')) {
        dir.setNameFilters({wildcard});
        return dir.entryList();
    }
    QStringList names = dir.entryList();
    names.removeIf([&wildcard](const QString& name) { return !MatchesWildcard(name, wildcard); });
    return names;
}

// Makes `name` below `parent` unless it is already a folder; the joined path,
// or empty when it cannot be made.
QString FolderBelow(const QString& parent, const QString& name)
{
    const QString path = parent + u'/' + name;
    if (QFileInfo(path).isDir())
        return path;
    return QDir().mkpath(path) ? path : QString();
}

} // namespace

Path::Path() = default;

Path::Path(const QString& programFolder)
    : m_programFolder(programFolder)
{
}

QString Path::ProgramFolder() const
{
    return m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
}

QString Path::Join(const QString& relative) const
{
    return ProgramFolder() + u'/' + relative;
}

int Path::BookFiles(QStringList& out) const
{
    out.clear();
    for (const QString& folder : {Join(m_dataFolder), UserBookFolder()}) {
        if (folder.isEmpty())
            continue;
        const QString absolute = QFileInfo(folder).absoluteFilePath();
        for (const QString& name : Entries(folder, m_bookPattern, QDir::Files | QDir::Hidden))
            out.append(absolute + u'/' + name);
    }
    return static_cast<int>(out.size());
}

QString Path::UserBookFolder() const
{
    const QString maker = MakerFolder(false);
    return maker.isEmpty() ? QString() : maker + u'/' + m_userBookFolder;
}

QString Path::MakerFolder(bool create) const
{
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (root.isEmpty())
        return QString();
    return create ? FolderBelow(root, m_makerFolder) : root + u'/' + m_makerFolder;
}

QString Path::UserDatabasePath() const
{
    return UserDataFile(m_userDatabase);
}

QString Path::HistoryDatabasePath() const
{
    return UserDataFile(m_historyDatabase);
}

QString Path::UserDataFile(const QString& name) const
{
    const QString maker = MakerFolder(true);
    if (maker.isEmpty())
        return QString();
    const QString userData = FolderBelow(maker, m_userDataFolder);
    if (userData.isEmpty())
        return QString();
    return userData + u'/' + name;
}

QString Path::TemplateFolder() const
{
    return Join(m_templateFolder);
}

QString Path::UserTemplateFolder() const
{
    const QString maker = MakerFolder(false);
    return maker.isEmpty() ? QString() : maker + u'/' + m_userTemplateFolder;
}

QString Path::MakeUserTemplateFolder() const
{
    const QString maker = MakerFolder(true);
    return maker.isEmpty() ? QString() : FolderBelow(maker, m_userTemplateFolder);
}

QString Path::HelpPage() const
{
    return Join(m_helpPage);
}

int Path::ListFiles(const QString& pattern, QStringList& out) const
{
    const QFileInfo info(pattern);
    out = Entries(info.path(), info.fileName(), QDir::Files);
    return static_cast<int>(out.size());
}

bool Path::OpenInBrowser(const QString& target) const
{
    if (target.isEmpty())
        return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {target});
}

void Path::OpenInBrowser(const QString& target, std::function<void(bool opened)> done, int patienceMs) const
{
    // Told once: by the launcher's end, or by the patience running out.
    auto told = std::make_shared<bool>(false);
    auto tell = [done = std::move(done), told](bool opened) {
        if (!std::exchange(*told, true) && done)
            done(opened);
    };
    if (target.isEmpty()) {
        QTimer::singleShot(0, [tell] { tell(false); });
        return;
    }
    // Without a parent and deleted only once it has ended: a launcher still
    // waiting for its browser is neither killed nor waited for when the
    // program ends.
    auto* launcher = new QProcess;
    launcher->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(launcher, &QProcess::errorOccurred, launcher, [launcher, tell](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        tell(false);
        launcher->deleteLater();
    });
    QObject::connect(launcher, &QProcess::finished, launcher, [launcher, tell](int code, QProcess::ExitStatus status) {
        tell(status == QProcess::NormalExit && code == 0);
        launcher->deleteLater();
    });
    QTimer::singleShot(patienceMs, launcher, [tell] { tell(true); });
    launcher->start(QStringLiteral("xdg-open"), {target});
}
