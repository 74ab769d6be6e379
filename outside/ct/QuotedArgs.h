// Splits a command text into arguments: blanks separate, double quotes group,
// and inside quotes \" and \\ stand for " and \ (other backslashes are kept).
#pragma once

#include <string>
#include <vector>

struct QuotedArg {
    std::string text;
    bool quoted = false;  // some part of it was inside double quotes
};

class QuotedArgs {
public:
    static std::vector<QuotedArg> Split(const std::string& line);
};
