#include "ImageUtil.h"

#include "AppUtil.h"

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <algorithm>
#include <memory>

namespace {

// The program registers these at start-up; tests and tools may not have.
void EnsureHandlers(const wxString& location, wxBitmapType type)
{
    if (!wxFileSystem::HasHandlerForPath(location))
        wxFileSystem::AddHandler(new wxArchiveFSHandler);
    if (!wxImage::FindHandler(type))
        wxInitAllImageHandlers();
}

wxBitmap* NewBitmapOrNull(const wxImage& image)
{
    if (!image.IsOk())
        return nullptr;
    auto bitmap = std::make_unique<wxBitmap>(image);
    return bitmap->IsOk() ? bitmap.release() : nullptr;
}

}  // namespace

wxString ImageUtil::GetThemeArchivePath()
{
    return AppUtil::GetAppRootDir() + "/Themes/default.zip";
}

wxString ImageUtil::GetThemeLocation(const wxString& entry)
{
    return wxFileSystem::FileNameToURL(wxFileName(GetThemeArchivePath())) + "#zip:" + entry;
}

wxString ImageUtil::DescribeThemeArchiveProblem()
{
    wxLogNull quiet;
    const wxString path = GetThemeArchivePath();
    if (!wxFileName::FileExists(path))
        return "is missing.";
    wxFFileInputStream file(path);
    if (!file.IsOk())
        return "cannot be opened for reading.";
    // Reading every entry to its end checks its length and CRC.
    wxZipInputStream zip(file);
    int entries = 0;
    char buffer[16384];
    for (std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry()); entry; entry.reset(zip.GetNextEntry())) {
        while (zip.Read(buffer, sizeof buffer).LastRead() > 0) {
        }
        if (zip.GetLastError() != wxSTREAM_EOF)
            return "is damaged or truncated.";
        ++entries;
    }
    if (zip.GetLastError() != wxSTREAM_EOF || entries == 0)
        return "is damaged or truncated.";
    return wxString();
}

wxImage ImageUtil::LoadThemeImage(const wxString& entry, wxBitmapType type)
{
    return LoadArchiveImage(GetThemeArchivePath(), entry, type);
}

wxImage ImageUtil::LoadArchiveImage(const wxString& archive, const wxString& entry,
                                    wxBitmapType type)
{
    wxLogNull quiet;
    if (entry.empty() || !wxFileName::FileExists(archive))
        return wxImage();
    const wxString location = wxFileSystem::FileNameToURL(wxFileName(archive)) + "#zip:" + entry;
    EnsureHandlers(location, type);
    wxFileSystem fs;
    std::unique_ptr<wxFSFile> file(fs.OpenFile(location, wxFS_READ));
    wxImage image;
    if (file && file->GetStream())
        image.LoadFile(*file->GetStream(), type);
    return image;
}

wxBitmap* ImageUtil::LoadThemeBitmap(const wxString& entry, wxBitmapType type)
{
    return NewBitmapOrNull(LoadThemeImage(entry, type));
}

wxBitmap ImageUtil::LoadThemeBitmapValue(const wxString& entry, wxBitmapType type)
{
    wxImage image = LoadThemeImage(entry, type);
    if (!image.IsOk())
        return wxNullBitmap;
    wxBitmap bitmap(image);
    return bitmap.IsOk() ? bitmap : wxNullBitmap;
}

wxBitmap* ImageUtil::LoadThemeBitmapKeyed(const wxString& entry, int threshold, wxBitmapType type)
{
    wxImage image = LoadThemeImage(entry, type);
    if (image.IsOk() && image.HasAlpha()) {
        unsigned char r = 0, g = 0, b = 0;
        if (!image.HasMask() && image.FindFirstUnusedColour(&r, &g, &b))
            image.SetMaskColour(r, g, b);
        image.GetOrFindMaskColour(&r, &g, &b);
        const int w = image.GetWidth();
        const int h = image.GetHeight();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int alpha = image.GetAlpha(x, y);
                if (alpha >= 1 && alpha <= threshold - 1) {
                    image.SetRGB(x, y, r, g, b);
                    image.SetAlpha(x, y, 0);
                }
            }
        }
    }
    return NewBitmapOrNull(image);
}

wxBitmap ImageUtil::CropBitmap(const wxBitmap& source, int x, int y, int w, int h)
{
    if (!source.IsOk() || w <= 0 || h <= 0)
        return wxNullBitmap;
    wxBitmap result(w, h);
    if (!result.IsOk())
        return wxNullBitmap;
    {
        wxMemoryDC from;
        from.SelectObjectAsSource(source);
        wxMemoryDC to(result);
        to.SetBackground(*wxBLACK_BRUSH);
        to.Clear();
        to.Blit(0, 0, w, h, &from, x, y, wxCOPY, true);
    }
    return result;
}

wxBitmap* ImageUtil::CropBitmapNew(const wxBitmap& source, int x, int y, int w, int h)
{
    wxBitmap crop = CropBitmap(source, x, y, w, h);
    return crop.IsOk() ? new wxBitmap(crop) : nullptr;
}

bool ImageUtil::TileBitmap(wxBitmap& destination, const wxBitmap& pattern)
{
    if (!destination.IsOk() || !pattern.IsOk())
        return false;
    const int pw = pattern.GetWidth();
    const int ph = pattern.GetHeight();
    if (pw <= 0 || ph <= 0)
        return false;
    wxMemoryDC from;
    from.SelectObjectAsSource(pattern);
    wxMemoryDC to(destination);
    const int w = destination.GetWidth();
    const int h = destination.GetHeight();
    for (int y = 0; y <= h; y += ph)
        for (int x = 0; x <= w; x += pw) {
            const int bw = std::min(pw, w - x);
            const int bh = std::min(ph, h - y);
            if (bw > 0 && bh > 0)
                to.Blit(x, y, bw, bh, &from, 0, 0, wxCOPY);
        }
    return true;
}
