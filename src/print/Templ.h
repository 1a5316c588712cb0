#pragma once
// The catalogue of print templates: the template files of each word
// processor, found in two folders (the bundled one beside the program and
// the teacher's own in the XDG data home), and the one chosen for each. A
// name in both folders is listed once and stands for the teacher's file.
// Application types: 1 Microsoft Word (".dot"), 2 Ichitaro (".jtt").
#include "quiz/Path.h"

#include <QString>
#include <QStringList>

#include <map>

class Templ {
public:
    explicit Templ(const Path& path);
    virtual ~Templ() = default;

    // The file extension of a type's templates; ".___" for unknown types.
    static QString Extension(int type);

    // Lists the type's template files of both folders (no folders, no
    // hidden files) as one list sorted by name. When any is found they
    // become the type's names and the first one is selected; otherwise the
    // type keeps what it had. Whether any was found.
    bool Scan(int type);
    // Copies the type's names in listing order; returns their number.
    int Names(int type, QStringList& out) const;
    // The selected name of the type; empty when it has none.
    QString Selected(int type) const;
    // The full path of the selected name (see Locate); the bundled folder
    // itself when nothing is selected.
    QString FullPath(int type) const;
    // The full path of a template of the type by its file name (the type's
    // extension may be left off): the teacher's file when the teacher's
    // folder has it, else the bundled one; empty when neither folder holds a
    // template of that name. Looks at the folders, not at the last Scan.
    QString Locate(int type, const QString& name) const;
    // Exact, case-sensitive match against the type's names.
    bool Contains(int type, const QString& name) const;
    // Makes a listed name the type's selection; a name that is not listed
    // is refused (false) and the selection stays.
    bool Select(int type, const QString& name);

private:
    // The teacher's folder first, then the bundled one.
    QStringList Folders() const;

    Path m_path;
    std::map<int, QStringList> m_names;
    std::map<int, QString> m_selected;
};
