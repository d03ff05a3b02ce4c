#include "ops/request_answers.h"

#include "ops/radio_operations.h"

namespace zav {

Answer RequestAnswers::ask(const Message& message) {
    const std::string& text = message.text;
    if (text == RadioOperations::kConfirmWrite) return Answer::Ok;
    if (text == RadioOperations::kAskWriteGlobal)
        return request_.skipGlobal ? Answer::No : Answer::Yes;
    if (message.title == RadioOperations::kLabelQuestionTitle &&
        (text == RadioOperations::kAskReadLabels || text == RadioOperations::kAskWriteLabels))
        return request_.labels ? Answer::Yes : Answer::No;
    // Not ignored, the question is the prompts' to answer (No, where nobody is asked).
    if (message.title == RadioOperations::kBandTitle && request_.band == BandCheck::Ignore)
        return Answer::Yes;
    return prompts_.ask(message);
}

}  // namespace zav
