#pragma once

#include "automation/WordApplication.h"
#include "automation/office/WriterDocument.h"

#include <QString>

#include <sys/types.h>
#include <vector>

// Helpers for the tests that drive a real headless office: every test
// process starts the office it needs (headless, with a profile under the
// build folder) and ends it when the process ends.
namespace Office {
class TaroApplication;
class WriterApplication;
} // namespace Office

namespace OfficeTest {

// A new "Word.Application" from the class registry.
std::shared_ptr<Word::_Application> NewWord();

// The built template of that name (…/bin/data/template/<name>).
QString TemplatePath(const QString& fileName);
QString HorizontalTemplate();
QString VerticalTemplate();

// The Writer document behind a Word document.
std::shared_ptr<Office::WriterDocument> Writer(const std::shared_ptr<Word::_Document>& document);

struct Paragraph {
    QString style;
    QString text;
    bool pageBreakBefore = false;
};
// The paragraphs of the document's main text as the office has them.
std::vector<Paragraph> Paragraphs(const std::shared_ptr<Word::_Document>& document);

struct Portion {
    QString text;
    int underline = 0;  // awt::FontUnderline
    int escapement = 0; // negative: lowered
    int rotation = 0;   // tenths of a degree
    QString faceWestern;
    QString faceAsian;
    float height = 0; // points, Western and Asian
    float heightAsian = 0;
};
// The text portions (runs of equal formatting) of the whole main text.
std::vector<Portion> Portions(const std::shared_ptr<Word::_Document>& document);
// The portion that contains `text`, or a default one with empty text.
Portion PortionWith(const std::vector<Portion>& portions, const QString& text);

// While it lives, "Word.Application" and "JXW.Application" are made over
// the shared office session and each application made is kept here; the
// program's own backends are registered again when it goes.
class RecordedApplications {
public:
    RecordedApplications();
    ~RecordedApplications();
    RecordedApplications(const RecordedApplications&) = delete;
    RecordedApplications& operator=(const RecordedApplications&) = delete;

    std::vector<std::shared_ptr<Office::WriterApplication>> word;
    std::vector<std::shared_ptr<Office::TaroApplication>> taro;
};

// The documents open in the shared office, the teacher's included.
int OpenDocumentCount();

// Whether any live process is in the process group `group`.
bool ProcessGroupAlive(pid_t group);

} // namespace OfficeTest
