#include "ui/grid_clipboard.h"

#include <vector>

#include "model/channel_block.h"

namespace zav {

namespace {
constexpr char kLineEnd = kBlockLineEnd;
}

GridClipboard::GridClipboard(Document& doc, TextClipboard& clipboard, Prompts& prompts)
    : doc_(doc), clipboard_(clipboard), prompts_(prompts) {}

void GridClipboard::reset() {
    clipboard_.clear();
    copiedKind_ = Copied::Nothing;
    haveCopy_ = false;
    copied_.clear();
}

int GridClipboard::clipboardLength() const {
    return haveCopy_ ? static_cast<int>(copied_.size()) : -1;
}

void GridClipboard::put(std::string text) {
    copied_ = std::move(text);
    haveCopy_ = true;
    clipboard_.clear();
    clipboard_.setText(copied_);
}

const Group* GridClipboard::shownGroup() const {
    const int g = doc_.shownGroup();
    return g >= 0 ? doc_.group(g) : nullptr;
}

void GridClipboard::copyRow(int row) {
    const Group* g = shownGroup();
    if (g == nullptr || row < 0 || row >= kChannelsPerGroup) return;
    copiedKind_ = Copied::Row;
    put(g->copyChan(row));
}

void GridClipboard::copyRows(std::span<const int> rows) {
    if (rows.size() == 1) {
        copyRow(rows.front());
        return;
    }
    const Group* g = shownGroup();
    if (g == nullptr || rows.empty()) return;
    put(blockText(*g, rows));
    copiedKind_ = Copied::Block;
}

void GridClipboard::copyAll() {
    const Group* g = shownGroup();
    if (g == nullptr) return;
    std::string text;
    for (int i = 0; i < kChannelsPerGroup; ++i) {
        text += g->copyChan(i);
        text += kLineEnd;
    }
    put(std::move(text));
    copiedKind_ = Copied::All;
}

bool GridClipboard::pasteAvailable() const {
    return haveCopy_ && clipboard_.text() == copied_;
}

GridClipboard::PasteResult GridClipboard::paste(int row) {
    refusal_.clear();
    std::string text = clipboard_.text();
    if (!haveCopy_ || text != copied_) {
        prompts_.ask(notice(kNothingCopied));
        return PasteResult::Refused;
    }
    const int shown = doc_.shownGroup();
    Group* g = shown >= 0 ? doc_.group(shown) : nullptr;
    if (g == nullptr) return PasteResult::Refused;
    const bool inGroup = row >= 0 && row < kChannelsPerGroup;
    if (copiedKind_ == Copied::Row && inGroup) {
        const FieldEntry pasted = g->channel(row).pasteChan(text);
        if (!pasted) refusal_ = pasted.reason();
        return pasted ? PasteResult::Row : PasteResult::Refused;
    }
    if (copiedKind_ == Copied::All)
        return pasteAllRows(*g, std::move(text)) ? PasteResult::All : PasteResult::Refused;
    if (copiedKind_ == Copied::Block && inGroup) {
        refusal_ = pasteBlock(*g, row, text);
        return refusal_.empty() ? PasteResult::Block : PasteResult::Refused;
    }
    return PasteResult::Refused;
}

bool GridClipboard::pasteAllRows(Group& group, std::string text) {
    std::vector<RowPaste> rows;
    for (int row = 0; row < kChannelsPerGroup; ++row) {
        const std::size_t p = text.find(kLineEnd);
        std::string line = text.substr(0, p);
        rows.push_back(group.channel(row).checkRow(Channel::splitRow(line)));
        if (!rows.back().refusal.empty()) {
            refusal_ = "Chan " + std::to_string(row + 1) + ", " + rows.back().refusal;
            return false;
        }
        if (p != std::string::npos) text.erase(0, p + 1);
    }
    for (int row = 0; row < kChannelsPerGroup; ++row)
        group.channel(row).storeRow(rows[static_cast<std::size_t>(row)]);
    return true;
}

}  // namespace zav
