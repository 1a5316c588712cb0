#pragma once
// A stand-in for Word's object model that logs every member call as
// "Object.Member args" into a shared log. The document is a plain string
// (with its final paragraph mark) that ranges read their text from; typing
// does not change it, so tests set the text they need.
#include "automation/WordApplication.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace RecordingWord {

struct State {
    QStringList log;
    QString templateText = QStringLiteral("header @title\r\r");
    QString documentText; // set from templateText by Documents.Add
    int orientation = 0;
    QString fontName = QStringLiteral("ＭＳ 明朝");
    // What a search without replacing finds (the document holds it still).
    QStringList unreplaced;
    QString findText; // the last Find.Text put
    // Called with each logged call before it returns; may throw.
    std::function<void(const QString&)> onCall;

    void Log(const QString& call);
};

// Registers a factory for "Word.Application" that makes recording
// applications over `state`; unregisters on destruction.
class Registration {
public:
    explicit Registration(std::shared_ptr<State> state);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    int created = 0;
    std::weak_ptr<Word::_Application> lastApplication;
};

std::shared_ptr<Word::_Application> MakeApplication(std::shared_ptr<State> state);

} // namespace RecordingWord
