#include "FrmReportViewer.h"
#include "ReportError.h"
#include "platform/db/DbError.h"
#include "platform/ui/MessageService.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zv::report {

namespace {

std::function<QString()> &folderProvider() {
    static std::function<QString()> provider;
    return provider;
}
FrmReportViewer::ModalHook &modalHook() {
    static FrmReportViewer::ModalHook hook;
    return hook;
}
FrmReportViewer::PrintDialogHook &printHook() {
    static FrmReportViewer::PrintDialogHook hook;
    return hook;
}

// A day value of the numbered mode as a number: the characters the value's
// length points at. Anything else is a type mismatch.
int dayNumber(const QString &digits, const QString &value) {
    bool ok = false;
    const int n = digits.toInt(&ok);
    if (!ok)
        throw ReportError(err::TypeMismatch, QStringLiteral("Type mismatch: \"%1\" is no day number").arg(value));
    return n;
}

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &text, const QString &tip) {
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

const QString FrmReportViewer::kNumberedTitle = QStringLiteral("Activity Check List Report");

QString programFolder() {
    if (folderProvider()) {
        const QString f = folderProvider()();
        if (!f.isEmpty())
            return f;
    }
    return QCoreApplication::applicationDirPath();
}

void setProgramFolderProvider(std::function<QString()> provider) { folderProvider() = std::move(provider); }

void FrmReportViewer::setModalHook(ModalHook hook) { modalHook() = std::move(hook); }
void FrmReportViewer::setPrintDialogHook(PrintDialogHook hook) { printHook() = std::move(hook); }

FrmReportViewer::FrmReportViewer(QWidget *parent) : QDialog(parent), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("FrmReportViewer"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1000, 720);
    m_printer.setFullPage(true);

    auto *bar = new QWidget(this);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    cmdPrint = toolButton(bar, QStringLiteral("cmdPrint"), QStringLiteral("Print"), QStringLiteral("Print the report"));
    cmdExport = toolButton(bar, QStringLiteral("cmdExport"), QStringLiteral("Export"), QStringLiteral("Export the report as PDF"));
    cmdFirst = toolButton(bar, QStringLiteral("cmdFirst"), QStringLiteral("|<"), QStringLiteral("First page"));
    cmdPrevious = toolButton(bar, QStringLiteral("cmdPrevious"), QStringLiteral("<"), QStringLiteral("Previous page"));
    cmdNext = toolButton(bar, QStringLiteral("cmdNext"), QStringLiteral(">"), QStringLiteral("Next page"));
    cmdLast = toolButton(bar, QStringLiteral("cmdLast"), QStringLiteral(">|"), QStringLiteral("Last page"));
    lblPage = new QLabel(bar);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    cmdPrinterSelection = new QPushButton(QStringLiteral("Printer Setup"), bar);
    cmdPrinterSelection->setObjectName(QStringLiteral("cmdPrinterSelection"));
    cmdPrinterSelection->setAutoDefault(false);
    barLayout->addWidget(cmdPrint);
    barLayout->addWidget(cmdExport);
    barLayout->addSpacing(12);
    barLayout->addWidget(cmdFirst);
    barLayout->addWidget(cmdPrevious);
    barLayout->addWidget(lblPage);
    barLayout->addWidget(cmdNext);
    barLayout->addWidget(cmdLast);
    barLayout->addStretch(1);
    barLayout->addWidget(cmdPrinterSelection);

    crviewer = new QPrintPreviewWidget(&m_printer, this);
    crviewer->setObjectName(QStringLiteral("crviewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(crviewer, 1);

    connect(crviewer, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        if (!m_report)
            return;
        try {
            m_report->print(printer);
        } catch (const ReportError &e) {
            zv::ui::MsgBox(QString::number(e.number()) + QLatin1Char('\r') + e.description(),
                           zv::ui::vbOKOnly + zv::ui::vbCritical);
        }
    });
    connect(crviewer, &QPrintPreviewWidget::previewChanged, this, &FrmReportViewer::showPageNumber);
    connect(cmdPrinterSelection, &QPushButton::clicked, this, &FrmReportViewer::cmdPrinterSelection_Click);
    connect(cmdPrint, &QToolButton::clicked, this, &FrmReportViewer::cmdPrint_Click);
    connect(cmdExport, &QToolButton::clicked, this, &FrmReportViewer::cmdExport_Click);
    connect(cmdFirst, &QToolButton::clicked, this, [this] { crviewer->setCurrentPage(1); showPageNumber(); });
    connect(cmdPrevious, &QToolButton::clicked, this, [this] {
        crviewer->setCurrentPage(std::max(1, crviewer->currentPage() - 1));
        showPageNumber();
    });
    connect(cmdNext, &QToolButton::clicked, this, [this] {
        crviewer->setCurrentPage(std::min(crviewer->pageCount(), crviewer->currentPage() + 1));
        showPageNumber();
    });
    connect(cmdLast, &QToolButton::clicked, this, [this] { crviewer->setCurrentPage(crviewer->pageCount()); showPageNumber(); });
}

FrmReportViewer::~FrmReportViewer() = default;

bool FrmReportViewer::ShowReport(const QString &title, const QString &reportFile, const zv::db::Recordset &recordset,
                                 const FormulaDictionary *formulaValues) {
    try {
        // The file lies under the program's folder; "\" in a stored path is a separator.
        QString folder = programFolder();
        if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
            folder += QLatin1Char('/');
        QString relative = reportFile;
        relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
        m_path = QDir::cleanPath(folder + relative);

        setWindowTitle(title);
        m_report = Report::open(m_path);
        applyFormulas(title, formulaValues);
        m_report->setDataSource(recordset);
        m_report->render();
    } catch (const zv::db::DbError &e) {   // the report's own errors among them
        m_report.reset();
        zv::ui::MsgBox(QString::number(e.number()) + QLatin1Char('\r') + e.description(),
                       zv::ui::vbOKOnly + zv::ui::vbCritical);
        return false;
    }

    m_printer.setPageLayout(m_report->pageLayout());
    m_printer.setDocName(title);
    crviewer->setZoomMode(QPrintPreviewWidget::CustomZoom);
    crviewer->setZoomFactor(1.0);
    crviewer->updatePreview();
    showPageNumber();
    if (modalHook())
        modalHook()(*this);
    else
        exec();
    return true;
}

void FrmReportViewer::applyFormulas(const QString &title, const FormulaDictionary *values) {
    if (!values)
        return;
    if (title == kNumberedTitle) {
        // Numbered mode: the first value is field 4, the second field 70, and
        // each later value (a day number, bare or in parentheses) the field
        // 37 plus its day number.
        for (int i = 0; i < values->Count(); ++i) {
            const QString &v = values->valueAt(i);
            int field = 0;
            if (i == 0) {
                field = 4;
            } else if (i == 1) {
                field = 70;
            } else {
                switch (v.size()) {
                case 1: field = 37 + dayNumber(v.left(1), v); break;
                case 2: field = 37 + dayNumber(v, v); break;
                case 3: field = 37 + dayNumber(v.mid(1, 1), v); break;
                case 4: field = 37 + dayNumber(v.mid(1, 2), v); break;
                default: continue;
                }
            }
            m_report->setFormulaText(field, Report::quoted(v));
        }
        return;
    }
    for (int i = 0; i < values->Count(); ++i)
        if (const int field = m_report->formulaIndex(values->keyAt(i)))
            m_report->setFormulaText(field, Report::quoted(values->valueAt(i)));
}

bool FrmReportViewer::runPrintDialog(PrintDialog kind) {
    if (printHook())
        return printHook()(kind, m_printer);
    QPrintDialog dialog(&m_printer, this);
    if (kind == PrintDialog::PrinterSetup) {
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    } else {
        dialog.setMinMax(1, std::max(1, m_report ? m_report->pageCount() : 1));
    }
    return dialog.exec() == QDialog::Accepted;
}

void FrmReportViewer::cmdPrinterSelection_Click() {
    if (!m_report)
        return;
    if (runPrintDialog(PrintDialog::PrinterSetup)) {
        // The chosen paper and orientation lay the report out anew.
        m_printer.setFullPage(true);
        crviewer->updatePreview();
        showPageNumber();
    }
}

void FrmReportViewer::cmdPrint_Click() {
    if (!m_report)
        return;
    if (!runPrintDialog(PrintDialog::Print))
        return;
    m_printer.setFullPage(true);
    try {
        m_report->print(&m_printer);
    } catch (const ReportError &e) {
        zv::ui::MsgBox(QString::number(e.number()) + QLatin1Char('\r') + e.description(),
                       zv::ui::vbOKOnly + zv::ui::vbCritical);
    }
    // The print dialog's page range is for one printing only.
    m_printer.setFromTo(0, 0);
    m_printer.setPrintRange(QPrinter::AllPages);
}

void FrmReportViewer::cmdExport_Click() {
    if (!m_report)
        return;
    const QString suggested = QFileInfo(m_path).completeBaseName() + QStringLiteral(".pdf");
    QString file = zv::ui::messages().saveFileName(QStringLiteral("Export Report"), suggested,
                                                   QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    try {
        m_report->exportPdf(file);
    } catch (const ReportError &e) {
        zv::ui::MsgBox(QString::number(e.number()) + QLatin1Char('\r') + e.description(),
                       zv::ui::vbOKOnly + zv::ui::vbCritical);
    }
    // Exporting laid the report out on its own page: the preview follows the printer again.
    crviewer->updatePreview();
}

void FrmReportViewer::showPageNumber() {
    const int pages = crviewer->pageCount();
    lblPage->setText(pages > 0 ? QStringLiteral("%1 of %2").arg(crviewer->currentPage()).arg(pages) : QString());
}

void FrmReportViewer::Form_QueryUnload() {
    // Closing is never refused; the report goes with the window.
    m_report.reset();
}

void FrmReportViewer::closeEvent(QCloseEvent *event) {
    Form_QueryUnload();
    event->accept();
    QDialog::closeEvent(event);
}

void FrmReportViewer::done(int result) {
    Form_QueryUnload();
    QDialog::done(result);
}

} // namespace zv::report
