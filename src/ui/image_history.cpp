#include "ui/image_history.h"

#include <QUndoStack>

namespace zav {

namespace {

struct ByteChange {
    bool label;  // in the label image, else in the memory image
    std::size_t index;
    Byte before;
    Byte after;
};

template <typename Image>
void collect(const Image& before, const Image& after, bool label, std::vector<ByteChange>& out) {
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) out.push_back({label, i, before[i], after[i]});
}

class ImageStep final : public QUndoCommand {
  public:
    ImageStep(const QString& text, Document& doc, std::vector<ByteChange> changes, int group,
              std::function<void(int)> restored)
        : QUndoCommand(text),
          doc_(doc),
          changes_(std::move(changes)),
          group_(group),
          restored_(std::move(restored)) {}

    void undo() override { apply(false); }
    void redo() override {
        if (!std::exchange(pushed_, true)) return;  // the change itself has been made
        apply(true);
    }

  private:
    void apply(bool after) {
        for (const ByteChange& c : changes_) {
            Byte& b = c.label ? doc_.labels[c.index] : doc_.mem[c.index];
            b = after ? c.after : c.before;
        }
        restored_(group_);
    }

    Document& doc_;
    std::vector<ByteChange> changes_;
    int group_;
    std::function<void(int)> restored_;
    bool pushed_ = false;
};

}  // namespace

ImageHistory::ImageHistory(Document& doc, QObject* parent)
    : QObject(parent), doc_(doc), stack_(new QUndoStack(this)) {}

void ImageHistory::begin(const QString& text) {
    if (depth_++ > 0) return;
    text_ = text;
    group_ = doc_.shownGroup();
    mem_ = doc_.mem;
    labels_ = doc_.labels;
}

void ImageHistory::end() {
    if (depth_ == 0 || --depth_ > 0) return;
    std::vector<ByteChange> changes;
    collect(mem_, doc_.mem, false, changes);
    collect(labels_, doc_.labels, true, changes);
    if (changes.empty()) return;
    stack_->push(new ImageStep(text_, doc_, std::move(changes), group_,
                               [this](int g) { emit restored(g); }));
}

void ImageHistory::record(const QString& text, const std::function<void()>& change) {
    begin(text);
    try {
        change();
    } catch (...) {
        end();  // what changed before the throw stays undoable
        throw;
    }
    end();
}

void ImageHistory::undo() {
    stack_->undo();
}
void ImageHistory::redo() {
    stack_->redo();
}
void ImageHistory::clear() {
    stack_->clear();
}

}  // namespace zav
