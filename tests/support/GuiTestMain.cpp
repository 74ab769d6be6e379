// main() for tests that need the toolkit: a wxApp that turns every toolkit
// assert into a test failure, then the tests run inside the initialised app.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstring>

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
    int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
