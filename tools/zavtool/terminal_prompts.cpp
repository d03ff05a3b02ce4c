#include "terminal_prompts.h"

#include <ostream>

#include "iface/progress.h"

namespace zav::tool {

namespace {

const char* answerName(Answer a) {
    switch (a) {
        case Answer::Ok:
            return "OK";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
        case Answer::Retry:
            return "Retry";
    }
    return "";
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

Answer TerminalPrompts::ask(const Message& message) {
    out_ << message.shownTitle() << ": " << terminalText(message.text) << "\n";
    if (!message.detail.empty()) {
        const std::string detail = terminalText(message.detail);
        std::size_t start = 0;
        while (start <= detail.size()) {
            const std::size_t end = detail.find('\n', start);
            out_ << "    " << detail.substr(start, end - start) << "\n";
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    Answer a = Answer::Ok;
    switch (message.buttons) {
        case Buttons::Ok:
            a = Answer::Ok;
            break;
        case Buttons::YesNo:
            a = Answer::No;
            break;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            a = Answer::Cancel;
            break;
        case Buttons::RetryCancel:
            a = retries_ > 0 && !CancelRequest::isSet(cancel_) ? Answer::Retry : Answer::Cancel;
            if (a == Answer::Retry) --retries_;
            break;
    }
    if (message.buttons != Buttons::Ok) out_ << "  -> " << answerName(a) << "\n";
    out_.flush();
    return a;
}

std::optional<std::string> TerminalPrompts::chooseFile(const FileDialogRequest& /*request*/) {
    return std::nullopt;
}

}  // namespace zav::tool
