// The cost of opening the program's windows (make, load, first paint, close), each beside the
// same for a minimal main window with a menu bar and a 633 x 633 picture. Runs offscreen.
#include "Form.h"
#include "Form2.h"
#include "MessageBox.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

#include <chrono>

namespace {

using shell::FormKind;

// The program's windows, made when main has made the application.
shell::Windows* windows = nullptr;

// Lets queued events run and closed windows go, so that each pass starts from an empty screen.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The least a window of the program could be: a menu bar and a picture of a drawing's size.
QMainWindow* makeMinimalWindow()
{
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("TRIVELAS MORVANICAS"));
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("Ficheiro"));
    file->addAction(QStringLiteral("Abandonar o programa"));
    for (const char* entry : {"Função de Weierstrass 1", "Função de Weierstrass 2", "Comentários"})
        window->menuBar()->addAction(QString::fromUtf8(entry));
    QPixmap drawing(633, 633);
    drawing.fill(Qt::white);
    auto* picture = new QLabel;
    picture->setPixmap(drawing);
    window->setCentralWidget(picture);
    return window;
}

// Seconds per minimal window in this run, so that each window's time is also given as a ratio
// to it (the counter "xMinimal"); the minimal window runs first.
double minimalSeconds = 0;

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_MinimalWindow(benchmark::State& state)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        QMainWindow* window = makeMinimalWindow();
        window->show();
        const QPixmap painted = window->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        window->close();
        settle();
    }
    minimalSeconds = secondsSince(start) / double(state.iterations());
}

// Show through the registry (make, load and, for a graph window, both axes drawings: the load's
// and the first activation's), paint the whole window once, close it.
void BM_Window(benchmark::State& state, FormKind kind)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        platform::Form* form = windows->show(kind);
        if (!form) {
            state.SkipWithError("window kind not registered");
            return;
        }
        const QPixmap painted = form->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        windows->unload(kind);
        settle();
    }
    if (minimalSeconds > 0)
        state.counters["xMinimal"] = secondsSince(start) / double(state.iterations()) / minimalSeconds;
}

// The first opening of a kind in the process, before Qt has met its fonts and pictures: one
// pass, so only a rough figure.
void BM_FirstOpen(benchmark::State& state, FormKind kind)
{
    BM_Window(state, kind);
}

// One page forward and one back in an open viewer, each painted, once every page has shown.
void BM_ViewerPageTurns(benchmark::State& state)
{
    platform::Form* viewer = windows->show(FormKind::Form2);
    auto* right = viewer->findChild<QPushButton*>(QStringLiteral("SetaD"));
    auto* left = viewer->findChild<QPushButton*>(QStringLiteral("SetaE"));
    settle();
    for (int n = 1; n < Form2::NúmeroDePáginas; ++n) {
        right->click();
        benchmark::DoNotOptimize(viewer->grab().cacheKey());
    }
    for (auto _ : state) {
        left->click();
        benchmark::DoNotOptimize(viewer->grab().cacheKey());
        right->click();
        benchmark::DoNotOptimize(viewer->grab().cacheKey());
    }
    windows->unload(FormKind::Form2);
    settle();
}

BENCHMARK(BM_MinimalWindow)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstOpen, StartWindow, FormKind::Form3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstOpen, Form1, FormKind::Form1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstOpen, Form4, FormKind::Form4)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstOpen, Form5, FormKind::Form5)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstOpen, Viewer, FormKind::Form2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window, StartWindow, FormKind::Form3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window, Form1, FormKind::Form1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window, Form4, FormKind::Form4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window, Form5, FormKind::Form5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Window, Viewer, FormKind::Form2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerPageTurns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::applicationTitle());
    shell::Windows programWindows;
    windows = &programWindows;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
