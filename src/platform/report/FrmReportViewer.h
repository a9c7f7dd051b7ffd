#pragma once
#include "FormulaDictionary.h"
#include "Report.h"
#include "ViewerHooks.h"
#include "ReportPreview.h"
#include "ReportPrinter.h"
#include "platform/db/Recordset.h"
#include <QDialog>
#include <QPageLayout>
#include <QTimer>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace zv::report {

// The program's folder, against which report files are found: set once at
// start-up; unless set, the folder of the executable.
QString programFolder();
void setProgramFolder(const QString &folder);

// The one window through which every report is shown: a print preview of the
// report with printing, printer set-up, PDF export, page navigation and zoom.
// The window shows the first page as soon as it is laid out; later pages are
// laid out in slices from the event loop while the window answers, with a
// progress bar and a Cancel that stops the build. Printing and export give
// every page. The preview, printing and export follow one page layout: the
// report's own until the printer set-up (paper and orientation; it prints
// nothing) or the print dialog changes it.
class FrmReportViewer : public QDialog {
    Q_OBJECT
public:
    explicit FrmReportViewer(QWidget *parent = nullptr, ViewerHooks hooks = {});
    ~FrmReportViewer() override;

    // The title that selects the numbered formula mode.
    static const QString kNumberedTitle;

    // Opens the report file (relative to the program's folder), sets its
    // formula fields from the values, gives it the rows, renders it and shows
    // the window modally. True once the window has been closed again; false
    // when an error stopped it (an error box is shown, the window is not).
    // formulaValues may be null. The window opens wide enough for the page
    // at 100 per cent where the screen allows; otherwise at the page's width.
    bool ShowReport(const QString &title, const QString &reportFile, const zv::db::Recordset &recordset,
                    const FormulaDictionary *formulaValues);

    // Tests and benchmarks: the hooks of this viewer (ViewerHooks); empty
    // ones show the window and the dialogs again.
    using ModalHook = std::function<void(FrmReportViewer &)>;
    void setModalHook(ModalHook hook) { m_hooks.modal = std::move(hook); }
    using PrintDialog = zv::report::PrintDialog;
    using PrintDialogHook = std::function<bool(PrintDialog, QPrinter &)>;
    void setPrintDialogHook(PrintDialogHook hook) { m_hooks.printDialog = std::move(hook); }

    Report *report() const { return m_report.get(); }
    // The printer, made when first needed, on the viewer's page layout; null
    // (after an error box) when printing cannot be loaded.
    ReportPrinter *printer();
    const QString &reportPath() const { return m_path; }
    // The page layout that the preview, printing and export follow.
    const QPageLayout &pageLayout() const { return m_pageLayout; }
    // Whether later pages are still being laid out.
    bool building() const { return m_buildTimer.isActive() || m_awaitingFirstPaint; }

    ReportPreview *crviewer = nullptr;
    QPushButton *cmdPrinterSelection = nullptr;
    QToolButton *cmdPrint = nullptr;
    QToolButton *cmdExport = nullptr;
    QToolButton *cmdFirst = nullptr;
    QToolButton *cmdPrevious = nullptr;
    QToolButton *cmdNext = nullptr;
    QToolButton *cmdLast = nullptr;
    QLabel *lblPage = nullptr;
    QToolButton *cmdFitWidth = nullptr;
    QToolButton *cmdFitPage = nullptr;
    QToolButton *cmdActualSize = nullptr;
    QProgressBar *prgBuild = nullptr;      // the build's progress, while pages are to come
    QPushButton *cmdCancelBuild = nullptr; // stops the build

public slots:
    void cmdPrinterSelection_Click();
    void cmdPrint_Click();
    void cmdExport_Click();
    void cmdCancelBuild_Click();

signals:
    // A page (1-based) has been painted in the preview.
    void pageShown(int page);

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void Form_QueryUnload();
    void applyFormulas(const QString &title, const FormulaDictionary *values);
    bool runPrintDialog(PrintDialog kind);
    void showPageNumber();
    // The window sized for the page at 100 per cent where the screen allows,
    // else the page at the window's width; a maximised window keeps its size.
    void sizeToPage();
    // Lays the report out anew on m_pageLayout: the first page at once, the others in slices.
    void startLayout();
    void buildSlice();
    void resumeBuild();
    // The layout is complete (or was stopped): the build's controls go.
    void buildEnded();
    // The viewer's box for a failure: its number, a line break, its description.
    void showError(const std::exception &e);

    ViewerHooks m_hooks;
    std::unique_ptr<Report> m_report;
    std::unique_ptr<ReportPrinter> m_printer;
    QPageLayout m_pageLayout;
    QTimer m_buildTimer;
    QList<QAction *> m_buildActions;   // the progress bar's and Cancel's places on the bar
    bool m_stopped = false;
    bool m_awaitingFirstPaint = false;   // the build waits for the first page on the screen
    QString m_path;
};

} // namespace zv::report
