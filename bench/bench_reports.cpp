// Fills a copy of the fresh production database with a year of work (the
// employees given on the command line, 5,000 unless given; 2,000 activity
// lines, 300,000 schedule entries, a year of monthly allocations and
// target-dated lines) and times each report form: building its rows (for the
// monthly checklist and the diarized report, the fill of their temporary
// table), and the whole Ok road through the viewer's rendering and preview.
// Medians of a few runs are printed.
//
// The goal: from Ok to the checklist's first page on the screen, at most 3
// times the same statements run raw (the fill of temp_mchklist and the
// read-back of its rows, copied). The two are run alternately, in pairs; the
// last line gives the median of the pairs' ratios with the middle half of them
// beside it, and the program fails when the goal is missed.
//
//   bench_reports [employees]
#include "BenchSupport.h"
#include "core/modCommon.h"
#include "masters/FormServices.h"
#include "platform/report/FrmReportViewer.h"
#include "reports/frmGenReport.h"
#include "reports/frmGenReport1.h"
#include "reports/frmGenReport2.h"
#include "reports/frmGenReportDev3.h"
#include "reports/frmGenReportDev4.h"
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

using bench::check;

namespace {

int kEmployees = 5000;   // the command line's
constexpr int kActivities = 400;
constexpr int kLinesPerActivity = 5;           // 2,000 lines
constexpr int kEntries = 300000;               // schedule entries over the year
constexpr int kAllocationLines = 10;           // per employee and month
constexpr int kTargetLines = 20;               // per employee
constexpr int kYear = 2006;
constexpr int kRuns = 5;

using Insert = bench::Statement;

std::string iso(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")).toStdString(); }

void fill(const QString &path) {
    sqlite3 *db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db, "open");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    std::mt19937 rng(20060101);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const QDate jan1(kYear, 1, 1);
    const int yearDays = jan1.daysInYear();

    check(sqlite3_exec(db, "INSERT INTO Cmpny_Mast (Cmpny_Name) VALUES ('Zorvane Benchmarks Ltd')", nullptr, nullptr, nullptr),
          db, "company");
    {
        Insert dept(db, "INSERT INTO Dept_Mast (Dept_Desc) VALUES (?)");
        for (int i = 1; i <= 20; ++i)
            dept.t(1, "Department " + std::to_string(i)).run();
        Insert desg(db, "INSERT INTO Desg_Mast (Desg_Name) VALUES (?)");
        for (int i = 1; i <= 10; ++i)
            desg.t(1, "Designation " + std::to_string(i)).run();
        Insert emp(db, "INSERT INTO Emp_Mast (Emp_Num, Emp_Name, Sys_Desg_Num, Sys_Dept_Num, Emp_Shrt_Name) "
                       "VALUES (?, ?, ?, ?, ?)");
        char name[32];
        for (int i = 0; i < kEmployees; ++i) {
            std::snprintf(name, sizeof name, "Employee %03d", i);
            emp.t(1, "E" + std::to_string(i)).t(2, name).i(3, i % 10 + 1).i(4, i % 20 + 1).t(5, "u" + std::to_string(i)).run();
        }
        Insert hdr(db, "INSERT INTO Holday_List_Hdr (Fincl_Year) VALUES (?)");
        const long long list = hdr.i(1, kYear).run();
        Insert hol(db, "INSERT INTO Holday_List_Det (Sys_Holday_List_Num, Holday_Date, Holday_Desc) VALUES (?, ?, 'Holiday')");
        for (int m = 1; m <= 12; ++m)
            hol.i(1, list).t(2, iso(QDate(kYear, m, 10 + m))).run();
    }

    // Activities and lines; the schedule entries spread over the lines and the year.
    std::vector<std::array<long long, 3>> lines;   // activity, line, employee
    {
        Insert act(db, "INSERT INTO Actvty_Mast (Entry_Date, Actvty_Desc, Remk) VALUES (?, ?, '')");
        Insert line(db, "INSERT INTO Actvty_Mast_Det (Sys_Actvty_Num, Sys_Dept_Num, Sys_Emp_Num, Start_Date, End_Date, "
                        "Sys_Const_Num, Assign_By) VALUES (?, ?, ?, ?, ?, 14, ?)");
        char desc[48];
        for (int a = 0; a < kActivities; ++a) {
            std::snprintf(desc, sizeof desc, "Activity %03d", a);
            const long long id = act.t(1, iso(jan1.addDays(pick(60)))).t(2, desc).run();
            for (int l = 0; l < kLinesPerActivity; ++l) {
                const int emp = pick(kEmployees) + 1;
                const long long ln = line.i(1, id).i(2, pick(20) + 1).i(3, emp).t(4, iso(jan1)).t(5, iso(QDate(kYear, 12, 31)))
                                         .i(6, pick(3) == 0 ? pick(kEmployees) + 1 : 0)
                                         .run();
                lines.push_back({id, ln, emp});
            }
        }
        Insert entry(db, "INSERT INTO Statry_Cmpltd_Entry (Sys_Actvty_Num, Sys_Actvty_Line_Num, Sys_Emp_Num, Expctd_Date, "
                         "Cmpltd_Date, Not_Needed) VALUES (?, ?, ?, ?, ?, ?)");
        for (int e = 0; e < kEntries; ++e) {
            const auto &l = lines[e % lines.size()];
            const QDate expected = jan1.addDays(pick(yearDays));
            entry.i(1, l[0]).i(2, l[1]).i(3, l[2]).t(4, iso(expected));
            if (pick(10) < 6)
                entry.t(5, iso(expected.addDays(pick(4))));
            else
                entry.null(5);
            entry.i(6, pick(20) == 0 ? 1 : 0).run();
        }
    }

    // A year of monthly allocations and target-dated lines.
    {
        Insert hdr(db, "INSERT INTO actvty_mnth_hdr (Sys_Const_Num, Sys_Emp_Num, yr) VALUES (?, ?, ?)");
        std::string cols, marks;
        for (int d = 1; d <= 31; ++d) {
            cols += ", Day" + std::to_string(d);
            marks += ", ?";
        }
        const std::string sql = "INSERT INTO actvty_mnth_det (Sys_Afm_Num, Actvty_Desc, Almnt_Date, Offcl_Persnl, Trans_Type, "
                                "Remk" + cols + ") VALUES (?, ?, ?, ?, ?, ?" + marks + ")";
        Insert det(db, sql.c_str());
        for (int emp = 1; emp <= kEmployees; ++emp)
            for (int m = 1; m <= 12; ++m) {
                const long long afm = hdr.i(1, m).i(2, emp).i(3, kYear).run();
                for (int n = 0; n < kAllocationLines; ++n) {
                    det.i(1, afm).t(2, "Activity " + std::to_string(pick(kActivities)))
                        .t(3, iso(QDate(kYear, m, 1 + pick(28)))).t(4, pick(5) == 0 ? "P" : "O")
                        .t(5, pick(2) == 0 ? "P" : "A").t(6, "remark");
                    for (int d = 1; d <= 31; ++d)
                        if (pick(4) == 0)
                            det.t(6 + d, "*");
                        else
                            det.null(6 + d);
                    det.run();
                }
            }
        Insert thdr(db, "INSERT INTO actvty_target_hdr (Sys_Emp_Num) VALUES (?)");
        Insert tdet(db, "INSERT INTO actvty_target_det (Sys_Awt_Num, Almnt_Date, Start_Date, Actvty_Desc, Offcl_Persnl, "
                        "Target_Date, Cmplt_date, Remk) VALUES (?, ?, ?, ?, ?, ?, ?, '')");
        for (int emp = 1; emp <= kEmployees; ++emp) {
            const long long awt = thdr.i(1, emp).run();
            for (int n = 0; n < kTargetLines; ++n) {
                const QDate allotted = jan1.addDays(pick(yearDays - 30));
                const QDate target = allotted.addDays(1 + pick(30));
                tdet.i(1, awt).t(2, iso(allotted)).t(3, iso(allotted)).t(4, "Target work " + std::to_string(n))
                    .t(5, pick(4) == 0 ? "P" : "O").t(6, iso(target));
                if (pick(2) == 0)
                    tdet.t(7, iso(target));
                else
                    tdet.null(7);
                tdet.run();
            }
        }
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

// Median milliseconds of kRuns calls after one warm-up call.
double timed(const std::function<void()> &f) {
    f();
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return bench::median(ms);
}

int g_rendered = 0;
int g_pages = 0;

void report(const char *what, double ms, long long rows) {
    std::printf("  %-62s %9.1f ms  %7lld rows\n", what, ms, rows);
}

void fail(const char *what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

// The form's statement run and timed, its rows counted; after, when given,
// runs within the timing.
void timedQuery(const char *what, const std::function<zv::reports::BoundSql()> &query,
                const std::function<void()> &after = {}) {
    long long rows = 0;
    const double ms = timed([&] {
        const auto q = query();
        rows = modCommon::MainConnection().query(q.text, q.params).recordCount();
        if (after)
            after();
    });
    report(what, ms, rows);
}

// The whole Ok road: the report built, rendered and previewed by the viewer.
void okRoad(zv::reports::ReportFilterForm &form) {
    const int before = g_rendered;
    const double ms = timed([&] { form.tlbFooter_FooterClick(QStringLiteral("Ok")); });
    if (g_rendered == before)
        fail(qPrintable(QStringLiteral("%1: no report was shown (%2)").arg(form.windowTitle(), form.lblStatus->text())));
    std::printf("  %-62s %9.1f ms  %7d pages\n", "Ok through the viewer (render and preview)", ms, g_pages);
}

void marchOfTheYear(zv::reports::MonthDateFilterForm &form) {
    form.cmbTargetMnth->setCurrentIndex(2);
    form.txtTargetYear->setText(QString::number(kYear));
}

// The checklist's goal. The program's side: Ok pressed on the form, up to the
// first page painted by the viewer (the viewer then closes). The raw side:
// the statements of that road that fill temp_mchklist and read it back, as
// SQLite ran them for the program (recorded once, values bound in), run on
// the same connection with each value of the rows copied.
constexpr double kChecklistGoal = 3.0;

std::vector<std::string> g_traced;

int traceStatement(unsigned, void *, void *stmt, void *) {
    if (char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(stmt))) {
        g_traced.emplace_back(sql);
        sqlite3_free(sql);
    }
    return 0;
}

// Closes the viewer once its first page is on the screen, noting when.
class FirstPageWatch : public QObject {
public:
    QElapsedTimer clock;
    double ms = -1;
    int pages = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Show)
            if (auto *v = qobject_cast<zv::report::FrmReportViewer *>(o)) {
                QPointer<zv::report::FrmReportViewer> viewer(v);
                connect(v, &zv::report::FrmReportViewer::pageShown, v, [this, viewer](int page) {
                    if (page != 1 || ms >= 0)
                        return;
                    ms = clock.nsecsElapsed() / 1e6;
                    pages = viewer->crviewer->pageCount();
                    QTimer::singleShot(0, viewer, [viewer] { viewer->reject(); });
                });
            }
        return false;
    }
};

double checklistToFirstPage(frmGenReportDev3 &form, FirstPageWatch &watch) {
    watch.ms = -1;
    watch.clock.start();
    form.tlbFooter_FooterClick(QStringLiteral("Ok"));
    if (watch.ms < 0)
        fail(qPrintable(QStringLiteral("checklist: no page was shown (%1)").arg(form.lblStatus->text())));
    return watch.ms;
}

bool mentions(const std::string &sql, const char *what) {
    std::string lower(sql);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find(what) != std::string::npos;
}

// The raw side, once: the statements run, each row's values copied.
double rawChecklist(sqlite3 *db, const std::vector<std::string> &statements, long long &rows) {
    QElapsedTimer t;
    t.start();
    rows = 0;
    struct Value {
        int type;
        long long i;
        double d;
        std::string text;
    };
    std::vector<std::vector<Value>> copy;
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), db, sql.c_str());
        const int columns = sqlite3_column_count(st);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            std::vector<Value> row(columns);
            for (int c = 0; c < columns; ++c) {
                Value &v = row[c];
                v.type = sqlite3_column_type(st, c);
                if (v.type == SQLITE_INTEGER)
                    v.i = sqlite3_column_int64(st, c);
                else if (v.type == SQLITE_FLOAT)
                    v.d = sqlite3_column_double(st, c);
                else if (v.type != SQLITE_NULL)
                    v.text.assign(reinterpret_cast<const char *>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
            }
            copy.push_back(std::move(row));
        }
        check(rc, db, sql.c_str());
        sqlite3_finalize(st);
    }
    rows = static_cast<long long>(copy.size());
    return t.nsecsElapsed() / 1e6;
}

// Runs the goal; its pairs' times.
bench::PairedTimes checklistGoal(const frmGenReportDev3 &setUp) {
    // The real viewer: the goal is the first page on the screen.
    frmGenReportDev3 form(nullptr, zv::masters::formServices());
    form.cmbMnth->setCurrentIndex(setUp.cmbMnth->currentIndex());
    form.txtYear->setText(setUp.txtYear->text());
    auto &conn = modCommon::MainConnection();
    FirstPageWatch watch;
    qApp->installEventFilter(&watch);
    form.setSelectionList(QString());

    // One road recorded: the statements that touch temp_mchklist before the
    // first page (the run's delete afterwards is not on the road).
    g_traced.clear();
    sqlite3_trace_v2(conn.handle(), SQLITE_TRACE_STMT, traceStatement, nullptr);
    checklistToFirstPage(form, watch);
    sqlite3_trace_v2(conn.handle(), 0, nullptr, nullptr);
    // From the transaction that fills the table to the read-back, the
    // statements on temp_mchklist and the transaction's own.
    std::vector<std::string> statements;
    const std::string runKey = form.runKey().toStdString();
    auto transactional = [](const std::string &sql) {
        return mentions(sql, "begin") || mentions(sql, "commit") || mentions(sql, "savepoint") || mentions(sql, "release");
    };
    size_t first = 0;
    while (first < g_traced.size() && !mentions(g_traced[first], "temp_mchklist"))
        ++first;
    if (first > 0 && transactional(g_traced[first - 1]))
        --first;
    for (size_t i = first; i < g_traced.size(); ++i) {
        const std::string &sql = g_traced[i];
        if (mentions(sql, "temp_mchklist") || transactional(sql))
            statements.push_back(sql);
        if (mentions(sql, "temp_mchklist") && mentions(sql, "select") && !mentions(sql, "insert"))
            break;
    }
    std::printf("  raw statements (as recorded):\n");
    for (const std::string &sql : statements)
        std::printf("    %.110s%s\n", sql.c_str(), sql.size() > 110 ? "..." : "");

    // Each raw run under a key of its own, its rows deleted untimed.
    auto rawRun = [&](int n, long long &rows) {
        const std::string key = "raw-" + std::to_string(n);
        std::vector<std::string> mine;
        for (std::string sql : statements) {
            for (size_t at; (at = sql.find(runKey)) != std::string::npos;)
                sql.replace(at, runKey.size(), key);
            mine.push_back(sql);
        }
        const double ms = rawChecklist(conn.handle(), mine, rows);
        conn.execute(QStringLiteral("DELETE FROM temp_mchklist WHERE User_ID = ?"), {QString::fromStdString(key)});
        return ms;
    };

    long long rawRows = 0;
    rawRun(0, rawRows);   // warm-up of the raw side (the program's was the recorded road)
    int runs = 0;
    const bench::PairedTimes times = bench::pairedRuns(
        bench::kPairs, [&] { return checklistToFirstPage(form, watch); }, [&] { return rawRun(++runs, rawRows); });
    qApp->removeEventFilter(&watch);
    if (conn.scalar(QStringLiteral("SELECT count(*) FROM temp_mchklist")).toLongLong() != 0)
        fail("rows of the checklist were left behind");
    std::printf("  Ok to the first page on the screen (median of %d)           %9.1f ms  %7d pages when shown\n",
                bench::kPairs, times.programMedian(), watch.pages);
    std::printf("  raw fill and read-back, values copied (median of %d)        %9.1f ms  %7lld rows\n", bench::kPairs,
                times.rawMedian(), rawRows);
    return times;
}

} // namespace

int main(int argc, char **argv) {
    bench::offscreenByDefault();
    QApplication app(argc, argv);
    if (argc > 1) {
        kEmployees = std::atoi(argv[1]);
        if (kEmployees < 1) {
            std::fprintf(stderr, "usage: bench_reports [employees]\n");
            return 2;
        }
    }

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Reports"));
    const QDir shipped(QStringLiteral(ZV_SOURCE_DIR "/resources/Reports"));
    for (const QString &f : shipped.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        QFile::copy(shipped.filePath(f), dir.filePath(QStringLiteral("Reports/") + f));
    const QString what = QStringLiteral("%1 employees, %2 activity lines, %3 schedule entries, %4 allocation lines, "
                                        "%5 target lines")
                             .arg(kEmployees)
                             .arg(kActivities * kLinesPerActivity)
                             .arg(kEntries)
                             .arg(kEmployees * 12 * kAllocationLines)
                             .arg(kEmployees * kTargetLines);
    const QString db = bench::filledProductionCopy(dir, fill, what);
    if (db.isEmpty())
        return 1;
    // The report files are found under the program's folder.
    modCommon::setAppPath(dir.path());
    zv::report::setProgramFolder(dir.path());
    if (!bench::openAsProduction(db))
        return 1;
    auto &conn = modCommon::MainConnection();
    // The viewer renders and previews the report, then returns at once.
    zv::fw::FormServices services;
    services.viewer.modal = [](zv::report::FrmReportViewer &v) {
        ++g_rendered;
        g_pages = v.crviewer->pageCount();
    };
    bench::PairedTimes checklist;
    QString allEmployees;
    for (int i = 1; i <= kEmployees; ++i)
        allEmployees += (i > 1 ? QStringLiteral(",") : QString()) + QString::number(i);
    const QByteArray everyKey = QStringLiteral("every employee chosen (%1 keys)").arg(kEmployees).toUtf8();

    std::printf("\nActivity checklist for a month (March %d)\n", kYear);
    {
        frmGenReportDev3 form(nullptr, services);
        form.cmbMnth->setCurrentIndex(2);
        form.txtYear->setText(QString::number(kYear));
        const QString everyChosen = QStringLiteral("every employee chosen (%1 keys)").arg(kEmployees);
        for (const auto &[label, list] : {std::pair{QStringLiteral("every employee (no condition)"), QString()},
                                          std::pair{everyChosen, allEmployees}}) {
            form.setSelectionList(list);
            long long rows = 0;
            const double fillMs = timed([&] {
                if (!form.UsrGenarateTempTable())
                    fail("the checklist fill failed");
                rows = conn.scalar(QStringLiteral("SELECT count(*) FROM temp_mchklist WHERE User_ID = ?"), {form.runKey()})
                           .toLongLong();
                form.deleteRun();
            });
            report((QStringLiteral("fill temp_mchklist, ") + label).toUtf8().constData(), fillMs, rows);
        }
        form.setSelectionList(QString());
        long long rows = 0;
        const double buildMs = timed([&] {
            form.UsrGenarateTempTable();
            rows = form.readRun().recordCount();
            form.fillFormulas();
            form.deleteRun();
        });
        report("fill, read back, formula values, delete", buildMs, rows);
        okRoad(form);
        if (conn.scalar(QStringLiteral("SELECT count(*) FROM temp_mchklist")).toLongLong() != 0)
            fail("rows of the checklist were left behind");
        std::printf("\nActivity checklist, Ok to the first page (March %d, every employee)\n", kYear);
        checklist = checklistGoal(form);
    }

    std::printf("\nPending activities with target date (due by today)\n");
    {
        frmGenReportDev4 form(nullptr, services);
        form.setSelectionList(allEmployees);
        timedQuery(("query, " + everyKey).constData(), [&] { return form.reportQuery(modCommon::GetServerDate()); });
        okRoad(form);
    }

    std::printf("\nActivities with target date (March %d)\n", kYear);
    {
        frmGenReport form(nullptr, services);
        marchOfTheYear(form);
        timedQuery("query, every employee", [&] { return form.reportQuery(); });
        okRoad(form);
    }

    std::printf("\nActivity projector/actuals planner (March %d)\n", kYear);
    {
        frmGenReport1 form(nullptr, services);
        marchOfTheYear(form);
        form.setSelectionList(allEmployees);
        timedQuery(("query and calendar, " + everyKey).constData(), [&] { return form.reportQuery(); }, [&] { form.fillFormulas(); });
        okRoad(form);
    }

    std::printf("\nDiarized activities (March of 2004 to 2008)\n");
    {
        // The five years end with the year the period ends in.
        modCommon::gEndPeriod = QStringLiteral("31-Dec-2008");
        frmGenReport2 form(nullptr, services);
        form.cmbTargetMnth->setCurrentIndex(2);
        form.setSelectionList(allEmployees);
        long long rows = 0;
        const double ms = timed([&] {
            rows = form.fillTempYear();
            conn.query(QStringLiteral("SELECT * FROM Temp_Year WHERE Id = ? ORDER BY Serl_Num"), {form.formId()});
        });
        report(("fill Temp_Year and read back, " + everyKey).constData(), ms, rows);
        okRoad(form);
    }
    modCommon::CloseMainConnection();
    std::printf("checklist, %d employees: first page / raw\n", kEmployees);
    return bench::finish(checklist, kChecklistGoal);
}
