// Measures one run of a windowed program in the X server named by DISPLAY:
//   measure_process TITLE PROGRAM [ARGUMENTS...]
// starts the program, and prints one line "start-up-ms resident-KiB idle-cpu-ms": the time from
// the exec to the mapping of a window titled TITLE, the resident memory one second later, and
// the CPU time all its threads use in the ten seconds after that. Then ends the program.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kMapTimeout = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::seconds(1);
constexpr auto kIdleSpan = std::chrono::seconds(10);

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

std::string WindowName(xcb_connection_t* x, xcb_window_t window) {
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256), nullptr),
        &std::free);
    if (!reply)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// A window manager maps a frame around the program's window, so the title is looked for in
// the mapped window and the windows inside it.
bool HoldsTitle(xcb_connection_t* x, xcb_window_t window, const std::string& title, int depth) {
    if (WindowName(x, window) == title)
        return true;
    if (depth == 0)
        return false;
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr), &std::free);
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (HoldsTitle(x, children[i], title, depth - 1))
            return true;
    }
    return false;
}

// Waits for a top-level window holding the title to be mapped; false on timeout.
bool WaitForMap(xcb_connection_t* x, const std::string& title) {
    const auto deadline = Clock::now() + kMapTimeout;
    pollfd connection{xcb_get_file_descriptor(x), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped && HoldsTitle(x, window, title, 3))
                return true;
        }
        if (xcb_connection_has_error(x))
            return false;
        poll(&connection, 1, 100);
    }
    return false;
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// Nanoseconds on a CPU, summed over all threads of the process.
long long CpuNanoseconds(pid_t pid) {
    long long total = 0;
    std::error_code error;
    for (const auto& thread :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(thread.path() / "schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu)
            total += onCpu;
    }
    return total;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server at DISPLAY\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(x);

    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    const bool mapped = WaitForMap(x, title);
    const auto startUp = Clock::now() - started;
    xcb_disconnect(x);

    int result = 1;
    if (mapped) {
        std::this_thread::sleep_for(kSettle);
        const long resident = ResidentKiB(pid);
        const long long before = CpuNanoseconds(pid);
        std::this_thread::sleep_for(kIdleSpan);
        const long long idle = CpuNanoseconds(pid) - before;
        std::printf("%.1f %ld %.2f\n", std::chrono::duration<double, std::milli>(startUp).count(),
                    resident, static_cast<double>(idle) / 1e6);
        result = 0;
    } else {
        std::fprintf(stderr, "%s mapped no window titled \"%s\"\n", argv[2], title.c_str());
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return result;
}
