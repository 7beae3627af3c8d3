// Benchmark program for scripts/bench.sh. Prints figures; asserts nothing.
//   filnor_bench walk <folder>      walk to a counting receiver
//   filnor_bench extract <folder>   the real window: extraction into the list
//                                   view, then the list file written; with
//                                   memory and input-delay figures
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/main_window_state.h"
#include "export/desktop_file.h"
#include "export/list_export.h"
#include "extract/folder_walk.h"
#include "extract/result_list.h"

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

size_t WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return peak ? pmc.PeakWorkingSetSize : pmc.WorkingSetSize;
}

int Walk(const std::string& folder) {
    long long count = 0;
    const double t0 = Now();
    WalkFolder(folder, [&](const FoundFile&) { ++count; });
    const double t = Now() - t0;
    std::printf("walk_seconds=%.3f files=%lld files_per_second=%.0f\n", t, count, count / t);
    return 0;
}

// Records how late the window's thread handles messages posted every 10 ms
// by another thread.
constexpr UINT kProbe = WM_APP + 77;
std::atomic<double> worstDelay{0};
std::atomic<long> probes{0};

LRESULT CALLBACK ProbeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        const double sent = static_cast<double>(lp) / 1e6;
        const double late = Now() - sent;
        if (late > worstDelay) worstDelay = late;
        ++probes;
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int Extract(const std::string& folder) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!window) return 1;
    auto state = StateOf(window);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "FilnorBenchProbe";
    RegisterClassA(&wc);
    HWND probe =
        CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);

    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    const size_t before = WorkingSet(false);

    std::atomic<bool> running{true};
    std::thread poster([&] {
        while (running) {
            PostMessageA(probe, kProbe, 0, static_cast<LPARAM>(Now() * 1e6));
            Sleep(10);
        }
    });

    const double t0 = Now();
    RunExtraction(state, folder);
    const double walked = Now() - t0;
    running = false;
    poster.join();
    const size_t after = WorkingSet(false);
    const size_t peak = WorkingSet(true);
    const int rows = RowCount(state->resultList);

    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string path = ListFilePath(DesktopDirectory(), now);
    const double t1 = Now();
    const bool written = WriteListFile(path, {ListFileContent(state->resultList)});
    const double exported = Now() - t1;
    DeleteFileA(path.c_str());

    std::printf("extract_seconds=%.3f export_seconds=%.3f total_seconds=%.3f rows=%d written=%d\n",
                walked, exported, walked + exported, rows, written ? 1 : 0);
    std::printf("working_set_before_mb=%.1f after_mb=%.1f peak_mb=%.1f growth_bytes_per_row=%.0f\n",
                before / 1048576.0, after / 1048576.0, peak / 1048576.0,
                rows ? (static_cast<double>(after) - static_cast<double>(before)) / rows : 0.0);
    std::printf("input_probes=%ld worst_input_delay_ms=%.1f\n", probes.load(),
                worstDelay.load() * 1000.0);
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}

// The list view alone: rows added with redraw off and no message handling,
// the lower bound of any extraction into the real list.
int Fill(int rows) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (!window) return 1;
    HWND list = StateOf(window)->resultList;
    const size_t before = WorkingSet(false);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    const double t0 = Now();
    for (int i = 0; i < rows; ++i) {
        AddResultRow(list, FoundFile{"文件" + std::to_string(i) + ".txt",
                                     "C:\\filnor-bench\\tree\\目录0001"});
    }
    const double t = Now() - t0;
    const size_t after = WorkingSet(false);
    std::printf("fill_seconds=%.3f rows=%d growth_bytes_per_row=%.0f\n", t, rows,
                (static_cast<double>(after) - static_cast<double>(before)) / rows);
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "walk") return Walk(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "extract") return Extract(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "fill") return Fill(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: filnor_bench walk|extract <folder>\n");
    return 2;
}
