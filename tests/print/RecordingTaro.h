#pragma once
// A stand-in for Ichitaro's automation server ("JXW.Application") that
// logs every late-bound call. Library calls are logged as "Name(args)",
// calls on the other objects with their prefix ("App.", "Doc.",
// "Options.", "Attribute.", "Layout.", "Match."); property writes as
// "Name=value"; an omitted argument shows as "-", a text in quotes.
// Each object knows only the names the real server offers it, so any
// other name raises "DispidOfName <name> error".
#include "automation/Dispatch.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace RecordingTaro {

struct State {
    QStringList log;
    int row = 4;              // GetRow's answer
    int keyAssignment = 1;    // the option "JW型ｷｰ割付"
    int writingDirection = 1; // the layout's "文字組"; 2 is vertical
    QString japaneseFont = QStringLiteral("ＭＳ 明朝");
    Automation::Variant warningMode = 1;
    QStringList matches; // what successive SearchRegexp calls find
    bool hasLibrary = true;
    bool hasDocument = true;
    QStringList unknownNames; // names the server no longer knows
    // Called with each logged call before it returns; may throw.
    std::function<void(const QString&)> onCall;

    void Log(const QString& call);
    // The log without the given calls' names (e.g. to look at one part).
    QStringList LogWithout(const QStringList& names) const;
};

// Registers a factory for "JXW.Application" that makes recording
// applications over `state`; unregisters on destruction.
class Registration {
public:
    explicit Registration(std::shared_ptr<State> state);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    int created = 0;
};

} // namespace RecordingTaro
