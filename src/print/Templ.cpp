#include "print/Templ.h"

#include <QFileInfo>

#include <algorithm>

Templ::Templ(const Path& path)
    : m_path(path)
{
}

QString Templ::Extension(int type)
{
    switch (type) {
    case 1: return QStringLiteral(".dot");
    case 2: return QStringLiteral(".jtt");
    default: return QStringLiteral(".___");
    }
}

QStringList Templ::Folders() const
{
    QStringList folders;
    const QString own = m_path.UserTemplateFolder();
    if (!own.isEmpty())
        folders << own;
    folders << m_path.TemplateFolder();
    return folders;
}

bool Templ::Scan(int type)
{
    QStringList found;
    for (const QString& folder : Folders()) {
        QStringList names;
        m_path.ListFiles(folder + QStringLiteral("/*") + Extension(type), names);
        found << names;
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    if (found.isEmpty())
        return false;
    m_selected[type] = found.front();
    m_names[type] = found;
    return true;
}

int Templ::Names(int type, QStringList& out) const
{
    const auto it = m_names.find(type);
    out = it == m_names.end() ? QStringList() : it->second;
    return static_cast<int>(out.size());
}

QString Templ::Selected(int type) const
{
    const auto it = m_selected.find(type);
    return it == m_selected.end() ? QString() : it->second;
}

QString Templ::FullPath(int type) const
{
    const QString folder = m_path.TemplateFolder();
    const QString name = Selected(type);
    if (name.isEmpty())
        return folder;
    const QString found = Locate(type, name);
    // A file removed since the scan: the bundled path, whose opening fails.
    return found.isEmpty() ? folder + QLatin1Char('/') + name : found;
}

QString Templ::Locate(int type, const QString& name) const
{
    const QString extension = Extension(type);
    const QString file = name.endsWith(extension) ? name : name + extension;
    if (name.isEmpty() || file.startsWith(QLatin1Char('.')) || file.contains(QLatin1Char('/')))
        return QString();
    for (const QString& folder : Folders()) {
        const QString path = folder + QLatin1Char('/') + file;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool Templ::Contains(int type, const QString& name) const
{
    const auto it = m_names.find(type);
    return it != m_names.end() && it->second.contains(name, Qt::CaseSensitive);
}

bool Templ::Select(int type, const QString& name)
{
    if (!Contains(type, name))
        return false;
    m_selected[type] = name;
    return true;
}
