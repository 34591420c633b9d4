// Runs the Linux product's preview into an X window of its own and checks what it drew:
// the still, pixel for pixel, black beyond it to the 160 x 120 block, untouched beyond
// the block; a clean exit within 2 s; and no top-level window made by the preview. Then
// the command lines that must draw nothing: handle 0 and a handle naming no window end
// quietly, a missing or too large handle ends with code 1 and one line on standard error.
//
// Usage: preview_window_check KELVORA STILL.png
// Exit code 0 when every check holds; each failed check prints one line.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/preview_expectation.h"

extern char** environ;

namespace {

using preview_expectation::Rgb;
using preview_expectation::WindowDifferences;
using preview_expectation::WindowHeight;
using preview_expectation::WindowWidth;
constexpr int StillWidth = platform::PreviewStillWidth;
constexpr int StillHeight = platform::PreviewStillHeight;
// White, so that a block left undrawn can never pass for the black margin.
constexpr unsigned long Background = 0xFFFFFF;

int failures = 0;

void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
}

Window MakeWindow(Display* display) {
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, WindowWidth,
                                        WindowHeight, 0, 0, Background);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    XEvent event;
    do XNextEvent(display, &event);
    while (event.type != Expose);
    return window;
}

struct Ended {
    int exitCode;  // -1 when the preview did not end by itself within 2 s
    std::string error;
};

std::string ReadFile(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
        char buffer[512];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

// Starts the preview with its standard error caught, and waits up to 2 s for it to end.
Ended RunPreview(const char* kelvora, const std::string& arguments) {
    std::vector<std::string> words = {kelvora};
    std::size_t start = 0;
    while (start < arguments.size()) {
        std::size_t end = arguments.find(' ', start);
        if (end == std::string::npos) end = arguments.size();
        if (end > start) words.push_back(arguments.substr(start, end - start));
        start = end + 1;
    }
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    std::string errorPath = std::string(folder && *folder ? folder : "/tmp") +
                            "/preview_check_stderr_" + std::to_string(getpid());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = 0;
    int spawned = posix_spawn(&child, kelvora, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {-1, "cannot start " + std::string(kelvora)};

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        usleep(1000);
    }
    std::string error = ReadFile(errorPath);
    unlink(errorPath.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, error};
}

// Top-level windows that other clients create while the preview runs.
int CountCreatedTopLevelWindows(Display* display) {
    int created = 0;
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) ++created;
    }
    return created;
}

// still null: the whole window must have stayed white.
void CheckWindow(Display* display, Window window, const unsigned char* still,
                 const std::string& arguments) {
    XImage* image = XGetImage(display, window, 0, 0, WindowWidth, WindowHeight, AllPlanes,
                              ZPixmap);
    if (!image) {
        Fail(arguments + ": the window's pixels cannot be read");
        return;
    }
    std::string wrong = WindowDifferences(still, [image](int x, int y) {
        unsigned long pixel = XGetPixel(image, x, y);
        return Rgb{int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    });
    if (!wrong.empty()) Fail(arguments + ": " + wrong);
    XDestroyImage(image);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s KELVORA STILL.png\n", argv[0]);
        return 2;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* still = stbi_load(argv[2], &width, &height, &channels, 3);
    if (!still || width != StillWidth || height != StillHeight) {
        std::fprintf(stderr, "%s is not a %dx%d picture\n", argv[2], StillWidth, StillHeight);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    if (DefaultDepth(display, DefaultScreen(display)) != 24) {
        std::fprintf(stderr, "the check compares exact 24-bit colours\n");
        return 2;
    }
    Window window = MakeWindow(display);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    CountCreatedTopLevelWindows(display);
    Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    CountCreatedTopLevelWindows(display);

    struct Case {
        std::string arguments;
        bool draws;
        int exitCode;
        std::string error;
    } cases[] = {
        {"/P " + std::to_string(window), true, 0, ""},
        {"/P 0", false, 0, ""},
        {"/P " + std::to_string(gone), false, 0, ""},
        {"/P", false, 1, "kelvora: the preview needs a window handle after /P\n"},
        {"/P 4294967296", false, 1,
         "kelvora: the preview window handle lies outside the 32-bit range\n"},
    };
    for (const Case& c : cases) {
        XClearWindow(display, window);
        XSync(display, False);
        Ended ended = RunPreview(argv[1], c.arguments);
        if (ended.exitCode != c.exitCode) {
            Fail(c.arguments + ": ended with " + std::to_string(ended.exitCode) + ", expected " +
                 std::to_string(c.exitCode) + " (-1: not by itself within 2 s)");
        }
        if (ended.error != c.error) {
            Fail(c.arguments + ": standard error was \"" + ended.error + "\"");
        }
        CheckWindow(display, window, c.draws ? still : nullptr, c.arguments);
        int created = CountCreatedTopLevelWindows(display);
        if (created) Fail(c.arguments + ": made " + std::to_string(created) + " top-level windows");
    }

    stbi_image_free(still);
    XCloseDisplay(display);
    if (failures == 0) std::printf("every preview command line behaved\n");
    return failures == 0 ? 0 : 1;
}
