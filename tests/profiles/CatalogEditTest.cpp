// The profile list's two catalog rewrites on a copy of a catalog: a profile
// put at the top of "Recent", a user profile deleted. Each rewrite replaces
// the file whole, keeps every other group, and never leaves a broken file.
#include "MyLeafMenu.h"
#include "ProfileTestEnv.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/frame.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <vector>

using namespace ptest;

namespace {

wxString Entry(const wxString& id)
{
    return wxString::Format("  <subsection seq=\"1\" level=\"2\" isShow=\"1\" id=\"%s\" alias=\"%s\" "
                            "image=\"\" description=\"d\" transfer_extra_param=\"-b 100k\"/>\n",
                            id, id);
}

// A catalog with "Recent" holding `recent` (absent when null), a general
// group and "User Defined" with u1, u2, u1.
wxString Catalog(const std::vector<wxString>* recent)
{
    wxString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n";
    if (recent) {
        xml += " <section isShow=\"1\" id=\"Recent\" alias=\"Recent\">\n";
        for (const wxString& id : *recent)
            xml += Entry(id);
        xml += " </section>\n";
    }
    xml += " <section isShow=\"1\" id=\"General\" alias=\"General\">\n" + Entry("g1 (*.mp4)") +
           Entry("g2 (*.mkv)") + " </section>\n";
    xml += " <section isShow=\"1\" id=\"User Defined\" alias=\"User Defined\">\n" + Entry("u1") +
           Entry("u2") + Entry("u1") + " </section>\n</catalog>\n";
    return xml;
}

std::vector<wxString> ChildIds(const wxXmlDocument& document, const wxString& group)
{
    std::vector<wxString> ids;
    for (wxXmlNode* g = document.GetRoot()->GetChildren(); g; g = g->GetNext()) {
        if (g->GetAttribute("id") != group)
            continue;
        for (wxXmlNode* p = g->GetChildren(); p; p = p->GetNext())
            ids.push_back(p->GetAttribute("id"));
    }
    return ids;
}

std::vector<wxString> GroupIds(const wxXmlDocument& document)
{
    std::vector<wxString> ids;
    for (wxXmlNode* g = document.GetRoot()->GetChildren(); g; g = g->GetNext())
        ids.push_back(g->GetAttribute("id"));
    return ids;
}

// Nothing but the catalog in its folder: no temporary file left behind.
std::vector<wxString> FolderFiles(const ProfileTestEnv& env)
{
    std::vector<wxString> names;
    wxDir dir(wxString::FromUTF8(env.Root() + "/Plugin/FormatList"));
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name))
        names.push_back(name);
    return names;
}

struct ListHost {
    ListHost()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(0, 0), wxSize(400, 200), wxBORDER_NONE);
        leaf = new MyLeafMenu(frame, 2205, wxEmptyString, wxPoint(0, 0), wxSize(400, 165));
    }
    ~ListHost() { frame->Destroy(); }
    void SetSource(const wxString& id)
    {
        wxXmlNode* source = leaf->GetSourceNode();
        const char* names[] = {"transfer_extra_param", "description", "image", "alias", "id",
                               "isShow", "level", "seq"};
        for (const char* name : names)
            source->AddAttribute(name, name == wxString("id") ? id : wxString("v-") + name);
    }
    // "new" put into "Recent", "u1" deleted from "User Defined".
    void RunBothEdits()
    {
        SetSource("new");
        leaf->AddToRecent();
        wxXmlNode node(wxXML_ELEMENT_NODE, "subsection");
        node.AddAttribute("id", "u1");
        leaf->DeleteUserProfile(&node);
    }
    wxFrame* frame;
    MyLeafMenu* leaf;
};

}  // namespace

TEST(CatalogEdit, AddToRecentPutsTheProfileFirstAndKeepsTen)
{
    struct Case {
        const char* name;
        std::vector<wxString> before;
        std::vector<wxString> after;
    };
    std::vector<wxString> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(wxString::Format("r%d", i));
    std::vector<wxString> tenAfter = {"new"};
    tenAfter.insert(tenAfter.end(), ten.begin(), ten.begin() + 9);
    std::vector<wxString> tenWithNew(ten);
    tenWithNew[4] = "new";
    std::vector<wxString> tenWithNewAfter = {"new", "r0", "r1", "r2", "r3", "r5", "r6", "r7", "r8", "r9"};
    const Case cases[] = {
        {"empty group", {}, {"new"}},
        {"one other", {"r0"}, {"new", "r0"}},
        {"already listed", {"r0", "new", "r1"}, {"new", "r0", "r1"}},
        {"ten", ten, tenAfter},
        {"ten with the same", tenWithNew, tenWithNewAfter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileTestEnv env(Catalog(&c.before));
        ListHost host;
        host.SetSource("new");
        host.leaf->AddToRecent();

        auto document = env.ReadCatalog();
        ASSERT_TRUE(document && document->GetRoot());
        EXPECT_EQ(ChildIds(*document, "Recent"), c.after);
        // The program's catalog is the file's new content.
        EXPECT_EQ(ChildIds(*env.Settings().catalog, "Recent"), c.after);
        EXPECT_EQ(GroupIds(*document), (std::vector<wxString>{"Recent", "General", "User Defined"}));
        EXPECT_EQ(ChildIds(*document, "General"), (std::vector<wxString>{"g1 (*.mp4)", "g2 (*.mkv)"}));
        EXPECT_EQ(ChildIds(*document, "User Defined"), (std::vector<wxString>{"u1", "u2", "u1"}));
        EXPECT_EQ(FolderFiles(env), (std::vector<wxString>{"format_catalog.bin"}));
    }
}

TEST(CatalogEdit, AddedRecentNodeCarriesTheEightAttributesInOrder)
{
    const std::vector<wxString> none;
    ProfileTestEnv env(Catalog(&none));
    ListHost host;
    host.SetSource("new");
    host.leaf->AddToRecent();
    auto document = env.ReadCatalog();
    ASSERT_TRUE(document);
    const wxXmlNode* node = document->GetRoot()->GetChildren()->GetChildren();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetName(), "subsection");
    const char* expected[] = {"seq", "level", "isShow", "id", "alias", "image", "description",
                              "transfer_extra_param"};
    const wxXmlAttribute* attribute = node->GetAttributes();
    for (const char* name : expected) {
        ASSERT_TRUE(attribute);
        EXPECT_EQ(attribute->GetName(), name);
        EXPECT_EQ(attribute->GetValue(), name == wxString("id") ? wxString("new") : wxString("v-") + name);
        attribute = attribute->GetNext();
    }
    EXPECT_FALSE(attribute);
}

TEST(CatalogEdit, WithoutRecentOrFileNothingIsLost)
{
    ProfileTestEnv env(Catalog(nullptr));
    {
        ListHost host;
        host.SetSource("new");
        host.leaf->AddToRecent();
    }
    auto document = env.ReadCatalog();
    ASSERT_TRUE(document);
    EXPECT_EQ(GroupIds(*document), (std::vector<wxString>{"General", "User Defined"}));
    EXPECT_EQ(ChildIds(*document, "General"), (std::vector<wxString>{"g1 (*.mp4)", "g2 (*.mkv)"}));
    EXPECT_EQ(ChildIds(*document, "User Defined"), (std::vector<wxString>{"u1", "u2", "u1"}));

    // No catalog file: neither edit creates one.
    ASSERT_EQ(::unlink(env.CatalogPath().ToStdString().c_str()), 0);
    ListHost host;
    host.RunBothEdits();
    EXPECT_FALSE(mvtest::FileExists(env.CatalogPath().ToStdString()));
    EXPECT_TRUE(FolderFiles(env).empty());
}

TEST(CatalogEdit, DeleteUserProfileRemovesTheFirstMatchOnly)
{
    struct Case {
        const char* name;
        const char* id;
        std::vector<wxString> after;
    };
    const Case cases[] = {
        {"first of two", "u1", {"u2", "u1"}},
        {"single", "u2", {"u1", "u1"}},
        {"unknown", "zz", {"u1", "u2", "u1"}},
    };
    const std::vector<wxString> recent = {"r0"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileTestEnv env(Catalog(&recent));
        ListHost host;
        wxXmlNode node(wxXML_ELEMENT_NODE, "subsection");
        node.AddAttribute("id", c.id);
        host.leaf->DeleteUserProfile(&node);
        auto document = env.ReadCatalog();
        ASSERT_TRUE(document);
        EXPECT_EQ(ChildIds(*document, "User Defined"), c.after);
        EXPECT_EQ(ChildIds(*env.Settings().catalog, "User Defined"), c.after);
        EXPECT_EQ(ChildIds(*document, "Recent"), recent);
        EXPECT_EQ(ChildIds(*document, "General"), (std::vector<wxString>{"g1 (*.mp4)", "g2 (*.mkv)"}));
        EXPECT_EQ(FolderFiles(env), (std::vector<wxString>{"format_catalog.bin"}));
    }
}

TEST(CatalogEdit, FailedRewriteLeavesTheOldCatalog)
{
    // A file-size limit below the catalog's size makes every write run out
    // of room part way, as on a full disk.
    const std::vector<wxString> recent = {"r0"};
    ProfileTestEnv env(Catalog(&recent));
    const std::string before = mvtest::ReadFile(env.CatalogPath().ToStdString());
    ASSERT_GT(before.size(), 300u);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    {
        ListHost host;
        host.RunBothEdits();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(mvtest::ReadFile(env.CatalogPath().ToStdString()), before);
    EXPECT_EQ(FolderFiles(env), (std::vector<wxString>{"format_catalog.bin"}));
}
