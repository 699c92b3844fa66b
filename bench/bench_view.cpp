// The window on a large protocol, on the offscreen platform, driven as the user drives it:
// the path set, "Перачытаць", "3. Пералічыць", the output view painted. Prints the time of
// read + recalculate + first paint, the process's peak memory against the file's size, and
// the peak of each further recalculation, so that growth from run to run shows; then the time
// the preview's tab takes to open and to turn to a page, with the peak meanwhile.
//
// Usage: bench_view [lines] [recalculations]   (default 1000000 lines, 10 recalculations)
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/protocol_generator.h"
#include "engine/save.h"
#include "ui/Unit1.h"
#include "ui/output_view.h"
#include "ui/protocol_preview.h"

namespace {

// A size from /proc/self/status in MiB: VmHWM is the peak resident size since the last
// ResetPeak(), VmRSS the present one.
double StatusMiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::strtod(line.c_str() + std::strlen(field), nullptr) / 1024.0;
    }
    return 0;
}

double PeakMiB() { return StatusMiB("VmHWM:"); }

// Writing 5 to clear_refs sets the peak back to the present resident size.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double Seconds(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// The process's processor time (user and system), which a busy machine disturbs less than the
// elapsed time.
double CpuSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString protocol = dir.filePath(QStringLiteral("protocol.htm"));
    if (!engine::WriteFileAtomically(protocol.toStdString(), bench::GenerateProtocol(lines)).Ok())
        return 1;
    const double fileMiB = static_cast<double>(std::filesystem::file_size(protocol.toStdString()))
        / (1024.0 * 1024.0);

    TForm1 form(dir.filePath(QStringLiteral("lapwing.INI")).toStdString());
    auto *pathEdit = form.findChild<QLineEdit *>(QStringLiteral("LabeledEdit1"));
    auto *outputEdit = form.findChild<QLineEdit *>(QStringLiteral("LabeledEdit2"));
    auto *view = form.findChild<ui::OutputView *>(QStringLiteral("Memo2"));
    form.ShowInformation = [](const QString &) {};
    form.ShowError = [](const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    form.resize(707, 555);
    form.show();
    QApplication::processEvents();
    ResetPeak();
    const double idleMiB = PeakMiB();

    QElapsedTimer timer;
    timer.start();
    const double cpuStart = CpuSeconds();
    pathEdit->setText(protocol);
    form.Button3Click();
    const double read = Seconds(timer);
    const double readPeak = PeakMiB();
    const double readResident = StatusMiB("VmRSS:");
    timer.restart();
    form.Button1Click();
    const double recalculate = Seconds(timer);
    timer.restart();
    view->viewport()->repaint();
    QApplication::processEvents();
    const double paint = Seconds(timer);
    const double cpu = CpuSeconds() - cpuStart;
    const double firstPeak = PeakMiB();
    const double shownResident = StatusMiB("VmRSS:");

    std::printf("protocol: %zu result lines, %.1f MiB; output: %lld lines\n", lines, fileMiB,
        static_cast<long long>(view->Store().LineCount()));
    std::printf(
        "read %.3f s + recalculate %.3f s + paint %.3f s = %.3f s (processor time %.3f s)\n", read,
        recalculate, paint, read + recalculate + paint, cpu);
    std::printf("peak memory: %.0f MiB = %.2fx the file\n", firstPeak, firstPeak / fileMiB);
    std::printf("resident: the window idle %.0f MiB; after the read %.0f MiB (peak %.0f); "
                "with the output shown %.0f MiB\n",
        idleMiB, readResident, readPeak, shownResident);

    std::vector<double> peaks { firstPeak };
    std::printf("recalculation  time    peak MiB\n");
    for (int run = 2; run <= runs; ++run) {
        ResetPeak();
        timer.restart();
        form.Button1Click();
        view->viewport()->repaint();
        QApplication::processEvents();
        peaks.push_back(PeakMiB());
        std::printf("%13d  %.3f s  %8.0f\n", run, Seconds(timer), peaks.back());
    }
    if (peaks.size() >= 2) {
        std::printf("run %d's peak against run 2's: %+.1f %%\n", runs,
            (peaks.back() / peaks[1] - 1.0) * 100.0);
    }

    // The preview's tab opened on the output, then turned to its middle page and back to the
    // first, each painted: the peak is the process's, the window's whole state included.
    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("OutputTabs"));
    auto *preview = form.findChild<ui::ProtocolPreview *>(QStringLiteral("Preview"));
    ResetPeak();
    timer.restart();
    tabs->setCurrentWidget(preview);
    preview->viewport()->repaint();
    QApplication::processEvents();
    const double previewOpen = Seconds(timer);
    timer.restart();
    preview->ShowPage(preview->PageCount() / 2);
    preview->viewport()->repaint();
    const double previewMiddle = Seconds(timer);
    timer.restart();
    preview->ShowPage(0);
    preview->viewport()->repaint();
    const double previewFirst = Seconds(timer);
    const double previewPeak = PeakMiB();
    std::printf("preview: tab open %.3f s, middle page %.3f s, first page %.3f s (%lld pages); "
                "peak %.0f MiB = %.2fx the file\n",
        previewOpen, previewMiddle, previewFirst, static_cast<long long>(preview->PageCount()),
        previewPeak, previewPeak / fileMiB);
    tabs->setCurrentIndex(0);

    ResetPeak();
    outputEdit->setText(dir.filePath(QStringLiteral("out.htm")));
    timer.restart();
    form.Button5Click();
    std::printf("save %.3f s, peak %.0f MiB\n", Seconds(timer), PeakMiB());
    return 0;
}
