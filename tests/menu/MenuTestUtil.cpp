#include "MenuTestUtil.h"

#include "ControlsTestUtil.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"

#include <wx/menu.h>
#include <wx/uiaction.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace menutest {

namespace {
// How often a waiting step looks again.
constexpr int kPollMs = 10;
}  // namespace

namespace {
// What the bars show: for a failure's message.
std::string OpenMenuState()
{
    RkMenuBar* bar = RkMenuBar::GetTrackedBar();
    if (!bar)
        return "no menu open";
    std::string state = "the menu of title " + std::to_string(RkMenuBar::GetCurrentTitleId());
    RkMenuButton* title = TitleOf(bar, RkMenuBar::GetCurrentTitleId());
    wxMenu* menu = title ? title->GetMenu() : nullptr;
    if (!menu || !menu->m_menu)
        return state + " tracked, without a toolkit menu";
    state += gtk_widget_get_mapped(menu->m_menu) ? " mapped" : " not mapped";
    state += ctest::WidgetOnScreen(menu->m_menu) ? " and on screen" : ", not on screen";
    GtkWidget* lit = gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(menu->m_menu));
    for (wxMenuItem* item : menu->GetMenuItems())
        if (lit && item->GetMenuItem() == lit)
            state += ", \"" + item->GetItemLabelText().ToStdString() + "\" lit";
    return state;
}
}  // namespace

void Script::Then(int delayMs, std::function<void()> step)
{
    m_steps.push_back({delayMs, {}, std::move(step), {}, 0});
}

void Script::When(const std::string& what, std::function<bool()> ready,
                  std::function<void()> step, int timeoutMs)
{
    m_steps.push_back({0, std::move(ready), std::move(step), what, timeoutMs});
}

void Script::Run()
{
    m_next = 0;
    m_failure.clear();
    Arm();
}

void Script::Arm()
{
    m_since = std::chrono::steady_clock::now();
    if (m_next < m_steps.size())
        StartOnce(std::max(m_steps[m_next].delayMs, 0));
}

void Script::Notify()
{
    // Every look is a one-shot timer of its own: a step that blocks in a
    // loop (a menu, a dialog) does not stop the next one from firing there.
    if (Failed()) {
        // Until the menus and message boxes the failed script left are gone:
        // their loops would hold the test for ever.
        const bool box = ctest::CloseShownMessageBox();
        if (!MenusClosed() || box) {
            CloseOpenMenus();
            StartOnce(kPollMs);
        }
        return;
    }
    if (m_next >= m_steps.size())
        return;
    const Step& step = m_steps[m_next];
    if (step.ready && !step.ready()) {
        const auto waited = std::chrono::steady_clock::now() - m_since;
        if (waited < std::chrono::milliseconds(step.timeoutMs)) {
            StartOnce(kPollMs);
            return;
        }
        m_failure = "step " + std::to_string(m_next + 1) + " waited " +
                    std::to_string(step.timeoutMs) + " ms in vain for " + step.what + " (" +
                    OpenMenuState() + ")";
        m_next = m_steps.size();
        CloseOpenMenus();
        StartOnce(kPollMs);
        return;
    }
    // Advance first: a step may block in a menu loop of its own.
    const std::function<void()> action = step.action;
    ++m_next;
    Arm();
    if (action)
        action();
}

void MovePointerTo(wxWindow* win, const wxPoint& clientPt)
{
    ctest::SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseMove(win->ClientToScreen(clientPt));
}

void PressKey(int keyCode)
{
    ctest::SyncWithServer();
    wxUIActionSimulator sim;
    sim.Char(keyCode);
}

namespace {
std::vector<pid_t> g_shots;

wxMenu* OpenMenuOf(RkMenuBar* bar, int titleId)
{
    if (RkMenuBar::GetTrackedBar() != bar || RkMenuBar::GetCurrentTitleId() != titleId)
        return nullptr;
    RkMenuButton* title = TitleOf(bar, titleId);
    return title ? title->GetMenu() : nullptr;
}

// The item the n-th Down press lights.
wxMenuItem* NthItem(wxMenu* menu, int n)
{
    for (wxMenuItem* item : menu->GetMenuItems())
        if (!item->IsSeparator() && item->IsEnabled() && --n == 0)
            return item;
    return nullptr;
}
}  // namespace

void ScreenshotLater(const std::string& name)
{
    const char* dir = std::getenv("MV_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    const std::string file = std::string(dir) + "/" + name + ".png";
    char* argv[] = {const_cast<char*>("import"), const_cast<char*>("-window"),
                    const_cast<char*>("root"), const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "import", nullptr, nullptr, argv, environ) == 0)
        g_shots.push_back(pid);
}

void WaitForScreenshots()
{
    for (pid_t pid : g_shots) {
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0)
            ctest::Pump(20);
    }
    g_shots.clear();
}

RkMenuButton* TitleOf(RkMenuBar* bar, int id)
{
    for (RkMenuButton* title : bar->GetTitles())
        if (title->GetId() == id)
            return title;
    return nullptr;
}

std::function<bool()> MenuShown(RkMenuBar* bar, int titleId)
{
    return [bar, titleId] {
        wxMenu* menu = OpenMenuOf(bar, titleId);
        return menu && ctest::WidgetOnScreen(menu->m_menu);
    };
}

std::function<bool()> ItemLit(RkMenuBar* bar, int titleId, int n)
{
    return [bar, titleId, n] {
        wxMenu* menu = OpenMenuOf(bar, titleId);
        if (!menu || !menu->m_menu)
            return false;
        wxMenuItem* wanted = NthItem(menu, n);
        return wanted &&
               gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(menu->m_menu)) == wanted->GetMenuItem();
    };
}

GtkWidget* ShownPopupMenu()
{
    GtkWidget* shown = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w && !shown; w = w->next) {
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(w->data));
        if (child && GTK_IS_MENU(child) && ctest::WidgetOnScreen(child))
            shown = child;
    }
    g_list_free(windows);
    return shown;
}

std::function<bool()> PopupItemLit(int n)
{
    return [n] {
        GtkWidget* menu = ShownPopupMenu();
        if (!menu)
            return false;
        GtkWidget* lit = gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(menu));
        int k = 0;
        GList* items = gtk_container_get_children(GTK_CONTAINER(menu));
        for (GList* i = items; i; i = i->next) {
            GtkWidget* item = GTK_WIDGET(i->data);
            if (GTK_IS_SEPARATOR_MENU_ITEM(item) || !gtk_widget_get_visible(item) ||
                !gtk_widget_is_sensitive(item))
                continue;
            if (++k == n) {
                k = item == lit ? -1 : -2;
                break;
            }
        }
        g_list_free(items);
        return k == -1;
    };
}

bool MenusClosed()
{
    return RkMenuBar::GetTrackedBar() == nullptr && !ShownPopupMenu();
}

void CloseOpenMenus()
{
    if (RkMenuBar* bar = RkMenuBar::GetTrackedBar()) {
        RkMenuButton* title = TitleOf(bar, RkMenuBar::GetCurrentTitleId());
        if (title && title->GetMenu() && title->GetMenu()->m_menu)
            gtk_menu_popdown(GTK_MENU(title->GetMenu()->m_menu));
    }
    if (GtkWidget* menu = ShownPopupMenu())
        gtk_menu_popdown(GTK_MENU(menu));
}

namespace {
// Down to the n-th item, each press once the item before it is seen lit,
// and Return as soon as the last one is.
void AddKeysTo(Script& script, int n, const std::string& menu,
               const std::function<std::function<bool()>(int)>& lit)
{
    for (int k = 1; k <= n; ++k) {
        script.Then(0, [] { PressKey(WXK_DOWN); });
        std::function<void()> then;
        if (k == n)
            then = [] { PressKey(WXK_RETURN); };
        script.When("item " + std::to_string(k) + " of " + menu + " lit", lit(k), then);
    }
}
}  // namespace

void AddPick(Script& script, RkMenuBar* bar, int titleId, int n)
{
    AddKeysTo(script, n, "title " + std::to_string(titleId),
              [bar, titleId](int k) { return ItemLit(bar, titleId, k); });
}

void AddPopupPick(Script& script, int n)
{
    AddKeysTo(script, n, "the pop-up menu", &PopupItemLit);
}

testing::AssertionResult ClickTitle(RkMenuBar* bar, int id, Script& script, int timeoutMs)
{
    RkMenuButton* title = TitleOf(bar, id);
    if (!title)
        return testing::AssertionFailure() << "no title " << id;
    script.When("the menus to close", &MenusClosed);
    // Two clicks on one spot of a window in quick succession (by the
    // server's clock) make a double click, which the title does not take for
    // a press: each click lands a little beside the last.
    static bool beside = false;
    gint distance = 5;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-distance", &distance, nullptr);
    beside = !beside;
    const int x = beside ? std::min(5 + distance + 2, title->GetSize().x - 2) : 5;
    ctest::MoveTo(title, wxPoint(x, 5));
    script.Run();
    ctest::SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseClick();
    if (!ctest::WaitFor([&] { return script.Done() && MenusClosed(); }, timeoutMs))
        return testing::AssertionFailure()
               << "the menu script did not end within " << timeoutMs << " ms " << script.Failure();
    if (script.Failed())
        return testing::AssertionFailure() << "title " << id << ": " << script.Failure();
    return testing::AssertionSuccess();
}

testing::AssertionResult Choose(RkMenuBar* bar, int titleId, int n, const std::string& what,
                                std::function<bool()> ready, std::function<void()> afterwards)
{
    RkMenuButton* title = TitleOf(bar, titleId);
    wxMenu* menu = title ? title->GetMenu() : nullptr;
    wxMenuItem* wanted = menu ? NthItem(menu, n) : nullptr;
    if (!wanted)
        return testing::AssertionFailure() << "title " << titleId << " has no item " << n;
    // The items the menu runs, as the toolkit reports them.
    std::vector<int> ran;
    const auto record = [&ran](wxCommandEvent& event) {
        ran.push_back(event.GetId());
        event.Skip();
    };
    menu->Bind(wxEVT_MENU, record);
    Script script;
    script.When("the menu of title " + std::to_string(titleId) + " on screen",
                MenuShown(bar, titleId));
    AddPick(script, bar, titleId, n);
    if (ready)
        script.When(what, std::move(ready), std::move(afterwards));
    testing::AssertionResult result = ClickTitle(bar, titleId, script);
    menu->Unbind(wxEVT_MENU, record);
    if (result && ran != std::vector<int>{wanted->GetId()}) {
        result = testing::AssertionFailure() << "the menu of title " << titleId << " ran";
        for (int id : ran)
            result << " " << id;
        result << " (wanted " << wanted->GetId() << ")";
    }
    return result;
}

void WaitForQueuedCommands(RkMenuBar* bar)
{
    // Queued behind them on the same handler, so handled after them.
    auto reached = std::make_shared<bool>(false);
    bar->GetEventHandler()->CallAfter([reached] { *reached = true; });
    ctest::WaitFor([&] { return *reached; });
}

}  // namespace menutest
