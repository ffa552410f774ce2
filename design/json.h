#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small, strict JSON reader and writer (RFC 8259) for the design file: the whole grammar and
// nothing more (no comments, no trailing commas, no NaN, no single quotes), UTF-8 only. Hostile
// text cannot exhaust the stack or the memory: nesting, length and the count of values are
// bounded, and every number must fit a double.

struct JsonMember;

enum class JsonKind { Null, Boolean, Number, String, Array, Object };

struct JsonValue {
    JsonKind kind = JsonKind::Null;
    bool boolean = false;
    double number = 0;  // a Number's value: always finite (a number too small for a double is 0)
    // A String's text, UTF-8 with its escapes resolved; a Number's token as written ("6.0960"),
    // so that a value the program does not understand is written back as it came.
    std::string text;
    std::vector<JsonValue> items;     // an Array's
    std::vector<JsonMember> members;  // an Object's, in the order written; no key twice
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// The limits on what ParseJson accepts.
inline constexpr std::size_t kJsonMaxDepth = 64;  // arrays and objects inside each other
inline constexpr std::size_t kJsonMaxBytes = 32 * 1024 * 1024;
inline constexpr std::size_t kJsonMaxValues = 1'000'000;

// Where the text went wrong: line and column from 1, the column counted in characters, and what
// was wrong there ("expected ',' or '}'").
struct JsonError {
    std::size_t line = 1;
    std::size_t column = 1;
    std::string what;
};

// The value of a whole text, or where and why it is not JSON. A UTF-8 byte-order mark at the start
// is skipped.
struct JsonParse {
    std::optional<JsonValue> value;
    JsonError error;  // meaningful only without a value
};
JsonParse ParseJson(std::string_view text);

// The value of an object's key, or null when it has no such key (or is no object).
const JsonValue* FindMember(const JsonValue& object, std::string_view key);

// A text as a JSON string, quotes included: '"' and '\' escaped, control characters as \n, \t or
// \u001f, everything else as it is (the text is taken to be UTF-8).
std::string JsonString(std::string_view text);

// The shortest text that reads back as exactly this double, as JSON writes numbers ("6.096",
// "1e+20"); "0" for minus zero. The value must be finite.
std::string JsonNumber(double value);

// A value on one line, ", " between items and ": " after keys; numbers as their tokens were
// written, strings re-escaped as JsonString does.
std::string CompactJson(const JsonValue& value);

// What a value is, for messages: "a number", "text", "true or false", "a list", "an object",
// "null".
std::string_view JsonKindName(JsonKind kind);
