// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up time to the first frame drawn on an X display, and peak resident
// memory, of two programs run in turn, A B A B ...
//
//   startup_bench [--callgrind=DIR] PAIRS PROGRAM_A PROGRAM_B
//
// DISPLAY must name a running X server with no window manager (bench/run.sh
// starts Xvfb with -noreset). The programs are started unchanged, with
// QT_QPA_PLATFORM=xcb.
//
// How one run is measured, from outside the program:
// - The measurer listens on the root window for SubstructureNotify, so the
//   server tells it when a top-level window is mapped; no polling until then.
// - t0 is taken right before posix_spawn; the program is then started.
// - After the MapNotify of the program's window, the measurer reads two pixels
//   of the window (1 x 1 GetImage each, near the top-left and bottom-right
//   corners, both the window's background in both programs) every 100 us until
//   both have the background colour (192, 192, 255). Qt creates its windows
//   without a background, so the server draws nothing there itself: the
//   colour appears when the program's first frame has been put on the window.
//   That moment, minus t0, is the start-up time (resolution about 0.1 ms).
// - 300 ms later the program is ended with SIGTERM and reaped with wait4; its
//   ru_maxrss is the peak resident memory (the figure /usr/bin/time -v gives),
//   and its user + system CPU time a second view of the start-up that a busy
//   machine disturbs less than the wall clock does (it includes the 300 ms
//   after the frame, in which an idle program spends next to nothing).
//   The measurer waits for the window's DestroyNotify before the next run, so
//   no run sees the last one's pixels.
// - With --callgrind=DIR each program runs under
//   `valgrind --tool=callgrind`, which writes DIR/callgrind.A.N and
//   DIR/callgrind.B.N (N the pair): the instructions from the start to the
//   first frame and the 300 ms after it (`callgrind_annotate FILE | head`
//   gives the total). Times and memory are then valgrind's, not the program's.
#include <xcb/xcb.h>

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The measurer speaks C interfaces (xcb replies to free(), events to cast by
// their type, argv and environ, rusage): the C++ Core Guidelines checks that
// forbid exactly that are off in this file.
// NOLINTBEGIN(cppcoreguidelines-no-malloc,cppcoreguidelines-pro-bounds-pointer-arithmetic,cppcoreguidelines-pro-type-reinterpret-cast,cppcoreguidelines-pro-type-union-access)

namespace {

constexpr std::array<std::uint8_t, 3> kBackground{192, 192, 255};
constexpr double kTimeoutMs = 20000.0;
// Under valgrind, a program starts some fifty times slower.
constexpr double kCallgrindTimeoutMs = 300000.0;

double nowMs()
{
    timespec ts{};
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) {
        return 0.0;
    }
    return (static_cast<double>(ts.tv_sec) * 1e3) + (static_cast<double>(ts.tv_nsec) / 1e6);
}

struct Run {
    double startupMs = 0;
    double mapMs = 0;
    double cpuMs = 0;
    long maxRssKb = 0;
};

class Measurer {
public:
    Measurer() : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_) != 0) {
            (void)std::fprintf(stderr, "startup_bench: cannot connect to the X display\n");
            std::exit(2);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Measurer() { xcb_disconnect(connection_); }
    Measurer(const Measurer &) = delete;
    Measurer &operator=(const Measurer &) = delete;
    Measurer(Measurer &&) = delete;
    Measurer &operator=(Measurer &&) = delete;

    // Under callgrind when `profile` names the file to write.
    std::optional<Run> measure(const char *program, const std::string &profile = {})
    {
        drainEvents();
        Run run;
        std::vector<std::string> envStrings{"QT_QPA_PLATFORM=xcb"};
        for (char **e = environ; *e != nullptr; ++e) {
            if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) {
                envStrings.emplace_back(*e);
            }
        }
        std::vector<char *> env;
        env.reserve(envStrings.size() + 1);
        for (std::string &s : envStrings) {
            env.push_back(s.data());
        }
        env.push_back(nullptr);
        std::vector<std::string> args{program};
        if (!profile.empty()) {
            args = {"valgrind", "--tool=callgrind", "--callgrind-out-file=" + profile, program};
        }
        std::vector<char *> argv;
        argv.reserve(args.size() + 1);
        for (std::string &arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        const double timeoutMs = profile.empty() ? kTimeoutMs : kCallgrindTimeoutMs;

        pid_t pid = 0;
        const double t0 = nowMs();
        if (posix_spawnp(&pid, argv.front(), nullptr, nullptr, argv.data(), env.data()) != 0) {
            std::perror("startup_bench: posix_spawn");
            return std::nullopt;
        }

        std::optional<Run> result;
        const xcb_window_t window = waitForMap(t0, timeoutMs);
        if (window != XCB_NONE) {
            run.mapMs = nowMs() - t0;
            const auto [width, height] = size(window);
            while (nowMs() - t0 < timeoutMs) {
                if (hasBackground(window, 2, 2) && hasBackground(window, width - 3, height - 3)) {
                    run.startupMs = nowMs() - t0;
                    result = run;
                    break;
                }
                usleep(100);
            }
        }
        if (!result) {
            (void)std::fprintf(stderr, "startup_bench: %s showed no frame in time\n", program);
        }
        usleep(300 * 1000);
        kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (result) {
            result->maxRssKb = usage.ru_maxrss;
            const auto ms = [](const timeval &tv) {
                return (static_cast<double>(tv.tv_sec) * 1e3) +
                       (static_cast<double>(tv.tv_usec) / 1e3);
            };
            result->cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
        }
        if (window != XCB_NONE) {
            waitForDestroy(window);
        }
        return result;
    }

private:
    void drainEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            std::free(event);
        }
    }

    // The next event, or none after the time is up.
    std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> nextEvent(double deadline)
    {
        while (true) {
            if (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
                return {event, &std::free};
            }
            const double left = deadline - nowMs();
            if (left <= 0 || xcb_connection_has_error(connection_) != 0) {
                return {nullptr, &std::free};
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(std::min(left, 100.0)) + 1);
        }
    }

    xcb_window_t waitForMap(double t0, double timeoutMs)
    {
        while (auto event = nextEvent(t0 + timeoutMs)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event.get());
                if (map->override_redirect == 0) {
                    return map->window;
                }
            }
        }
        return XCB_NONE;
    }

    void waitForDestroy(xcb_window_t window)
    {
        const double deadline = nowMs() + 30000.0;
        while (auto event = nextEvent(deadline)) {
            if ((event->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
                reinterpret_cast<const xcb_destroy_notify_event_t *>(event.get())->window ==
                    window) {
                return;
            }
        }
    }

    std::pair<int, int> size(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *reply =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        if (reply == nullptr) {
            return {0, 0};
        }
        const std::pair<int, int> result{reply->width, reply->height};
        std::free(reply);
        return result;
    }

    bool hasBackground(xcb_window_t window, int x, int y)
    {
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            connection_,
            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<int16_t>(x),
                          static_cast<int16_t>(y), 1, 1, ~0U),
            nullptr);
        if (reply == nullptr) {
            return false;
        }
        bool matches = false;
        if (xcb_get_image_data_length(reply) >= 3) {
            // 24-bit depth, 32 bits a pixel, little-endian: blue, green, red.
            const std::uint8_t *data = xcb_get_image_data(reply);
            matches =
                data[2] == kBackground[0] && data[1] == kBackground[1] && data[0] == kBackground[2];
        }
        std::free(reply);
        return matches;
    }

    xcb_connection_t *connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
};

struct Stats {
    double median;
    double min;
    double max;
};

Stats stats(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[(n / 2) - 1] + values[n / 2]) / 2.0;
    return {median, values.front(), values.back()};
}

} // namespace

int main(int argc, char *argv[])
{
    std::string callgrindDir;
    if (argc == 5 && std::strncmp(argv[1], "--callgrind=", 12) == 0) {
        callgrindDir = argv[1] + 12;
        --argc;
        ++argv;
    }
    if (argc != 4) {
        (void)std::fprintf(stderr,
                           "usage: startup_bench [--callgrind=DIR] PAIRS PROGRAM_A PROGRAM_B\n");
        return 2;
    }
    const int pairs = std::max(1, static_cast<int>(std::strtol(argv[1], nullptr, 10)));
    const std::array<const char *, 2> programs{argv[2], argv[3]};
    Measurer measurer;

    std::array<std::vector<double>, 2> startup;
    std::array<std::vector<double>, 2> mapped;
    std::array<std::vector<double>, 2> cpu;
    std::array<std::vector<double>, 2> rss;
    std::printf("run  program  startup_ms  mapped_ms  cpu_ms  peak_rss_kib\n");
    // One unmeasured run of each first, so that both start from a warm cache.
    if (callgrindDir.empty()) {
        for (const char *program : programs) {
            measurer.measure(program);
        }
    }
    for (int pair = 1; pair <= pairs; ++pair) {
        for (std::size_t which = 0; which < 2; ++which) {
            const std::string profile = callgrindDir.empty()
                                            ? std::string()
                                            : callgrindDir + "/callgrind." +
                                                  (which == 0 ? "A." : "B.") + std::to_string(pair);
            const std::optional<Run> run = measurer.measure(programs.at(which), profile);
            if (!run) {
                return 1;
            }
            startup.at(which).push_back(run->startupMs);
            mapped.at(which).push_back(run->mapMs);
            cpu.at(which).push_back(run->cpuMs);
            rss.at(which).push_back(static_cast<double>(run->maxRssKb));
            std::printf("%3d  %c  %10.1f  %9.1f  %6.1f  %12ld\n", pair, which == 0 ? 'A' : 'B',
                        run->startupMs, run->mapMs, run->cpuMs, run->maxRssKb);
            (void)std::fflush(stdout);
        }
    }
    std::printf("\n%d pairs, A = %s, B = %s\n", pairs, programs[0], programs[1]);
    std::printf("%-22s %24s %24s %8s\n", "", "A median (min-max)", "B median (min-max)", "A/B");
    const auto line = [](const char *what, const std::vector<double> &a,
                         const std::vector<double> &b) {
        const Stats sa = stats(a);
        const Stats sb = stats(b);
        std::printf("%-22s %9.1f (%5.1f-%6.1f) %9.1f (%5.1f-%6.1f) %8.2f\n", what, sa.median,
                    sa.min, sa.max, sb.median, sb.min, sb.max, sa.median / sb.median);
    };
    line("first frame, ms", startup[0], startup[1]);
    line("window mapped, ms", mapped[0], mapped[1]);
    line("CPU time, ms", cpu[0], cpu[1]);
    const auto mib = [](std::vector<double> v) {
        for (double &x : v) {
            x /= 1024.0;
        }
        return v;
    };
    line("peak RSS, MiB", mib(rss[0]), mib(rss[1]));
    return 0;
}

// NOLINTEND(cppcoreguidelines-no-malloc,cppcoreguidelines-pro-bounds-pointer-arithmetic,cppcoreguidelines-pro-type-reinterpret-cast,cppcoreguidelines-pro-type-union-access)
