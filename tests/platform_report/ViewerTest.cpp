#include "platform/report/FrmReportViewer.h"
#include "platform/report/PageSetupDialog.h"
#include "platform/report/ReportError.h"
#include "platform/ui/MessageService.h"
#include "support/Modal.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QAbstractPrintDialog>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QTest>
#include <QFile>
#include <QKeyEvent>
#include <QPrinter>
#include <QLabel>
#include <QTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

using namespace zv::report;
using zv::db::Recordset;

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Activities of two employees, grouped by employee with counts.
const char *kLayout = R"({
  "format": "zv-report 1",
  "title": "Test report",
  "page": {"size": "A4", "orientation": "portrait", "margins": [10, 10, 10, 10]},
  "formulas": [
    {"name": "Cmpny", "text": "\"\""},
    {"name": "Period", "text": "\"(no period)\""},
    {"name": "Kept", "text": "\"as stored\""}
  ],
  "reportHeader": [
    {"text": "{@Cmpny}", "style": "company"},
    {"text": "Activities for {@Period}", "style": "title"},
    {"text": "{@Kept}"}
  ],
  "columns": [
    {"field": "Target_Date", "caption": "Target Date", "width": 25, "format": "date"},
    {"field": "Actvty_Desc", "caption": "Activity", "width": 60},
    {"field": "Cmplt_date", "caption": "Completed", "width": 25, "format": "date"}
  ],
  "groups": [{"field": "Emp_Name", "caption": "Employee: {Emp_Name}"}],
  "totals": [
    {"function": "count", "label": "Activities"},
    {"function": "count-filled", "field": "Cmplt_date", "label": "Completed"}
  ]
})";

Recordset activities(int copies = 1) {
    QVector<Recordset::Row> rows;
    for (int i = 0; i < copies; ++i) {
        rows << Recordset::Row{"Ravi", "2005-03-02", "File returns", QVariant()}
             << Recordset::Row{"Asha", "2005-03-01", "Pay tax", "2005-03-01"}
             << Recordset::Row{"Ravi", "2005-03-04", "Audit", "2005-03-05"};
    }
    return Recordset({"Emp_Name", "Target_Date", "Actvty_Desc", "Cmplt_date"}, rows);
}

// A numbered-mode report: 70 formula fields, the 4th, the 38th to 68th and the 70th shown.
QByteArray numberedLayout(int fields = 70) {
    QString formulas;
    for (int i = 1; i <= fields; ++i)
        formulas += QStringLiteral("%1{\"name\": \"F%2\", \"text\": \"\\\"-\\\"\"}").arg(i > 1 ? "," : "").arg(i);
    return QStringLiteral(R"({"format": "zv-report 1", "formulas": [%1],
        "reportHeader": [{"text": "x"}],
        "columns": [{"field": "Actvty_Desc", "caption": "Activity", "width": 60}]})")
        .arg(formulas)
        .toUtf8();
}

class Viewer : public ::testing::Test {
protected:
    void SetUp() override {
        setProgramFolder(folder.path());
        write("Reports/test.rpt", kLayout);
        write("Reports/numbered.rpt", numberedLayout());
    }
    void TearDown() override {
        setProgramFolder(QString());
    }
    void write(const QString &relative, const QByteArray &text) {
        QFile f(folder.file(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    ProgramFolder folder;
    zv::ui::ScriptedMessageService messages;
};

struct Shown {
    bool called = false;
    QString caption, text, pageHeader;
    int pages = 0, previewPages = 0;
};

// Runs ShowReport with a hook that records what the loaded viewer shows.
bool showWith(Shown &out, const QString &title, const QString &file, const Recordset &rs,
              const FormulaDictionary *values, std::function<void(FrmReportViewer &)> more = {}) {
    FrmReportViewer viewer;
    viewer.setModalHook([&out, more](FrmReportViewer &v) {
        out.called = true;
        out.caption = v.windowTitle();
        out.text = v.report()->documentText();
        out.pageHeader = v.report()->pageHeaderText();
        out.pages = v.report()->pageCount();
        out.previewPages = v.crviewer->pageCount();
        if (more)
            more(v);
    });
    return viewer.ShowReport(title, file, rs, values);
}

TEST_F(Viewer, RendersRowsFormulaValuesGroupsAndTotals) {
    // A folder that already ends in "/" is not doubled; "\" in the file name is a separator.
    setProgramFolder(folder.path() + "/");
    FormulaDictionary values;
    values.Add("Cmpny", "Acme \"Best\" Ltd");   // a quote in a value reaches the page as typed
    values.Add("period", "March 2005");         // keys match field names whatever their case
    values.Add("Unknown", "ignored");
    Recordset rs = activities();
    rs.moveLast();

    Shown shown;
    ASSERT_TRUE(showWith(shown, "Activities", "Reports\\test.rpt", rs, &values));
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(shown.caption, "Activities");
    EXPECT_EQ(shown.pageHeader, "Target Date\tActivity\tCompleted");
    EXPECT_EQ(shown.pages, 1);
    EXPECT_EQ(shown.previewPages, 1);
    const QStringList lines = shown.text.split('\n');
    const QStringList expected = {
        "Acme \"Best\" Ltd",
        "Activities for March 2005",
        "as stored",
        "",
        "Employee: Asha",
        "01-Mar-2005\tPay tax\t01-Mar-2005",
        "Activities: 1",
        "Completed: 1",
        "Employee: Ravi",
        "02-Mar-2005\tFile returns\t",
        "04-Mar-2005\tAudit\t05-Mar-2005",
        "Activities: 2",
        "Completed: 1",
        "",
        "Activities: 3",
        "Completed: 2",
    };
    EXPECT_EQ(lines, expected);
    // The caller's recordset is read, not moved.
    EXPECT_EQ(rs.absolutePosition(), 3);
}

TEST_F(Viewer, ANullDictionaryKeepsTheStoredFormulasAndAnEmptyRecordsetPrintsNoRows) {
    Shown shown;
    ASSERT_TRUE(showWith(shown, "Activities", "Reports/test.rpt", Recordset({"Emp_Name", "Target_Date", "Actvty_Desc", "Cmplt_date"}, {}),
                         nullptr));
    EXPECT_TRUE(shown.text.contains("Activities for (no period)"));
    EXPECT_TRUE(shown.text.contains("Activities: 0"));
    EXPECT_FALSE(shown.text.contains("Employee:"));
    EXPECT_EQ(shown.pages, 1);
}

TEST_F(Viewer, PagesFollowTheRowsAndThePrinterSetUp) {
    Shown shown;
    int landscapePages = 0;
    const Recordset rs = activities(120);
    ASSERT_TRUE(showWith(shown, "Activities", "Reports/test.rpt", rs, nullptr, [&](FrmReportViewer &v) {
        v.setPrintDialogHook([](FrmReportViewer::PrintDialog kind, QPrinter &p) {
            EXPECT_EQ(kind, FrmReportViewer::PrintDialog::PrinterSetup);
            p.setPageOrientation(QPageLayout::Landscape);
            return true;
        });
        v.cmdPrinterSelection->click();
        // Laid out anew from the first page; the rest follows from the event loop.
        EXPECT_GE(v.crviewer->pageCount(), 1);
        while (v.building())
            QCoreApplication::processEvents();
        landscapePages = v.crviewer->pageCount();
    }));
    EXPECT_GT(shown.pages, 3);
    EXPECT_EQ(shown.previewPages, shown.pages);
    EXPECT_GT(landscapePages, shown.pages);   // fewer lines to a landscape page
}

TEST_F(Viewer, PrintsAndExportsPdf) {
    QTemporaryDir out;
    const QString pdf = out.filePath("activities.pdf");
    const QString printed = out.filePath("printed.pdf");
    messages.answerPath(out.filePath("activities"));   // ".pdf" is added
    Shown shown;
    ASSERT_TRUE(showWith(shown, "Activities", "Reports/test.rpt", activities(60), nullptr, [&](FrmReportViewer &v) {
        v.cmdExport->click();
        v.setPrintDialogHook([&](FrmReportViewer::PrintDialog kind, QPrinter &p) {
            EXPECT_EQ(kind, FrmReportViewer::PrintDialog::Print);
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(printed);
            return true;
        });
        v.cmdPrint->click();
    }));
    for (const QString &file : {pdf, printed}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        EXPECT_TRUE(f.read(5) == "%PDF-");
        // One page object per page of the report.
        f.seek(0);
        EXPECT_EQ(f.readAll().count("/Type /Page\n") + 0, shown.pages) << file.toStdString();
    }
}

TEST_F(Viewer, ShowsModallyUntilClosed) {
    FrmReportViewer viewer;
    bool wasShown = false;
    QString page;
    onModal<FrmReportViewer>([&](FrmReportViewer *v) {
        wasShown = v->isVisible() && v->report() != nullptr;
        page = v->lblPage->text();
        v->close();
    });
    EXPECT_TRUE(viewer.ShowReport("Activities", "Reports/test.rpt", activities(), nullptr));
    EXPECT_TRUE(wasShown);
    EXPECT_EQ(page, "1 of 1");
    EXPECT_EQ(viewer.report(), nullptr);   // released with the window
}

// Each press in the viewer is an action of its own: an export that cannot be
// written says so once, every time, and the viewer goes on working.
TEST_F(Viewer, AnExportThatCannotBeWrittenSaysSoEachTimeAndTheViewerGoesOn) {
    QTemporaryDir out;
    Shown shown;
    ASSERT_TRUE(showWith(shown, "Activities", "Reports/test.rpt", activities(60), nullptr, [&](FrmReportViewer &v) {
        for (int press = 1; press <= 2; ++press) {
            messages.clear();
            messages.answerPath(folder.file("no such folder/out.pdf"));
            v.cmdExport->click();
            ASSERT_EQ(messages.shown().size(), 2) << press;   // the file chooser, then the error
            EXPECT_TRUE(messages.shown().at(1).prompt.startsWith(QString::number(err::ExportFailed) + "\r")) << press;
            EXPECT_EQ(messages.shown().at(1).buttons, zv::ui::vbOKOnly + zv::ui::vbCritical) << press;
        }
        ASSERT_GT(v.crviewer->pageCount(), 1);
        v.cmdNext->click();
        EXPECT_EQ(v.crviewer->currentPage(), 2);
        messages.clear();
        messages.answerPath(out.filePath("written.pdf"));
        v.cmdExport->click();
        EXPECT_EQ(messages.shown().size(), 1);   // the file chooser alone
        EXPECT_TRUE(QFileInfo(out.filePath("written.pdf")).size() > 0);
    }));
}

TEST_F(Viewer, NumberedModePlacesValuesByPositionAndDayNumber) {
    struct Case {
        QString value;
        int field;   // 0: no field
    };
    const Case cases[] = {{"5", 42}, {"12", 49}, {"(5)", 42}, {"(12)", 49}, {"12345", 0}, {"(31)", 68}, {"1", 38}};
    for (const Case &c : cases) {
        FormulaDictionary values;
        values.Add("month", "Checklist for the month of : Jan - 2005");
        values.Add("Cmpny", "Acme");
        values.Add("5D", c.value);
        QStringList texts;
        Shown shown;
        ASSERT_TRUE(showWith(shown, FrmReportViewer::kNumberedTitle, "Reports/numbered.rpt",
                             Recordset({"Actvty_Desc"}, {}), &values, [&](FrmReportViewer &v) {
                                 for (int i = 1; i <= v.report()->formulaFieldCount(); ++i)
                                     texts << v.report()->formulaText(i);
                             }))
            << c.value.toStdString();
        ASSERT_EQ(texts.size(), 70);
        for (int i = 1; i <= 70; ++i) {
            QString expected = "\"-\"";
            if (i == 4)
                expected = "\"Checklist for the month of : Jan - 2005\"";
            else if (i == 70)
                expected = "\"Acme\"";
            else if (i == c.field)
                expected = '"' + c.value + '"';
            EXPECT_EQ(texts[i - 1], expected) << c.value.toStdString() << " field " << i;
        }
    }
}

TEST_F(Viewer, FailuresShowTheErrorAndReturnFalse) {
    write("Reports/short.rpt", numberedLayout(40));
    write("Reports/badformula.rpt", QByteArray(kLayout).replace("\\\"as stored\\\"", "\\\"as \\\" stored\\\""));
    write("Reports/notjson.rpt", "this is no layout");
    struct Case {
        const char *title, *file;
        QString dayValue;
        Recordset rs;
        long number;
    };
    const Recordset good = activities();
    const Case cases[] = {
        {"Activities", "Reports/missing.rpt", "", good, err::FileNotFound},
        {"Activities", "Reports/notjson.rpt", "", good, err::BadLayout},
        {"Activities", "Reports/badformula.rpt", "", good, err::FormulaError},
        {"Activities", "Reports/test.rpt", "", Recordset({"Emp_Name", "Actvty_Desc"}, {}), err::FieldMissing},
        {"Activity Check List Report", "Reports/short.rpt", "5", Recordset({"Actvty_Desc"}, {}),
         err::SubscriptOutOfRange},
        {"Activity Check List Report", "Reports/numbered.rpt", "a)", Recordset({"Actvty_Desc"}, {}),
         err::TypeMismatch},
    };
    for (const Case &c : cases) {
        messages.clear();
        FormulaDictionary values;
        values.Add("month", "m");
        values.Add("Cmpny", "c");
        if (!c.dayValue.isEmpty())
            values.Add("1D", c.dayValue);
        Shown shown;
        EXPECT_FALSE(showWith(shown, c.title, c.file, c.rs, &values)) << c.file;
        EXPECT_FALSE(shown.called) << c.file;
        ASSERT_EQ(messages.shown().size(), 1) << c.file;
        const auto &m = messages.shown().first();
        EXPECT_TRUE(m.prompt.startsWith(QString::number(c.number) + "\r")) << m.prompt.toStdString();
        EXPECT_EQ(m.buttons, zv::ui::vbOKOnly + zv::ui::vbCritical);
    }
}

// Shows the report as the program does (modally, built from the event loop)
// and runs check on the viewer as soon as the window is up; then closes it.
bool whileShown(const QString &file, const Recordset &rs, const std::function<void(FrmReportViewer &)> &check) {
    FrmReportViewer viewer;
    bool ran = false;
    onModal<FrmReportViewer>([&](FrmReportViewer *v) {
        ran = true;
        check(*v);
        v->close();
    });
    const bool shown = viewer.ShowReport("Activities", file, rs, nullptr);
    return shown && ran;
}

void waitForBuild(FrmReportViewer &v) {
    while (v.building())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();   // the tool bar hides what the build showed
}

// Answers the next dialog that opens over the viewer, once it is there.
void answerNextDialog(const std::function<void(QDialog &)> &answer) {
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || qobject_cast<FrmReportViewer *>(d))
            return;
        poll->stop();
        poll->deleteLater();
        answer(*d);
        failIfLeftOpen(d, "dialog over the viewer");
    });
    poll->start();
}

QStringList buttonTexts(const QDialog &d) {
    QStringList out;
    for (const QPushButton *b : d.findChildren<QPushButton *>())
        if (b->isVisible())
            out << b->text().remove('&');
    return out;
}

// The pages of a PDF file and whether each is wider than high.
QVector<bool> pdfPagesLandscape(const QString &file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(f.readAll());
    QVector<bool> out;
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out << (m.captured(1).toDouble() > m.captured(2).toDouble());
    }
    return out;
}

TEST_F(Viewer, TheFirstPageShowsWhileLaterPagesAreLaidOutAndCancelStopsTheBuild) {
    const Recordset rs = activities(2000);
    auto whole = Report::open(folder.file("Reports/test.rpt"));
    whole->setDataSource(rs);
    whole->render();
    const int allPages = whole->pageCount();
    ASSERT_GT(allPages, 20);

    // Left alone, the build ends with every page, the first page shown on the way.
    QVector<int> shownPages;
    ASSERT_TRUE(whileShown("Reports/test.rpt", rs, [&](FrmReportViewer &v) {
        QObject::connect(&v, &FrmReportViewer::pageShown, [&](int page) { shownPages << page; });
        EXPECT_TRUE(v.building());
        EXPECT_TRUE(v.prgBuild->isVisible());
        EXPECT_TRUE(v.cmdCancelBuild->isVisible());
        EXPECT_GE(v.crviewer->pageCount(), 1);
        EXPECT_LT(v.crviewer->pageCount(), allPages);
        EXPECT_TRUE(v.lblPage->text().startsWith("1 of ")) << v.lblPage->text().toStdString();
        EXPECT_TRUE(v.lblPage->text().endsWith("+")) << v.lblPage->text().toStdString();
        waitForBuild(v);
        EXPECT_EQ(v.crviewer->pageCount(), allPages);
        EXPECT_EQ(v.lblPage->text(), QStringLiteral("1 of %1").arg(allPages));
        EXPECT_FALSE(v.prgBuild->isVisible());
        EXPECT_FALSE(v.cmdCancelBuild->isVisible());
        EXPECT_EQ(v.report()->documentText(), whole->documentText());
    }));
    ASSERT_FALSE(shownPages.isEmpty());
    EXPECT_EQ(shownPages.first(), 1);

    // Cancel stops the build where it stands; export still gives every page.
    QTemporaryDir out;
    messages.answerPath(out.filePath("stopped.pdf"));
    ASSERT_TRUE(whileShown("Reports/test.rpt", rs, [&](FrmReportViewer &v) {
        ASSERT_TRUE(v.building());
        const int pages = v.crviewer->pageCount();
        v.cmdCancelBuild->click();
        EXPECT_FALSE(v.building());
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        EXPECT_EQ(v.crviewer->pageCount(), pages);
        EXPECT_FALSE(v.report()->layoutComplete());
        EXPECT_TRUE(v.lblPage->text().endsWith("(stopped)")) << v.lblPage->text().toStdString();
        v.cmdExport->click();
        EXPECT_EQ(v.crviewer->pageCount(), allPages);
    }));
    EXPECT_EQ(pdfPagesLandscape(out.filePath("stopped.pdf")).size(), allPages);
}

// A build step that fails while later pages are laid out is told once; the
// build stops there and the viewer stays open and working.
TEST_F(Viewer, ABuildStepThatFailsIsToldOnceAndStopsTheBuild) {
    ASSERT_TRUE(whileShown("Reports/test.rpt", activities(2000), [&](FrmReportViewer &v) {
        ASSERT_TRUE(v.building());
        v.report()->setDataSource(activities(2000));   // the layout begun is gone: the next step fails
        waitForBuild(v);
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_TRUE(messages.shown().first().prompt.startsWith(QString::number(err::ObjectNotSet) + "\r"));
        EXPECT_FALSE(v.prgBuild->isVisible());
        EXPECT_TRUE(v.isVisible());
        v.cmdFitPage->click();
        EXPECT_EQ(v.crviewer->zoomMode(), ReportPreview::FitInView);
        EXPECT_EQ(messages.shown().size(), 1);
    }));
}

TEST_F(Viewer, ExportFollowsTheOrientationChosenInPrinterSetUpAsPrintDoes) {
    QTemporaryDir out;
    const QString exported = out.filePath("exported.pdf");
    const QString printed = out.filePath("printed.pdf");
    messages.answerPath(exported);
    Shown shown;
    ASSERT_TRUE(showWith(shown, "Activities", "Reports/test.rpt", activities(60), nullptr, [&](FrmReportViewer &v) {
        v.setPrintDialogHook([&](FrmReportViewer::PrintDialog kind, QPrinter &p) {
            if (kind == FrmReportViewer::PrintDialog::PrinterSetup) {
                p.setPageOrientation(QPageLayout::Landscape);
            } else {
                p.setOutputFormat(QPrinter::PdfFormat);
                p.setOutputFileName(printed);
            }
            return true;
        });
        v.cmdPrinterSelection->click();
        waitForBuild(v);
        v.cmdExport->click();
        v.cmdPrint->click();
    }));
    const QVector<bool> exportedPages = pdfPagesLandscape(exported);
    const QVector<bool> printedPages = pdfPagesLandscape(printed);
    ASSERT_FALSE(exportedPages.isEmpty());
    EXPECT_EQ(exportedPages, printedPages);
    EXPECT_EQ(exportedPages, QVector<bool>(exportedPages.size(), true));
}

TEST_F(Viewer, OpensWideEnoughForThePageWidthAndZooms) {
    // A small page fits the screen at 100 per cent; a landscape A4 page is
    // shown at 100 per cent where the screen is wide enough, else at its width.
    QByteArray small(kLayout);
    small.replace("\"A4\"", "\"A5\"");
    write("Reports/small.rpt", small);
    QByteArray wide(kLayout);
    wide.replace("\"portrait\"", "\"landscape\"");
    write("Reports/wide.rpt", wide);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    for (const char *file : {"Reports/small.rpt", "Reports/wide.rpt"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(whileShown(file, activities(40), [&](FrmReportViewer &v) {
            QCoreApplication::processEvents();
            ReportPreview &preview = *v.crviewer;
            const double paperWidth = preview.paperOnScreen().width();
            EXPECT_LE(v.width(), screen.width());
            // The page's whole width is in the window, without scrolling.
            EXPECT_EQ(preview.horizontalScrollBar()->maximum(), 0);
            EXPECT_LE(preview.pageSizeOnScreen().width(), preview.viewport()->width());
            if (paperWidth + 60 < screen.width()) {
                EXPECT_EQ(preview.zoomMode(), ReportPreview::CustomZoom);
                EXPECT_DOUBLE_EQ(preview.zoomFactor(), 1.0);
            } else {
                EXPECT_EQ(preview.zoomMode(), ReportPreview::FitToWidth);
                EXPECT_LT(preview.zoomFactor(), 1.0);
            }

            v.cmdFitPage->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(preview.zoomMode(), ReportPreview::FitInView);
            EXPECT_LE(preview.pageSizeOnScreen().width() + 2 * ReportPreview::kMargin, preview.viewport()->width());
            EXPECT_LE(preview.pageSizeOnScreen().height() + 2 * ReportPreview::kMargin, preview.viewport()->height());
            EXPECT_EQ(preview.verticalScrollBar()->maximum(), 0);

            v.cmdFitWidth->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(preview.horizontalScrollBar()->maximum(), 0);
            const int spare = preview.viewport()->width() - preview.pageSizeOnScreen().width() - 2 * ReportPreview::kMargin;
            EXPECT_GE(spare, 0);
            EXPECT_LE(spare, 2 + preview.verticalScrollBar()->sizeHint().width());

            v.cmdActualSize->click();
            QCoreApplication::processEvents();
            EXPECT_DOUBLE_EQ(preview.zoomFactor(), 1.0);
            EXPECT_EQ(preview.pageSizeOnScreen().width(), qRound(paperWidth));
        }));
    }
}

// Printer Setup asks for paper and orientation only, with OK and Cancel, and
// prints nothing; it needs no printer.
TEST_F(Viewer, PrinterSetUpAsksForPaperAndOrientationOnly) {
    ASSERT_TRUE(whileShown("Reports/test.rpt", activities(40), [&](FrmReportViewer &v) {
        QString title;
        QStringList buttons;
        bool printDialog = true;
        answerNextDialog([&](QDialog &d) {
            title = d.windowTitle();
            buttons = buttonTexts(d);
            printDialog = qobject_cast<QAbstractPrintDialog *>(&d) != nullptr;
            if (auto *landscape = d.findChild<QRadioButton *>("optLandscape"))
                landscape->click();
            d.reject();
        });
        v.cmdPrinterSelection->click();
        EXPECT_EQ(title, "Printer Setup");
        EXPECT_FALSE(printDialog);
        EXPECT_EQ(buttons, QStringList({"OK", "Cancel"}));
        EXPECT_EQ(v.pageLayout().orientation(), QPageLayout::Portrait);   // cancelled: as it was

        answerNextDialog([&](QDialog &d) {
            auto *setup = qobject_cast<PageSetupDialog *>(&d);
            if (!setup) {
                d.reject();
                return;
            }
            setup->cboPaper->setCurrentIndex(setup->cboPaper->findData(int(QPageSize::Letter)));
            setup->optLandscape->click();
            setup->buttons->button(QDialogButtonBox::Ok)->click();
        });
        v.cmdPrinterSelection->click();
        waitForBuild(v);
        EXPECT_EQ(v.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(v.pageLayout().pageSize().id(), QPageSize::Letter);
        EXPECT_GT(v.crviewer->paperOnScreen().width(), v.crviewer->paperOnScreen().height());
    }));
}

// Printing comes with its module; without it Print says so and prints
// nothing, and Printer Setup, which needs no printer, still works.
TEST_F(Viewer, WithoutThePrintingModulePrintSaysSoAndPrinterSetUpStillWorks) {
    QTemporaryDir empty;
    setPrintModule(empty.filePath("zvprint.so"));
    bool printed = false;
    ASSERT_TRUE(whileShown("Reports/test.rpt", activities(40), [&](FrmReportViewer &v) {
        v.cmdPrint->click();
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_TRUE(messages.shown().first().prompt.startsWith("Printing is not available"));
        EXPECT_TRUE(messages.shown().first().prompt.contains(empty.filePath("zvprint.so")));

        answerNextDialog([&](QDialog &d) {
            auto *setup = qobject_cast<PageSetupDialog *>(&d);
            if (!setup) {
                printed = true;   // a print dialog: it must not come without the module
                d.reject();
                return;
            }
            setup->optLandscape->click();
            setup->buttons->button(QDialogButtonBox::Ok)->click();
        });
        v.cmdPrinterSelection->click();
        waitForBuild(v);
        EXPECT_EQ(v.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_GT(v.crviewer->paperOnScreen().width(), v.crviewer->paperOnScreen().height());
        EXPECT_EQ(messages.shown().size(), 1);
    }));
    setPrintModule(QString());
    EXPECT_FALSE(printed);
}

// A page that no longer fits after Printer Setup is fitted again as on opening:
// at 100 per cent where the screen is wide enough, else at its width.
TEST_F(Viewer, TheNewPageIsFittedAgainAfterPrinterSetUp) {
    QByteArray small(kLayout);
    small.replace("\"A4\"", "\"A5\"");
    write("Reports/small.rpt", small);
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(whileShown("Reports/small.rpt", activities(40), [&](FrmReportViewer &v) {
        ReportPreview &preview = *v.crviewer;
        QCoreApplication::processEvents();
        ASSERT_DOUBLE_EQ(preview.zoomFactor(), 1.0);   // a portrait A5 page fits at 100 per cent
        v.setPrintDialogHook([](FrmReportViewer::PrintDialog, QPrinter &p) {
            p.setPageOrientation(QPageLayout::Landscape);
            return true;
        });
        v.cmdPrinterSelection->click();
        waitForBuild(v);
        ASSERT_GT(preview.paperOnScreen().width(), preview.paperOnScreen().height());
        // The whole width of the landscape page is in the window.
        EXPECT_TRUE(QTest::qWaitFor([&] { return preview.horizontalScrollBar()->maximum() == 0; }));
        EXPECT_LE(preview.pageSizeOnScreen().width() + 2 * ReportPreview::kMargin, preview.viewport()->width());
        EXPECT_LE(v.frameGeometry().width(), screen.width());
        if (preview.paperOnScreen().width() + 60 < screen.width())
            EXPECT_DOUBLE_EQ(preview.zoomFactor(), 1.0);
        else
            EXPECT_EQ(preview.zoomMode(), ReportPreview::FitToWidth);
    }));
}

TEST_F(Viewer, PageKeysScrollThePageThenTurnIt) {
    ASSERT_TRUE(whileShown("Reports/test.rpt", activities(120), [&](FrmReportViewer &v) {
        waitForBuild(v);
        ReportPreview &preview = *v.crviewer;
        v.cmdActualSize->click();
        QCoreApplication::processEvents();
        QScrollBar *bar = preview.verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0);   // a page taller than the window
        auto press = [&](int key) {
            QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&preview, &e);
        };
        int presses = 0;
        while (preview.currentPage() == 1 && presses++ < 50) {
            EXPECT_EQ(bar->value() > 0, presses > 1);
            press(Qt::Key_PageDown);
        }
        EXPECT_EQ(preview.currentPage(), 2);
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(v.lblPage->text().left(4), "2 of");
        press(Qt::Key_PageUp);   // at the head of page 2: back to the foot of page 1
        EXPECT_EQ(preview.currentPage(), 1);
        EXPECT_EQ(bar->value(), bar->maximum());
        press(Qt::Key_PageUp);   // scrolls within the page
        EXPECT_EQ(preview.currentPage(), 1);
        EXPECT_LT(bar->value(), bar->maximum());
    }));
}

// Every report file the program ships is a layout the viewer reads.
TEST(ShippedReports, EveryFileLoads) {
    const QDir dir(QStringLiteral(ZV_SOURCE_DIR) + "/resources/Reports");
    for (const char *f : {"actpending.rpt", "MonthlyEmpCheckList.rpt", "StatSR.rpt", "ActivityTargetDate.rpt",
                          "Monthly.rpt"})
        EXPECT_NO_THROW(Report::open(dir.filePath(QString::fromLatin1(f)))) << f;
}

} // namespace
