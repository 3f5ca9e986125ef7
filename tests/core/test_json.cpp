// The JSON text of the JSON form: strict reading with messages that name line and column,
// repeated keys found in objects of any size, values located by path, and the writer's layout.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

#include "common/Json.h"
#include "project/ProjectJson.h"

using namespace vanta;

namespace {

std::string parseError(const std::string& text) {
    Result<Json> parsed = parseJson(text);
    EXPECT_FALSE(parsed.ok()) << text;
    return parsed.ok() ? std::string() : parsed.message();
}

// An object of `count` members "k0": 0, "k1": 1, ... on one line.
std::string objectOfKeys(size_t count, const std::string& extra = {}) {
    std::string text = "{";
    for (size_t i = 0; i < count; ++i)
        text += (i ? ", \"k" : "\"k") + std::to_string(i) + "\": " + std::to_string(i);
    return text + extra + "}";
}

}  // namespace

TEST(Json, ReadsValuesInTheirOrderWithTheirKinds) {
    auto v = parseJson(
        "\xEF\xBB\xBF {\"b\": [1, -2, 3.5e1, true, null], \"a\": \"x\\u00e9\\ud83d\\ude00\"}");
    ASSERT_TRUE(v) << v.message();
    ASSERT_EQ(v->size(), 2u);
    EXPECT_EQ(v->begin().key(), "b");
    const Json& items = v->at("b");
    EXPECT_EQ(items[1].get<int64_t>(), -2);
    EXPECT_TRUE(items[2].is_number_float());
    EXPECT_TRUE(items[3].get<bool>());
    EXPECT_TRUE(items[4].is_null());
    EXPECT_EQ(v->at("a").get<std::string>(), "x\xC3\xA9\xF0\x9F\x98\x80");

    auto big = parseJson("[9223372036854775807, -9223372036854775808, 18446744073709551616]");
    ASSERT_TRUE(big);
    EXPECT_EQ((*big)[0].get<int64_t>(), INT64_MAX);
    EXPECT_EQ((*big)[1].get<int64_t>(), INT64_MIN);
    EXPECT_FALSE((*big)[2].is_number_integer());

    const std::string nested = std::string(kJsonMaxDepth, '[') + std::string(kJsonMaxDepth, ']');
    EXPECT_TRUE(parseJson(nested).ok());
}

TEST(Json, FaultsNameLineAndColumnAndWhatWasExpected) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        // Structure.
        {"{\n  \"a\": 1,\n  \"b\" 2\n}", "line 3, column 7: unexpected '2', ':' was expected"},
        {"[1, 2,]", "line 1, column 7: a value was expected after ','"},
        {"\xEF\xBB\xBF[1,]", "line 1, column 4: a value was expected after ','"},
        {"{\"a\": 1,}", "line 1, column 9: a key was expected after ','"},
        {"{,}", "line 1, column 2: unexpected ',', a key in quotes was expected"},
        {"{\"a\": }", "line 1, column 7: unexpected '}', a value was expected"},
        {"{\"a\": 1 \"b\": 2}", "line 1, column 9: unexpected '\"', ',' or '}' was expected"},
        {"[1 ,,2]", "line 1, column 5: unexpected ',', a value was expected"},
        {"[1}", "line 1, column 3: unexpected '}', ',' or ']' was expected"},
        {"{\"a\": 1]", "line 1, column 8: unexpected ']', ',' or '}' was expected"},
        {"{\"a\"", "line 1, column 5: the text ends inside an object, ':' was expected"},
        {"{\"a\": 1", "line 1, column 8: the text ends inside an object, '}' was expected"},
        {"[1", "line 1, column 3: the text ends inside an array, ']' was expected"},
        {"{\"a\": [", "line 1, column 8: unexpected end of the text, a value was expected"},
        {"", "line 1, column 1: unexpected end of the text, a value was expected"},
        {"[1] x", "line 1, column 5: unexpected text after the end of the JSON value"},
        {"[1]\n\n}", "line 3, column 1: unexpected text after the end of the JSON value"},
        {"{tru: 1}", "line 1, column 2: unexpected 't', a key in quotes was expected"},
        {"[nul]", "line 1, column 2: unexpected 'n', a value was expected"},
        {"[1,\n2,\n@]", "line 3, column 1: unexpected '@', a value was expected"},
        {"[\"\xC3\xA9\", \xF0]", "line 1, column 7: unexpected byte 0xF0, a value was expected"},
        {"\xEF\xBBx", "line 1, column 1: unexpected byte 0xEF, a value was expected"},
        // Numbers: a number stops where its grammar does, the next character is judged alone.
        {"[01]", "line 1, column 3: a number may not start with 0 followed by digits"},
        {"[-01]", "line 1, column 4: a number may not start with 0 followed by digits"},
        {"[1-]", "line 1, column 3: unexpected '-', ',' or ']' was expected"},
        {"[1.5e3x]", "line 1, column 7: unexpected 'x', ',' or ']' was expected"},
        {"[-x]", "line 1, column 3: a digit was expected in the number"},
        {"[1.]", "line 1, column 4: a digit was expected after the decimal point"},
        {"[1e+]", "line 1, column 5: a digit was expected in the exponent"},
        {"[1, 1e999]", "line 1, column 5: the number 1e999 is too large"},
        // Strings.
        {"\"tab\there\"", "line 1, column 5: a control character must be escaped inside a string"},
        {"\"\\ud800x\"", "line 1, column 8: a high surrogate \\u escape without a low one"},
        {"\"\\ud800\\u0041\"", "line 1, column 14: a high surrogate \\u escape without a low one"},
        {"\"\\uD800\\", "line 1, column 8: a high surrogate \\u escape without a low one"},
        {"\"\\udc00\"", "line 1, column 8: a low surrogate \\u escape without a high one"},
        {"\"\\u12G4\"", "line 1, column 6: four hexadecimal digits were expected after \\u"},
        {"\"a\\qb\"", "line 1, column 5: unknown escape \\q in a string"},
        {"[\"a\\", "line 1, column 5: the text ends inside a string"},
        {"\"\xC3\x28\"", "line 1, column 2: the string is not valid UTF-8"},
        {"[\"a\",\n \"\xC3\xA9\xFF\"]", "line 2, column 4: the string is not valid UTF-8"},
        {"{\n\"\xC3\xA9\": \"\xC3\xBC\" x}",
         "line 2, column 10: unexpected 'x', ',' or '}' was expected"},
        // Keys.
        {"{\"a\": 1, \"a\": 2}", "line 1, column 10: the key \"a\" occurs twice in the object"},
        {"{\"a\":{\"b\":[1,{\"c\":2,\"c\":3}]}}",
         "line 1, column 21: the key \"c\" occurs twice in the object"},
        {"{\"x\": [], \"y\": {}, \"x\": 1}",
         "line 1, column 20: the key \"x\" occurs twice in the object"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseError(c.text), c.message) << c.text;

    EXPECT_EQ(parseError(std::string(kJsonMaxDepth + 1, '[')),
              "line 1, column 201: the values are nested more than 200 deep");
}

// Each key is looked up once, in constant time, however large the object: 100,000 keys read in
// time proportional to the text (bench_json measures it).
TEST(Json, RepeatedKeysAreFoundInObjectsOfAnySize) {
    for (const size_t count : {size_t(5), size_t(31), size_t(32), size_t(100000)}) {
        const std::string unique = objectOfKeys(count);
        Result<Json> parsed = parseJson(unique);
        ASSERT_TRUE(parsed) << parsed.message();
        EXPECT_EQ(parsed->size(), count);
        EXPECT_EQ(parsed->back().get<size_t>(), count - 1);

        // The first key again at the end, and the last one again.
        for (const size_t repeated : {size_t(0), count - 1}) {
            const std::string text =
                objectOfKeys(count, ", \"k" + std::to_string(repeated) + "\": 1");
            const size_t column =
                text.size() - (", \"k" + std::to_string(repeated) + "\": 1}").size() + 3;
            EXPECT_EQ(parseError(text), "line 1, column " + std::to_string(column) +
                                            ": the key \"k" + std::to_string(repeated) +
                                            "\" occurs twice in the object")
                << count;
        }
    }
    // The same key in different objects is no repeat.
    EXPECT_TRUE(parseJson("{\"a\": {\"a\": 1}, \"b\": [{\"a\": 2}, {\"a\": 3}]}").ok());
}

TEST(Json, ValuesAreLocatedByTheirPath) {
    const std::string text =
        "\xEF\xBB\xBF{\"s\": [1, 22,\n  {\"a.b\": -3.5e1, \"t\": \"\xE4\xB8\xAD\"}],\n"
        " \"n\": null, \"e\": {}}";
    ASSERT_TRUE(parseJson(text).ok());
    struct Case {
        JsonPath path;
        int line, column;
        std::string token;
    };
    const JsonPath s = JsonPath().key("s");
    const std::vector<Case> cases = {
        {JsonPath(), 1, 1, ""},
        {s, 1, 7, ""},
        {s.index(0), 1, 8, "1"},
        {s.index(1), 1, 11, "22"},
        {s.index(2), 2, 3, ""},
        {s.index(2).key("a.b"), 2, 11, "-3.5e1"},
        {s.index(2).key("t"), 2, 24, "\"\xE4\xB8\xAD\""},
        {JsonPath().key("n"), 3, 7, "null"},
        {JsonPath().key("e"), 3, 18, ""},
    };
    for (const Case& c : cases) {
        const std::optional<JsonLocation> at = locateJsonValue(text, c.path);
        ASSERT_TRUE(at) << c.path.text();
        EXPECT_EQ(at->line, c.line) << c.path.text();
        EXPECT_EQ(at->column, c.column) << c.path.text();
        EXPECT_EQ(at->token, c.token) << c.path.text();
    }
    EXPECT_FALSE(locateJsonValue(text, s.index(3)));
    EXPECT_FALSE(locateJsonValue(text, JsonPath().key("a.b")));
    EXPECT_EQ(s.index(2).key("a.b").text(), "s[2].a.b");
    EXPECT_EQ(JsonPath().text(), "(top level)");
}

TEST(Json, WriterEscapesLaysOutAndReadsBack) {
    Json root = Json::object();
    root["text"] = "q\"b\\n\n\x01\x7F\xE4\xB8\xAD";
    root["list"] = Json::array({-5, false, nullptr, 18446744073709551615u});
    root["wide"] = Json::array();
    for (int i = 0; i < 30; ++i)
        root["wide"].push_back(1000 + i);
    root["nested"] = Json::array({Json::object(), Json::array()});
    const std::string text = writeJson(root);
    EXPECT_EQ(
        text,
        "{\n"
        "  \"text\": \"q\\\"b\\\\n\\n\\u0001\\u007F\xE4\xB8\xAD\",\n"
        "  \"list\": [-5, false, null, 18446744073709551615],\n"
        "  \"wide\": [\n" +
            [] {
                std::string rows;
                for (int i = 0; i < 30; ++i)
                    rows += "    " + std::to_string(1000 + i) + (i < 29 ? ",\n" : "\n");
                return rows;
            }() +
            "  ],\n"
            "  \"nested\": [\n    {},\n    []\n  ]\n"
            "}\n");
    auto back = parseJson(text);
    ASSERT_TRUE(back) << back.message();
    EXPECT_EQ(*back, root);
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define VANTA_SANITIZED_MEMORY 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANTA_SANITIZED_MEMORY 1
#endif

#ifndef VANTA_SANITIZED_MEMORY
// Runs in a child process: limits its address space to a little more than it uses, then reads a
// text whose values cannot fit; exits 0 when both readers report it as a message.
[[noreturn]] void readWithTooLittleMemory(const std::string& text) {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t room = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (48 << 20);
    const rlimit limit{room, room};
    setrlimit(RLIMIT_AS, &limit);
    const Result<Json> parsed = parseJson(text);
    const Result<Bytes> built = projectFileFromJson(text);
    const bool told = !parsed.ok() && !built.ok() &&
                      parsed.message().find("not enough memory") != std::string::npos &&
                      built.message() == parsed.message();
    std::_Exit(told ? 0 : 1);
}
#endif

// A limit on the address space keeps the values of a large text from fitting: the reader says
// so instead of ending the program with an exception.
TEST(JsonDeathTest, RunningOutOfMemoryIsAMessage) {
#ifdef VANTA_SANITIZED_MEMORY
    GTEST_SKIP() << "the sanitizer's own reservations do not survive an address-space limit";
#else
    std::string text = "[0";
    for (int i = 0; i < 8'000'000; ++i)
        text += ",0";
    text += ']';
    EXPECT_EXIT(readWithTooLittleMemory(text), ::testing::ExitedWithCode(0), "");
#endif
}
