#pragma once
// The translation rule every window keeps: each fixed text it shows comes through the
// catalogs. MarkingTranslator answers from a catalog with a mark in front (and marks what Qt's
// own contexts ask, which Qt's catalog serves); untranslatedTexts lists what a window shows
// without the mark: titles, captions, buttons, frames, tool tips, placeholders, accessible
// names, column headers, fixed lists and the actions of its menus. What a field holds is data,
// and so is a text without two small letters in a row (numbers, frequencies, "ZAVPROG").

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTranslator>
#include <QWidget>
#include <string>
#include <vector>

namespace zav::test {

inline const QString kTranslatedMark = QStringLiteral("\u00bb");

class MarkingTranslator final : public QTranslator {
  public:
    explicit MarkingTranslator(const QString& catalog) { loaded_ = catalog_.load(catalog); }
    [[nodiscard]] bool loaded() const { return loaded_; }
    [[nodiscard]] bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (context != nullptr && context[0] == 'Q') return kTranslatedMark + source;
        const QString t = catalog_.translate(context, source, disambiguation, n);
        return t.isEmpty() ? t : kTranslatedMark + t;
    }

  private:
    QTranslator catalog_;
    bool loaded_ = false;
};

inline std::vector<std::string> untranslatedTexts(QWidget& top) {
    static const QRegularExpression kWord(QStringLiteral("[a-z]{2}"));
    std::vector<std::string> found;
    const auto check = [&](const QObject* where, const QString& text) {
        if (text.contains(kWord) && !text.contains(kTranslatedMark))
            found.push_back(where->objectName().toStdString() + ": " + text.toStdString());
    };
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (const QWidget* w : widgets) {
        if (w->isWindow()) check(w, w->windowTitle());
        check(w, w->toolTip());
        check(w, w->accessibleName());
        for (const QAction* a : w->actions()) check(a, a->text());
        if (const auto* l = qobject_cast<const QLabel*>(w)) check(w, l->text());
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) check(w, b->text());
        if (const auto* g = qobject_cast<const QGroupBox*>(w)) check(w, g->title());
        if (const auto* e = qobject_cast<const QLineEdit*>(w)) check(w, e->placeholderText());
        if (const auto* c = qobject_cast<const QComboBox*>(w); c != nullptr && !c->isEditable())
            for (int i = 0; i < c->count(); ++i) check(w, c->itemText(i));
        const auto* view = qobject_cast<const QAbstractItemView*>(w);
        for (int c = 0;
             view != nullptr && view->model() != nullptr && c < view->model()->columnCount(); ++c)
            check(w, view->model()->headerData(c, Qt::Horizontal).toString());
    }
    return found;
}

}  // namespace zav::test
