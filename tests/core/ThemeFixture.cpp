#include "ThemeFixture.h"

#include "AppUtil.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

ThemeFixture::ThemeFixture(const std::map<std::string, wxImage>& entries)
    : root_(dir_ / "pro gram #1")
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    const std::string sources = dir_ / "skin";
    std::vector<std::string> argv = {std::getenv("MV_CMAKE") ? std::getenv("MV_CMAKE") : "cmake",
                                      "-E", "chdir", sources, "cmake", "-E", "tar", "cf",
                                      root_ + "/Themes/default.zip", "--format=zip"};
    argv[4] = argv[0];
    ok_ = true;
    for (const auto& [name, image] : entries) {
        const fs::path file = fs::path(sources) / name;
        fs::create_directories(file.parent_path());
        ok_ = ok_ && image.SaveFile(file.string(), wxBITMAP_TYPE_PNG);
        argv.push_back(name);
    }
    fs::create_directories(root_ + "/Themes");
    ok_ = ok_ && mvtest::Run(argv).status == 0 && mvtest::FileExists(root_ + "/Themes/default.zip");
    AppUtil::SetAppRootDir(wxString::FromUTF8(root_));
}

ThemeFixture::~ThemeFixture()
{
    AppUtil::SetAppRootDir(wxString());
}

wxImage ThemeFixture::Pattern(int w, int h, unsigned char seed)
{
    wxImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetRGB(x, y, static_cast<unsigned char>(x * 10), static_cast<unsigned char>(y * 10), seed);
    return image;
}
