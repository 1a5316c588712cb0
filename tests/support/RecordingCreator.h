#pragma once
// A word processor that keeps what a print run hands it (template, title,
// range line, commands), for print runs without an office. Header only: it
// needs the print library, which the support library does not link.
#include "print/Creator.h"

#include <QFile>

#include <functional>
#include <vector>

class RecordingCreator : public Print::Creator {
public:
    explicit RecordingCreator(bool available = true)
        : available_(available)
    {
    }

    bool CanCreate() const override { return true; }
    bool IsAvailable() override { return available_; }

    // Called for every command written, while the run is in progress.
    std::function<void()> onWrite;
    // False makes the run fail at its end.
    bool completes = true;
    int runs = 0;
    QString templatePath;
    QString title;
    QString rangeText;
    std::vector<Print::Cmd> commands;
    // Where and how the last run into a file wrote (a few bytes naming the format).
    QString savedPath;
    QString savedFormat;

protected:
    bool Open(const QString& path) override
    {
        ++runs;
        templatePath = path;
        commands.clear();
        return true;
    }
    bool WriteCommand(const Print::Cmd& command) override
    {
        commands.push_back(command);
        if (onWrite)
            onWrite();
        return true;
    }
    void Abort() override { }
    bool SetTitle(const QString& text) override
    {
        title = text;
        return true;
    }
    bool SetRange(const QString& text) override
    {
        rangeText = text;
        return true;
    }
    bool Complete() override { return completes; }
    bool IsVertical() override { return false; }
    void MakeDigitsUpright() override { }
    bool SaveAs(const QString& path, const QString& format) override
    {
        savedPath = path;
        savedFormat = format;
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(format.toUtf8()) > 0;
    }

private:
    bool available_;
};
