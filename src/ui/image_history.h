#pragma once
// Undo and redo of every change to the document's images: a step keeps the bytes a
// change altered (before and after), whatever the change was (a cell, the copy key over
// 14 rows, a paste, a bank move, group parameters), so undoing it brings back exactly
// what the radio would have been sent.

#include <QObject>
#include <functional>
#include <vector>

#include "model/document.h"

class QUndoStack;

namespace zav {

class ImageHistory final : public QObject {
    Q_OBJECT
  public:
    explicit ImageHistory(Document& doc, QObject* parent = nullptr);

    // What changes the images between begin and end is one step called `text`; nested
    // begin/end pairs join the outermost step. A change that altered nothing adds none.
    void begin(const QString& text);
    void end();
    // begin, change, end.
    void record(const QString& text, const std::function<void()>& change);

    void undo();
    void redo();
    // Forgets every step (a file opened, a radio read).
    void clear();
    [[nodiscard]] QUndoStack& stack() const { return *stack_; }

  signals:
    // An undo or redo put bytes of group g (-1: only global bytes) back: show it again.
    void restored(int group);

  private:
    Document& doc_;
    QUndoStack* stack_;
    int depth_ = 0;
    QString text_;
    int group_ = -1;
    MemImage mem_{};
    LabelImage labels_{};
};

}  // namespace zav
