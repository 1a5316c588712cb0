#pragma once

#include <QString>

// The file a print run writes, made safely: the word processor writes a
// hidden temporary file in the same folder, which takes the target's
// place only once it is complete (a rename, so a reader never sees half a
// file and a failed run leaves the target as it was). The temporary file
// goes when the object does, unless it was committed.
class OutputFile {
public:
    explicit OutputFile(QString target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const QString& Target() const { return m_target; }
    // Makes the temporary file beside the target. False, with the reason
    // in `error`, when the target is a folder or its folder cannot be
    // written.
    bool Prepare(QString* error);
    // Where the word processor is to write; empty before Prepare.
    const QString& TemporaryPath() const { return m_temporary; }
    // Puts the written file in the target's place (replacing any older
    // file there). False, with the reason, when nothing was written or the
    // rename failed; the temporary file is removed then.
    bool Commit(QString* error);
    // Removes the temporary file.
    void Discard();

private:
    QString m_target;
    QString m_temporary;
};
