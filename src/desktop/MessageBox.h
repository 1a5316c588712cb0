#pragma once

#include "desktop/MessageSink.h"
#include "desktop/TextFormat.h"
#include "res/StringTable.h"

#include <QString>

#include <functional>

// The message helpers through which the whole program reports to the user.
// Each takes a string-table id or a format text, plus printf-style
// arguments. Every box has the caption of string 501 and no owner window.

// Routes every message box to `sink` (nullptr: real message boxes) and
// returns the sink that was in place. The sink is not owned.
MessageSink* SetMessageSink(MessageSink* sink);

// Shows one box with the program's caption; true when the user chose OK.
bool ShowMessage(MessageIcon icon, MessageButtons buttons, const QString& text);

// Where ShowStatus writes (the main window's status bar). An empty
// function, the default, makes ShowStatus do nothing.
void SetStatusOutput(std::function<void(const QString&)> output);

// Writes `text` to the status output, if one is registered.
void ShowStatusText(const QString& text);

// A warning box with the single OK button.
template <typename... Args>
void ShowWarning(const QString& format, const Args&... args)
{
    ShowMessage(MessageIcon::Warning, MessageButtons::Ok, FormatText(format, {FormatArg(args)...}));
}
template <typename... Args>
void ShowWarning(int id, const Args&... args)
{
    ShowWarning(Res::String(id), args...);
}

// An information box with the single OK button.
template <typename... Args>
void ShowInformation(const QString& format, const Args&... args)
{
    ShowMessage(MessageIcon::Information, MessageButtons::Ok, FormatText(format, {FormatArg(args)...}));
}
template <typename... Args>
void ShowInformation(int id, const Args&... args)
{
    ShowInformation(Res::String(id), args...);
}

// A question box with OK and Cancel; true only when the user chose OK.
template <typename... Args>
bool AskOkCancel(const QString& format, const Args&... args)
{
    return ShowMessage(MessageIcon::Question, MessageButtons::OkCancel, FormatText(format, {FormatArg(args)...}));
}
template <typename... Args>
bool AskOkCancel(int id, const Args&... args)
{
    return AskOkCancel(Res::String(id), args...);
}

// The text in the first part of the main window's status bar.
template <typename... Args>
void ShowStatus(const QString& format, const Args&... args)
{
    ShowStatusText(FormatText(format, {FormatArg(args)...}));
}
template <typename... Args>
void ShowStatus(int id, const Args&... args)
{
    ShowStatus(Res::String(id), args...);
}
