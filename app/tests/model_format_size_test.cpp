#include "app/model/format_size.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace scrivlet;

namespace {

struct SizeCase
{
    std::int64_t bytes;
    const char *text;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.bytes << " is " << c.text;
}

class FormatSizeTest : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(FormatSizeTest, WithPointSeparator)
{
    EXPECT_EQ(formatSize(GetParam().bytes, QLocale::c()).toStdString(), GetParam().text);
}

// Expected texts worked out by hand from the unit table: thresholds at 1000 of each unit,
// decimals rounded to nearest with exact halves to the even neighbour, whole numbers floored.
INSTANTIATE_TEST_SUITE_P(
    Table, FormatSizeTest,
    ::testing::Values(SizeCase{0, "0 bytes"}, SizeCase{1, "1 bytes"}, SizeCase{1023, "1023 bytes"},
                      SizeCase{1024, "1.00 KB"}, SizeCase{1152, "1.12 KB"}, // 1.125: tie to even
                      SizeCase{1408, "1.38 KB"},                            // 1.375: tie to even
                      SizeCase{1536, "1.50 KB"}, SizeCase{10239, "10.00 KB"}, SizeCase{10240, "10.0 KB"},
                      SizeCase{10496, "10.2 KB"}, // 10.25: tie to even
                      SizeCase{102399, "100.0 KB"}, SizeCase{102400, "100 KB"}, SizeCase{1023999, "999 KB"},
                      SizeCase{1024000, "0.98 MB"}, SizeCase{1048576, "1.00 MB"},
                      SizeCase{10485759, "10.00 MB"}, SizeCase{10485760, "10.0 MB"},
                      SizeCase{104857599, "100.0 MB"}, SizeCase{104857600, "100 MB"},
                      SizeCase{1048575999, "999 MB"}, SizeCase{1048576000, "0.98 GB"},
                      SizeCase{2147483648LL, "2.00 GB"}, SizeCase{3000000000LL, "2.79 GB"},
                      SizeCase{10737418239LL, "10.00 GB"}, SizeCase{10737418240LL, "10.0 GB"},
                      SizeCase{107374182400LL, "100 GB"}, SizeCase{1073741823999LL, "999 GB"},
                      SizeCase{1073741824000LL, "0.98 TB"}, SizeCase{1099511627776LL, "1.00 TB"},
                      SizeCase{5497558138880000LL, "5000.00 TB"}),
    PrintedCaseName());

TEST(FormatSize, UsesTheLocaleDecimalSeparatorWithoutGrouping)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(formatSize(1024, german), QStringLiteral("1,00 KB"));
    EXPECT_EQ(formatSize(10240, german), QStringLiteral("10,0 KB"));
    EXPECT_EQ(formatSize(1023, german), QStringLiteral("1023 bytes"));
    EXPECT_EQ(formatSize(5497558138880000LL, german), QStringLiteral("5000,00 TB"));
}

} // namespace
