#include "FileUtil.h"

#include "AppUtil.h"

#include <wx/datetime.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include <algorithm>

namespace {

// The text after the last ".", empty for a name without one.
wxString ExtensionOf(const wxString& name)
{
    int dot = name.Find('.', true);
    return dot == wxNOT_FOUND ? wxString() : name.Mid(static_cast<size_t>(dot) + 1);
}

wxString FormatUnit(double value, const char* unit)
{
    // Locale-independent: a decimal point whatever LC_NUMERIC says.
    return wxString::FromCDouble(value, 1) + unit;
}

}  // namespace

wxString FileUtil::FormatByteSize(double bytes)
{
    // Nothing below zero or above what a 64-bit count holds; NaN as nothing.
    if (!(bytes > 0))
        bytes = 0;
    bytes = std::min(bytes, kMaxByteSize);
    double kb = bytes / 1024;
    if (kb < 1)
        return FormatUnit(bytes, "B");
    double mb = kb / 1024;
    if (mb < 1)
        return FormatUnit(kb, "KB");
    double gb = mb / 1024;
    if (gb < 1)
        return FormatUnit(mb, "MB");
    return FormatUnit(gb, "GB");
}

wxString FileUtil::FormatByteSizeU64(uint64_t bytes)
{
    return FormatByteSize(static_cast<double>(bytes));
}

bool FileUtil::MakeDir(const wxString& path, int permissions)
{
    if (path.empty())
        return false;
    if (wxFileName::DirExists(path))
        return true;
    wxLogNull quiet;
    return wxFileName::Mkdir(path, permissions, wxPATH_MKDIR_FULL);
}

bool FileUtil::MakeDir(const wxString& path, wxString& problem)
{
    problem.clear();
    if (path.empty()) {
        problem = "no folder is named";
        return false;
    }
    const std::filesystem::path native(ToNative(path));
    std::error_code error;
    if (std::filesystem::is_directory(native, error))
        return true;
    if (std::filesystem::exists(std::filesystem::symlink_status(native, error))) {
        problem = "it is not a folder";
        return false;
    }
    std::filesystem::create_directories(native, error);
    if (!error && std::filesystem::is_directory(native, error))
        return true;
    const std::string text = error ? error.message() : std::string("it is not a folder");
    problem = wxString(text.c_str(), *wxConvCurrent);
    if (problem.empty())
        problem = "it could not be created";
    return false;
}

bool FileUtil::FileExists(const wxString& path)
{
    return wxFile::Exists(path);
}

bool FileUtil::PathExists(const wxString& path)
{
    struct stat info;
    return !path.empty() && stat(ToNative(path).c_str(), &info) == 0;
}

bool FileUtil::IsRegularFile(const wxString& path)
{
    struct stat info;
    return !path.empty() && stat(ToNative(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int64_t FileUtil::GetFileLength(const wxString& path)
{
    wxLogNull quiet;
    wxFile file;
    if (!wxFile::Exists(path) || !file.Open(path, wxFile::read))
        return -1;
    return static_cast<int64_t>(file.Length());
}

bool FileUtil::RemoveDir(const wxString& path, int flags)
{
    wxLogNull quiet;
    return wxDir::Remove(path, flags);
}

void FileUtil::ListFilesWithExtension(const wxString& folder, wxArrayString& files,
                                      const wxString& referenceName)
{
    wxLogNull quiet;
    wxDir dir(folder);
    if (!dir.IsOpened())
        return;
    const wxString extension = ExtensionOf(referenceName);
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); more;
         more = dir.GetNext(&name)) {
        if (ExtensionOf(name) == extension)
            files.Add(folder + "/" + name);
    }
}

wxString FileUtil::GetLogFilePath()
{
    wxString folder = GetUserFilesDir() + "/Log";
    MakeDir(folder);
    wxString day = wxDateTime::Now().Format("%Y-%m-%d");
    day.Replace("-", "");
    return folder + "/" + day + ".log";
}

void FileUtil::WriteLogLine(const wxString& text)
{
    wxString line = "# ";
    if (text.empty())
        line += wxString('.', 45);
    else
        line += wxDateTime::Now().Format("%H:%M:%S") + " " + text;
    line += "\n";
    wxLogNull quiet;
    wxFFile file(GetLogFilePath(), "a");
    if (file.IsOpened())
        file.Write(line, wxConvUTF8);
}

void FileUtil::RemoveChildrenById(wxXmlNode* node, const wxString& id)
{
    if (!node)
        return;
    wxXmlNode* child = node->GetChildren();
    while (child) {
        wxXmlNode* next = child->GetNext();
        if (child->GetAttribute("id") == id) {
            node->RemoveChild(child);
            delete child;
        }
        child = next;
    }
}

void FileUtil::AddChildNode(int flag, wxXmlNode* parent, wxXmlNode* child)
{
    if (!parent || !child)
        return;
    if (flag != 0 && parent->GetChildren())
        parent->InsertChild(child, parent->GetChildren());
    else
        parent->AddChild(child);
}

int FileUtil::CountChildNodes(const wxXmlNode* node)
{
    int count = 0;
    for (const wxXmlNode* child = node ? node->GetChildren() : nullptr; child;
         child = child->GetNext())
        ++count;
    return count;
}

std::string FileUtil::ToNative(const wxString& path)
{
    wxCharBuffer native = path.fn_str();
    if (native.data() && (native.length() > 0 || path.empty()))
        return std::string(native.data(), native.length());
    return std::string(path.utf8_str());
}

wxString FileUtil::DisplayName(const wxString& path)
{
    // wxMBConvUTF8's MAP_INVALID_UTF8_TO_PUA range: byte b -> U+100000 + b.
    constexpr wxUniChar::value_type kFirst = 0x100000, kLast = 0x1000FF;
    wxString shown;
    shown.reserve(path.length());
    for (wxUniChar c : path)
        shown += (c.GetValue() >= kFirst && c.GetValue() <= kLast) ? wxUniChar(0xFFFD) : c;
    return shown;
}

wxString FileUtil::FromNative(const char* path)
{
    if (!path || !*path)
        return wxString();
    wxString text(path, *wxConvFileName);
    if (text.empty())
        text = wxString::FromUTF8(path);
    return text;
}
