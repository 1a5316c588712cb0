#include "desktop/MessageBox.h"

#include "desktop/DialogMessageSink.h"

#include <utility>

namespace {

constexpr int kCaptionId = 501;

MessageSink* g_sink = nullptr;

std::function<void(const QString&)>& StatusOutput()
{
    static std::function<void(const QString&)> output;
    return output;
}

MessageSink& CurrentSink()
{
    static DialogMessageSink dialogs;
    return g_sink ? *g_sink : dialogs;
}

} // namespace

MessageSink* SetMessageSink(MessageSink* sink)
{
    return std::exchange(g_sink, sink);
}

bool ShowMessage(MessageIcon icon, MessageButtons buttons, const QString& text)
{
    MessageRequest request;
    request.icon = icon;
    request.buttons = buttons;
    request.caption = Res::String(kCaptionId);
    request.text = text;
    const bool ok = CurrentSink().Show(request);
    return buttons == MessageButtons::OkCancel ? ok : true;
}

void SetStatusOutput(std::function<void(const QString&)> output)
{
    StatusOutput() = std::move(output);
}

void ShowStatusText(const QString& text)
{
    // A copy, so that an output that unregisters itself stays alive while it runs.
    const auto output = StatusOutput();
    if (output)
        output(text);
}
