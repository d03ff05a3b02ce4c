#include "link/write_attempt.h"
#include "iface/shown_text.h"

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
    link.pauseBlocking(std::chrono::milliseconds(500));
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        link.endSession();
        return false;
    }
    return true;
}

bool retryFailedWrite(RadioLink& link) {
    if (!link.progress().cancelled()) {
        const Message m =
            information(shownText("Messages", "Write Failed. Cycle Radio Power before Retrying."),
                        kCommErrorTitle, Buttons::RetryCancel);
        if (link.prompts().ask(m) == Answer::Retry) return true;
    }
    link.prompts().beep();
    link.endSession();
    return false;
}

}  // namespace zav
