#pragma once
// Base of the document writers. It fixes the order in which a print run
// talks to a word processor (open the template, replay the commands, fill in
// the placeholders, finish the document) and owns what both writers share:
// clipboard preservation, keeping the windows alive while writing, number
// decorations and paragraph-style names. Every automation call is left to
// the subclasses.
#include "print/ClipboardBackup.h"
#include "markup/Cmd.h"
#include "print/RunFailure.h"
#include "print/RunObserver.h"
#include "quiz/CreatorRegistry.h"
#include "quiz/WordProcessor.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

namespace Print {

class Creator : public WordProcessor {
public:
    Creator() = default;
    virtual ~Creator() = default;

    Creator(const Creator&) = delete;
    Creator& operator=(const Creator&) = delete;

    // The writer registered under `type`; null when there is none.
    static std::shared_ptr<Creator> Registered(const CreatorRegistry& registry, int type);

    virtual bool CanCreate() const = 0;

    // The whole print run: a new document from the template with the
    // commands written into it and "@title"/"@range" replaced ("@class"
    // by each print's class name, the text of its PageHeader command, in
    // its copy of the header block, and by nothing elsewhere), handed to
    // the teacher or written to the destination's file. The user's
    // clipboard is restored and Finish runs on every path. False when any
    // step failed or threw, when a mark of ours is still anywhere in the
    // document after its replacement, or when the observer stopped the run;
    // the document the run made is then closed unsaved (documents the
    // teacher has open are left alone). A run while another is in progress
    // (reached through the events dispatched between commands, or from
    // another thread) is refused.
    bool Create(const CmdList& commands, const QString& templatePath, const QString& title, const QString& rangeText,
        const RunDestination& destination = {}, RunObserver* observer = nullptr);

    // Why the last run failed, where it could tell (LastFailure().Reason()).
    const RunFailure& LastFailure() const { return m_failure; }

    // The marks of ours a template may hold, each replaced by its text in
    // every part of the document (page headers and footers, frames,
    // tables, text boxes); one left after the run fails it.
    static const QStringList& Marks();

    // The number of steps a run of `commands` reports to its observer.
    static int StepCount(const CmdList& commands);

    // How each run saves and restores the clipboard. Without a factory the
    // clipboard is left alone.
    void SetClipboardBackupFactory(ClipboardBackupFactory factory);

    // "【n】" for question heads, "(n)" for item and answer numbers, the text
    // itself for every other kind.
    static QString Decorate(int kind, const QString& text);
    // The paragraph style each template defines for a kind.
    static QString StyleName(int kind);

protected:
    // End of every run, success or failure: hand the application to the
    // user, restore its settings, drop the automation references.
    virtual void Finish();

    // Writes every command, even after one failed; false if any failed.
    // Pending events are processed after each command so that the windows
    // keep painting while the word processor works.
    bool WriteCommands(const CmdList& commands);

    // Start the application and make a new document from the template, with
    // the insertion point at its end; the template's content becomes the
    // header block.
    virtual bool Open(const QString& templatePath) = 0;
    // Write one command at the insertion point; kinds outside 1..12 are
    // ignored.
    virtual bool WriteCommand(const Cmd& command) = 0;
    // Discard the document after a failed step.
    virtual void Abort() = 0;
    virtual bool SetTitle(const QString& title) = 0;
    virtual bool SetRange(const QString& rangeText) = 0;
    // Replace every `mark` still in the document by nothing: "@class" in
    // a page header or footer, which all prints share. A writer that
    // cannot replace answers true.
    virtual bool ClearMark(const QString& mark);
    // Remove the header block at the top and present the document.
    virtual bool Complete() = 0;
    virtual bool IsVertical() = 0;
    // Set runs of digits upright inside vertical text.
    virtual void MakeDigitsUpright() = 0;
    // Whether the document still holds the text where SetTitle and
    // SetRange replace. A writer that cannot tell answers false.
    virtual bool Holds(const QString& text);

    static const QString TitlePlaceholder; // "@title"
    static const QString RangePlaceholder; // "@range"
    static const QString ClassPlaceholder; // "@class": the print's class name
    // Write the completed document to `path` in `format` (RunDestination).
    // Writers that cannot write files answer false.
    virtual bool SaveAs(const QString& path, const QString& format);
    // Whether the current run writes a file rather than handing the
    // document to the teacher: Complete and Finish then keep the word
    // processor hidden and close the document.
    bool WritesToFile() const { return m_destination.IsFile(); }
    // Tells the observer, inside a long step, that the word processor
    // still answers.
    void StillWorking();

private:
    bool Run(const CmdList& commands, const QString& templatePath, const QString& title, const QString& rangeText);
    // Whether a mark is still in the document; `filledIn` are the texts
    // that took the marks' places, which may bring a mark in themselves.
    bool PlaceholderLeft(const QStringList& filledIn);
    void Fail(RunFailure::Cause cause, const QString& subject = {});
    void NoteFailure(const std::exception& error);
    void AbortAfterError();
    // Reports one more step done; false once the observer asked to stop.
    bool Step();
    bool AbortRun();
    bool FinishRun();
    static void ProcessPendingEvents();

    ClipboardBackupFactory m_clipboardBackupFactory;
    std::atomic<bool> m_running = false;
    RunDestination m_destination;
    RunObserver* m_observer = nullptr;
    int m_stepsDone = 0;
    int m_stepsTotal = 0;
    bool m_stopped = false;
    RunFailure m_failure;
};

} // namespace Print
