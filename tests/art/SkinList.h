// Reading the skin's picture list, its archive and the picture names in sources.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace skintest {

struct Picture {
    std::string name;
    int width = 0;
    int height = 0;
};

// A string literal in a source file that names a skin picture, or a piece of
// one (a folder, a name before its state suffix, a format pattern).
struct Reference {
    std::string file;
    std::string text;
};

// The rows of data/skin/pictures.tsv (comments and blank lines skipped).
std::vector<Picture> ReadPictureList(const std::string& path);

// Entry name -> bytes of every file in a zip archive.
std::map<std::string, std::string> ReadArchive(const std::string& path);

// Every literal under `root` (C++ sources, recursively; folders named in
// `skip` left out) that starts with "surface/" or "application/".
std::vector<Reference> ScanSources(const std::string& root, const std::vector<std::string>& skip);

// Every "image" attribute value in the XML files under `folder` (the
// authored catalog names its category and profile pictures so).
std::vector<Reference> ScanImageAttributes(const std::string& folder);

// Why `ref` is not satisfied by the list, or "" when it is. A full name
// (".png") must be listed; a name without suffix must be listed with every
// suffix its group uses; a folder must hold a picture; a printf pattern
// must match a picture.
std::string CheckReference(const std::string& text, const std::vector<Picture>& list);

}  // namespace skintest

namespace skintest {

// The source folder and the staged program folder: from the test environment,
// else the ones this test was built for.
std::string SourceRoot();
std::string StageRoot();

}  // namespace skintest
