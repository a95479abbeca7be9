// Start-up to the first painted main window, as whole processes: the program
// against two windows built in the same tree and started the same way
// (offscreen platform, a temporary home) in the same run, turn about: an
// empty QMainWindow, and a plain window with the same menu bar and seven text
// sizes. Also the peak resident memory of each child, from wait4's own
// accounting of that child.
#include "platform/widgets/FirstPaintQuit.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Totals {
    std::vector<double> samples; // wall seconds of each start
    double seconds = 0;
    double cpuSeconds = 0; // user + system: steadier than wall time on a busy machine
    int runs = 0;
    long peakKb = 0;
    int failures = 0;
};
std::map<std::string, Totals> g_totals;

const std::string& benchHome()
{
    static const std::string home = [] {
        char tmpl[] = "/tmp/tarnwell-bench-XXXXXX";
        const char* dir = mkdtemp(tmpl);
        return std::string(dir ? dir : "/tmp");
    }();
    return home;
}

// A desktop session's runtime folder is a memory file system; the
// single-instance lock is written there with a sync that would otherwise
// measure this machine's disk.
const std::string& benchRuntimeDir()
{
    static const std::string runtime = [] {
        char tmpl[] = "/dev/shm/tarnwell-bench-XXXXXX";
        if (const char* dir = mkdtemp(tmpl))
            return std::string(dir);
        const std::string fallback = benchHome() + "/run";
        mkdir(fallback.c_str(), 0700);
        return fallback;
    }();
    return runtime;
}

std::vector<std::string> childEnvironment()
{
    const std::string& home = benchHome();
    const std::map<std::string, std::string> overrides = {
        {"QT_QPA_PLATFORM", "offscreen"},       {"HOME", home},
        {"XDG_CONFIG_HOME", home + "/.config"}, {"XDG_DATA_HOME", home + "/.local/share"},
        {"XDG_RUNTIME_DIR", benchRuntimeDir()}, {"QT_LOGGING_RULES", "qt.qpa.*=false"},
        {kExitAfterFirstPaintVar, "1"},
    };
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        if (!overrides.count(name))
            env.push_back(entry);
    }
    for (const auto& [k, v] : overrides)
        env.push_back(k + "=" + v);
    return env;
}

struct Run {
    double seconds;
    double cpuSeconds;
    long maxRssKb;
    bool ok;
};

Run startOnce(const char* exe)
{
    static const std::vector<std::string> env = childEnvironment();
    std::vector<char*> envp;
    for (const auto& s : env)
        envp.push_back(const_cast<char*>(s.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(exe), nullptr};

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, STDOUT_FILENO);
            dup2(devnull, STDERR_FILENO);
        }
        execve(exe, argv, envp.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return {0, 0, 0, false};
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto toSeconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {secs, toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime), usage.ru_maxrss,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

void measure(benchmark::State& state, const char* name, const char* exe)
{
    Totals& t = g_totals[name];
    for (auto _ : state) {
        const Run r = startOnce(exe);
        if (!r.ok) {
            ++t.failures;
            state.SkipWithError("the program did not start and exit cleanly");
            break;
        }
        state.SetIterationTime(r.seconds);
        t.samples.push_back(r.seconds);
        t.seconds += r.seconds;
        t.cpuSeconds += r.cpuSeconds;
        ++t.runs;
        t.peakKb = std::max(t.peakKb, r.maxRssKb);
    }
    state.counters["peak_rss_MB"] = t.peakKb / 1024.0;
    state.counters["cpu_ms"] = t.runs ? t.cpuSeconds / t.runs * 1000 : 0;
}

void BM_StartupEmptyWindow(benchmark::State& state)
{
    measure(state, "empty", EMPTY_WINDOW_EXE);
}
void BM_StartupTextsWindow(benchmark::State& state)
{
    measure(state, "texts", TEXTS_WINDOW_EXE);
}
void BM_StartupTarnwellFree(benchmark::State& state)
{
    measure(state, "tarnwell", TARNWELL_EXE);
}
double medianMs(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2) * 1000;
}

// Repetitions spread each side over several stretches of the run; the three
// take turns, so a busy stretch of the machine falls on all of them.
void registerAll()
{
    for (int round = 0; round < 3; ++round)
        for (const auto& [name, fn] : {std::pair{"BM_StartupEmptyWindow", &BM_StartupEmptyWindow},
                                       {"BM_StartupTextsWindow", &BM_StartupTextsWindow},
                                       {"BM_StartupTarnwellFree", &BM_StartupTarnwellFree}})
            benchmark::RegisterBenchmark(name, fn)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(20);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(benchRuntimeDir(), ignored);
    std::filesystem::remove_all(benchHome(), ignored);
    const Totals& e = g_totals["empty"];
    const Totals& x = g_totals["texts"];
    const Totals& t = g_totals["tarnwell"];
    if (e.runs > 0 && x.runs > 0 && t.runs > 0) {
        const double em = medianMs(e.samples), xm = medianMs(x.samples), tm = medianMs(t.samples);
        std::printf("\nmedian start-up to first paint: empty window %.1f ms, same-texts window "
                    "%.1f ms, Tarnwell Free %.1f ms\n",
                    em, xm, tm);
        std::printf("ratio to the same-texts window %.2f (target <= 1.10); to the empty window "
                    "%.2f\n",
                    tm / xm, tm / em);
        const auto cpu = [](const Totals& a) { return a.cpuSeconds / a.runs * 1000; };
        std::printf("mean processor time (user + system): empty %.1f ms, same-texts %.1f ms, "
                    "Tarnwell Free %.1f ms; ratio to same-texts %.2f\n",
                    cpu(e), cpu(x), cpu(t), cpu(t) / cpu(x));
        std::printf("peak resident memory: empty window %.1f MiB, same-texts %.1f MiB, Tarnwell "
                    "Free %.1f MiB; over the empty window %.1f MiB (target <= 5)\n",
                    e.peakKb / 1024.0, x.peakKb / 1024.0, t.peakKb / 1024.0,
                    (t.peakKb - e.peakKb) / 1024.0);
    }
    return 0;
}
