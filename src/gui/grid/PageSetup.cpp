#include "gui/grid/PageSetup.h"

#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>

QPageSize localePageSize(const QLocale& locale) {
    const bool letter = locale.territory() == QLocale::UnitedStates || locale.territory() == QLocale::Canada;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QLocale paperLocale() {
    for (const char* name : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        // "en_US.UTF-8@euro": the language and territory are what a locale name gives Qt.
        if (!value.isEmpty()) return QLocale(value.section('.', 0, 0).section('@', 0, 0));
    }
    return QLocale::system();
}

QPageSize defaultPageSize() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid()) return printer.defaultPageSize();
    return localePageSize(paperLocale());
}

std::optional<QPageSize> pageSizeNamed(const QString& name) {
    if (name.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::Letter);
    if (name.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::A4);
    return std::nullopt;
}

void useDefaultPage(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setPageSize(defaultPageSize());
}

void setUpPdfPrinter(QPrinter& printer, std::optional<QPageSize> size) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(size ? *size : defaultPageSize());
}
