#include "ReportPrinter.h"
#include "platform/ui/Module.h"
#include <QCoreApplication>

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
    const auto newPrinter = reinterpret_cast<NewReportPrinterFn>(
        zv::ui::moduleEntry(printModule(), kNewReportPrinterSymbol, "Printing"));
    return std::unique_ptr<ReportPrinter>(newPrinter ? newPrinter(layout, docName) : nullptr);
}

} // namespace zv::report
