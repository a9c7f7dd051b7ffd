#pragma once
#include "FormulaDictionary.h"
#include "Report.h"
#include "platform/db/Recordset.h"
#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QPushButton;
class QToolButton;

namespace zv::report {

// The program's folder, against which report files are found. Unless set,
// the folder of the executable.
QString programFolder();
void setProgramFolderProvider(std::function<QString()> provider);

// The one window through which every report is shown: a print preview of the
// rendered report at 100 per cent, with printing, printer set-up, PDF export
// and page navigation.
class FrmReportViewer : public QDialog {
    Q_OBJECT
public:
    explicit FrmReportViewer(QWidget *parent = nullptr);
    ~FrmReportViewer() override;

    // The title that selects the numbered formula mode.
    static const QString kNumberedTitle;

    // Opens the report file (relative to the program's folder), sets its
    // formula fields from the values, gives it the rows, renders it and shows
    // the window modally. True once the window has been closed again; false
    // when an error stopped it (an error box is shown, the window is not).
    // formulaValues may be null.
    bool ShowReport(const QString &title, const QString &reportFile, const zv::db::Recordset &recordset,
                    const FormulaDictionary *formulaValues);

    // Tests and benchmarks: replaces the modal showing of a loaded report
    // (the hook gets the viewer, all set up); nullptr shows it again.
    using ModalHook = std::function<void(FrmReportViewer &)>;
    static void setModalHook(ModalHook hook);

    // The print and printer set-up dialogs; tests answer them. The hook
    // returns whether the dialog was accepted; nullptr restores the dialogs.
    enum class PrintDialog { PrinterSetup, Print };
    using PrintDialogHook = std::function<bool(PrintDialog, QPrinter &)>;
    static void setPrintDialogHook(PrintDialogHook hook);

    Report *report() const { return m_report.get(); }
    QPrinter &printer() { return m_printer; }
    const QString &reportPath() const { return m_path; }

    QPrintPreviewWidget *crviewer = nullptr;
    QPushButton *cmdPrinterSelection = nullptr;
    QToolButton *cmdPrint = nullptr;
    QToolButton *cmdExport = nullptr;
    QToolButton *cmdFirst = nullptr;
    QToolButton *cmdPrevious = nullptr;
    QToolButton *cmdNext = nullptr;
    QToolButton *cmdLast = nullptr;
    QLabel *lblPage = nullptr;

public slots:
    void cmdPrinterSelection_Click();
    void cmdPrint_Click();
    void cmdExport_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;

private:
    void Form_QueryUnload();
    void applyFormulas(const QString &title, const FormulaDictionary *values);
    bool runPrintDialog(PrintDialog kind);
    void showPageNumber();

    std::unique_ptr<Report> m_report;
    QPrinter m_printer;
    QString m_path;
};

} // namespace zv::report
