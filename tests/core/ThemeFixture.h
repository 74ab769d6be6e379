// Builds a small theme archive the way the build does (cmake's zip writer)
// under a program folder whose name has a blank and a '#'.
#pragma once

#include "TestSupport.h"

#include <wx/image.h>

#include <map>
#include <string>

class ThemeFixture {
public:
    // entry name -> picture
    explicit ThemeFixture(const std::map<std::string, wxImage>& entries);
    ~ThemeFixture();
    const std::string& root() const { return root_; }
    bool ok() const { return ok_; }

    // A w x h picture whose pixel (x, y) is (x * 10, y * 10, seed).
    static wxImage Pattern(int w, int h, unsigned char seed);

private:
    mvtest::TempDir dir_;
    std::string root_;
    bool ok_ = false;
};
