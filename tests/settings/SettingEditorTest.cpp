// The profile settings editor on a copy of the staged program folder: the
// option lists from "settings.bin", "Save Profile As" into "User Defined"
// (every other group kept, never a broken file), and OK making the chosen
// profile current and telling the file list.
#include "CatalogLoadJob.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"
#include "MenuRowPainter.h"
#include "MyLeafMenu.h"
#include "MyOutputStream.h"
#include "MyPopupMenu.h"
#include "NotifyCode.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "PvObserver.h"
#include "PvSubject.h"
#include "SettingDialog.h"
#include "SettingFrame.h"
#include "StagedCopy.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/regex.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textdlg.h>

#include <algorithm>
#include <memory>

using namespace stest;

namespace {

constexpr long kDialogStyle = wxBORDER_NONE | wxFRAME_SHAPED;

struct Editor {
    Editor() : dialog(new SettingDialog(nullptr, wxID_ANY, "Setting", wxDefaultPosition,
                                        wxDefaultSize, kDialogStyle))
    {
        frame = dynamic_cast<SettingFrame*>(dialog->FindWindow(SettingFrame::ID_SETTING_FRAME));
    }
    ~Editor()
    {
        dialog->Destroy();
        ptest::Pump(50);
    }
    // Shown, with its own catalog loaded and its lists filled.
    bool ShowLoaded()
    {
        return frame && ptest::ShowAndWait(dialog) &&
               ptest::WaitFor([&] { return frame->IsCatalogLoaded(); });
    }
    void ClickButton(int id) const
    {
        wxWindow* button = frame->FindWindow(id);
        ASSERT_TRUE(button);
        ClickCentre(button);
    }

    SettingDialog* dialog;
    SettingFrame* frame = nullptr;
};

// Answers the name dialogs of "Save Profile As" in turn, keeping what each
// one offered; the last answer goes to any further dialog.
struct NameAnswers {
    struct Answer {
        wxString name;
        int code;
    };
    explicit NameAnswers(std::vector<Answer> answers)
        : list(std::move(answers)), hook(CLASSINFO(wxTextEntryDialog), [this](wxDialog* dialog) {
              auto* entry = static_cast<wxTextEntryDialog*>(dialog);
              offered.push_back(entry->GetValue());
              const Answer& a = list[std::min(offered.size(), list.size()) - 1];
              entry->SetValue(a.name);
              return a.code;
          })
    {
    }
    std::vector<Answer> list;
    std::vector<wxString> offered;
    ModalAnswer hook;
};

std::vector<wxString> Entries(const wxChoice* choice)
{
    std::vector<wxString> entries;
    for (unsigned i = 0; i < choice->GetCount(); ++i)
        entries.push_back(choice->GetString(i));
    return entries;
}

// The lists of "settings.bin" for an alias, read here without the editor.
std::vector<wxString> StagedLists(const StagedCopy& copy, const wxString& alias)
{
    wxXmlDocument document;
    EXPECT_TRUE(LoadCatalogFile(document, wxString::FromUTF8(copy.Root()) +
                                              "/Plugin/FormatList/settings.bin"));
    std::vector<wxString> lists;
    for (const wxXmlNode* group : Elements(document.GetRoot()))
        for (const wxXmlNode* entry : Elements(group))
            if (entry->GetAttribute("id") == alias) {
                lists.clear();
                for (const wxXmlNode* block : Elements(entry))
                    for (const wxXmlNode* value : Elements(block))
                        lists.push_back(value->GetNodeContent());
            }
    return lists;
}

// `shown` is `full`, or a head of it cut with "…".
void ExpectWholeOrCut(const wxString& shown, const wxString& full)
{
    const wxString& ellipsis = MenuRowPainter::Ellipsis();
    if (shown.EndsWith(ellipsis))
        EXPECT_TRUE(full.StartsWith(shown.Left(shown.length() - ellipsis.length()))) << shown;
    else
        EXPECT_EQ(shown, full);
}

wxString CurrentAlias(StagedCopy& copy)
{
    FormatEntry entry;
    EXPECT_TRUE(FindProfile(*copy.Settings().catalog, copy.Settings().profileId, entry));
    return entry.alias;
}

class SettingEditorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy.ok()); }
    StagedCopy copy;
};

}  // namespace

TEST(SettingOptionList, SplitsAtEveryBar)
{
    struct Case {
        const char* list;
        std::vector<wxString> entries;
    };
    const Case cases[] = {
        {"a||b|", {"a", "", "b"}},
        {"one", {"one"}},
        {"", {}},
        {"|x", {"", "x"}},
    };
    for (const Case& c : cases) {
        const wxArrayString got = SettingFrame::SplitOptionList(c.list);
        EXPECT_EQ(std::vector<wxString>(got.begin(), got.end()), c.entries) << c.list;
    }
}

TEST_F(SettingEditorTest, ListsShowTheSettingsOfTheCurrentProfile)
{
    const wxString alias = CurrentAlias(copy);
    const std::vector<wxString> lists = StagedLists(copy, alias);
    ASSERT_EQ(lists.size(), 10u) << alias;

    Editor editor;
    ASSERT_TRUE(editor.ShowLoaded());
    EXPECT_EQ(editor.frame->GetChooser()->GetValue(), alias);
    for (int i = 0; i < SettingFrame::CHOICE_COUNT; ++i) {
        const wxChoice* choice = editor.frame->GetChoice(SettingFrame::Choice(i));
        const wxArrayString expected = SettingFrame::SplitOptionList(lists[i]);
        ASSERT_FALSE(expected.IsEmpty());
        EXPECT_EQ(Entries(choice), std::vector<wxString>(expected.begin(), expected.end())) << i;
        EXPECT_EQ(choice->GetSelection(), 0) << i;
        // Shown for reading: nothing chosen there would reach anything.
        EXPECT_FALSE(choice->IsEnabled()) << i;
    }
    ptest::Screenshot("profile-settings");

    // Missing, unreadable or without the alias: nothing to show.
    const wxString settings = wxString::FromUTF8(copy.Root()) + "/Plugin/FormatList/settings.bin";
    struct Case {
        const char* name;
        const char* bytes;  // scrambled as they stand; null: no file
        bool entryForOther;  // a readable file with another alias only
        int result;
    };
    const Case cases[] = {
        {"missing", nullptr, false, 0},
        {"not xml", "\x01\x02garbage", false, -1},
        {"no entry", nullptr, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::unlink(settings.ToStdString().c_str());
        if (c.bytes)
            mvtest::WriteFile(settings.ToStdString(), c.bytes);
        if (c.entryForOther) {
            wxXmlDocument other;
            auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "settings");
            auto* group = new wxXmlNode(root, wxXML_ELEMENT_NODE, "group");
            auto* entry = new wxXmlNode(group, wxXML_ELEMENT_NODE, "profile");
            entry->AddAttribute("id", "another alias");
            other.SetRoot(root);
            ASSERT_TRUE(CatalogWriter::Save(other, settings));
        }
        SettingFrame probe(editor.dialog, wxID_ANY, new wxBitmap(500, 390));
        probe.GetChooser()->SetValue("nothing like it");
        EXPECT_EQ(probe.LoadOptionLists(settings), c.result);
        probe.FillChoices();
        EXPECT_TRUE(probe.GetChoice(SettingFrame::CHOICE_RESOLUTION)->IsEmpty());
    }
}

// Every label, box caption and list entry of the editor fits its box in the
// font the editor picks, for the lists of every profile in "settings.bin".
TEST_F(SettingEditorTest, EveryTextFitsItsBox)
{
    Editor editor;
    ASSERT_TRUE(editor.ShowLoaded());
    SettingFrame* frame = editor.frame;

    ASSERT_EQ(frame->GetOptionBoxes().size(), 2u);
    int labels = 0;
    for (wxWindow* child : frame->GetChildren()) {
        auto* label = dynamic_cast<wxStaticText*>(child);
        if (!label)
            continue;
        SCOPED_TRACE(label->GetLabel().ToStdString());
        const wxSize extent = label->GetTextExtent(label->GetLabel());
        EXPECT_LE(extent.x, label->GetSize().x);
        EXPECT_LE(extent.y, label->GetSize().y);
        EXPECT_FALSE(label->GetLabel().EndsWith(MenuRowPainter::Ellipsis()));
        // A box's caption stays above the labels in it.
        for (const wxStaticBox* box : frame->GetOptionBoxes()) {
            if (box->GetRect().Contains(label->GetRect())) {
                EXPECT_LE(box->GetPosition().y + box->GetTextExtent(box->GetLabel()).y,
                          label->GetPosition().y);
            }
        }
        ++labels;
    }
    EXPECT_EQ(labels, 9);
    for (const wxStaticBox* box : frame->GetOptionBoxes())
        EXPECT_LT(box->GetTextExtent(box->GetLabel()).x, box->GetSize().x / 2);
    ProfileComboBox* combo = frame->GetChooser();
    ptest::ExpectTextsFit(combo, {combo->GetValueText()}, wxRect(combo->GetClientSize()),
                          {combo->GetButtonRect()}, CurrentAlias(copy));
    // The preset row: label, chooser and save-as button side by side.
    const wxRect preset = frame->GetPresetLabel()->GetRect();
    const wxRect chooser = frame->GetChooser()->GetRect();
    const wxRect saveAs = frame->FindWindow(SettingFrame::ID_SAVE_AS)->GetRect();
    EXPECT_LE(preset.GetRight(), chooser.x);
    EXPECT_LT(chooser.GetRight(), saveAs.x);
    EXPECT_LE(saveAs.GetRight(), frame->GetSize().x);

    wxXmlDocument settings;
    ASSERT_TRUE(LoadCatalogFile(settings, wxString::FromUTF8(copy.Root()) +
                                              "/Plugin/FormatList/settings.bin"));
    int profiles = 0;
    for (const wxXmlNode* group : Elements(settings.GetRoot()))
        for (const wxXmlNode* entry : Elements(group)) {
            const wxString alias = entry->GetAttribute("id");
            SCOPED_TRACE(alias.ToStdString());
            frame->GetChooser()->SetValue(alias);
            frame->FillChoices();
            const std::vector<wxString> lists = StagedLists(copy, alias);
            ASSERT_EQ(lists.size(), 10u);
            for (int i = 0; i < SettingFrame::CHOICE_COUNT; ++i) {
                wxChoice* choice = frame->GetChoice(SettingFrame::Choice(i));
                // wx's own measure: the widest entry in the choice's font and
                // what the theme draws around it.
                choice->InvalidateBestSize();
                EXPECT_LE(choice->GetBestSize().x, choice->GetSize().x) << i;
                const wxArrayString full = SettingFrame::SplitOptionList(lists[i]);
                const std::vector<wxString> shown = Entries(choice);
                ASSERT_EQ(shown.size(), full.size()) << i;
                for (size_t j = 0; j < shown.size(); ++j)
                    ExpectWholeOrCut(shown[j], full[j]);
            }
            ++profiles;
        }
    EXPECT_GT(profiles, 20);
    frame->GetChooser()->SetValue(CurrentAlias(copy));
    frame->FillChoices();
    ptest::Pump(100);
    ptest::Screenshot("settings-fit");
}

TEST_F(SettingEditorTest, SaveProfileAsAddsAUserProfileAndKeepsEveryGroup)
{
    const auto before = copy.ReadCatalog();
    const wxString alias = CurrentAlias(copy);
    const wxXmlNode* source = nullptr;
    for (const wxXmlNode* group : Elements(before->GetRoot()))
        for (const wxXmlNode* profile : Elements(group))
            if (profile->GetAttribute("alias") == alias && !source)
                source = profile;
    ASSERT_TRUE(source);
    const auto files = copy.FolderFiles();

    Editor editor;
    ASSERT_TRUE(editor.ShowLoaded());
    {
        NameAnswers answer({{"My Copy", wxID_OK}});
        editor.ClickButton(SettingFrame::ID_SAVE_AS);
        EXPECT_TRUE(ptest::WaitFor([&] { return answer.hook.seen() == 1; }));
        ASSERT_FALSE(answer.offered.empty());
        EXPECT_EQ(answer.offered[0], alias);
        editor.ClickButton(SettingFrame::ID_SAVE_AS);
        EXPECT_TRUE(ptest::WaitFor([&] { return answer.hook.seen() == 2; }));
    }
    // The editor stays open with its chooser as it was.
    EXPECT_TRUE(editor.dialog->IsShown());
    EXPECT_EQ(editor.frame->GetChooser()->GetValue(), alias);

    const auto after = copy.ReadCatalog();
    ASSERT_TRUE(after);
    EXPECT_EQ(copy.FolderFiles(), files);
    const auto groupsBefore = Elements(before->GetRoot());
    const auto groupsAfter = Elements(after->GetRoot());
    ASSERT_EQ(groupsAfter.size(), groupsBefore.size());
    for (size_t i = 0; i < groupsAfter.size(); ++i) {
        if (groupsAfter[i]->GetAttribute("id") != "User Defined") {
            EXPECT_EQ(XmlText(groupsAfter[i]), XmlText(groupsBefore[i]))
                << groupsAfter[i]->GetAttribute("id");
        }
    }

    const auto added = Elements(Group(*after, "User Defined"));
    ASSERT_EQ(added.size(), Elements(Group(*before, "User Defined")).size() + 2);
    const wxXmlNode* first = added[added.size() - 2];
    const wxXmlNode* second = added.back();
    EXPECT_NE(first->GetAttribute("id"), second->GetAttribute("id"));
    wxRegEx stamp("^[0-9]{14}(-[0-9]+)? \\(\\*\\.mp4\\)$", wxRE_ADVANCED);
    for (const wxXmlNode* node : {first, second}) {
        EXPECT_EQ(node->GetName(), "subsection");
        EXPECT_TRUE(stamp.Matches(node->GetAttribute("id"))) << node->GetAttribute("id");
        const char* names[] = {"seq", "level", "isShow", "id", "alias", "image", "description",
                               "transfer_extra_param"};
        const wxXmlAttribute* attribute = node->GetAttributes();
        for (const char* name : names) {
            ASSERT_TRUE(attribute);
            EXPECT_EQ(attribute->GetName(), name);
            if (name == wxString("alias")) {
                EXPECT_EQ(attribute->GetValue(), "My Copy");
            } else if (name != wxString("id")) {
                EXPECT_EQ(attribute->GetValue(), source->GetAttribute(name)) << name;
            }
            attribute = attribute->GetNext();
        }
        EXPECT_FALSE(attribute);
    }
}

TEST_F(SettingEditorTest, NoNameChangesNothing)
{
    const std::string bytes = copy.CatalogBytes();
    Editor editor;
    ASSERT_TRUE(editor.ShowLoaded());
    MessageBoxAnswer boxes;
    for (const NameAnswers::Answer& a : {NameAnswers::Answer{"Name", wxID_CANCEL},
                                         NameAnswers::Answer{"", wxID_OK}}) {
        SCOPED_TRACE(a.name.ToStdString());
        NameAnswers answers({a});
        editor.ClickButton(SettingFrame::ID_SAVE_AS);
        EXPECT_TRUE(ptest::WaitFor([&] { return answers.hook.seen() == 1; }));
        ptest::Pump(100);
        EXPECT_EQ(answers.hook.seen(), 1) << "asked once only";
        EXPECT_EQ(copy.CatalogBytes(), bytes);
    }
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(SettingEditorTest, AFailedWriteIsReportedAndTheNameAskedAgain)
{
    const std::string bytes = copy.CatalogBytes();
    const auto files = copy.FolderFiles();
    const wxString memory = XmlText(*copy.Settings().catalog);
    Editor editor;
    ASSERT_TRUE(editor.ShowLoaded());
    struct Case {
        const char* name;
        int fault;  // a FolderFault kind, or -1 for the file size limit
        const char* reason;
    };
    const Case cases[] = {
        {"file size limit", -1, "File too large"},
        {"read-only program folder", FolderFault::READ_ONLY, "Read-only file system"},
        {"full disk", FolderFault::FULL_DISK, "No space left on device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<FolderFault> folder;
        if (c.fault >= 0) {
            folder = std::make_unique<FolderFault>(copy, FolderFault::Kind(c.fault));
            ASSERT_TRUE(folder->ok()) << folder->failure();
        }
        {
            // Typed, refused, asked again with what was typed, then given up.
            NameAnswers answers({{"My Small MP4", wxID_OK}, {"", wxID_CANCEL}});
            MessageBoxAnswer boxes(std::string("save-failed-") + std::to_string(c.fault + 1));
            std::unique_ptr<FileSizeLimit> limit;
            if (c.fault < 0)
                limit = std::make_unique<FileSizeLimit>(200);
            editor.ClickButton(SettingFrame::ID_SAVE_AS);
            EXPECT_TRUE(ptest::WaitFor([&] { return answers.hook.seen() == 2; }));
            limit.reset();
            ASSERT_EQ(boxes.messages().size(), 1u);
            const wxString message = boxes.messages()[0];
            EXPECT_TRUE(message.Contains(copy.CatalogPath())) << message;
            EXPECT_TRUE(message.Contains(c.reason)) << message;
            ASSERT_EQ(answers.offered.size(), 2u);
            EXPECT_EQ(answers.offered[1], "My Small MP4");
        }
        EXPECT_TRUE(editor.dialog->IsShown());
        folder.reset();
        EXPECT_EQ(copy.CatalogBytes(), bytes);
        EXPECT_EQ(copy.FolderFiles(), files);
        EXPECT_EQ(XmlText(*copy.Settings().catalog), memory);
    }
    // Then the next save works and adds just one.
    NameAnswers answer({{"After", wxID_OK}});
    editor.ClickButton(SettingFrame::ID_SAVE_AS);
    EXPECT_TRUE(ptest::WaitFor([&] { return answer.hook.seen() == 1; }));
    const auto after = copy.ReadCatalog();
    ASSERT_TRUE(after);
    const auto added = Elements(Group(*after, "User Defined"));
    ASSERT_FALSE(added.empty());
    EXPECT_EQ(added.back()->GetAttribute("alias"), "After");
    // The program's catalog is the file's new content.
    EXPECT_EQ(XmlText(*copy.Settings().catalog), XmlText(*after));
}

TEST_F(SettingEditorTest, SaveKeepsWhatAnotherEditorSavedMeanwhile)
{
    // The customiser, here or in another running copy of the program, hides
    // a category after the editor read the catalog.
    for (const bool otherProcess : {false, true}) {
        SCOPED_TRACE(otherProcess ? "another running copy" : "this process");
        Editor editor;
        ASSERT_TRUE(editor.ShowLoaded());
        auto changed = copy.ReadCatalog();
        wxXmlNode* web = Group(*changed, "Web Video");
        ASSERT_TRUE(web);
        web->DeleteAttribute("isShow");
        web->AddAttribute("isShow", otherProcess ? "0" : "5");
        if (otherProcess) {
            // Written past this process's catalog writer, which counts its saves.
            MyOutputStream out(copy.CatalogPath());
            ASSERT_TRUE(changed->Save(out, 1));
        } else {
            copy.WriteCatalog(*changed);
        }

        const wxString alias = otherProcess ? "Later there" : "Later here";
        NameAnswers answer({{alias, wxID_OK}});
        editor.ClickButton(SettingFrame::ID_SAVE_AS);
        ASSERT_TRUE(ptest::WaitFor([&] { return answer.hook.seen() == 1; }));
        const auto after = copy.ReadCatalog();
        ASSERT_TRUE(after);
        EXPECT_EQ(Group(*after, "Web Video")->GetAttribute("isShow"), otherProcess ? "0" : "5");
        EXPECT_EQ(Elements(Group(*after, "User Defined")).back()->GetAttribute("alias"), alias);
    }
}

namespace {

// Stands in for the profile pane's chooser and the file list.
struct MainWindowStandIn {
    struct FileList : public wxPanel, public PvObserver {
        FileList(wxWindow* parent) : wxPanel(parent, PANE_FILE_LIST) {}
        using wxPanel::Update;
        void Update(PvSubject* subject, void* argument) override
        {
            codes.push_back(subject->GetState());
            arguments.push_back(argument);
        }
        std::vector<int> codes;
        std::vector<void*> arguments;
    };
    MainWindowStandIn()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(600, 100), wxBORDER_NONE);
        paneChooser = new ProfileComboBox(frame, PANE_PROFILE_CHOOSER, wxPoint(0, 0), wxSize(288, 22));
        paneChooser->SetValue("start");
        fileList = new FileList(frame);
        fileList->Move(0, 40);
    }
    ~MainWindowStandIn() { frame->Destroy(); }
    wxFrame* frame;
    ProfileComboBox* paneChooser;
    FileList* fileList;
};

}  // namespace

TEST_F(SettingEditorTest, OkMakesTheChosenProfileCurrentAndTellsTheFileList)
{
    MainWindowStandIn main;
    const AppSettings start = copy.Settings();
    struct Case {
        const char* name;
        int button;
        bool choose;
    };
    constexpr int kEscape = -1;
    const Case cases[] = {
        {"cancel", SettingFrame::ID_CANCEL, true},
        {"close", SettingFrame::ID_CLOSE, false},
        {"escape, a real key press, is cancel", kEscape, true},
        {"ok unchanged", SettingFrame::ID_OK, false},
        {"ok with another profile", SettingFrame::ID_OK, true},
    };
    // The second profile of the first category that has profiles.
    const wxXmlNode* chosen = nullptr;
    int categoryRow = 0;
    for (const wxXmlNode* group : Elements(copy.Settings().catalog->GetRoot())) {
        if (!IsShownNode(group))
            continue;
        const auto profiles = Elements(group);
        if (profiles.size() >= 2) {
            chosen = profiles[1];
            break;
        }
        ++categoryRow;
    }
    ASSERT_TRUE(chosen);
    const wxString startAlias = CurrentAlias(copy);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main.fileList->codes.clear();
        main.fileList->arguments.clear();
        main.paneChooser->SetValue("start");
        copy.Settings().profileId = start.profileId;
        copy.Settings().outputExtension = start.outputExtension;
        copy.Settings().idExtension = start.idExtension;

        Editor editor;
        ASSERT_TRUE(editor.ShowLoaded());
        ProfileComboBox* chooser = editor.frame->GetChooser();
        const int code = RunModal(*editor.dialog, [&] {
            if (c.choose) {
                ptest::ChooseProfile(chooser, categoryRow, 1);
                EXPECT_EQ(chooser->GetValue(), chosen->GetAttribute("alias"));
                EXPECT_EQ(editor.frame->GetOutputExtension(), ".mp4");
            }
            if (c.button != kEscape)
                return editor.ClickButton(c.button);
            ptest::MoveTo(editor.dialog, wxPoint(250, 150));
            ptest::PressKey(WXK_ESCAPE);
            ptest::Pump(300);
            if (editor.dialog->IsModal())
                editor.dialog->EndModal(-1);
        });
        EXPECT_NE(code, -1) << "the editor stayed open";

        const bool ok = c.button == SettingFrame::ID_OK;
        const wxString id = ok && c.choose ? chosen->GetAttribute("id") : start.profileId;
        EXPECT_EQ(copy.Settings().profileId, id);
        EXPECT_EQ(copy.Settings().outputExtension, "." + ExtensionFromLabel(id));
        EXPECT_EQ(copy.Settings().idExtension, "." + ExtensionFromLabel(id));
        const wxString alias = c.choose ? chosen->GetAttribute("alias") : startAlias;
        EXPECT_EQ(main.paneChooser->GetValue(), ok ? alias : wxString("start"));
        EXPECT_EQ(main.fileList->codes, ok ? std::vector<int>{NOTIFY_PROFILE_CHANGED} : std::vector<int>{});
        if (ok && !main.fileList->arguments.empty()) {
            EXPECT_EQ(main.fileList->arguments[0], static_cast<void*>(chooser));
        }
    }
}

TEST_F(SettingEditorTest, ClosingWhileTheCatalogLoadsIsSafe)
{
    // The editor goes before its worker can report; the worker's record
    // outlives it, and every worker ends and lets its record go.
    std::vector<std::weak_ptr<CatalogLoadJob>> loads;
    for (int i = 0; i < 20; ++i) {
        auto* dialog = new SettingDialog(nullptr, wxID_ANY, "Setting", wxDefaultPosition,
                                         wxDefaultSize, kDialogStyle);
        dialog->Show();
        wxTheApp->ProcessIdle();
        auto* editor = dynamic_cast<SettingFrame*>(dialog->FindWindow(SettingFrame::ID_SETTING_FRAME));
        ASSERT_NE(editor, nullptr);
        loads.push_back(editor->GetLoadJob());
        EXPECT_FALSE(loads.back().expired()) << "the first idle event starts the load";
        dialog->Destroy();
        ptest::Pump(5);
    }
    EXPECT_TRUE(ptest::WaitFor([&] {
        return std::all_of(loads.begin(), loads.end(), [](const auto& load) { return load.expired(); });
    }, 20000));
    ptest::Pump(100);
}
