// The time for the window to show a rewritten protocol of many lines in its output view,
// on the offscreen platform: "3. Пералічыць" from the click to the painted view.
//
// Usage: bench_view [lines]   (default 100000)
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "bench/protocol_generator.h"
#include "engine/rewrite.h"
#include "engine/save.h"
#include "ui/Unit1.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString protocol = dir.filePath(QStringLiteral("protocol.htm"));
    if (!engine::WriteFileAtomically(protocol.toStdString(), bench::GenerateProtocol(lines)).Ok())
        return 1;

    constexpr int Runs = 3;
    std::vector<double> shown;
    std::vector<double> rewriteOnly;
    for (int run = 0; run < Runs; ++run) {
        TForm1 form(dir.filePath(QStringLiteral("lapwing.INI")).toStdString());
        form.ShowInformation = [](const QString &) {};
        form.ShowError = [](const QString &) {};
        form.show();
        form.OpenProtocol(protocol);
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        (void)engine::RewriteProtocol(form.ProtocolLines(), form.Groups(), form.ReadOptions(),
                                      form.PointsTables().Grid, {});
        rewriteOnly.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);

        timer.restart();
        form.Button1Click();
        QApplication::processEvents();
        form.Memo2->viewport()->repaint();
        shown.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(rewriteOnly.begin(), rewriteOnly.end());
    std::printf("%zu result lines: shown in the output view in %.3f s (median of %d; the rewrite "
                "alone %.3f s)\n",
                lines, shown[Runs / 2], Runs, rewriteOnly[Runs / 2]);
    return 0;
}
