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
    return prompts_.ask(message);
}

}  // namespace zav
