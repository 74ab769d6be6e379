#include "AppUtil.h"
#include "SystemActions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Sets (or clears) one environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_, old_;
    bool had_ = false;
};

// Installs a recorder for one scope.
class Recording {
public:
    Recording()
    {
        previous_ = SystemActions::SetRecorder(
            [this](const SystemActions::Action& a) { actions.push_back(a); });
    }
    ~Recording() { SystemActions::SetRecorder(previous_); }
    std::vector<SystemActions::Action> actions;

private:
    SystemActions::Recorder previous_;
};

// Folder names that a shell would split or reinterpret.
const char* const kAwkwardFolders[] = {
    "/tmp/My Videos",
    "/tmp/it's \"quoted\"",
    "/tmp/a;b&c|d $(echo x) `y` *",
    "/tmp/trailing blank ",
};

}  // namespace

TEST(SystemActions, EachActionIsOneProgramWithAnArgumentVector)
{
    Recording rec;
    for (const char* folder : kAwkwardFolders)
        EXPECT_TRUE(AppUtil::OpenFolderInExplorer(folder));
    EXPECT_TRUE(AppUtil::OpenWebPage("http://127.0.0.1/help?a=1&b='2'"));
    EXPECT_TRUE(AppUtil::PowerOff());
    EXPECT_TRUE(SystemActions::OpenFolder("-rf"));
    EXPECT_TRUE(SystemActions::OpenUrl("--help"));

    const size_t n = std::size(kAwkwardFolders);
    ASSERT_EQ(rec.actions.size(), n + 4);
    for (size_t i = 0; i < n; ++i) {
        const auto& a = rec.actions[i];
        EXPECT_EQ(a.kind, SystemActions::Kind::OpenFolder);
        EXPECT_EQ(a.argv, (std::vector<std::string>{"xdg-open", kAwkwardFolders[i]}));
        EXPECT_EQ(a.LogLine(), std::string("open-folder ") + kAwkwardFolders[i]);
    }
    EXPECT_EQ(rec.actions[n].argv,
              (std::vector<std::string>{"xdg-open", "http://127.0.0.1/help?a=1&b='2'"}));
    EXPECT_EQ(rec.actions[n].LogLine(), "open-url http://127.0.0.1/help?a=1&b='2'");
    EXPECT_EQ(rec.actions[n + 1].argv, (std::vector<std::string>{"systemctl", "poweroff"}));
    EXPECT_EQ(rec.actions[n + 1].LogLine(), "poweroff");
    EXPECT_EQ(rec.actions[n + 2].argv, (std::vector<std::string>{"xdg-open", "./-rf"}))
        << "a name that starts with a dash must not read as an option";
    EXPECT_EQ(rec.actions[n + 3].argv, (std::vector<std::string>{"xdg-open", "./--help"}))
        << "nor an address";
}

TEST(SystemActions, BackslashFoldersFromOldCallersOpenWithSlashes)
{
    mvtest::TempDir dir;
    fs::create_directories(dir / "out put");
    Recording rec;
    std::string backslashed = dir / "out put";
    for (auto& ch : backslashed)
        if (ch == '/')
            ch = '\\';
    AppUtil::OpenFolderInExplorer(backslashed);
    ASSERT_EQ(rec.actions.size(), 1u);
    EXPECT_EQ(rec.actions[0].target, dir / "out put");
}

TEST(SystemActions, TheActionLogGetsOneLinePerAction)
{
    mvtest::TempDir dir;
    ScopedEnv log("MEROVANT_ACTION_LOG", (dir / "actions.log").c_str());
    // The log file is what another process (the program under test) writes.
    EXPECT_TRUE(SystemActions::OpenFolder("/tmp/My Videos"));
    EXPECT_TRUE(SystemActions::OpenUrl("http://127.0.0.1:1/x y"));
    EXPECT_TRUE(SystemActions::PowerOff());
    // A name may hold any byte but '/' and NUL: control characters are
    // written escaped, and each action is still one line.
    EXPECT_TRUE(SystemActions::OpenFolder("/tmp/two\nlines\r\tand\x01\x7f"));
    EXPECT_EQ(mvtest::ReadFile(dir / "actions.log"),
              "open-folder /tmp/My Videos\nopen-url http://127.0.0.1:1/x y\npoweroff\n"
              "open-folder /tmp/two\\nlines\\r\\tand\\x01\\x7f\n");
}

// Only http and https addresses reach the browser.
TEST(SystemActions, OnlyWebAddressesOpenAsWebPages)
{
    Recording rec;
    for (const char* refused : {"", "javascript:alert(1)//", "file:///etc/passwd", "ftp://127.0.0.1/x",
                                "mailto:a@b.example", "http://", "/etc/passwd", "127.0.0.1/help",
                                "http://127.0.0.1/x\nfile:///etc/passwd", " https://127.0.0.1/x"})
        EXPECT_FALSE(AppUtil::OpenWebPage(refused)) << refused;
    EXPECT_TRUE(rec.actions.empty());
    for (const char* web : {"http://127.0.0.1/help", "https://www.example.com/a?b=1#c", "HTTPS://EXAMPLE.COM/"})
        EXPECT_TRUE(AppUtil::OpenWebPage(web)) << web;
    ASSERT_EQ(rec.actions.size(), 3u);
    EXPECT_EQ(rec.actions[2].target, "HTTPS://EXAMPLE.COM/");
}

// With stand-ins for xdg-open and systemctl as the only programs on PATH, the
// real spawn path runs: the stand-in writes each argument it received on a
// line of its own.
TEST(SystemActions, SpawnHandsTheArgumentsOverUntouched)
{
    mvtest::TempDir dir;
    const std::string out = dir / "received";
    // A descriptor of ours that is not close-on-exec must not reach the program.
    const int ours = open("/dev/null", O_RDONLY);
    ASSERT_GE(ours, 3);
    for (const char* name : {"xdg-open", "systemctl"}) {
        const std::string script = dir / name;
        mvtest::WriteFile(script, "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '[%s]\\n' \"$a\"; done >> '" +
                                      out + ".tmp'\n[ -e /proc/$$/fd/" + std::to_string(ours) +
                                      " ] && echo leaked >> '" + out + ".tmp'\n/bin/mv '" + out +
                                      ".tmp' '" + out + "'\n");
        fs::permissions(script, fs::perms::owner_all);
    }
    ScopedEnv path("PATH", dir.path().c_str());
    ScopedEnv log("MEROVANT_ACTION_LOG", nullptr);

    auto received = [&]() {
        for (int i = 0; i < 500 && !mvtest::FileExists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::string text = mvtest::ReadFile(out);
        fs::remove(out);
        return text;
    };
    for (const char* folder : kAwkwardFolders) {
        ASSERT_TRUE(SystemActions::OpenFolder(folder));
        EXPECT_EQ(received(), "[" + (dir / "xdg-open") + "]\n[" + folder + "]\n");
    }
    ASSERT_TRUE(SystemActions::PowerOff());
    EXPECT_EQ(received(), "[" + (dir / "systemctl") + "]\n[poweroff]\n");

    EXPECT_FALSE(SystemActions::Spawn({"no-such-program-here"}));
    EXPECT_FALSE(SystemActions::Spawn({}));
    EXPECT_FALSE(SystemActions::OpenUrl("")) << "an empty address starts nothing";
    close(ours);
}
