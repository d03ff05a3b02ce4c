#include <iostream>

#include "commands.h"
#include "unit_printout.h"

#ifdef ZAV_WITH_QT
#include <QGuiApplication>

#include "qt/print_render.h"
#endif

namespace zav::tool {

int printCommand(const Args& args) {
    std::string file;
    std::string pdf;
    bool ok = true;
    for (std::size_t i = 0; i < args.size() && ok; ++i) {
        if (args[i] == "--pdf" && i + 1 < args.size() && pdf.empty())
            pdf = args[++i];
        else if (!args[i].starts_with("--") && file.empty())
            file = args[i];
        else
            ok = false;
    }
    if (!ok || file.empty() || pdf.empty()) {
        std::cerr << "usage: zavtool print FILE.frq --pdf OUT.pdf\n";
        return 2;
    }
    const auto printout = composeFilePrintout(file, "print");
    if (!printout) return 1;
#ifdef ZAV_WITH_QT
    // Fonts need a GUI application; a command-line tool never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zavtool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QString error;
    if (!writePrintoutPdf(*printout, QString::fromStdString(pdf), &error)) {
        std::cerr << "zavtool print: " << error.toStdString() << "\n";
        return 1;
    }
    std::cout << "wrote " << pdf << " (font " << printFontFamily().toStdString() << ")\n";
    return 0;
#else
    std::cerr << "zavtool print: built without the Qt printout\n";
    return 1;
#endif
}

}  // namespace zav::tool
