// PropertyBag: keys without case, read defaults, writes that leave defaults out, kept order and
// the JSON store.
#include "controls/host/property_bag.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

using namespace scrivlet;

namespace {

QImage samplePicture()
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, qRgba(x * 100, y * 200, 50, 255 - x * 60));
    return picture;
}

QFont sampleFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}

TEST(HostPropertyBag, KeysAreComparedWithoutCase)
{
    PropertyBag bag;
    bag.writeBool(QStringLiteral("USeCustomColors"), true);
    EXPECT_TRUE(bag.contains(QStringLiteral("usecustomcolors")));
    EXPECT_TRUE(bag.readBool(QStringLiteral("UseCustomColors"), false));
    bag.writeBool(QStringLiteral("USECUSTOMCOLORS"), false);
    EXPECT_EQ(bag.size(), 1);
    EXPECT_FALSE(bag.readBool(QStringLiteral("usecustomcolors"), true));
    bag.remove(QStringLiteral("useCustomColors"));
    EXPECT_EQ(bag.size(), 0);
}

TEST(HostPropertyBag, MissingKeysGiveTheDefault)
{
    const PropertyBag bag;
    EXPECT_TRUE(bag.readBool(QStringLiteral("Enabled"), true));
    EXPECT_EQ(bag.readInt16(QStringLiteral("IconSize"), 16), 16);
    EXPECT_EQ(bag.readInt32(QStringLiteral("Style"), 3), 3);
    EXPECT_EQ(bag.readColor(QStringLiteral("BackColor"), 0x8000000Fu), 0x8000000Fu);
    EXPECT_EQ(bag.readText(QStringLiteral("Caption"), QStringLiteral("StyledButton")),
              QStringLiteral("StyledButton"));
    EXPECT_EQ(bag.readFont(QStringLiteral("Font"), sampleFont()), sampleFont());
    EXPECT_TRUE(bag.readPicture(QStringLiteral("Icon")).isNull());
}

// Each type: a value equal to the write default is left out (and drops an earlier value), a
// different one is kept, and without a default the value is always written.
TEST(HostPropertyBag, WritesLeaveOutTheirDefault)
{
    PropertyBag bag;
    bag.writeText(QStringLiteral("Caption"), QStringLiteral("Save"), QString());
    bag.writeText(QStringLiteral("Caption"), QString(), QString());
    bag.writeInt32(QStringLiteral("Style"), 3, 3);
    bag.writeInt16(QStringLiteral("IconSize"), 16, 16);
    bag.writeBool(QStringLiteral("Enabled"), true, true);
    bag.writeColor(QStringLiteral("MaskColor"), 0xC0C0C0u, 0xC0C0C0u);
    bag.writeFont(QStringLiteral("Font"), sampleFont(), sampleFont());
    bag.writePicture(QStringLiteral("Icon"), samplePicture(), samplePicture());
    EXPECT_EQ(bag.size(), 0) << bag.toJsonText().toStdString();

    bag.writeInt32(QStringLiteral("Style"), 5, 3);
    bag.writeColor(QStringLiteral("MaskColor"), 0, 0xC0C0C0u);
    bag.writeBool(QStringLiteral("RoundedBordersByTheme"), false, true);
    bag.writeInt32(QStringLiteral("ToolTipType"), 1);
    bag.writePicture(QStringLiteral("Icon"), QImage());
    EXPECT_EQ(bag.keys(), (QStringList{QStringLiteral("Style"), QStringLiteral("MaskColor"),
                                       QStringLiteral("RoundedBordersByTheme"), QStringLiteral("ToolTipType"),
                                       QStringLiteral("Icon")}));
    EXPECT_EQ(bag.readInt32(QStringLiteral("style"), 3), 5);
    EXPECT_EQ(bag.readColor(QStringLiteral("MaskColor"), 0xC0C0C0u), 0u);
    EXPECT_FALSE(bag.readBool(QStringLiteral("RoundedBordersByTheme"), true));
    EXPECT_TRUE(bag.contains(QStringLiteral("Icon")));
    EXPECT_TRUE(bag.readPicture(QStringLiteral("Icon"), samplePicture()).isNull());
}

TEST(HostPropertyBag, RewritingKeepsThePlaceOfTheFirstWrite)
{
    PropertyBag bag;
    bag.writeInt32(QStringLiteral("Max"), 10);
    bag.writeInt32(QStringLiteral("Min"), 1);
    bag.writeInt32(QStringLiteral("MAX"), 20);
    EXPECT_EQ(bag.keys(), (QStringList{QStringLiteral("Max"), QStringLiteral("Min")}));
    EXPECT_EQ(bag.readInt32(QStringLiteral("max"), 0), 20);
}

struct LenientCase
{
    const char *json; // {"v": ...}
    bool asBool;      // with default true
    int asInt32;      // with default 77
    unsigned asColor; // with default 0x1234
};

void PrintTo(const LenientCase &c, std::ostream *out)
{
    *out << c.json;
}

class Lenient : public ::testing::TestWithParam<LenientCase>
{
};

// Values are read across types the way the stored designs use them: Booleans written as 0 / -1,
// colours written signed, and anything unreadable falls back to the default.
TEST_P(Lenient, ReadsAcrossTypes)
{
    const LenientCase c = GetParam();
    const auto bag = PropertyBag::fromJsonText(QByteArray(c.json));
    ASSERT_TRUE(bag.has_value());
    EXPECT_EQ(bag->readBool(QStringLiteral("v"), true), c.asBool) << c.json;
    EXPECT_EQ(bag->readInt32(QStringLiteral("v"), 77), c.asInt32) << c.json;
    EXPECT_EQ(bag->readColor(QStringLiteral("v"), 0x1234u), c.asColor) << c.json;
}

INSTANTIATE_TEST_SUITE_P(Host, Lenient,
                         ::testing::Values(LenientCase{R"({"v": -1})", true, -1, 0xFFFFFFFFu},
                                           LenientCase{R"({"v": 0})", false, 0, 0u},
                                           LenientCase{R"({"v": true})", true, -1, 0x1234u},
                                           LenientCase{R"({"v": -2147483635})", true, -2147483635,
                                                       0x8000000Du},
                                           LenientCase{R"({"v": 2147483661})", true, 77, 0x8000000Du},
                                           LenientCase{R"({"v": 4294967296})", true, 77, 0x1234u},
                                           LenientCase{R"({"v": 2.5})", true, 77, 0x1234u},
                                           LenientCase{R"({"v": "12"})", true, 77, 0x1234u},
                                           LenientCase{R"({"v": false})", false, 0, 0x1234u}),
                         PrintedCaseName());

TEST(HostPropertyBag, Int16OutOfRangeGivesTheDefault)
{
    const auto bag = PropertyBag::fromJsonText(R"({"a": 32767, "b": -32768, "c": 32768, "d": -32769})");
    ASSERT_TRUE(bag.has_value());
    EXPECT_EQ(bag->readInt16(QStringLiteral("a"), 1), 32767);
    EXPECT_EQ(bag->readInt16(QStringLiteral("b"), 1), -32768);
    EXPECT_EQ(bag->readInt16(QStringLiteral("c"), 1), 1);
    EXPECT_EQ(bag->readInt16(QStringLiteral("d"), 1), 1);
}

// Every type survives the JSON text, in order.
TEST(HostPropertyBag, JsonRoundTripOfEveryType)
{
    PropertyBag bag;
    bag.writePicture(QStringLiteral("Icon"), samplePicture());
    bag.writeInt32(QStringLiteral("Style"), 5);
    bag.writeText(QStringLiteral("Caption"), QStringLiteral("Clear... \"quoted\" \u00e9"));
    bag.writeInt16(QStringLiteral("IconSize"), -12);
    bag.writeBool(QStringLiteral("Enabled"), false);
    bag.writeColor(QStringLiteral("BackColor"), 0x8000000Fu);
    bag.writeColor(QStringLiteral("Color"), 0xC0FFC0u);
    bag.writeFont(QStringLiteral("Font"), sampleFont());
    bag.writePicture(QStringLiteral("Image"), QImage());

    const QByteArray text = bag.toJsonText();
    const auto back = PropertyBag::fromJsonText(text);
    ASSERT_TRUE(back.has_value()) << text.toStdString();
    EXPECT_EQ(back->readPicture(QStringLiteral("Icon")), samplePicture());
    EXPECT_EQ(back->readInt32(QStringLiteral("Style"), 0), 5);
    EXPECT_EQ(back->readText(QStringLiteral("Caption"), QString()),
              QStringLiteral("Clear... \"quoted\" \u00e9"));
    EXPECT_EQ(back->readInt16(QStringLiteral("IconSize"), 0), -12);
    EXPECT_FALSE(back->readBool(QStringLiteral("Enabled"), true));
    EXPECT_EQ(back->readColor(QStringLiteral("BackColor"), 0), 0x8000000Fu);
    EXPECT_EQ(back->readColor(QStringLiteral("Color"), 0), 0xC0FFC0u);
    const QFont font = back->readFont(QStringLiteral("Font"), QFont());
    EXPECT_EQ(font.family(), QStringLiteral("Microsoft Sans Serif"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_TRUE(back->contains(QStringLiteral("Image")));
    EXPECT_TRUE(back->readPicture(QStringLiteral("Image"), samplePicture()).isNull());

    // The text keeps the order of the writes; the object form holds the same values.
    qsizetype last = -1;
    for (const QString &key : bag.keys()) {
        const qsizetype at = text.indexOf(QByteArray("\"") + key.toUtf8() + "\"");
        EXPECT_GT(at, last) << key.toStdString();
        last = at;
    }
    EXPECT_EQ(PropertyBag::fromJson(bag.toJson()).toJson(), bag.toJson());
}

TEST(HostPropertyBag, FontObjectsFromDesigns)
{
    const auto bag = PropertyBag::fromJsonText(
        R"({"Font": {"name": "MS Sans Serif", "size": 8.25, "weight": 400, "charset": 0},
            "Bold": {"name": "Verdana", "size": 8.25, "bold": true},
            "Nameless": {"size": 9}, "NotAFont": 12})");
    ASSERT_TRUE(bag.has_value());
    const QFont font = bag->readFont(QStringLiteral("font"), QFont());
    EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(bag->readFont(QStringLiteral("Bold"), QFont()).weight(), QFont::Bold);
    EXPECT_EQ(bag->readFont(QStringLiteral("Nameless"), sampleFont()), sampleFont());
    EXPECT_EQ(bag->readFont(QStringLiteral("NotAFont"), sampleFont()), sampleFont());
}

TEST(HostPropertyBag, BrokenPicturesAndTextsGiveDefaults)
{
    const auto bag = PropertyBag::fromJsonText(R"({"Icon": "bm90IGEgcG5n", "Other": 5})");
    ASSERT_TRUE(bag.has_value());
    EXPECT_EQ(bag->readPicture(QStringLiteral("Icon"), samplePicture()), samplePicture());
    EXPECT_EQ(bag->readPicture(QStringLiteral("Other"), samplePicture()), samplePicture());
    EXPECT_EQ(bag->readText(QStringLiteral("Other"), QStringLiteral("x")), QStringLiteral("x"));
}

TEST(HostPropertyBag, OnlyJsonObjectsLoad)
{
    EXPECT_FALSE(PropertyBag::fromJsonText("[1, 2]").has_value());
    EXPECT_FALSE(PropertyBag::fromJsonText("{\"a\": ").has_value());
    EXPECT_FALSE(PropertyBag::fromJsonText("").has_value());
    const auto empty = PropertyBag::fromJsonText("{}");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(empty->toJsonText()).isObject());
}

} // namespace
