#include "qt/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "iface/shown_text.h"
#include "qt/local_path.h"

namespace zav {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton first;   // the default, as in the classic boxes
    QMessageBox::StandardButton escape;  // what closing the box answers
};

ButtonSet qtButtons(Buttons buttons) {
    using B = QMessageBox;
    switch (buttons) {
        case Buttons::Ok:
            return {B::Ok, B::Ok, B::Ok};
        case Buttons::OkCancel:
            return {B::Ok | B::Cancel, B::Ok, B::Cancel};
        case Buttons::YesNo:
            return {B::Yes | B::No, B::Yes, B::NoButton};
        case Buttons::YesNoCancel:
            return {B::Yes | B::No | B::Cancel, B::Yes, B::Cancel};
        case Buttons::RetryCancel:
            return {B::Retry | B::Cancel, B::Retry, B::Cancel};
    }
    return {B::Ok, B::Ok, B::Ok};
}

// The second button of a set, for a question whose default is that one.
QMessageBox::StandardButton secondButton(Buttons buttons) {
    switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return QMessageBox::No;
        case Buttons::OkCancel:
        case Buttons::RetryCancel:
            return QMessageBox::Cancel;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

Answer toAnswer(int button, Buttons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Retry:
            return Answer::Retry;
        default:
            break;
    }
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

// The window system draws the title in a font of its own, often bold and larger, beside
// its buttons: a box only as wide as its text clips the title ("Re… ls").
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    QFont font = box.font();
    font.setBold(true);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 1.2);
    } else {
        font.setPixelSize(font.pixelSize() * 6 / 5);
    }
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(box.windowTitle()) + 6 * fm.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QString shownMessage(const std::string& text) {
    const QString translated = QCoreApplication::translate(kMessageContext, text.c_str());
    return messageText(translated.toStdString());
}

QString messageText(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

QStringList qtNameFilters(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().split(';', Qt::SkipEmptyParts).join(' ');
        // Qt takes the patterns from the parentheses: keep the name's own when it has them.
        static const QRegularExpression kInParens(QStringLiteral("\\(([^)]*)\\)\\s*$"));
        auto m = kInParens.match(name);
        if (m.hasMatch()) name = name.left(m.capturedStart()).trimmed();
        out << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    if (parts.size() == 1 && !parts[0].trimmed().isEmpty()) out << parts[0].trimmed();
    return out;
}

Answer QtPrompts::ask(const Message& message) {
    const ButtonSet set = qtButtons(message.buttons);
    QMessageBox box(qtIcon(message.icon), shownMessage(message.shownTitle()),
                    shownMessage(message.text), set.buttons, parent_);
    if (!message.detail.empty()) box.setInformativeText(shownMessage(message.detail));
    box.setDefaultButton(
        message.defaultButton == DefaultButton::Second ? secondButton(message.buttons) : set.first);
    if (set.escape != QMessageBox::NoButton) box.setEscapeButton(set.escape);
    makeRoomForTitle(box);
    return toAnswer(box.exec(), message.buttons);
}

std::optional<std::string> QtPrompts::chooseFile(const FileDialogRequest& request) {
    auto chosen = chooseFileOfType(request);
    if (!chosen) return std::nullopt;
    return std::move(chosen->path);
}

std::optional<ChosenFile> QtPrompts::chooseFileOfType(const FileDialogRequest& request) {
    const bool open = request.mode == FileDialogMode::Open;
    QFileDialog dialog(parent_);
    if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const auto index = static_cast<qsizetype>(request.filterIndex);
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    // "*.frq": a name typed without an extension gets .frq.
    QString pattern = QString::fromStdString(request.defaultPattern);
    if (pattern.startsWith(QStringLiteral("*."))) dialog.setDefaultSuffix(pattern.mid(2));
    if (!request.fileName.empty()) dialog.selectFile(shownPath(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    const auto type = filters.indexOf(dialog.selectedNameFilter());
    return ChosenFile{localPath(chosen.first()),
                      type >= 0 ? static_cast<int>(type) : request.filterIndex};
}

void QtPrompts::beep() {
    QApplication::beep();
}

}  // namespace zav
