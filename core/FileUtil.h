// File and folder helpers, byte-size texts, the daily log and the small
// catalog-node helpers.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdint>
#include <string>

class wxXmlNode;

class FileUtil {
public:
    virtual ~FileUtil() = default;

    // "1023.0B", "1.5KB", "1.0MB", "5120.0GB": the largest unit below 1024
    // (no unit above GB), one decimal, always with a point. Negative and NaN
    // counts print as 0.0B, counts above kMaxByteSize (infinity too) as it.
    static wxString FormatByteSize(double bytes);
    static constexpr double kMaxByteSize = 18446744073709551616.0;  // 2^64
    static wxString FormatByteSizeU64(uint64_t bytes);

    // Creates the folder with its parents; true when it exists afterwards.
    static bool MakeDir(const wxString& path, int permissions = 0777);
    // The same, saying why not: the system's error text, or that the path
    // names something other than a folder.
    static bool MakeDir(const wxString& path, wxString& problem);
    static bool FileExists(const wxString& path);
    // A file or a folder.
    static bool PathExists(const wxString& path);
    // A regular file once links are followed: not a folder, pipe, socket or
    // device, nor a dangling or looping link. Never opens the path.
    static bool IsRegularFile(const wxString& path);
    // The file's length in bytes; -1 when it cannot be read.
    static int64_t GetFileLength(const wxString& path);
    // wxDir::Remove (flags wxPATH_RMDIR_*).
    static bool RemoveDir(const wxString& path, int flags = 0);
    // Appends folder + "/" + name for every plain file of the folder (not in
    // subfolders) whose extension (the text after the last "."; none without
    // a dot) equals, case-sensitively, that of the reference name.
    static void ListFilesWithExtension(const wxString& folder, wxArrayString& files,
                                       const wxString& referenceName);

    // files folder + "/Log/" + yyyymmdd + ".log"; the Log folder is created.
    static wxString GetLogFilePath();
    // Appends "# hh:mm:ss <text>" (or a line of 45 dots for an empty text)
    // to today's log file.
    static void WriteLogLine(const wxString& text);

    // Catalog nodes.
    // Removes and deletes every child whose "id" attribute equals the id.
    static void RemoveChildrenById(wxXmlNode* node, const wxString& id);
    // Nonzero flag: the child goes before the parent's first child; zero:
    // after its last one.
    static void AddChildNode(int flag, wxXmlNode* parent, wxXmlNode* child);
    static int CountChildNodes(const wxXmlNode* node);

    // A path in the file system's byte encoding and back (UTF-8 when the
    // locale cannot express it).
    static std::string ToNative(const wxString& path);
    // A name or path as the toolkit shows file names: the bytes that are not
    // valid in the file-name encoding (kept by the file-name conversion as
    // private-use characters, so that ToNative gives them back) appear as
    // U+FFFD, like GLib's g_filename_display_name.
    static wxString DisplayName(const wxString& path);
    static wxString FromNative(const char* path);
};
