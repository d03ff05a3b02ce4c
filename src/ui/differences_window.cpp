#include "ui/differences_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/text_report.h"
#include "ui/ui_text.h"

namespace zav {

QString differencesText(const QString& heading, const std::vector<std::string>& lines) {
    QString text = heading;
    text += lines.empty()       ? uiText("no difference.")
            : lines.size() == 1 ? uiText("1 difference.")
                                : uiText("%1 differences.").arg(lines.size());
    for (const std::string& line : lines) text += QLatin1Char('\n') + QString::fromStdString(line);
    return text;
}

QDialog* showDifferencesWindow(QWidget* parent, const QString& title, const QString& text,
                               TextReport& report) {
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("CompareWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title);
    auto* list = new QPlainTextEdit(text, window);
    list->setObjectName(QStringLiteral("txtDifferences"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    report.addButtons(*buttons, {uiText("Save Comparison").toStdString(), "differences.txt"},
                      [list] { return list->toPlainText().toStdString(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(list);
    layout->addWidget(buttons);
    window->resize(640, 400);
    window->show();
    return window;
}

}  // namespace zav
