#include "qt/print_render.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <array>

#include "files/file_system.h"

namespace zav {

namespace {

// Families drawn with Arial's character widths, so the tab columns fall where they do
// with Arial.
constexpr std::array<const char*, 2> kArialSubstitutes{"Liberation Sans", "Arimo"};

constexpr double kPdfMarginMm = 15;

QFont lineFont(const QString& family, const PrintLine& line) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(line.pointSize);
    f.setBold(line.bold);
    return f;
}

}  // namespace

QString printFontFamily() {
    const QString arial =
        QString::fromUtf8(kPrintFontFamily.data(), static_cast<qsizetype>(kPrintFontFamily.size()));
    // Font configuration often answers a request for Arial with a substitute under
    // the substitute's own name; only a real Arial reports itself as Arial.
    if (QFontDatabase::hasFamily(arial) && QFontInfo(QFont(arial)).family() == arial) return arial;
    for (const char* name : kArialSubstitutes) {
        const QString family = QString::fromLatin1(name);
        if (QFontDatabase::hasFamily(family)) return family;
    }
    return arial;
}

bool renderPrintout(const Printout& printout, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QString family = printFontFamily();
    // The painter's origin is the top left of the printable area, which is this high.
    const double pageHeight = device.height();

    double y = 0;
    for (const PrintLine& line : printout) {
        const QFont font = lineFont(family, line);
        const QFontMetricsF metrics(font, &device);
        const double height = metrics.lineSpacing();
        if (y > 0 && y + height > pageHeight) {
            device.newPage();
            y = 0;
        }
        painter.setFont(font);
        const double column = metrics.averageCharWidth();
        double x = 0;
        for (const PrintItem& item : line.items) {
            const QString text = QString::fromStdString(item.text);
            if (item.tab > 0) {
                const double target = (item.tab - 1) * column;
                // A column already passed: the item follows after one blank.
                x = x > target ? x + metrics.horizontalAdvance(QLatin1Char(' ')) : target;
            }
            painter.drawText(QPointF(x, y + metrics.ascent()), text);
            x += metrics.horizontalAdvance(text);
        }
        y += height;
    }
    return painter.end();
}

bool writePrintoutPdf(const Printout& printout, const std::string& path, QString* error) {
    // Painted in memory, then written beside the target and renamed over it once complete:
    // a failed write (a full disk) leaves an existing PDF as it was and reports the failure.
    // The path stays the bytes given (a name need not be UTF-8).
    const auto fail = [&](const QString& reason) {
        if (error != nullptr)
            *error = QStringLiteral("cannot write ") +
                     QFile::decodeName(QByteArray::fromStdString(path)) + ": " + reason;
        return false;
    };
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                              QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("ZAV Unit Data Printout"));
        writer.setCreator(QStringLiteral("ZAVPROG"));
        if (!renderPrintout(printout, writer)) return fail(QStringLiteral("nothing was painted"));
    }
    const QByteArray& data = pdf.data();
    DiskFileSystem disk;
    const std::span bytes(reinterpret_cast<const Byte*>(data.constData()),
                          static_cast<std::size_t>(data.size()));
    if (const auto ec = disk.replaceFile(path, bytes))
        return fail(QString::fromStdString(ec.message()));
    return true;
}

}  // namespace zav
