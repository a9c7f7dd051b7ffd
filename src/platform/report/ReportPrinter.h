#pragma once
#include <QPageLayout>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zv::report {

// The printer of a report viewer. Qt Print Support comes with the printing
// module, loaded when a viewer first needs a printer, so that the program
// does not load it at start-up.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // The printer itself, for the viewer's print dialog hook.
    virtual QPrinter &printer() = 0;
    virtual QPagedPaintDevice &device() = 0;
    // Back to the whole paper, which the print dialog may have changed.
    virtual void setFullPage() = 0;
    virtual QPageLayout pageLayout() const = 0;
    virtual void setPageLayout(const QPageLayout &layout) = 0;
    // The pages the print dialog chose; 0 at either end for all of them.
    virtual int fromPage() const = 0;
    virtual int toPage() const = 0;
    // Every page again: the dialog's range is for one printing only.
    virtual void resetRange() = 0;
    // The print dialog offering pages 1 to lastPage: whether it was accepted.
    virtual bool execPrintDialog(int lastPage, QWidget *parent) = 0;
};

// A high-resolution printer on the whole paper of the layout, for the
// document named; null (with a warning) when the module cannot be loaded.
std::unique_ptr<ReportPrinter> makePrinter(const QPageLayout &layout, const QString &docName);

// The printing module's file: unless set, the one beside the executable.
QString printModule();
void setPrintModule(const QString &path);

// What the module exports: a new printer, owned by the caller.
using NewReportPrinterFn = ReportPrinter *(*)(const QPageLayout &layout, const QString &docName);
inline constexpr char kNewReportPrinterSymbol[] = "zv_new_report_printer";

} // namespace zv::report
