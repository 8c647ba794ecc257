// Measures how long a program takes from process start until its first
// top-level window is mapped and painted on the X server of $DISPLAY.
//
//   startup_probe RUNS PROGRAM [ARGS...]
//
// For each run it starts PROGRAM, watches the root window for the map, and
// counts the window as painted at the first damage inside it after which
// the window's pixels are no longer one flat colour (the program has drawn
// its contents, not merely the server its background). The program is then
// ended and the next run begins. Prints one line per run and the medians:
//   run <i> mapped_ms <m> painted_ms <p>
//   median mapped_ms <m> painted_ms <p>
// Only needs libxcb and its damage extension, so that the measuring side
// loads nothing of what is being measured.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

double msSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool intersects(int ox, int oy, int ow, int oh) const {
        return ox < x + w && x < ox + ow && oy < y + h && y < oy + oh;
    }
};

class Probe {
public:
    bool open() {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn)) {
            std::fprintf(stderr, "startup_probe: cannot open the display\n");
            return false;
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_conn, &xcb_damage_id);
        if (!damage || !damage->present) {
            std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
            return false;
        }
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        Reply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
            m_conn, xcb_damage_query_version(m_conn, 1, 1), nullptr));
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
        // Damage on the root window reports drawing into every window on it.
        const xcb_damage_damage_t damageId = xcb_generate_id(m_conn);
        xcb_damage_create(m_conn, damageId, m_root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(m_conn);
        return true;
    }

    ~Probe() {
        if (m_conn) {
            xcb_disconnect(m_conn);
        }
    }

    // One start; returns {mapped, painted} in ms, or nothing on failure.
    std::optional<std::pair<double, double>> measure(char **argv) {
        drain(std::chrono::milliseconds(200));
        const Clock::time_point start = Clock::now();
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
            std::perror("startup_probe: cannot start the program");
            return std::nullopt;
        }
        std::optional<double> mapped;
        std::optional<double> painted;
        xcb_window_t window = XCB_NONE;
        Rect area;
        const Clock::time_point deadline = start + std::chrono::seconds(20);
        while (!painted && Clock::now() < deadline) {
            xcb_generic_event_t *raw = next(deadline);
            if (!raw) {
                continue;
            }
            Reply<xcb_generic_event_t> event(raw);
            const Clock::time_point now = Clock::now();
            const int type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && window == XCB_NONE) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(raw);
                if (map->override_redirect) {
                    continue;
                }
                window = map->window;
                mapped = msSince(start, now);
                area = geometry(window);
                if (drawn(window, area)) {  // painted before we could look
                    painted = mapped;
                }
            } else if (type == m_damageEvent && window != XCB_NONE) {
                const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(raw);
                if (area.intersects(damage->area.x, damage->area.y, damage->area.width,
                                    damage->area.height) &&
                    drawn(window, area)) {
                    painted = msSince(start, now);
                }
            }
        }
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!mapped || !painted) {
            std::fprintf(stderr, "startup_probe: no painted window within 20 s\n");
            return std::nullopt;
        }
        return std::make_pair(*mapped, *painted);
    }

private:
    xcb_generic_event_t *next(Clock::time_point deadline) {
        if (xcb_generic_event_t *event = xcb_poll_for_event(m_conn)) {
            return event;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::max<long long>(0, left.count())));
        return xcb_poll_for_event(m_conn);
    }

    void drain(std::chrono::milliseconds quiet) {
        const Clock::time_point until = Clock::now() + quiet;
        while (xcb_generic_event_t *event = next(until)) {
            std::free(event);
        }
    }

    Rect geometry(xcb_window_t window) {
        Reply<xcb_get_geometry_reply_t> reply(
            xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, window), nullptr));
        if (!reply) {
            return {};
        }
        return {reply->x, reply->y, reply->width, reply->height};
    }

    // True once the window shows more than one colour.
    bool drawn(xcb_window_t window, const Rect &area) {
        if (area.w <= 0 || area.h <= 0) {
            return false;
        }
        Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
            m_conn,
            xcb_get_image(m_conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                          static_cast<uint16_t>(area.w), static_cast<uint16_t>(area.h), ~0u),
            nullptr));
        if (!image) {
            return false;
        }
        const int length = xcb_get_image_data_length(image.get());
        if (length < 8) {
            return false;
        }
        const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
        const uint32_t first = pixels[0] & 0xffffff;
        for (int i = 1; i < length / 4; ++i) {
            if ((pixels[i] & 0xffffff) != first) {
                return true;
            }
        }
        return false;
    }

    xcb_connection_t *m_conn = nullptr;
    xcb_window_t m_root = XCB_NONE;
    int m_damageEvent = -1;
};

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Probe probe;
    if (runs < 1 || !probe.open()) {
        return 2;
    }
    std::vector<double> mapped;
    std::vector<double> painted;
    for (int i = 1; i <= runs; ++i) {
        const auto result = probe.measure(argv + 2);
        if (!result) {
            return 1;
        }
        mapped.push_back(result->first);
        painted.push_back(result->second);
        std::printf("run %d mapped_ms %.1f painted_ms %.1f\n", i, result->first, result->second);
    }
    std::printf("median mapped_ms %.1f painted_ms %.1f\n", median(mapped), median(painted));
    return 0;
}
