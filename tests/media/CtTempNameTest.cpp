// The converter's temporary names: they fit the folder's name limit, keep
// the destination's extension, and only names of exactly that form are
// taken for temporaries.
#include "TempFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool ValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

TEST(CtTempName, FitsTheLimitKeepsTheExtensionAndReadsBack)
{
    std::string threeByte;
    for (int i = 0; i < 80; ++i)
        threeByte += "\xE2\x82\xAC";
    struct Case {
        std::string name, extension;
    } cases[] = {
        {"clip.avi", ".avi"},
        {std::string(251, 'n') + ".mp4", ".mp4"},
        {threeByte + ".mp4", ".mp4"},
        {threeByte + "\xC3\xA9" + ".webm", ".webm"},  // a 2-byte character at the cut
        {"two\nlines.mkv", ".mkv"},
        {std::string(200, 'x'), ""},
        {".hidden", ""},
    };
    for (const Case& c : cases) {
        for (size_t limit : {size_t(255), size_t(64), size_t(48)}) {
            SCOPED_TRACE(c.name.substr(0, 20) + " in " + std::to_string(limit));
            for (pid_t pid : {pid_t(1), pid_t(4194304), pid_t(2147483647)}) {
                const std::string temp = TempFile::NameFor(c.name, pid, 4294967295u, limit);
                EXPECT_LE(temp.size(), limit);
                EXPECT_EQ(temp.compare(temp.size() - c.extension.size(), c.extension.size(), c.extension), 0)
                    << temp;
                EXPECT_TRUE(ValidUtf8(temp)) << temp;
                EXPECT_EQ(TempFile::OwnerOf(temp), pid) << temp;
            }
            const std::string temp = TempFile::NameFor(c.name, 321, 0, limit);
            if (c.name.size() + 30 <= limit) {
                EXPECT_NE(temp.find(c.name), std::string::npos) << "a short name is kept whole";
            }
            // Any change of the name makes it another's.
            for (size_t at = 4; at < temp.size(); at += 7) {
                std::string changed = temp;
                changed[at] = changed[at] == 'a' ? 'b' : 'a';
                EXPECT_EQ(TempFile::OwnerOf(changed), 0) << changed;
            }
            EXPECT_EQ(TempFile::OwnerOf(temp + "x"), 0);
            EXPECT_EQ(TempFile::OwnerOf(".mv-0" + temp.substr(4)), 0) << "a leading zero";
        }
    }
}

TEST(CtTempName, NamesOfOtherFormsAreNotTemporaries)
{
    for (const char* name : {".mv-2023-01-notes.txt", ".mv-2023-1-notes.txt", ".mv-123-0-a.avi",
                             ".mv-123-0-0badc0de-a.avi", ".mv-123-0-0BADC0DE-a.avi", ".mv-", "",
                             "mv-1-0-00000000-a.avi", ".mv--0-00000000-a.avi",
                             ".mv-99999999999-0-00000000-a.avi"})
        EXPECT_EQ(TempFile::OwnerOf(name), 0) << name;
}

}  // namespace
