// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Started by bench_startup. Shows one window and reports, on standard output, the monotonic
// clock at its first paint:
//   startup_probe form1   the main window, as the program starts it
//   startup_probe bare    a bare QWidget of the same size
//   startup_probe label   the bare QWidget with one Chinese label: what any Chinese text costs
//   startup_probe about   the main window, then the About box; reports the CPU share the
//                         process uses while the box scrolls for ten seconds
#include "form1.h"
#include "frmabout.h"
#include "settings_file.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>

namespace {

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class FirstPaint : public QObject
{
public:
    explicit FirstPaint(std::function<void()> then) : m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_then) {
            std::printf("first-paint-ns %lld\n", MonotonicNs());
            std::fflush(stdout);
            QTimer::singleShot(0, watched, std::exchange(m_then, {}));
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

void MeasureAboutBox()
{
    velmora::ShowAboutBox();
    // One second to settle, then ten seconds of scrolling.
    QTimer::singleShot(1000, qApp, [] {
        const double start = CpuSeconds();
        QTimer::singleShot(10000, qApp, [start] {
            std::printf("about-cpu-percent %.3f\n", (CpuSeconds() - start) / 10.0 * 100.0);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    // The window is never closed here: the probe ends by leaving the event loop.
    std::unique_ptr<QWidget> window;
    if (mode == QLatin1String("bare") || mode == QLatin1String("label")) {
        window = std::make_unique<QWidget>();
        window->resize(345, 239);
        if (mode == QLatin1String("label"))
            new QLabel(QStringLiteral("上次月经来潮日期:"), window.get());
    } else {
        QApplication::setApplicationName(QStringLiteral("Velmora"));
        window = std::make_unique<velmora::Form1>(velmora::SettingsFilePath());
    }
    FirstPaint watcher(mode == QLatin1String("about") ? std::function<void()>(MeasureAboutBox)
                                                      : [] { QCoreApplication::exit(0); });
    window->installEventFilter(&watcher);
    window->show();
    return QApplication::exec();
}
