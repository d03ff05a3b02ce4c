#pragma once
// The window that lists differences (Compare With File, Compare With Radio): a read-only
// list that can be saved and printed, closed by its Close button.

#include <string>
#include <vector>

#include <QString>

class QDialog;
class QWidget;

namespace zav {

class TextReport;

// `heading` ("From the editor's image to <file>: ") with "2 differences.", then one line
// per difference.
[[nodiscard]] QString differencesText(const QString& heading,
                                      const std::vector<std::string>& lines);

// Opens the window titled `title` over `parent`, showing `text`; it deletes itself on close.
QDialog* showDifferencesWindow(QWidget* parent, const QString& title, const QString& text,
                               TextReport& report);

}  // namespace zav
