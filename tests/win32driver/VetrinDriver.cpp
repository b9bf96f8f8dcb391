// vetrin-driver.exe: drives vetrin.exe under test, or stands in for the editor it starts.
//   vetrin-driver record FILE ARG...              writes the ARGs, one per line (UTF-8), to FILE
//   vetrin-driver SCENARIO EXPECTED VETRIN.EXE ARG...
//       starts VETRIN.EXE with the ARGs, runs the scenario (check, stop, editor, stats, dialog,
//       about, show, bench) against EXPECTED (a UTF-8 file of expected lines, the editor's record
//       file, the file that says the screen is ready, or the bench's rounds), closes the program
//       and answers 0 when everything held.
#include "Scenarios.h"

#include "RemoteWindows.h"
#include "win32/ControlIds.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::wstring Wide(const std::string& bytes) {
    int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
}

std::vector<std::wstring> ReadLines(const std::wstring& fileName) {
    std::ifstream file(std::filesystem::path(fileName), std::ios::binary);
    std::vector<std::wstring> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(Wide(line));
    }
    return lines;
}

int Record(int argc, wchar_t** argv) {
    std::ofstream file(std::filesystem::path(argv[2]), std::ios::binary);
    for (int i = 3; i < argc; ++i)
        file << Utf8(argv[i]) << '\n';
    return file ? 0 : 1;
}

// A command line that gives the program exactly these arguments.
std::wstring QuotedArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    int backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(static_cast<std::size_t>(c == L'"' ? backslashes * 2 + 1 : backslashes),
                      L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(static_cast<std::size_t>(backslashes * 2), L'\\');
    return quoted + L"\"";
}

int RunScenario(int argc, wchar_t** argv) {
    std::wstring scenario = argv[1], expected = argv[2];
    std::wstring commandLine = QuotedArgument(argv[3]);
    for (int i = 4; i < argc; ++i)
        commandLine += L" " + QuotedArgument(argv[i]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[3], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return driver::Fail("vetrin.exe does not start"), 1;
    driver::TApp app;
    app.ProcessId = process.dwProcessId;
    WaitForInputIdle(process.hProcess, 20000);
    bool ok = driver::WaitUntil(
        [&] {
            auto frames = driver::TopWindows(app.ProcessId, win32ids::FrameClass);
            app.Frame = frames.empty() ? nullptr : frames.front();
            return app.Frame && driver::MdiChild(app.Frame, win32ids::ProjectClass);
        },
        20000);
    if (!ok) driver::Fail("no frame with a project window");
    if (ok) {
        if (scenario == L"check")
            ok = driver::CheckScenario(app, ReadLines(expected));
        else if (scenario == L"stop")
            ok = driver::StopScenario(app);
        else if (scenario == L"editor")
            ok = driver::EditorScenario(app, expected);
        else if (scenario == L"stats")
            ok = driver::StatisticsScenario(app, ReadLines(expected));
        else if (scenario == L"dialog")
            ok = driver::DialogScenario(app);
        else if (scenario == L"about")
            ok = driver::AboutScenario(app);
        else if (scenario == L"bench")
            ok = driver::BenchScenario(app, std::max(1, _wtoi(expected.c_str())));
        else if (scenario == L"show")
            ok = driver::ShowScenario(app, expected);
        else
            ok = driver::Fail("unknown scenario");
    }
    // The program ends as closing the frame ends it, in reasonable time.
    if (app.Frame) PostMessageW(app.Frame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        ok = driver::Fail("vetrin.exe did not end after its frame was closed");
        TerminateProcess(process.hProcess, 3);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%s: %s\n", Utf8(scenario).c_str(), ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

namespace driver {

bool Fail(const std::string& what) {
    std::printf("failure: %s\n", what.c_str());
    std::fflush(stdout);
    return false;
}

} // namespace driver

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"record") return Record(argc, argv);
    if (argc >= 4) return RunScenario(argc, argv);
    std::fputs("usage: vetrin-driver record FILE ARG... | SCENARIO EXPECTED VETRIN.EXE ARG...\n",
               stderr);
    return 2;
}
