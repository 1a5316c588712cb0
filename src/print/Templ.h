#pragma once
// The catalogue of print templates: the template files of each word
// processor found in the template folder, and the one chosen for each.
// Application types: 1 Microsoft Word (".dot"), 2 Ichitaro (".jtt").
#include "app/Path.h"

#include <QString>
#include <QStringList>

#include <map>

class Templ {
public:
    explicit Templ(const Path& path);
    virtual ~Templ() = default;

    // The file extension of a type's templates; ".___" for unknown types.
    static QString Extension(int type);

    // Lists the type's template files (no folders, no hidden files). When
    // any is found they become the type's names and the first one is
    // selected; otherwise the type keeps what it had. Whether any was found.
    bool Scan(int type);
    // Copies the type's names in listing order; returns their number.
    int Names(int type, QStringList& out) const;
    // The selected name of the type; empty when it has none.
    QString Selected(int type) const;
    // The template folder joined with the selected name (the folder itself
    // when nothing is selected).
    QString FullPath(int type) const;
    // Exact, case-sensitive match against the type's names.
    bool Contains(int type, const QString& name) const;
    // Makes a listed name the type's selection; a name that is not listed
    // is refused (false) and the selection stays.
    bool Select(int type, const QString& name);

private:
    Path m_path;
    std::map<int, QStringList> m_names;
    std::map<int, QString> m_selected;
};
