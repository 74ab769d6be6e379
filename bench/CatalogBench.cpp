// The cost of keeping one catalog: how long re-reading the staged
// format_catalog.bin into the program's catalog takes (what every catalog
// save is followed by), against the save itself.
//
//   build/bench/mv_catalog_bench [program folder]   (default: build/stage)
#include "AppSettings.h"
#include "AppUtil.h"
#include "FormatCatalog.h"
#include "LiveCatalog.h"
#include "TestSupport.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double MedianMs(int runs, F&& step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto begin = Clock::now();
        step();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    wxInitializer init(argc, argv);
    const std::string stage = argc > 1 ? argv[1] : MV_BENCH_STAGE_DIR;
    mvtest::TempDir root;
    mvtest::Run({"cp", "-r", stage + "/Plugin", root.path() + "/"});
    AppUtil::SetAppRootDir(wxString::FromUTF8(root.path()));

    wxXmlDocument catalog;
    AppSettings settings;
    settings.catalog = &catalog;
    wxTheApp->SetClientData(&settings);
    if (!LoadCatalogFile(catalog, LiveCatalog::Path())) {
        std::fprintf(stderr, "no catalog under %s\n", stage.c_str());
        return 1;
    }
    struct stat st {};
    ::stat(LiveCatalog::Path().fn_str(), &st);

    const int runs = 200;
    const double reload = MedianMs(runs, [] { LiveCatalog::Reload(); });
    const wxXmlDocument copy(catalog);
    const double save = MedianMs(runs, [&] { LiveCatalog::Save(copy, 1); });
    if (settings.catalogGeneration != 2 * runs) {
        std::fprintf(stderr, "only %lu of %d re-reads happened\n", settings.catalogGeneration, 2 * runs);
        return 1;
    }
    std::printf("catalog %lld bytes: re-read %.3f ms, save with re-read %.3f ms (median of %d)\n",
                static_cast<long long>(st.st_size), reload, save, runs);
    wxTheApp->SetClientData(nullptr);
    return 0;
}
