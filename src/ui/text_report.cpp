#include "ui/text_report.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <sstream>

#include "iface/prompts.h"
#include "ops/exchange_operations.h"

namespace zav {

namespace {
constexpr std::string_view kTextFilter = "Text (*.txt)|*.txt|All (*.*)|*.*";
constexpr int kBodyPoints = 10;
}  // namespace

TextReport::TextReport(Prompts& prompts, FileSystem& files, PrintFunction print)
    : prompts_(prompts), files_(files), print_(std::move(print)) {}

OperationResult TextReport::save(const ReportNames& names, const std::string& text) {
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.fileName = names.fileName;
    request.filter = kTextFilter;
    request.defaultPattern = "*.txt";
    request.title = names.title;
    const auto path = prompts_.chooseFile(request);
    if (!path) return OperationResult::cancelled();
    return saveTextFile(files_, prompts_, text, *path);
}

bool TextReport::print(const std::string& text) {
    return print_ && print_(printout(text));
}

void TextReport::addButtons(QDialogButtonBox& buttons, const ReportNames& names,
                            const std::function<std::string()>& text) {
    QPushButton* save = buttons.addButton(tr("&Save..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("cmdSaveReport"));
    QPushButton* print = buttons.addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("cmdPrintReport"));
    for (QPushButton* b : {save, print}) b->setAutoDefault(false);
    QObject::connect(save, &QPushButton::clicked, &buttons,
                     [this, names, text] { (void)this->save(names, text()); });
    QObject::connect(print, &QPushButton::clicked, &buttons, [this, text] { this->print(text()); });
}

Printout TextReport::printout(const std::string& text) {
    Printout lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        PrintLine printed{kBodyPoints, false, {}};
        if (!line.empty()) printed.items.push_back({0, line});
        lines.push_back(std::move(printed));
    }
    return lines;
}

}  // namespace zav
