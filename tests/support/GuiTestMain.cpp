// main() for tests that need the toolkit: a wxApp that turns every toolkit
// assert and every GLib/GTK warning or critical into a test failure, then the
// tests run inside the initialised app.
#include <glib.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstring>
#include <set>
#include <string>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func,
                         const wxChar* cond, const wxChar* msg) override
    {
        ADD_FAILURE() << "toolkit assert at " << wxString(file) << ":" << line << " in "
                      << wxString(func) << ": " << wxString(cond) << " " << wxString(msg);
    }
};

// A warning or critical from the toolkit's libraries (a g_return_if_fail
// that failed, a widget given a size below its minimum) is a fault of the
// code under test, as an assert is. GTK logs most of them structured, past
// any per-domain handler, so the writer sees them; it still prints them.
GLogWriterOutput OnToolkitMessage(GLogLevelFlags level, const GLogField* fields, gsize count,
                                  gpointer)
{
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
        std::string domain, message;
        for (gsize i = 0; i < count; ++i) {
            const std::string key = fields[i].key;
            if (fields[i].length >= 0 || (key != "GLIB_DOMAIN" && key != "MESSAGE"))
                continue;
            (key == "GLIB_DOMAIN" ? domain : message) = static_cast<const char*>(fields[i].value);
        }
        static const std::set<std::string> watched = {"Gtk",          "Gdk",      "GLib",
                                                      "GLib-GObject", "GLib-GIO", "GdkPixbuf",
                                                      "Pango"};
        if (watched.count(domain))
            ADD_FAILURE() << "toolkit " << (level & G_LOG_LEVEL_WARNING ? "warning" : "critical")
                          << " from " << domain << ": " << message;
    }
    return g_log_writer_default(level, fields, count, nullptr);
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv)
{
    bool listOnly = false;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            listOnly = true;
    testing::InitGoogleTest(&argc, argv);
    if (listOnly)
        return RUN_ALL_TESTS();
    if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 1;
    }
    wxLog::SetActiveTarget(new wxLogStderr);
    g_log_set_writer_func(OnToolkitMessage, nullptr, nullptr);
    int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
