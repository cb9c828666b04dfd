// A reader of RFC 4180 text written apart from the program's writer, so that a test of an export checks it
// against the standard rather than against the writer's own idea of it.
#pragma once

#include <string>
#include <vector>

// The records of the text (UTF-8, a byte-order mark skipped), each a list of its fields. A quoted field may
// hold the separator, a line break and a doubled quote; records end at CRLF or LF.
inline std::vector<std::vector<std::string>> ReadCsv(const std::string& text, char separator = ',')
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    size_t at = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    bool quoted = false;
    bool any = false;
    for (; at < text.size(); ++at)
    {
        const char c = text[at];
        if (quoted)
        {
            if (c != '"')
                field += c;
            else if (at + 1 < text.size() && text[at + 1] == '"')
                field += text[++at];
            else
                quoted = false;
            continue;
        }
        any = true;
        if (c == '"')
            quoted = true;
        else if (c == separator)
            record.push_back(std::move(field)), field.clear();
        else if (c == '\n')
        {
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
            any = false;
        }
        else if (c != '\r')
            field += c;
    }
    if (any)
    {
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return records;
}
