#include "json.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>
#include <unordered_set>

#include "utf8.h"

namespace {

// Objects up to this many members are searched for a key twice; longer ones keep a set.
constexpr std::size_t kShortObject = 32;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one text; stops at the first fault and remembers where it was.
class Parser {
  public:
    explicit Parser(std::string_view text) : text(text) {}

    JsonParse Parse() {
        if (text.size() > kJsonMaxBytes)
            return Fail("the text is longer than " + std::to_string(kJsonMaxBytes) + " bytes");
        if (text.substr(0, 3) == "\xEF\xBB\xBF")
            pos = 3;
        JsonValue value;
        SkipBlanks();
        if (!ReadValue(value, 0))
            return {std::nullopt, error};
        SkipBlanks();
        if (pos != text.size())
            return Fail("unexpected text after the end of the value");
        return {std::move(value), {}};
    }

  private:
    JsonParse Fail(std::string what) {
        Error(std::move(what));
        return {std::nullopt, error};
    }

    // Notes the fault at the current position; always false, for `return Error(...)`.
    bool Error(std::string what) {
        error.what = std::move(what);
        error.line = 1;
        error.column = 1;
        for (std::size_t i = 0; i < pos && i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte == '\n') {
                ++error.line;
                error.column = 1;
            } else if ((byte & 0xC0) != 0x80) {
                ++error.column;  // one per character: continuation bytes do not count
            }
        }
        return false;
    }

    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }

    void SkipBlanks() {
        while (!AtEnd() &&
               (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r'))
            ++pos;
    }

    bool Literal(std::string_view word) {
        if (text.substr(pos, word.size()) != word)
            return Error("expected a value");
        pos += word.size();
        return true;
    }

    bool ReadValue(JsonValue& value, std::size_t depth) {
        if (++values > kJsonMaxValues)
            return Error("more than " + std::to_string(kJsonMaxValues) + " values");
        switch (Peek()) {
            case '{':
                return ReadObject(value, depth + 1);
            case '[':
                return ReadArray(value, depth + 1);
            case '"':
                value.kind = JsonKind::String;
                return ReadString(value.text);
            case 't':
                value.kind = JsonKind::Boolean;
                value.boolean = true;
                return Literal("true");
            case 'f':
                value.kind = JsonKind::Boolean;
                return Literal("false");
            case 'n':
                value.kind = JsonKind::Null;
                return Literal("null");
            default:
                if (Peek() == '-' || IsDigit(Peek()))
                    return ReadNumber(value);
                return Error(AtEnd() ? "the text ends where a value should be"
                                     : "expected a value");
        }
    }

    bool ReadObject(JsonValue& value, std::size_t depth) {
        if (depth > kJsonMaxDepth)
            return Error("nested deeper than " + std::to_string(kJsonMaxDepth) + " levels");
        value.kind = JsonKind::Object;
        ++pos;
        SkipBlanks();
        if (Peek() == '}') {
            ++pos;
            return true;
        }
        // Keys seen, once an object is too long to search each time (hostile text could hold
        // a million keys).
        std::unordered_set<std::string> seen;
        while (true) {
            if (Peek() != '"')
                return Error("expected a key in double quotes");
            const std::size_t keyPos = pos;
            JsonMember member;
            if (!ReadString(member.key))
                return false;
            if (value.members.size() == kShortObject) {
                for (const JsonMember& earlier : value.members)
                    seen.insert(earlier.key);
            }
            const bool twice = value.members.size() < kShortObject
                                   ? FindMember(value, member.key) != nullptr
                                   : !seen.insert(member.key).second;
            if (twice) {
                pos = keyPos;
                return Error("the key " + JsonString(member.key) + " appears twice");
            }
            SkipBlanks();
            if (Peek() != ':')
                return Error("expected ':'");
            ++pos;
            SkipBlanks();
            if (!ReadValue(member.value, depth))
                return false;
            value.members.push_back(std::move(member));
            SkipBlanks();
            if (Peek() == '}') {
                ++pos;
                return true;
            }
            if (Peek() != ',')
                return Error("expected ',' or '}'");
            ++pos;
            SkipBlanks();
        }
    }

    bool ReadArray(JsonValue& value, std::size_t depth) {
        if (depth > kJsonMaxDepth)
            return Error("nested deeper than " + std::to_string(kJsonMaxDepth) + " levels");
        value.kind = JsonKind::Array;
        ++pos;
        SkipBlanks();
        if (Peek() == ']') {
            ++pos;
            return true;
        }
        while (true) {
            value.items.emplace_back();
            if (!ReadValue(value.items.back(), depth))
                return false;
            SkipBlanks();
            if (Peek() == ']') {
                ++pos;
                return true;
            }
            if (Peek() != ',')
                return Error("expected ',' or ']'");
            ++pos;
            SkipBlanks();
        }
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?, and its value must fit a double.
    bool ReadNumber(JsonValue& value) {
        const std::size_t start = pos;
        if (Peek() == '-')
            ++pos;
        // The decimal order of the first significant digit, to tell an overflow from an underflow.
        long long order = 0;
        bool significant = false;
        if (Peek() == '0') {
            ++pos;
        } else if (IsDigit(Peek())) {
            significant = true;
            while (IsDigit(Peek())) {
                ++order;
                ++pos;
            }
        } else {
            return Error("expected a digit");
        }
        if (Peek() == '.') {
            ++pos;
            if (!IsDigit(Peek()))
                return Error("expected a digit after the decimal point");
            while (IsDigit(Peek())) {
                if (!significant) {
                    significant = text[pos] != '0';
                    --order;
                }
                ++pos;
            }
        }
        long long exponent = 0;
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos;
            const bool negative = Peek() == '-';
            if (Peek() == '+' || Peek() == '-')
                ++pos;
            if (!IsDigit(Peek()))
                return Error("expected a digit in the exponent");
            while (IsDigit(Peek())) {
                // Saturates far beyond any double's range, so the order test below stays right.
                if (exponent < 1'000'000)
                    exponent = exponent * 10 + (text[pos] - '0');
                ++pos;
            }
            if (negative)
                exponent = -exponent;
        }
        value.kind = JsonKind::Number;
        value.text = std::string(text.substr(start, pos - start));
        const char* first = text.data() + start;
        const char* last = text.data() + pos;
        const auto [end, fault] = std::from_chars(first, last, value.number);
        if (fault == std::errc::result_out_of_range) {
            if (significant && order + exponent > 0) {
                pos = start;
                return Error("the number " + value.text + " is too large");
            }
            value.number = 0;
        } else if (fault != std::errc() || end != last || !std::isfinite(value.number)) {
            pos = start;
            return Error("the number " + value.text + " cannot be read");
        }
        if (value.number == 0)
            value.number = 0.0;  // no minus zero
        return true;
    }

    // Four hex digits after "\u".
    bool ReadHex(unsigned& unit) {
        unit = 0;
        for (int k = 0; k < 4; ++k, ++pos) {
            const char c = Peek();
            unit <<= 4;
            if (IsDigit(c))
                unit |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                unit |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                unit |= static_cast<unsigned>(c - 'A' + 10);
            else
                return Error("expected four hex digits after \\u");
        }
        return true;
    }

    bool ReadEscape(std::string& out) {
        const std::size_t start = pos;
        ++pos;  // the backslash
        const char c = Peek();
        ++pos;
        switch (c) {
            case '"':
            case '\\':
            case '/':
                out += c;
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                pos = start;
                return Error("an unknown escape in a string");
        }
        unsigned unit = 0;
        if (!ReadHex(unit))
            return false;
        char32_t code = unit;
        if (unit >= 0xDC00 && unit < 0xE000) {
            pos = start;
            return Error("a \\u escape holds half a character (a lone low surrogate)");
        }
        if (unit >= 0xD800 && unit < 0xDC00) {
            unsigned low = 0;
            if (text.substr(pos, 2) != "\\u" || (pos += 2, !ReadHex(low)) || low < 0xDC00 ||
                low >= 0xE000) {
                pos = start;
                return Error("a \\u escape holds half a character (a lone high surrogate)");
            }
            code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    // One well-formed UTF-8 sequence (no overlong forms, no surrogates, nothing past U+10FFFF).
    bool ReadUtf8(std::string& out) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const char32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        char32_t c = lead & (0x3F >> (length - 1));
        bool wellFormed = lead >= 0xC2 && lead < 0xF5 && pos + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[pos + k]);
            wellFormed = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3F);
        }
        if (!wellFormed || c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return Error("the text is not valid UTF-8");
        out.append(text.substr(pos, length));
        pos += length;
        return true;
    }

    bool ReadString(std::string& out) {
        ++pos;  // the opening quote
        while (true) {
            if (AtEnd())
                return Error("the text ends inside a string");
            const auto c = static_cast<unsigned char>(text[pos]);
            if (c == '"') {
                ++pos;
                return true;
            }
            if (c < 0x20)
                return Error("a control character in a string (write it as an escape)");
            if (c == '\\') {
                if (!ReadEscape(out))
                    return false;
            } else if (c >= 0x80) {
                if (!ReadUtf8(out))
                    return false;
            } else {
                out += static_cast<char>(c);
                ++pos;
            }
        }
    }

    std::string_view text;
    std::size_t pos = 0;
    std::size_t values = 0;
    JsonError error;
};

void AppendCompact(std::string& out, const JsonValue& value) {
    switch (value.kind) {
        case JsonKind::Null:
            out += "null";
            return;
        case JsonKind::Boolean:
            out += value.boolean ? "true" : "false";
            return;
        case JsonKind::Number:
            out += value.text.empty() ? JsonNumber(value.number) : value.text;
            return;
        case JsonKind::String:
            out += JsonString(value.text);
            return;
        case JsonKind::Array:
            out += '[';
            for (std::size_t i = 0; i < value.items.size(); ++i) {
                if (i > 0)
                    out += ", ";
                AppendCompact(out, value.items[i]);
            }
            out += ']';
            return;
        case JsonKind::Object:
            out += '{';
            for (std::size_t i = 0; i < value.members.size(); ++i) {
                if (i > 0)
                    out += ", ";
                out += JsonString(value.members[i].key);
                out += ": ";
                AppendCompact(out, value.members[i].value);
            }
            out += '}';
            return;
    }
}

}  // namespace

JsonParse ParseJson(std::string_view text) {
    return Parser(text).Parse();
}

const JsonValue* FindMember(const JsonValue& object, std::string_view key) {
    for (const JsonMember& member : object.members) {
        if (member.key == key)
            return &member.value;
    }
    return nullptr;
}

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (value == 0)
        return "0";
    std::array<char, 32> buffer;
    const auto [end, fault] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return fault == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

std::string CompactJson(const JsonValue& value) {
    std::string out;
    AppendCompact(out, value);
    return out;
}

std::string_view JsonKindName(JsonKind kind) {
    switch (kind) {
        case JsonKind::Null:
            return "null";
        case JsonKind::Boolean:
            return "true or false";
        case JsonKind::Number:
            return "a number";
        case JsonKind::String:
            return "text";
        case JsonKind::Array:
            return "a list";
        case JsonKind::Object:
            return "an object";
    }
    return "";
}
