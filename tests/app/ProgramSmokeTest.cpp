// The staged program, started as a user would: the main frame opens, closes
// on the window system's close request, and the catalog is left as it was.
#include "TestSupport.h"

#include <gtest/gtest.h>
// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const char* const kTitle = "Tarvelin Merovant";

// A private copy of the staged program folder and a home of its own.
class ProgramSmokeTest : public testing::Test {
protected:
    void SetUp() override
    {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no display";
        fs::copy(mvtest::StageDir(), root(), fs::copy_options::recursive);
        fs::create_directories(temp / "home/.config");
        catalog = root() + "/Plugin/FormatList/format_catalog.bin";
    }
    void TearDown() override
    {
        if (child > 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        if (display)
            XCloseDisplay(display);
    }
    std::string root() const { return temp / "Merovant"; }

    void Start()
    {
        const std::string home = temp / "home";
        std::vector<std::string> env = {
            "HOME=" + home,
            "XDG_CONFIG_HOME=" + home + "/.config",
            "XDG_DATA_HOME=" + home + "/.local/share",
            "XDG_CACHE_HOME=" + home + "/.cache",
            "MEROVANT_ACTION_LOG=" + (temp / "actions.log"),
            "GDK_BACKEND=x11",
            "NO_AT_BRIDGE=1",
            "SDL_AUDIODRIVER=dummy",
        };
        // The sanitizer settings too, so that a sanitizer build checks the program itself.
        for (const char* name : {"DISPLAY", "XAUTHORITY", "PATH", "ASAN_OPTIONS", "LSAN_OPTIONS",
                                 "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(name))
                env.push_back(std::string(name) + "=" + value);
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = root() + "/bin/Merovant";
        char* argv[] = {program.data(), nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, (temp / "out.txt").c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_addopen(&files, 2, (temp / "err.txt").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_EQ(posix_spawn(&child, program.c_str(), &files, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&files);
    }

    // The exit status once the program ends within the time, else -1.
    int WaitExit(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                child = -1;
                signalled = WIFSIGNALED(status);
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }

    // The viewable top-level window named kTitle, or 0.
    Window FindFrame(Window parent)
    {
        Window rootWindow, parentWindow, *children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (!XQueryTree(display, parent, &rootWindow, &parentWindow, &children, &count))
            return 0;
        for (unsigned int i = 0; i < count && !found; ++i) {
            char* name = nullptr;
            if (XFetchName(display, children[i], &name) && name) {
                XWindowAttributes attributes;
                if (std::string(name) == kTitle && XGetWindowAttributes(display, children[i], &attributes) &&
                    attributes.map_state == IsViewable)
                    found = children[i];
                XFree(name);
            }
            if (!found)
                found = FindFrame(children[i]);
        }
        if (children)
            XFree(children);
        return found;
    }

    // The viewable windows directly under the root (no window manager runs,
    // so every shown top-level window is one of them).
    int CountShownTopLevels()
    {
        Window rootWindow, parentWindow, *children = nullptr;
        unsigned int count = 0;
        int shown = 0;
        if (!XQueryTree(display, DefaultRootWindow(display), &rootWindow, &parentWindow, &children, &count))
            return -1;
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
                !attributes.override_redirect)
                ++shown;
        }
        if (children)
            XFree(children);
        return shown;
    }

    Window WaitFrame(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (Window w = FindFrame(DefaultRootWindow(display)))
                return w;
            std::this_thread::sleep_for(50ms);
        }
        return 0;
    }

    // What a window manager sends when the user closes a window.
    void RequestClose(Window window)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    // The decorations the window asks of a window manager (Motif hints), or -1.
    long Decorations(Window window)
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
        long result = -1;
        if (XGetWindowProperty(display, window, hints, 0, 5, False, AnyPropertyType, &type, &format,
                               &count, &after, &data) == Success && data && format == 32 && count >= 3) {
            const long* words = reinterpret_cast<const long*>(data);
            if (words[0] & 2)  // decorations given
                result = words[2];
        }
        if (data)
            XFree(data);
        return result;
    }

    // Keeps a picture of the screen in the build folder, to be looked at.
    void Screenshot(const std::string& name)
    {
        const char* build = std::getenv("MV_BINARY_DIR");
        const std::string folder = std::string(build ? build : "/tmp") + "/tests/shots";
        fs::create_directories(folder);
        mvtest::Run({"import", "-window", "root", folder + "/" + name});
    }

    std::string Errors() { return mvtest::ReadFile(temp / "err.txt"); }

    mvtest::TempDir temp;
    Display* display = nullptr;
    pid_t child = -1;
    bool signalled = false;  // the last WaitExit saw a signal end the program
    std::string catalog;
};

TEST_F(ProgramSmokeTest, OpensClosesAndLeavesTheCatalogAsItWas)
{
    ASSERT_TRUE(mvtest::FileExists(catalog)) << "no staged catalog";
    const std::string before = mvtest::ReadFile(catalog);
    Start();
    const Window frame = WaitFrame(20s);
    ASSERT_NE(frame, 0u) << Errors();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, frame, &attributes));
    EXPECT_GT(attributes.width, 800);
    EXPECT_GT(attributes.height, 500);
    EXPECT_EQ(Decorations(frame), 0) << "the skin has its own title bar; no window-manager frame";
    std::this_thread::sleep_for(300ms);
    Screenshot("program-main-frame.png");
    // Only the frame: no assert or error box beside it.
    EXPECT_EQ(CountShownTopLevels(), 1);

    RequestClose(frame);
    EXPECT_EQ(WaitExit(15s), 0) << Errors();
    EXPECT_EQ(mvtest::ReadFile(catalog), before);
    // Nothing else appeared beside the catalog (no temporary file), and no
    // system action was asked for.
    for (const auto& entry : fs::directory_iterator(root() + "/Plugin/FormatList"))
        EXPECT_EQ(entry.path().extension(), ".bin") << entry.path();
    EXPECT_FALSE(mvtest::FileExists(temp / "actions.log"));
    EXPECT_TRUE(fs::is_directory(temp / "home/Tarvelin/Tarvelin Merovant"));
}

TEST_F(ProgramSmokeTest, MissingCatalogStillOpensAndLeavesNoFile)
{
    fs::remove(catalog);
    Start();
    const Window frame = WaitFrame(20s);
    ASSERT_NE(frame, 0u) << Errors();
    RequestClose(frame);
    EXPECT_EQ(WaitExit(15s), 0) << Errors();
    EXPECT_FALSE(mvtest::FileExists(catalog));
}

// Without a service library the program does not start, and it leaves the
// catalog as it was.
TEST_F(ProgramSmokeTest, MissingLibraryStopsTheStart)
{
    struct Case {
        const char* name;
        const char* folder;
        const char* prefix;
        const char* error;
    };
    const Case cases[] = {
        {"image library", "/bin", "libZR_Image", "ZR_Image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root());
        fs::copy(mvtest::StageDir(), root(), fs::copy_options::recursive);
        for (const auto& entry : fs::directory_iterator(root() + c.folder))
            if (entry.path().filename().string().rfind(c.prefix, 0) == 0)
                fs::remove(entry.path());
        const std::string before = mvtest::ReadFile(catalog);
        Start();
        const int status = WaitExit(15s);
        EXPECT_NE(status, -1) << "still running";
        EXPECT_NE(status, 0);
        EXPECT_NE(Errors().find(c.error), std::string::npos) << Errors();
        EXPECT_EQ(mvtest::ReadFile(catalog), before);
        if (status == -1)
            break;
    }
}

// A missing or damaged skin: a message box names the file and the problem;
// once it is answered with the pointer on its button, the program ends with a
// failure status and the catalog as it was.
TEST_F(ProgramSmokeTest, UnusableSkinIsToldInAMessageBox)
{
    const std::string archive = root() + "/Themes/default.zip";
    const std::string whole = mvtest::ReadFile(archive);
    ASSERT_FALSE(whole.empty()) << "no staged skin";
    struct Case {
        const char* name;
        bool present;
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"missing", false, "", "is missing."},
        {"truncated", true, whole.substr(0, whole.size() * 2 / 3), "is damaged or truncated."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(archive);
        if (c.present)
            mvtest::WriteFile(archive, c.bytes);
        const std::string before = mvtest::ReadFile(catalog);
        Start();
        const Window box = WaitFrame(20s);
        ASSERT_NE(box, 0u) << "no message box; " << Errors();
        std::this_thread::sleep_for(500ms);
        Screenshot(std::string("program-skin-") + c.name + ".png");
        EXPECT_EQ(WaitExit(300ms), -1) << "ended before the box was answered";

        // The box's only button sits at its lower right corner.
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(display, box, &attributes));
        int x = 0, y = 0;
        Window ignored;
        XTranslateCoordinates(display, box, DefaultRootWindow(display), attributes.width - 30,
                              attributes.height - 22, &x, &y, &ignored);
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XFlush(display);
        std::this_thread::sleep_for(200ms);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XFlush(display);
        std::this_thread::sleep_for(100ms);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);

        const int status = WaitExit(10s);
        EXPECT_NE(status, -1) << "still running after the box was answered";
        EXPECT_NE(status, 0);
        EXPECT_FALSE(signalled) << "ended by a signal";
        EXPECT_NE(Errors().find(archive), std::string::npos) << Errors();
        EXPECT_NE(Errors().find(c.problem), std::string::npos) << Errors();
        EXPECT_EQ(mvtest::ReadFile(catalog), before);
        if (status == -1)
            break;
    }
}

}  // namespace
