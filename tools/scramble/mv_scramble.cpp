// mv_scramble <source.xml> <target.bin>
// Checks that the source is well-formed UTF-8 XML whose root element holds
// only elements (the program counts the root's children), then writes it with
// every byte scrambled by the catalog key.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <wx/init.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include "CatalogScramble.h"

namespace {

int Fail(const std::string& source, const std::string& why)
{
    std::fprintf(stderr, "mv_scramble: %s: %s\n", source.c_str(), why.c_str());
    return 1;
}

std::string CheckCatalog(const std::string& bytes)
{
    wxLogNull quiet;
    wxMemoryInputStream in(bytes.data(), bytes.size());
    wxXmlDocument document;
    if (!document.Load(in, "UTF-8") || !document.GetRoot())
        return "not well-formed XML";
    for (const wxXmlNode* node = document.GetRoot()->GetChildren(); node; node = node->GetNext())
        if (node->GetType() != wxXML_ELEMENT_NODE)
            return "the root element holds something other than elements (a comment?)";
    return std::string();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mv_scramble <source.xml> <target.bin>\n");
        return 2;
    }
    wxInitializer init;
    const std::string source = argv[1], target = argv[2];
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return Fail(source, "cannot be read");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string problem = CheckCatalog(bytes);
    if (!problem.empty())
        return Fail(source, problem);

    ScrambleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    const std::string temp = target + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return Fail(target, "cannot be written");
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0)
        return Fail(target, "cannot be replaced");
    return 0;
}
