#include "FrmReportViewer.h"
#include "platform/ui/ErrorBox.h"
#include "PageSetupDialog.h"
#include "ReportError.h"
#include "ReportPreview.h"
#include "platform/db/DbError.h"
#include "platform/db/ErrorText.h"
#include "platform/ui/MessageService.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace zv::report {

namespace {

QString &folderSetting() {
    static QString folder;
    return folder;
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

// A build slice keeps the window answering: it ends after this long.
constexpr int kSliceMs = 25;

} // namespace

const QString FrmReportViewer::kNumberedTitle = QStringLiteral("Activity Check List Report");

QString programFolder() {
    return folderSetting().isEmpty() ? QCoreApplication::applicationDirPath() : folderSetting();
}

void setProgramFolder(const QString &folder) { folderSetting() = folder; }

FrmReportViewer::FrmReportViewer(QWidget *parent, ViewerHooks hooks) : QDialog(parent), m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("FrmReportViewer"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1000, 720);

    // A tool bar: on a narrow screen its last buttons go behind its extension arrow.
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("bar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    cmdPrint = toolButton(bar, QStringLiteral("cmdPrint"), QStringLiteral("Print"), QStringLiteral("Print the report"));
    cmdExport = toolButton(bar, QStringLiteral("cmdExport"), QStringLiteral("Export"), QStringLiteral("Export the report as PDF"));
    cmdFirst = toolButton(bar, QStringLiteral("cmdFirst"), QStringLiteral("|<"), QStringLiteral("First page"));
    cmdPrevious = toolButton(bar, QStringLiteral("cmdPrevious"), QStringLiteral("<"), QStringLiteral("Previous page"));
    cmdNext = toolButton(bar, QStringLiteral("cmdNext"), QStringLiteral(">"), QStringLiteral("Next page"));
    cmdLast = toolButton(bar, QStringLiteral("cmdLast"), QStringLiteral(">|"), QStringLiteral("Last page"));
    cmdFitWidth = toolButton(bar, QStringLiteral("cmdFitWidth"), QStringLiteral("Fit Width"), QStringLiteral("Zoom to the page's width"));
    cmdFitPage = toolButton(bar, QStringLiteral("cmdFitPage"), QStringLiteral("Fit Page"), QStringLiteral("Zoom to the whole page"));
    cmdActualSize = toolButton(bar, QStringLiteral("cmdActualSize"), QStringLiteral("100 %"), QStringLiteral("Zoom to the real size"));
    lblPage = new QLabel(bar);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    lblPage->setMinimumWidth(lblPage->fontMetrics().horizontalAdvance(QStringLiteral("9999 of 9999 (stopped)")));
    lblPage->setAlignment(Qt::AlignCenter);
    prgBuild = new QProgressBar(bar);
    prgBuild->setObjectName(QStringLiteral("prgBuild"));
    prgBuild->setFormat(QStringLiteral("Laying out pages %p%"));
    prgBuild->setMaximumWidth(220);
    cmdCancelBuild = new QPushButton(QStringLiteral("Cancel"), bar);
    cmdCancelBuild->setObjectName(QStringLiteral("cmdCancelBuild"));
    cmdCancelBuild->setToolTip(QStringLiteral("Stop laying out further pages"));
    cmdCancelBuild->setAutoDefault(false);
    cmdPrinterSelection = new QPushButton(QStringLiteral("Printer Setup"), bar);
    cmdPrinterSelection->setObjectName(QStringLiteral("cmdPrinterSelection"));
    cmdPrinterSelection->setAutoDefault(false);
    auto *stretch = new QWidget(bar);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    using Widgets = std::initializer_list<QWidget *>;
    for (QWidget *w : Widgets{cmdPrint, cmdExport})
        bar->addWidget(w);
    bar->addSeparator();
    for (QWidget *w : Widgets{cmdFirst, cmdPrevious, lblPage, cmdNext, cmdLast})
        bar->addWidget(w);
    bar->addSeparator();
    for (QWidget *w : Widgets{cmdFitWidth, cmdFitPage, cmdActualSize})
        bar->addWidget(w);
    bar->addSeparator();
    // Shown while pages are still to come.
    m_buildActions = {bar->addWidget(prgBuild), bar->addWidget(cmdCancelBuild)};
    for (QAction *a : std::as_const(m_buildActions))
        a->setVisible(false);
    bar->addWidget(stretch);
    bar->addWidget(cmdPrinterSelection);

    crviewer = new ReportPreview(this);
    crviewer->setObjectName(QStringLiteral("crviewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(crviewer, 1);

    // Every press and every deferred step is an action of its own: a failure
    // ends it, is told once in the viewer's box, and the viewer stays open.
    const zv::ui::Teller tell = [this](const std::exception &e) { showError(e); };
    m_buildTimer.setInterval(0);
    connect(&m_buildTimer, &QTimer::timeout, this, zv::ui::asAction([this](auto &&...) { buildSlice(); }, [this](const std::exception &e) {
        // The pages laid out so far stay; no further slice runs.
        m_stopped = true;
        buildEnded();
        showError(e);
    }));
    connect(crviewer, &ReportPreview::previewChanged, this, &FrmReportViewer::showPageNumber);
    connect(crviewer, &ReportPreview::pageShown, this, &FrmReportViewer::pageShown);
    connect(crviewer, &ReportPreview::pageShown, this, [this] {
        if (m_awaitingFirstPaint)
            QTimer::singleShot(0, this, [this] { resumeBuild(); });
    });
    const auto press = [this, &tell](QAbstractButton *button, std::function<void()> step) {
        connect(button, &QAbstractButton::clicked, this,
                zv::ui::asAction([step = std::move(step)](auto &&...) { step(); }, tell));
    };
    press(cmdPrinterSelection, [this] { cmdPrinterSelection_Click(); });
    press(cmdPrint, [this] { cmdPrint_Click(); });
    press(cmdExport, [this] { cmdExport_Click(); });
    press(cmdCancelBuild, [this] { cmdCancelBuild_Click(); });
    press(cmdFirst, [this] { crviewer->setCurrentPage(1); });
    press(cmdPrevious, [this] { crviewer->setCurrentPage(crviewer->currentPage() - 1); });
    press(cmdNext, [this] { crviewer->setCurrentPage(crviewer->currentPage() + 1); });
    press(cmdLast, [this] { crviewer->setCurrentPage(crviewer->pageCount()); });
    press(cmdFitWidth, [this] { crviewer->setZoomMode(ReportPreview::FitToWidth); });
    press(cmdFitPage, [this] { crviewer->setZoomMode(ReportPreview::FitInView); });
    press(cmdActualSize, [this] { crviewer->setZoomFactor(1.0); });
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
        m_pageLayout = m_report->pageLayout();
        startLayout();
    } catch (const zv::db::DbError &e) {   // the report's own errors among them
        m_buildTimer.stop();
        crviewer->setReport(nullptr);
        m_report.reset();
        showError(e);
        return false;
    }

    sizeToPage();
    if (m_hooks.modal) {
        // The hook gets the whole report.
        m_report->finishLayout();
        buildEnded();
        m_hooks.modal(*this);
    } else {
        exec();
    }
    return true;
}

void FrmReportViewer::showError(const std::exception &e) {
    zv::ui::ErrorBox(e, zv::db::ErrorLayout::NumberFirst, zv::ui::vbOKOnly + zv::ui::vbCritical);
}

void FrmReportViewer::startLayout() {
    m_buildTimer.stop();
    m_stopped = false;
    m_report->beginLayout(m_pageLayout.pageSize().size(QPageSize::Millimeter), m_pageLayout.orientation());
    m_report->layoutUntilPages(1);
    crviewer->setReport(m_report.get());
    if (m_report->layoutComplete()) {
        buildEnded();
        return;
    }
    prgBuild->setRange(0, m_report->rowCount());
    prgBuild->setValue(m_report->rowsLaidOut());
    for (QAction *a : std::as_const(m_buildActions))
        a->setVisible(true);
    // The first page goes on the screen before the build goes on (or, should
    // it not be painted, after a moment).
    if (isVisible()) {
        m_buildTimer.start();
    } else {
        m_awaitingFirstPaint = true;
        QTimer::singleShot(200, this, [this] { resumeBuild(); });
    }
    showPageNumber();
}

void FrmReportViewer::resumeBuild() {
    if (!m_awaitingFirstPaint)
        return;
    m_awaitingFirstPaint = false;
    if (m_report && !m_report->layoutComplete() && !m_stopped)
        m_buildTimer.start();
}

void FrmReportViewer::buildSlice() {
    if (!m_report || m_report->layoutComplete()) {
        buildEnded();
        return;
    }
    QElapsedTimer t;
    t.start();
    const int pages = m_report->pageCount();
    while (!m_report->layoutComplete() && t.elapsed() < kSliceMs)
        m_report->layoutMore(256);
    if (m_report->layoutComplete()) {
        buildEnded();
        return;
    }
    prgBuild->setValue(m_report->rowsLaidOut());
    if (m_report->pageCount() != pages)
        showPageNumber();
}

void FrmReportViewer::buildEnded() {
    m_buildTimer.stop();
    m_awaitingFirstPaint = false;
    for (QAction *a : std::as_const(m_buildActions))
        a->setVisible(false);
    // The shown page now knows the number of pages.
    crviewer->updatePreview();
}

void FrmReportViewer::cmdCancelBuild_Click() {
    if (!building())
        return;
    m_stopped = true;
    buildEnded();
}

ReportPrinter *FrmReportViewer::printer() {
    if (!m_printer) {
        m_printer = makePrinter(m_pageLayout, windowTitle());
        if (!m_printer)
            zv::ui::MsgBox(QStringLiteral("Printing is not available: its module %1 cannot be loaded.").arg(printModule()),
                           zv::ui::vbOKOnly + zv::ui::vbCritical);
    }
    return m_printer.get();
}

void FrmReportViewer::sizeToPage() {
    // Wide enough for the page at 100 per cent where the screen allows; on a
    // smaller screen as wide as it allows, the page at its width.
    const QScreen *where = parentWidget() ? parentWidget()->screen() : screen();
    const QRect room = where ? where->availableGeometry() : QRect(0, 0, 1000, 720);
    const QSizeF paper = crviewer->paperOnScreen();
    const int chrome = 2 * crviewer->frameWidth() + 2 * ReportPreview::kMargin +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, crviewer) + 2;
    const int barHeight = layout()->itemAt(0)->widget()->sizeHint().height();
    // Room for the window's frame, which is not known before it is shown.
    const int frame = 16;
    const QSize wanted(std::max(qCeil(paper.width()) + chrome, layout()->itemAt(0)->widget()->sizeHint().width()),
                       barHeight + qCeil(paper.height()) + chrome);
    QSize size(std::min(wanted.width(), room.width() - frame), std::min(wanted.height(), room.height() - 2 * frame));
    if (isMaximized() || isFullScreen()) {
        size = this->size();   // the user's choice stands; only the zoom follows the page
    } else {
        resize(size);
        // A window grown for a wider page stays on its screen.
        if (isVisible()) {
            const QRect now(pos(), frameGeometry().size().expandedTo(size));
            QPoint to = now.topLeft();
            if (now.right() > room.right())
                to.setX(std::max(room.left(), room.right() - now.width()));
            if (now.bottom() > room.bottom())
                to.setY(std::max(room.top(), room.bottom() - now.height()));
            if (to != now.topLeft())
                move(to);
        }
    }
    if (qCeil(paper.width()) + chrome <= size.width())
        crviewer->setZoomFactor(1.0);
    else
        crviewer->setZoomMode(ReportPreview::FitToWidth);
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
    if (kind == PrintDialog::PrinterSetup && !m_hooks.printDialog) {
        // Paper and orientation only: it needs no printer and prints nothing.
        PageSetupDialog dialog(m_printer ? m_printer->pageLayout() : m_pageLayout, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if (m_printer)
            m_printer->setPageLayout(dialog.pageLayout());
        m_pageLayout = dialog.pageLayout();
        return true;
    }
    ReportPrinter *p = printer();
    if (!p)
        return false;
    if (m_hooks.printDialog)
        return m_hooks.printDialog(kind, p->printer());
    // The page range offered is the whole report's.
    if (m_report && !m_report->layoutComplete()) {
        m_report->finishLayout();
        buildEnded();
    }
    return p->execPrintDialog(m_report ? m_report->pageCount() : 1, this);
}

void FrmReportViewer::cmdPrinterSelection_Click() {
    if (!m_report)
        return;
    if (!runPrintDialog(PrintDialog::PrinterSetup))
        return;
    // The chosen paper and orientation lay the report out anew, for the
    // preview, printing and export alike.
    if (m_printer) {
        m_printer->setFullPage();
        m_pageLayout = m_printer->pageLayout();
    }
    startLayout();
    // The new paper is fitted as the report was when the window opened.
    sizeToPage();
}

void FrmReportViewer::cmdPrint_Click() {
    if (!m_report)
        return;
    if (!runPrintDialog(PrintDialog::Print))
        return;
    ReportPrinter &p = *m_printer;
    p.setFullPage();
    // Printed or not: the print dialog's page range is for one printing only; its paper stays.
    const auto after = qScopeGuard([&] {
        p.resetRange();
        m_pageLayout = p.pageLayout();
        buildEnded();
    });
    m_report->print(&p.device(), p.fromPage(), p.toPage());
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
    // Written or not, the pages are laid out by now.
    const auto after = qScopeGuard([this] { buildEnded(); });
    m_report->exportPdf(file, m_pageLayout);
}

void FrmReportViewer::showPageNumber() {
    const int pages = crviewer->pageCount();
    QString text;
    if (pages > 0) {
        text = QStringLiteral("%1 of %2").arg(crviewer->currentPage()).arg(pages);
        if (m_report && !m_report->layoutComplete())
            text += m_stopped ? QStringLiteral(" (stopped)") : QStringLiteral("+");
    }
    lblPage->setText(text);
}

void FrmReportViewer::Form_QueryUnload() {
    // Closing is never refused; the report goes with the window.
    m_buildTimer.stop();
    m_awaitingFirstPaint = false;
    crviewer->setReport(nullptr);
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
