// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the probe again and again under the current display, the main window, a bare
// window and a bare window with one Chinese label interleaved, and reports the medians of the time
// to the first paint and of the peak resident memory; then the CPU share of an open, scrolling
// About box.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double output = -1;   // the number the probe printed after its key
    double millis = 0;    // start of the process to first paint
    double maxRssKib = 0; // peak resident set size
};

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

Run Start(const char* mode, const std::string& key)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(2);
    const long long started = MonotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execl(PROBE_PATH, PROBE_PATH, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);

    Run run;
    run.maxRssKib = static_cast<double>(usage.ru_maxrss);
    const auto at = output.find(key + ' ');
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos) {
        std::fprintf(stderr, "probe %s failed:\n%s\n", mode, output.c_str());
        std::exit(1);
    }
    run.output = std::stod(output.substr(at + key.size() + 1));
    run.millis = (run.output - static_cast<double>(started)) / 1e6;
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    std::vector<double> formMs, bareMs, labelMs, formRss, bareRss, labelRss;
    Start("form1", "first-paint-ns"); // warm the caches once, uncounted
    for (int i = 0; i < runs; ++i) {
        const Run form = Start("form1", "first-paint-ns");
        const Run bare = Start("bare", "first-paint-ns");
        const Run label = Start("label", "first-paint-ns");
        formMs.push_back(form.millis);
        bareMs.push_back(bare.millis);
        labelMs.push_back(label.millis);
        formRss.push_back(form.maxRssKib);
        bareRss.push_back(bare.maxRssKib);
        labelRss.push_back(label.maxRssKib);
    }
    const Run about = Start("about", "about-cpu-percent");

    std::printf("startup_form1_ms %.1f\n", Median(formMs));
    std::printf("startup_bare_ms %.1f\n", Median(bareMs));
    std::printf("startup_label_ms %.1f\n", Median(labelMs));
    std::printf("startup_ratio %.3f\n", Median(formMs) / Median(bareMs));
    std::printf("startup_label_ratio %.3f\n", Median(formMs) / Median(labelMs));
    std::printf("rss_form1_mib %.1f\n", Median(formRss) / 1024);
    std::printf("rss_bare_mib %.1f\n", Median(bareRss) / 1024);
    std::printf("rss_label_mib %.1f\n", Median(labelRss) / 1024);
    std::printf("rss_difference_mib %.1f\n", (Median(formRss) - Median(bareRss)) / 1024);
    std::printf("rss_label_difference_mib %.1f\n", (Median(formRss) - Median(labelRss)) / 1024);
    std::printf("about_cpu_percent %.2f\n", about.output);
    std::printf("runs %d\n", runs);
    return 0;
}
