#pragma once
// The two utilities that talk to a connected radio without the editor's image: the live
// DTMF deviation write (the global parameters window's button, zavtool dtmf) and the
// synthesizer alignment (the Syncal window's Start, zavtool syncal).

#include "ops/operation_result.h"

namespace zav {

class RadioLink;
class Syncal;

// Writes deviation code (0..31) into the radio's byte 0x6F, keeping the radio's own bits
// 0..2. Shows no message of its own (the link shows its port, hook and busy messages);
// a failure the link did not tell is only in the result. Throws std::out_of_range for a
// code outside 0..31 before anything is sent.
OperationResult sendDtmfDeviation(RadioLink& link, int code);

// One whole alignment run. Done when both paths' results were written; the run has told
// every outcome itself.
OperationResult alignSynthesizer(Syncal& syncal);

}  // namespace zav
