#include "ReportPrinter.h"
#include <QCoreApplication>
#include <QLibrary>

namespace zv::report {

namespace {
QString g_printModule;
} // namespace

QString printModule() {
    if (!g_printModule.isEmpty())
        return g_printModule;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" ZV_PRINT_MODULE);
}

void setPrintModule(const QString &path) { g_printModule = path; }

std::unique_ptr<ReportPrinter> makePrinter(const QPageLayout &layout, const QString &docName) {
    // Loaded once; the module stays loaded for the life of the process.
    static QString loadedPath;
    static NewReportPrinterFn newPrinter = nullptr;
    const QString path = printModule();
    if (path != loadedPath || !newPrinter) {
        QLibrary module(path);
        newPrinter = reinterpret_cast<NewReportPrinterFn>(module.resolve(kNewReportPrinterSymbol));
        loadedPath = path;
        if (!newPrinter)
            qWarning("Printing module not loaded: %s", qPrintable(module.errorString()));
    }
    return std::unique_ptr<ReportPrinter>(newPrinter ? newPrinter(layout, docName) : nullptr);
}

} // namespace zv::report
