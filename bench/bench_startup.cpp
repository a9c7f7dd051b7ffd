// Start-up time to the first window: the program until its login window is
// shown, against a minimal Qt Widgets program (this one, run with --minimal)
// until its one window is shown. Both run as fresh processes, alternately and
// in alternating order, with ZV_EXIT_WHEN_SHOWN set so that each writes
// "shown" and ends once its window is on screen. Prints the medians and, as
// the last line, their ratio; exits non-zero over 1.2.
//
//   bench_startup [runs] [program]      runs: pairs timed (default 11, at least 5)
#include "core/ExitWhenShown.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr double kGoal = 1.2;

int minimalWindow(int argc, char **argv) {
    QApplication app(argc, argv);
    zv::core::exitWhenShownIfAsked();
    QLabel window(QStringLiteral("Minimal window"));
    window.resize(320, 120);
    window.show();
    return QApplication::exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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
    // one-instance lock there) and the offscreen platform unless one was chosen.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZV_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    const QStringList minimalArgs{QStringLiteral("--minimal")};
    // One unmeasured start of each: both find their libraries in the page cache.
    if (timeToShown(program, {}, env) < 0 || timeToShown(self, minimalArgs, env) < 0)
        return 2;

    std::vector<double> programMs, minimalMs;
    for (int i = 0; i < runs; ++i) {
        const bool programFirst = i % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isProgram = (k == 0) == programFirst;
            const double ms = isProgram ? timeToShown(program, {}, env) : timeToShown(self, minimalArgs, env);
            if (ms < 0)
                return 2;
            (isProgram ? programMs : minimalMs).push_back(ms);
        }
    }
    const double prog = median(programMs), minimal = median(minimalMs);
    std::printf("runs: %d pairs, platform %s\n", runs, qPrintable(env.value(QStringLiteral("QT_QPA_PLATFORM"))));
    std::printf("program to its login window: median %.1f ms\n", prog);
    std::printf("minimal Qt Widgets window:   median %.1f ms\n", minimal);
    const double ratio = prog / minimal;
    std::printf("ratio %.2f (goal <= %.1f)\n", ratio, kGoal);
    return ratio <= kGoal ? 0 : 1;
}
