#include "link/write_attempt.h"

#include <chrono>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"

namespace zav {

bool beginWriteAttempt(RadioLink& link) {
    Transport& transport = link.transport();
    link.releaseRadio();
    if (transport.portError()) {
        link.endSession();
        return false;
    }
    link.releaseRadio();
    transport.pauseBlocking(std::chrono::milliseconds(500));
    if (!link.hookRadio(false)) {
        link.endSession();
        return false;
    }
    return true;
}

bool retryFailedWrite(RadioLink& link) {
    if (!link.progress().cancelled()) {
        Message m;
        m.text = "Write Failed. Cycle Radio Power before Retrying.";
        m.title = "COMM ERROR";
        m.buttons = Buttons::RetryCancel;
        m.icon = Icon::Information;
        if (link.prompts().ask(m) == Answer::Retry) return true;
    }
    link.prompts().beep();
    link.endSession();
    return false;
}

}  // namespace zav
