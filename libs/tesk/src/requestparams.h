#pragma once

#include <map>
#include <optional>
#include <string>

namespace tesk {

/// The contents of a request-parameter file: sections of key = value lines.
class RequestParams
{
public:
    /// Reads `path`. Lines that are not "key = value", "[section]", blank or a comment
    /// (";" or "#") are skipped with a warning; `badLines` tells how many.
    int load(const std::string& path);
    void clear();

    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::optional<double> number(const std::string& section, const std::string& key) const;
    bool isEmpty() const { return m_values.empty(); }
    int badLines() const { return m_badLines; }

    /// Parses text in the same form as a file.
    void parse(const std::string& text, const std::string& origin);

private:
    std::map<std::string, std::string> m_values; // "section/key" in lower case
    int m_badLines = 0;
};

} // namespace tesk
