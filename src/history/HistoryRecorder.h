#pragma once

#include "history/RunRecord.h"

#include <QString>

#include <functional>

// The one way runs enter the history: prints made in the window, saved as
// PDF, made from the command line, and exports. A run is recorded only
// once it has finished well. A record that cannot be written (a folder or
// file that cannot be written, a full disk) never fails the run: the
// teacher is told once while the program runs; a damaged file is set
// aside (renamed, kept) and a new one started, and the teacher told where
// the old one went.
class HistoryRecorder {
public:
    // A message for the teacher: a string id and the text for its "%s".
    using Tell = std::function<void(int stringId, const QString& argument)>;

    // `file` is the history file (Path::HistoryDatabasePath); `tell`
    // receives the messages for the teacher (may be empty).
    explicit HistoryRecorder(QString file, Tell tell = {});

    // The run's id in the history, 0 when it could not be recorded.
    long long Record(const RunRecord& run);

    // Lets the next failure be told again (tests).
    static void ResetToldOnce();

private:
    QString m_file;
    Tell m_tell;
};
