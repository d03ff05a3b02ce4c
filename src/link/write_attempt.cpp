#include "link/write_attempt.h"

#include <chrono>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"

namespace zav {

bool BeginWriteAttempt(RadioLink& link) {
    Transport& transport = link.transport();
    link.ReleaseRadio();
    if (transport.PortError()) {
        link.EndSession();
        return false;
    }
    link.ReleaseRadio();
    transport.PauseBlocking(std::chrono::milliseconds(500));
    if (!link.HookRadio(false)) {
        link.EndSession();
        return false;
    }
    return true;
}

bool RetryFailedWrite(RadioLink& link) {
    if (!link.progress().cancelled()) {
        Message m;
        m.text = "Write Failed. Cycle Radio Power before Retrying.";
        m.title = "COMM ERROR";
        m.buttons = Buttons::RetryCancel;
        m.icon = Icon::Information;
        if (link.prompts().ask(m) == Answer::Retry) return true;
    }
    link.prompts().beep();
    link.EndSession();
    return false;
}

}  // namespace zav
