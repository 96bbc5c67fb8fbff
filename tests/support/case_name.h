#pragma once
// Readable, stable names for the cases of parameterised tests. A case type gets a PrintTo that
// describes it in words ("15 twips is 1 pixel"); PrintedCaseName turns that description into the
// case's name (15_twips_is_1_pixel), so ctest lists Suite/Test.Name/15_twips_is_1_pixel with the
// same description after it, the same on every run.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

// Letters and digits are kept, every other run of characters becomes one underscore; a minus
// sign before a number becomes "minus". An empty result is "empty".
inline std::string caseName(std::string_view text)
{
    const auto isWord = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    std::string name;
    bool gap = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool minus = c == '-' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9' &&
                           (i == 0 || !isWord(text[i - 1]));
        if (!isWord(c) && !minus) {
            gap = !name.empty();
            continue;
        }
        if (gap)
            name += '_';
        gap = false;
        name += minus ? std::string("minus_") : std::string(1, c);
    }
    return name.empty() ? std::string("empty") : name;
}

// A name generator for INSTANTIATE_TEST_SUITE_P: the case's printed description as a name.
struct PrintedCaseName
{
    template <typename T> std::string operator()(const ::testing::TestParamInfo<T> &info) const
    {
        return caseName(::testing::PrintToString(info.param));
    }
};
