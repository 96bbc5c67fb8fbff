// The chunked operations against a plain reference that works on the whole file image, written
// straight from the whole-file algorithms, over many generated files with planted markers. A
// replace is held against a delete followed by an append.
#include "library/src/comment_file.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

namespace cf = scrivlet::comment_file;

namespace {

const char kStart[] = "#.START.#";
const char kEnd[] = "#.END.# ";

bool startMarkerEndsAt(const std::string &image, std::size_t p)
{
    return p >= 8 && std::memcmp(image.data() + p - 8, kStart, 9) == 0;
}

bool endMarkerAt(const std::string &image, std::size_t i)
{
    return i + 8 <= image.size() && std::memcmp(image.data() + i, kEnd, 8) == 0;
}

// The index just past the start marker's last byte, or 0 when the image carries no block. A start
// marker beginning more than @p reach bytes before the end is the file's own content.
std::size_t referenceTextBegin(const std::string &image, std::size_t reach = SCRIVLET_MAX_TEXT)
{
    const std::size_t length = image.size();
    if (length < 8 || !endMarkerAt(image, length - 8))
        return 0;
    if (length < 9)
        return 0;
    // p, the start marker's last byte, walks back from the byte before the end marker and stops at
    // the image's first byte.
    for (std::size_t p = length - 9; p >= 8 && length - (p - 8) <= reach; --p) {
        if (startMarkerEndsAt(image, p))
            return p + 1;
    }
    return 0;
}

std::string referenceRead(const std::string &image, std::size_t limit, std::size_t reach = SCRIVLET_MAX_TEXT)
{
    const std::size_t begin = referenceTextBegin(image, reach);
    if (begin == 0)
        return {};
    std::string text;
    for (std::size_t i = begin; !endMarkerAt(image, i); ++i)
        text += image[i];
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

std::string referenceRemove(const std::string &image, std::size_t reach = SCRIVLET_MAX_TEXT)
{
    const std::size_t begin = referenceTextBegin(image, reach);
    return begin == 0 ? image : image.substr(0, begin - 9);
}

std::string referenceErase(const std::string &image)
{
    int seen = 0;
    for (std::size_t i = image.size(); i-- > 0;) {
        if (static_cast<unsigned char>(image[i]) == 0x81 && ++seen == 2)
            return image.substr(0, i);
    }
    return image;
}

std::string referenceKept(const std::string &text)
{
    std::string kept;
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        if ((value >= 0x20 && value <= 0x7e) || value == '\r' || value == '\n')
            kept += byte;
    }
    return kept;
}

// Files made of marker pieces, whole markers and filler, often closed by an end marker.
std::string generateImage(std::mt19937 &random)
{
    static const std::string pieces[] = {
        kStart, kEnd,      "#.END.#", "#.START", ".#",       "#",    " ",
        "#.",   "START.#", "END.# ",  ".END.# ", ".START.#", "\x81", std::string(1, '\0'),
        "x",    "ab",      "\r\n"};
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string image;
    if (percent(random) < 20)
        image += kStart; // a block at offset 0
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
        if (percent(random) < 10)
            image += std::string(static_cast<std::size_t>(percent(random)), 'f'); // filler across chunks
        else
            image += pieces[pick(random)];
    }
    if (percent(random) < 70)
        image += kEnd;
    return image;
}

// Under Wine every file call is a round trip to its server, dozens of times slower than here:
// fewer rounds there, of the same mix.
#ifdef _WIN32
constexpr int kRounds = 1000;
#else
constexpr int kRounds = 4000;
#endif

TEST(CommentFileReference, ChunkedOperationsMatchTheWholeImage)
{
    // Thousands of rewrites: a memory file system, where there is one, keeps the disk out of it.
    std::error_code ignored;
    TempDir dir(std::filesystem::is_directory("/dev/shm", ignored)
                    ? "/dev/shm"
                    : std::filesystem::temp_directory_path().string());
    const std::string path = dir.file("f");
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> firstChunk(1, 20);
    std::uniform_int_distribution<std::size_t> growth(1, 4);
    std::uniform_int_distribution<std::size_t> limit(0, 40);
    int withBlock = 0;
    int refused = 0;
    int cutShort = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string image = generateImage(random);
        const std::size_t first = firstChunk(random);
        // Half the rounds with a reach that cuts into these small images, as the limit of 1,000,000
        // bytes cuts into large files.
        const std::size_t reach = round % 2 == 0 ? SCRIVLET_MAX_TEXT : image.size() / 2 + 1;
        const cf::ChunkSizes chunks{first, first * growth(random), reach};
        const std::size_t drawn = limit(random);
        const std::size_t readLimit = drawn < 12 ? drawn : 100000;
        SCOPED_TRACE(::testing::Message()
                     << "round " << round << ", chunks " << chunks.first << "/" << chunks.largest
                     << ", reach " << reach << ", image [" << image << "]");

        writeFile(path, image);
        std::string text;
        ASSERT_EQ(cf::read(path.c_str(), readLimit, text, chunks), SCRIVLET_OK);
        ASSERT_EQ(text, referenceRead(image, readLimit, reach));

        ASSERT_EQ(cf::remove(path.c_str(), chunks), SCRIVLET_OK);
        ASSERT_EQ(readFile(path), referenceRemove(image, reach));
        withBlock += referenceTextBegin(image, reach) != 0 ? 1 : 0;
        cutShort += referenceTextBegin(image, reach) != referenceTextBegin(image) ? 1 : 0;

        writeFile(path, image);
        ASSERT_EQ(cf::erase(path.c_str(), chunks), SCRIVLET_OK);
        ASSERT_EQ(readFile(path), referenceErase(image));

        // A replace ends as a delete followed by the append of the block, unless the comment would
        // not read back from there as given; then it leaves the file alone.
        const std::string comment = generateImage(random).substr(0, limit(random));
        const std::string kept = referenceKept(comment);
        const std::string expected = referenceRemove(image, reach) + kStart + kept + kEnd;
        const bool readsBack =
            referenceRead(expected, 100000) == kept && kept.find('\0') == std::string::npos;
        SCOPED_TRACE(::testing::Message() << "comment [" << comment << "]");
        writeFile(path, image);
        ASSERT_EQ(cf::replace(path.c_str(), comment, 0, chunks), readsBack ? SCRIVLET_OK : SCRIVLET_E_MARKER);
        ASSERT_EQ(readFile(path), readsBack ? expected : image);
        refused += readsBack ? 0 : 1;

        writeFile(path, image);
        ASSERT_EQ(cf::replace(path.c_str(), comment, SCRIVLET_REPLACE_REMOVE, chunks), SCRIVLET_OK);
        ASSERT_EQ(readFile(path), referenceRemove(image, reach));
    }
    EXPECT_GT(refused, kRounds / 20);
    EXPECT_LT(refused, kRounds * 3 / 4);
    // The generator must exercise both outcomes, or the comparison proves little.
    EXPECT_GT(withBlock, kRounds / 4);
    EXPECT_LT(withBlock, kRounds * 7 / 8);
    EXPECT_GT(cutShort, kRounds / 50) << "the reach must turn some blocks into the file's content";
}

} // namespace
