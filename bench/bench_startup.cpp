// Start-up time to the first window: the program until its login window is
// shown, against a minimal Qt Widgets program (this one, run with --minimal)
// until its one window is shown. Both run as fresh processes, alternately and
// in alternating order, with ZV_EXIT_WHEN_SHOWN set so that each writes
// "shown" and ends once its window is on screen; a side's time in a pair is
// the fastest of five starts in a row. Prints the medians and, as the last
// line, the median of the pairs' ratios with the middle half of them beside
// it; exits non-zero over 1.2.
//
// The windows go to a real X display: the one DISPLAY names, else an Xvfb
// started for the run when one is installed; offscreen only without either
// (or when QT_QPA_PLATFORM chooses a platform), and the output says which.
//
//   bench_startup [runs] [program]      runs: pairs timed (default 11, at least 5)
#include "BenchSupport.h"
#include "core/ExitWhenShown.h"
#include <QFileInfo>
#include <QStandardPaths>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr double kGoal = 1.2;
constexpr int kStartsPerSide = 5;

int minimalWindow(int argc, char **argv) {
    QApplication app(argc, argv);
    zv::core::exitWhenShownIfAsked();
    QLabel window(QStringLiteral("Minimal window"));
    window.resize(320, 120);
    window.show();
    return QApplication::exec();
}

// The X display of the run: DISPLAY's when its server answers, else an Xvfb
// of our own on a free display number; none without either.
class XDisplay {
public:
    XDisplay() {
        const QString named = qEnvironmentVariable("DISPLAY");
        if (!named.isEmpty() && serverSocketExists(named)) {
            m_display = named;
            m_how = QStringLiteral("the running X display");
            return;
        }
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        // -displayfd: the server picks a free number and writes it to its standard output.
        m_server.setProgram(xvfb);
        m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1280x1024x24")});
        m_server.start();
        QByteArray out;
        while (!out.contains('\n') && m_server.waitForReadyRead(10000))
            out += m_server.readAllStandardOutput();
        bool ok = false;
        const int number = out.trimmed().toInt(&ok);
        if (!ok) {
            stop();
            return;
        }
        m_display = QStringLiteral(":%1").arg(number);
        m_how = QStringLiteral("an Xvfb started for the run");
    }
    ~XDisplay() { stop(); }
    const QString &display() const { return m_display; }
    const QString &how() const { return m_how; }

private:
    // ":14" or ":14.0" is served by /tmp/.X11-unix/X14; other forms are taken on trust.
    static bool serverSocketExists(const QString &display) {
        if (!display.startsWith(QLatin1Char(':')))
            return true;
        const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
        return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number);
    }
    void stop() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000)) {
                m_server.kill();
                m_server.waitForFinished();
            }
        }
    }
    QProcess m_server;
    QString m_display, m_how;
};

// Milliseconds from starting the process to its "shown"; negative when it never says so.
double timeToShown(const QString &program, const QStringList &args, const QProcessEnvironment &env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProgram(program);
    p.setArguments(args);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    p.start();
    QByteArray out;
    while (!out.contains("shown\n")) {
        if (!p.waitForReadyRead(30000))
            break;
        out += p.readAllStandardOutput();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    const bool shown = out.contains("shown\n");
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
    }
    if (!shown) {
        std::fprintf(stderr, "%s never showed its window:\n%s\n", qPrintable(program),
                     p.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--minimal") == 0)
        return minimalWindow(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = std::max(5, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 11);
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(ZV_PROGRAM_EXE);
    const QString self = QCoreApplication::applicationFilePath();

    // Each child gets its own runtime folder (the program keeps its
    // one-instance lock there) and a real X display unless a platform was chosen.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZV_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    std::unique_ptr<XDisplay> x;
    QString where;
    if (env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        where = QStringLiteral("%1 (chosen by QT_QPA_PLATFORM)").arg(env.value(QStringLiteral("QT_QPA_PLATFORM")));
    } else {
        x = std::make_unique<XDisplay>();
        if (x->display().isEmpty()) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            where = QStringLiteral("offscreen (no X display and no Xvfb here)");
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), x->display());
            where = QStringLiteral("xcb on %1, %2").arg(x->display(), x->how());
        }
    }

    const QStringList minimalArgs{QStringLiteral("--minimal")};
    // One unmeasured start of each: both find their libraries in the page cache.
    if (timeToShown(program, {}, env) < 0 || timeToShown(self, minimalArgs, env) < 0)
        return 2;

    bool failed = false;
    // A side's time in a pair is the fastest of a few starts in a row: what
    // other processes add to a start is never negative, so the fastest is
    // nearest to the start's own cost.
    const auto timedOrFail = [&](const QString &exe, const QStringList &args) {
        double best = -1;
        for (int i = 0; i < kStartsPerSide && !failed; ++i) {
            const double ms = timeToShown(exe, args, env);
            failed = ms < 0;
            best = best < 0 ? ms : std::min(best, ms);
        }
        return failed ? -1 : best;
    };
    const bench::PairedTimes times = bench::pairedRuns(
        runs, [&] { return timedOrFail(program, {}); }, [&] { return timedOrFail(self, minimalArgs); });
    if (failed)
        return 2;
    std::printf("runs: %zu pairs, platform %s\n", times.program.size(), qPrintable(where));
    std::printf("program to its login window: median %.1f ms\n", times.programMedian());
    std::printf("minimal Qt Widgets window:   median %.1f ms\n", times.rawMedian());
    return bench::finish(times, kGoal);
}
