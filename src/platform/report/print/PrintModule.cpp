// The printing module: the only code of the program that uses Qt Print
// Support. Loaded by zv::report::makePrinter on the first printer asked for.
#include "platform/report/ReportPrinter.h"
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace zv::report {

namespace {

class QtReportPrinter : public ReportPrinter {
public:
    QtReportPrinter(const QPageLayout &layout, const QString &docName) : m_printer(QPrinter::HighResolution) {
        m_printer.setFullPage(true);
        m_printer.setPageLayout(layout);
        m_printer.setDocName(docName);
    }
    QPrinter &printer() override { return m_printer; }
    QPagedPaintDevice &device() override { return m_printer; }
    void setFullPage() override { m_printer.setFullPage(true); }
    QPageLayout pageLayout() const override { return m_printer.pageLayout(); }
    void setPageLayout(const QPageLayout &layout) override { m_printer.setPageLayout(layout); }
    int fromPage() const override { return m_printer.fromPage(); }
    int toPage() const override { return m_printer.toPage(); }
    void resetRange() override {
        m_printer.setFromTo(0, 0);
        m_printer.setPrintRange(QPrinter::AllPages);
    }
    bool execPrintDialog(int lastPage, QWidget *parent) override {
        QPrintDialog dialog(&m_printer, parent);
        dialog.setMinMax(1, std::max(1, lastPage));
        return dialog.exec() == QDialog::Accepted;
    }

private:
    QPrinter m_printer;
};

} // namespace

} // namespace zv::report

extern "C" Q_DECL_EXPORT zv::report::ReportPrinter *zv_new_report_printer(const QPageLayout &layout,
                                                                         const QString &docName) {
    return new zv::report::QtReportPrinter(layout, docName);
}
