#include "print/Templ.h"

Templ::Templ(const Path& path)
    : m_path(path)
{
}

QString Templ::Extension(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral(".dot");
    case 2:
        return QStringLiteral(".jtt");
    default:
        return QStringLiteral(".___");
    }
}

bool Templ::Scan(int type)
{
    QStringList found;
    const QString pattern = m_path.TemplateFolder() + QStringLiteral("/*") + Extension(type);
    if (m_path.ListFiles(pattern, found) == 0)
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
    return folder + QLatin1Char('/') + name;
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
