#pragma once

#include <QString>
#include <QStringList>

namespace Print {

// The images and objects a print template shows from outside itself (a
// linked image, an object on the network) rather than holding them. The
// program's office never fetches them, so they print as the copy the
// template keeps or as an empty frame; a run tells the teacher so, once.
// Read from the template file alone: an OpenDocument file's content and
// styles (the header and footer), an Office Open XML file's relationships.
// A file of another kind (Word 97) is not looked into.
class TemplateLinks {
public:
    // The addresses, in the order found, each once; empty when the template
    // holds everything it shows or cannot be read.
    static QStringList Find(const QString& path);
    // The run's notice for `links`; empty when there are none.
    static QString Notice(const QStringList& links);
};

} // namespace Print
