// parse_bench: reads a VB project the way a check run does (TVbProjectSource, Load, Analyze: the
// project file, every member file, tokenizing and extraction) and reports throughput and peak
// memory.
//
//   parse_bench PROJECT.vbp [--repeat N] [--rules]
//
// Throughput is the source bytes (project file and every member file) divided by the wall time
// of Analyze; MB are 2^20 bytes. Peak memory is the process's maximum resident set size
// (getrusage), also given as a multiple of the source size. After the timed runs one more run
// calls the two halves of Analyze separately, to show how the time divides between reading the
// member files (the project's Parse) and tokenizing plus extraction (ParseChildren).
//
// With --rules, the nine rules then run over the parsed project (a check walk with result and log
// sinks, as vrt runs it), once all together and once each alone, to show what each costs.
//
// When the project folder holds the manifest.txt that gen_corpus.py writes, the parse is also
// checked against it: member count, physical lines and procedures per file. A mismatch (a
// procedure the parser lost or merged, a member it could not find) is listed and the exit code
// is 1, so a fast but wrong parse is not taken for a good result.

#include "checkers/Checkers.h"
#include "framework/Errors.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kMB = 1024.0 * 1024.0;

double Seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// CPU time of this process: on a machine shared with other work the wall time stretches with the
// load, the CPU time much less, so both are reported.
double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // kilobytes on Linux
}

std::uint64_t FileSize(const std::string& enginePath) {
    struct stat st {};
    if (stat(platform::NativePath(enginePath).c_str(), &st) != 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

struct Totals {
    std::uint64_t bytes = 0;
    long long tokens = 0, methods = 0, variables = 0, lines = 0;
    int members = 0, missing = 0, unparsed = 0;
};

Totals Count(TVbProjectSource& project) {
    Totals t;
    t.bytes = FileSize(project.FileName);
    for (TVtParts* child : project.Children) {
        ++t.members;
        if (!platform::FileExists(child->FileName)) {
            ++t.missing;
            continue;
        }
        t.bytes += FileSize(child->FileName);
        t.tokens += child->TokenCount();
        t.methods += child->MethodCount();
        t.variables += child->VariableCount();
        t.lines += child->LineCount();
        if (child->TokenCount() == 0) ++t.unparsed;
    }
    return t;
}

// What gen_corpus.py recorded: totals and, per member, its lines and procedures.
struct Manifest {
    bool present = false;
    long long members = -1, memberLines = -1, procedures = -1;
    struct Member {
        long long lines, procedures;
    };
    std::map<std::string, Member> files; // path relative to the project folder, with "/"
};

Manifest ReadManifest(const std::string& folder) {
    Manifest m;
    std::ifstream in(folder + "/manifest.txt");
    if (!in) return m;
    m.present = true;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            std::size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            std::string key = line.substr(0, eq);
            long long value = std::atoll(line.c_str() + eq + 1);
            if (key == "members") m.members = value;
            if (key == "member_lines") m.memberLines = value;
            if (key == "procedures") m.procedures = value;
            continue;
        }
        // kind TAB path TAB bytes TAB lines TAB procedures
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            std::size_t t = line.find('\t', start);
            fields.push_back(
                line.substr(start, t == std::string::npos ? std::string::npos : t - start));
            if (t == std::string::npos) break;
            start = t + 1;
        }
        if (fields.size() == 5)
            m.files[fields[1]] = {std::atoll(fields[3].c_str()), std::atoll(fields[4].c_str())};
    }
    return m;
}

// Compares the parsed project with the manifest; answers the number of problems found.
int CheckAgainstManifest(const Manifest& m, TVbProjectSource& project, const Totals& t,
                         const std::string& folder) {
    int problems = 0;
    auto report = [&](const std::string& what) {
        if (++problems <= 20) std::printf("  MISMATCH %s\n", what.c_str());
    };
    if (m.members >= 0 && m.members != t.members)
        report("members: manifest " + std::to_string(m.members) + ", parsed " +
               std::to_string(t.members));
    if (t.missing > 0) report(std::to_string(t.missing) + " member files not found");
    long long rawLines = 0;
    for (TVtParts* child : project.Children) {
        rawLines += child->RawLines.Count();
        std::string native = platform::NativePath(child->FileName);
        std::string rel =
            native.rfind(folder + "/", 0) == 0 ? native.substr(folder.size() + 1) : native;
        auto it = m.files.find(rel);
        if (it == m.files.end()) {
            report("member not in manifest: " + rel);
            continue;
        }
        if (child->MethodCount() != it->second.procedures)
            report(rel + ": procedures expected " + std::to_string(it->second.procedures) +
                   ", parsed " + std::to_string(child->MethodCount()));
        if (child->LineCount() != it->second.lines)
            report(rel + ": lines expected " + std::to_string(it->second.lines) + ", parsed " +
                   std::to_string(child->LineCount()));
    }
    if (m.memberLines >= 0 && m.memberLines != rawLines)
        report("member lines: manifest " + std::to_string(m.memberLines) + ", read " +
               std::to_string(rawLines));
    if (m.procedures >= 0 && m.procedures != t.methods)
        report("procedures: manifest " + std::to_string(m.procedures) + ", parsed " +
               std::to_string(t.methods));
    if (problems > 20) std::printf("  ... %d mismatches in all\n", problems);
    return problems;
}

int Usage() {
    std::fprintf(stderr, "usage: parse_bench PROJECT.vbp [--repeat N] [--rules]\n");
    return 2;
}

// One check walk over the project with the rules whose flag is set; answers its wall time.
double TimedCheck(TVbProjectSource& project, TVetrins& checkers, const std::vector<bool>& enabled,
                  TStringLines& results, TStringLines& log) {
    results.Clear();
    log.Clear();
    checkers.JumpRecords.Clear();
    for (int i = 0; i < checkers.Count(); ++i)
        checkers.Items(i)->Enabled = enabled[static_cast<std::size_t>(i)];
    Clock::time_point t0 = Clock::now();
    project.CheckTree(checkers);
    return Seconds(t0, Clock::now());
}

void RunRules(TVbProjectSource& project, double mb, double analyzeSeconds) {
    TVetrins checkers;
    AddAllCheckers(checkers);
    TStringLines results, log;
    checkers.SetResults(&results);
    checkers.SetLog(&log);
    project.SetLog(&log);
    std::vector<bool> all(static_cast<std::size_t>(checkers.Count()), true);
    double total = TimedCheck(project, checkers, all, results, log);
    std::size_t findings = results.Lines.size();
    std::printf(
        "rules        all %d: %.3f s (%.1f MB/s), %zu result lines; parse + check %.1f MB/s\n",
        checkers.Count(), total, mb / total, findings, mb / (analyzeSeconds + total));
    for (int i = 0; i < checkers.Count(); ++i) {
        std::vector<bool> one(all.size(), false);
        one[static_cast<std::size_t>(i)] = true;
        double s = TimedCheck(project, checkers, one, results, log);
        std::printf("  %-40s %.3f s %6zu result lines\n",
                    std::string(checkers.Items(i)->ClassName()).c_str(), s, results.Lines.size());
    }
    std::printf("peak memory  %.1f MB after the rules (%.2f x source)\n", PeakRssKb() / 1024.0,
                PeakRssKb() / 1024.0 / mb);
}

} // namespace

int main(int argc, char** argv) {
    std::string path;
    int repeat = 1;
    bool rules = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
            if (repeat < 1) return Usage();
        } else if (arg == "--rules") {
            rules = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else if (path.empty()) {
            path = arg;
        } else {
            return Usage();
        }
    }
    if (path.empty()) return Usage();
    std::string enginePath = platform::AbsolutePath(platform::EnginePath(path));
    if (!platform::FileExists(enginePath)) {
        std::fprintf(stderr, "parse_bench: %s: no such project file\n", path.c_str());
        return 2;
    }

    long baselineKb = PeakRssKb();
    try {
        std::vector<double> times, cpuTimes;
        Totals totals;
        std::unique_ptr<TVbProjectSource> project;
        TStringLines log; // the parse walk writes its progress lines as in a check run
        for (int r = 0; r < repeat; ++r) {
            if (project) project->ClearParts();
            project.reset();
            log.Clear();
            project = std::make_unique<TVbProjectSource>();
            project->SetLog(&log);
            project->Load(enginePath);
            double c0 = CpuSeconds();
            Clock::time_point t0 = Clock::now();
            project->Analyze();
            Clock::time_point t1 = Clock::now();
            cpuTimes.push_back(CpuSeconds() - c0);
            times.push_back(Seconds(t0, t1));
            if (r == 0) totals = Count(*project);
        }
        long peakKb = PeakRssKb();

        // The two halves of Analyze, timed apart, on a fresh project.
        project->ClearParts();
        project = std::make_unique<TVbProjectSource>();
        project->SetLog(&log);
        project->Load(enginePath);
        Clock::time_point s0 = Clock::now();
        project->Parse();
        Clock::time_point s1 = Clock::now();
        project->ParseChildren();
        Clock::time_point s2 = Clock::now();

        double best = *std::min_element(times.begin(), times.end());
        double bestCpu = *std::min_element(cpuTimes.begin(), cpuTimes.end());
        double worst = *std::max_element(times.begin(), times.end());
        double mb = static_cast<double>(totals.bytes) / kMB;
        std::printf("project      %s\n", path.c_str());
        std::printf("source       %.2f MB (%llu bytes) in %d members, %lld lines\n", mb,
                    static_cast<unsigned long long>(totals.bytes), totals.members, totals.lines);
        std::printf("model        %lld tokens, %lld methods, %lld module-level variables\n",
                    totals.tokens, totals.methods, totals.variables);
        std::printf("Analyze      best %.3f s of %d run(s)", best, repeat);
        if (repeat > 1)
            std::printf(" (slowest %.3f s, spread %.1f%%)", worst, 100.0 * (worst - best) / best);
        std::printf("\n");
        std::printf("throughput   %.1f MB/s, %.2f M tokens/s (CPU time %.3f s: %.1f MB/s)\n",
                    mb / best, totals.tokens / best / 1e6, bestCpu, mb / bestCpu);
        std::printf("split        read members %.3f s, tokenize+extract %.3f s (%.1f MB/s)\n",
                    Seconds(s0, s1), Seconds(s1, s2), mb / Seconds(s1, s2));
        std::printf(
            "peak memory  %.1f MB (%.2f x source); before loading %.1f MB, growth %.2f x source\n",
            peakKb / 1024.0, peakKb * 1024.0 / static_cast<double>(totals.bytes),
            baselineKb / 1024.0,
            (peakKb - baselineKb) * 1024.0 / static_cast<double>(totals.bytes));

        int problems = 0;
        std::string folder = platform::NativePath(platform::FolderPart(enginePath));
        Manifest manifest = ReadManifest(folder);
        if (manifest.present) {
            problems = CheckAgainstManifest(manifest, *project, Count(*project), folder);
            std::printf("check        %s\n",
                        problems == 0 ? "model matches manifest.txt (members, lines, procedures)"
                                      : "model does NOT match manifest.txt");
        }
        if (rules) RunRules(*project, mb, best);
        if (totals.unparsed > 0)
            std::printf("warning      %d members have no tokens\n", totals.unparsed);
        // One line for scripts.
        std::printf("RESULT bytes=%llu seconds=%.6f mbps=%.2f tokens=%lld tokps=%.0f peak_kb=%ld "
                    "multiple=%.3f "
                    "problems=%d cpu_seconds=%.6f\n",
                    static_cast<unsigned long long>(totals.bytes), best, mb / best, totals.tokens,
                    totals.tokens / best, peakKb,
                    peakKb * 1024.0 / static_cast<double>(totals.bytes), problems, bestCpu);
        project->ClearParts();
        return problems == 0 ? 0 : 1;
    } catch (const EVetrinError& e) {
        std::fprintf(stderr, "parse_bench: %s\n", platform::Cp932ToUtf8(e.Message()).c_str());
        return 2;
    }
}
