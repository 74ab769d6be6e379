#include "SkinList.h"

#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace skintest {

std::vector<Picture> ReadPictureList(const std::string& path)
{
    std::vector<Picture> list;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream cells(line);
        Picture p;
        std::string size;
        std::getline(cells, p.name, '\t');
        std::getline(cells, size, '\t');
        if (p.name.empty())
            continue;
        const auto x = size.find('x');
        if (x != std::string::npos) {
            p.width = std::stoi(size.substr(0, x));
            p.height = std::stoi(size.substr(x + 1));
        }
        list.push_back(p);
    }
    return list;
}

std::map<std::string, std::string> ReadArchive(const std::string& path)
{
    std::map<std::string, std::string> entries;
    wxFFileInputStream file(path);
    if (!file.IsOk())
        return entries;
    wxZipInputStream zip(file);
    for (std::unique_ptr<wxZipEntry> e(zip.GetNextEntry()); e; e.reset(zip.GetNextEntry())) {
        if (e->IsDir())
            continue;
        std::string bytes;
        char buf[8192];
        while (zip.Read(buf, sizeof buf).LastRead() > 0)
            bytes.append(buf, zip.LastRead());
        entries[e->GetName(wxPATH_UNIX).ToStdString()] = bytes;
    }
    return entries;
}

std::vector<Reference> ScanSources(const std::string& root, const std::vector<std::string>& skip)
{
    static const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    std::vector<Reference> refs;
    const fs::path base(root);
    auto it = fs::recursive_directory_iterator(base);
    for (; it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& p = it->path();
        const std::string rel = fs::relative(p, base).generic_string();
        if (it->is_directory()) {
            const std::string leaf = p.filename().string();
            const bool skipped = std::find(skip.begin(), skip.end(), rel) != skip.end();
            if (skipped || leaf.rfind("build", 0) == 0 || leaf[0] == '.')
                it.disable_recursion_pending();
            continue;
        }
        const std::string ext = p.extension().string();
        if (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".cc")
            continue;
        std::ifstream in(p);
        std::stringstream text;
        text << in.rdbuf();
        const std::string src = text.str();
        for (std::sregex_iterator m(src.begin(), src.end(), literal), end; m != end; ++m) {
            const std::string s = (*m)[1].str();
            if (s.rfind("surface/", 0) == 0 || s.rfind("application/", 0) == 0)
                refs.push_back({rel, s});
        }
    }
    return refs;
}

std::vector<Reference> ScanImageAttributes(const std::string& folder)
{
    static const std::regex attribute(R"re(\bimage="([^"]*)")re");
    std::vector<Reference> refs;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return refs;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".xml")
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string src = text.str();
        for (std::sregex_iterator m(src.begin(), src.end(), attribute), end; m != end; ++m)
            if (!(*m)[1].str().empty())
                refs.push_back({entry.path().filename().string(), (*m)[1].str()});
    }
    return refs;
}

namespace {

bool Listed(const std::string& name, const std::vector<Picture>& list)
{
    return std::any_of(list.begin(), list.end(), [&](const Picture& p) { return p.name == name; });
}

// The suffixes a loading window adds to a picture name in this group.
std::vector<std::string> SuffixesOf(const std::string& name)
{
    const auto first = name.find('/');
    const auto second = name.find('/', first + 1);
    const std::string group = second == std::string::npos ? "" : name.substr(first + 1, second - first - 1);
    if (group == "base" || group == "window")
        return {"-normal.png", "-current.png", "-pressed.png", "-disable.png"};
    return {".png", "_over.png"};
}

std::string PatternToRegex(const std::string& text)
{
    static const std::regex conversion(R"(%[-0-9.]*([sdiu]))");
    std::string out;
    std::size_t at = 0;
    for (std::sregex_iterator m(text.begin(), text.end(), conversion), end; m != end; ++m) {
        out += std::regex_replace(text.substr(at, m->position() - at), std::regex(R"([.^$|()\[\]{}*+?\\])"),
                                  R"(\$&)");
        out += (*m)[1].str() == "s" ? "[^/]+" : "[0-9]+";
        at = m->position() + m->length();
    }
    out += std::regex_replace(text.substr(at), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    return out;
}

}  // namespace

std::string CheckReference(const std::string& text, const std::vector<Picture>& list)
{
    if (text.find('%') != std::string::npos) {
        const std::regex pattern(PatternToRegex(text));
        for (const Picture& p : list)
            if (std::regex_match(p.name, pattern))
                return "";
        return "no picture matches the pattern";
    }
    if (text.size() > 4 && text.compare(text.size() - 4, 4, ".png") == 0)
        return Listed(text, list) ? "" : "not listed";
    if (text.back() == '/') {
        for (const Picture& p : list)
            if (p.name.rfind(text, 0) == 0)
                return "";
        return "no picture in this folder";
    }
    // A name that the window completes with its state suffixes.
    std::vector<std::string> stems{text};
    if (text.back() == '-' || text.back() == '_')
        stems.push_back(text.substr(0, text.size() - 1));
    std::string missing;
    for (const std::string& stem : stems) {
        missing.clear();
        for (const std::string& suffix : SuffixesOf(stem))
            if (!Listed(stem + suffix, list))
                missing += " " + stem + suffix;
        if (missing.empty())
            return "";
    }
    return "missing" + missing;
}

}  // namespace skintest

namespace skintest {

std::string SourceRoot()
{
    const char* v = std::getenv("MV_SOURCE_DIR");
    return v && *v ? v : ART_SOURCE_DIR;
}

std::string StageRoot()
{
    const char* v = std::getenv("MV_STAGE_DIR");
    return v && *v ? v : ART_STAGE_DIR;
}

}  // namespace skintest
