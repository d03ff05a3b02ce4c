#pragma once
// What every write to the radio shares: each attempt starts from a freshly released and
// hooked radio, and a failed attempt offers Retry with the advice to cycle the radio's
// power. Used by the whole-radio write and the single-block writes.

namespace zav {

class RadioLink;

// Releases the radio (which also tells whether the port opens), releases it again,
// pauses 500 ms without yielding and hooks at 4800 baud. False when the port or the hook
// failed; the failure has been reported and the session ended.
bool beginWriteAttempt(RadioLink& link);

// After a failed attempt: unless the user cancelled the transfer, asks "Write Failed.
// Cycle Radio Power before Retrying." with Retry and Cancel. True for Retry; otherwise
// beeps and ends the session, and the write ends with false.
bool retryFailedWrite(RadioLink& link);

}  // namespace zav
