#include "QuotedArgs.h"

std::vector<QuotedArg> QuotedArgs::Split(const std::string& line)
{
    std::vector<QuotedArg> args;
    QuotedArg cur;
    bool inArg = false;
    bool inQuotes = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (inQuotes) {
            if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                cur.text += line[++i];
            } else if (c == '"') {
                inQuotes = false;
            } else {
                cur.text += c;
            }
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inArg) {
                args.push_back(cur);
                cur = QuotedArg();
                inArg = false;
            }
            continue;
        }
        inArg = true;
        if (c == '"') {
            inQuotes = true;
            cur.quoted = true;
        } else {
            cur.text += c;
        }
    }
    if (inArg)
        args.push_back(cur);
    return args;
}
