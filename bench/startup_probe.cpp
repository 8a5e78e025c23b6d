// Starts a program and reports how long it took until its window was mapped on the
// X display (as the window manager lists it), its resident memory 1.5 s later and then the
// share of one core it used while left alone for STARTUP_PROBE_IDLE_SECONDS (default 0:
// not measured, printed as -1).
// Usage: startup_probe <program> [arguments...]; prints "<milliseconds> <kB> <idle %>".
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

std::vector<xcb_window_t> Windows(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop)
{
    std::vector<xcb_window_t> out;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_ATOM_WINDOW, 0, 1024), nullptr);
    if (r) {
        const auto* v = static_cast<const xcb_window_t*>(xcb_get_property_value(r));
        out.assign(v, v + xcb_get_property_value_length(r) / 4);
        std::free(r);
    }
    return out;
}

long Cardinal(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop)
{
    long value = -1;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    if (r && xcb_get_property_value_length(r) == 4)
        value = *static_cast<const uint32_t*>(xcb_get_property_value(r));
    std::free(r);
    return value;
}

bool Viewable(xcb_connection_t* c, xcb_window_t w)
{
    xcb_get_window_attributes_reply_t* r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(r);
    return v;
}

long RssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// User and system time of the process in clock ticks.
long long CpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = all.rfind(')'); // the name may hold spaces
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(all.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        else if (i == 15)
            stime = std::stoll(field);
    }
    return utime + stime;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_probe <program> [arguments...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clients = Atom(c, "_NET_CLIENT_LIST"), wmPid = Atom(c, "_NET_WM_PID");

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    double ms = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        for (xcb_window_t w : Windows(c, root, clients))
            if (Cardinal(c, w, wmPid) == pid && Viewable(c, w))
                ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (ms >= 0)
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long rss = RssKb(pid);
    double idle = -1;
    const char* idleText = std::getenv("STARTUP_PROBE_IDLE_SECONDS");
    if (const double seconds = idleText ? std::atof(idleText) : 0; seconds > 0) {
        const long long before = CpuTicks(pid);
        const auto from = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        const long long after = CpuTicks(pid);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
        if (before >= 0 && after >= before)
            idle = 100.0 * static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) / wall;
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    std::printf("%.1f %ld %.3f\n", ms, rss, idle);
    return ms < 0 ? 1 : 0;
}
