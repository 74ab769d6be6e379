// option.cfg read by its elements, and the update reply parsed.
#include <gtest/gtest.h>

#include <string>

#include <wx/mstream.h>

#include "CatalogFixture.h"
#include "OptionDomain.h"
#include "TestSupport.h"

using catalogtest::W;

namespace {

std::string Options(const std::string& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<o>\n <list>\n" + inner + " </list>\n <later><x>no</x></later>\n</o>\n";
}

// A valid six-value file padded with a trailing comment to `size` bytes.
std::string PaddedOptions(size_t size)
{
    std::string file = Options("<a>h</a><a>2</a><a>s</a><a>4</a><a>u</a><a>p</a>") + "<!---->";
    file.insert(file.size() - 3, size - file.size(), 'x');
    return file;
}

TEST(OptionFile, SixValuesAreTheSixElementsInOrder)
{
    struct Case {
        const char* name;
        std::string file;
        bool loaded;
        const char* help;
        const char* support;
        const char* update;
        const char* product;
    } cases[] = {
        {"six", Options("<a>h</a><b>2</b><c>s</c><d>4</d><e>http://u/base</e><f>p</f>"), true,
         "h", "s", "http://u/base-update.xml", "p"},
        {"names are not examined; CDATA counts",
         Options("<z>h</z><z>2</z><y><![CDATA[s&x]]></y><z>4</z><q>u</q><r>p</r>"), true,
         "h", "s&x", "u-update.xml", "p"},
        {"seventh ignored", Options("<a>h</a><a>2</a><a>s</a><a>4</a><a>u</a><a>p</a><a>7</a>"), true,
         "h", "s", "u-update.xml", "p"},
        {"five", Options("<a>h</a><a>2</a><a>s</a><a>4</a><a>u</a>"), false,
         "h", "s", "u-update.xml", ""},
        {"three", Options("<a>h</a><a>2</a><a>s</a>"), false, "h", "s", "", ""},
        {"empty list", Options(""), false, "", "", "", ""},
        {"malformed", "<o><list><a>h</a></o>", false, "", "", "", ""},
        {"root only", "<o/>", false, "", "", "", ""},
        {"at the size limit", PaddedOptions(OptionDomain::kMaxFileBytes), true, "h", "s", "u-update.xml", "p"},
        {"one byte over the size limit", PaddedOptions(OptionDomain::kMaxFileBytes + 1), false, "", "", "", ""},
        {"a 4 MB file", PaddedOptions(4 << 20), false, "", "", "", ""},
        // Only elements are values.
        {"comments and an instruction between the values",
         Options("<!-- first --><a>h</a><!-- 2 --><a>2</a><?note x?><a>s</a><a>4</a><!-- u --><a>u</a><a>p</a>"),
         true, "h", "s", "u-update.xml", "p"},
        {"text between the values", Options("<a>h</a>stray<a>2</a><a>s</a> x <a>4</a><a>u</a><a>p</a>"), true,
         "h", "s", "u-update.xml", "p"},
        {"a comment before the list",
         "<o><!-- addresses --><?note x?><list><a>h</a><a>2</a><a>s</a><a>4</a><a>u</a><a>p</a></list></o>", true,
         "h", "s", "u-update.xml", "p"},
        {"a comment before a value's text",
         Options("<a><!-- help -->h</a><a>2</a><a>s</a><a>4</a><a><!-- u --><![CDATA[u]]></a><a>p</a>"), true,
         "h", "s", "u-update.xml", "p"},
        {"five elements and comments", Options("<a>h</a><!--x--><a>2</a><!--x--><a>s</a><a>4</a><a>u</a><!--6-->"),
         false, "h", "s", "u-update.xml", ""},
        {"blanks around the values dropped",
         Options("<a>\n   h \n</a><a>2</a><a>\ts</a><a>4</a><a>  u  </a><a>p\n</a>"), true, "h", "s",
         "u-update.xml", "p"},
        {"a comment inside a value's text",
         Options("<a>h<!-- c -->elp</a><a>2</a><a>s<?x y?>up</a><a>4</a><a>http://u/<!-- c --><![CDATA[ba]]>se</a>"
                 "<a>p</a>"),
         true, "help", "sup", "http://u/base-update.xml", "p"},
        {"an element without text is a value", Options("<a>h</a><a/><a><b>s</b></a><a>4</a><a>u</a><a>p</a>"),
         true, "h", "", "u-update.xml", "p"},
    };
    for (const Case& c : cases) {
        mvtest::TempDir dir;
        mvtest::WriteFile(dir / "option.cfg", c.file);
        OptionDomain options(W(dir / "option.cfg"));
        EXPECT_EQ(options.Load(), c.loaded) << c.name;
        EXPECT_EQ(options.GetHelpUrl(), c.help) << c.name;
        EXPECT_EQ(options.GetSupportUrl(), c.support) << c.name;
        EXPECT_EQ(options.GetUpdateUrl(), c.update) << c.name;
        EXPECT_EQ(options.GetProductPageUrl(), c.product) << c.name;
    }

    OptionDomain missing("/nonexistent/option.cfg");
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.GetUpdateUrl(), "");
}

TEST(OptionFile, ShippedFileHasSixWebAddresses)
{
    OptionDomain options(W(mvtest::StageDir() + "/option.cfg"));
    ASSERT_TRUE(options.Load());
    for (const wxString& url : {options.GetHelpUrl(), options.GetSupportUrl(), options.GetProductPageUrl(),
                                options.GetUpdateUrl()})
        EXPECT_TRUE(url.StartsWith("https://")) << url;
    EXPECT_TRUE(options.GetUpdateUrl().EndsWith("/merovant-update.xml")) << options.GetUpdateUrl();
}

wxString Parse(const std::string& reply)
{
    wxMemoryInputStream in(reply.data(), reply.size());
    return OptionDomain::ParseUpdateReply(in, "Tarvelin Merovant");
}

TEST(OptionFile, UpdateReplyTable)
{
    struct Case { const char* name; std::string reply; const char* version; } cases[] = {
        {"the last match wins",
         R"(<r><p n="Tarvelin Merovant" v="2.2.0"/><p n="Other" v="9.9"/><p n="Tarvelin Merovant" v="2.3.0"/></r>)", "2.3.0"},
        {"the attribute right after the name, wherever it stands",
         R"(<r><p a="x" b="Tarvelin Merovant" c="2.4.1" d="7"/></r>)", "2.4.1"},
        {"name as the last attribute gives nothing",
         R"(<r><p v="3.0" n="Tarvelin Merovant"/></r>)", ""},
        {"a later element without a match keeps the earlier one",
         R"(<r><p n="Tarvelin Merovant" v="2.5"/><p n="Tarvelin Merovant"/></r>)", "2.5"},
        {"letter case differs", R"(<r><p n="tarvelin merovant" v="2.3.0"/></r>)", ""},
        {"only children of the root", R"(<r><g><p n="Tarvelin Merovant" v="2.3.0"/></g></r>)", ""},
        {"malformed", R"(<r><p n="Tarvelin Merovant" v="2.3.0"></r>)", ""},
        {"empty", "", ""},
        // Only a plain version is a version.
        {"32 characters", R"(<r><p n="Tarvelin Merovant" v="1.2.3.4.5.6.7.8.9.10.11.12.13.14"/></r>)",
         "1.2.3.4.5.6.7.8.9.10.11.12.13.14"},
        {"33 characters", R"(<r><p n="Tarvelin Merovant" v="1.2.3.4.5.6.7.8.9.10.11.12.13.145"/></r>)", ""},
        {"10,000 digits", "<r><p n=\"Tarvelin Merovant\" v=\"" + std::string(10000, '9') + "\"/></r>", ""},
        {"a suffix", R"(<r><p n="Tarvelin Merovant" v="2.3.0-beta"/></r>)", ""},
        {"blanks", R"(<r><p n="Tarvelin Merovant" v=" 2.3.0"/></r>)", ""},
        {"an empty part", R"(<r><p n="Tarvelin Merovant" v="2..3"/></r>)", ""},
        {"a leading dot", R"(<r><p n="Tarvelin Merovant" v=".2.3"/></r>)", ""},
        {"a trailing dot", R"(<r><p n="Tarvelin Merovant" v="2.3."/></r>)", ""},
        {"other digits", "<r><p n=\"Tarvelin Merovant\" v=\"2.\xd9\xa3\"/></r>", ""},
        {"a line break", "<r><p n=\"Tarvelin Merovant\" v=\"2.3&#10;Click Yes\"/></r>", ""},
        {"the last version taken is not plain",
         R"(<r><p n="Tarvelin Merovant" v="2.3.0"/><p n="Tarvelin Merovant" v="2.4 beta"/></r>)", ""},
        {"a single number", R"(<r><p n="Tarvelin Merovant" v="3"/></r>)", "3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parse(c.reply), c.version) << c.name;
}

}  // namespace
