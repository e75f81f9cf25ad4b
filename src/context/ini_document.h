#pragma once
// One INI file held line by line, so that a write changes one line and leaves every
// other byte as it was: comments, unknown lines, order, line endings and encoding.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::context {

class IniDocument {
  public:
    // The bytes of a file: UTF-8 when they are valid UTF-8, else CP932.
    explicit IniDocument(std::string bytes = {});

    // The trimmed value of the first matching key in the first matching section, as UTF-8.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value of the first matching key, adding the key or the section when
    // missing. False when the names or the value cannot be held on one INI line.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes, in the encoding the document was read in.
    std::string bytes() const;

    bool isCp932() const { return cp932_; }

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string raw;     // bytes without the line ending
        std::string ending;  // "\r\n", "\n" or "" on a last line without one
        Kind kind = Kind::Other;
        std::string name;   // section or key name, trimmed, UTF-8
        std::string value;  // key value, trimmed, UTF-8
    };

    Line parseLine(std::string raw, std::string ending, bool first) const;
    std::string encode(std::string_view utf8) const;
    std::optional<size_t> findSection(std::string_view section) const;
    std::optional<size_t> findKey(size_t sectionLine, std::string_view key) const;
    void insertLine(size_t at, std::string_view utf8);

    std::vector<Line> lines_;
    bool cp932_ = false;
    std::string newline_;
};

}  // namespace omrix::context
