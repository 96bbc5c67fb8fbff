#include "reference_format.h"

namespace reference {

namespace {

constexpr std::string_view kStart = "#.START.#";
constexpr std::string_view kEnd = "#.END.# ";

bool matchesAt(std::string_view image, std::size_t at, std::string_view needle)
{
    if (at + needle.size() > image.size())
        return false;
    for (std::size_t i = 0; i < needle.size(); ++i)
        if (image[at + i] != needle[i])
            return false;
    return true;
}

} // namespace

std::string kept(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 0x20 && b <= 0x7E) || b == 0x0D || b == 0x0A)
            out.push_back(c);
    }
    return out;
}

bool hasEndMarker(std::string_view image)
{
    return image.size() >= kEnd.size() && matchesAt(image, image.size() - kEnd.size(), kEnd);
}

std::optional<Block> block(std::string_view image, std::size_t reach)
{
    if (!hasEndMarker(image))
        return std::nullopt;
    const std::size_t length = image.size();
    // p is the candidate index of the start marker's last byte; it begins just before the end
    // marker and never goes in front of the image's first byte.
    for (std::size_t p = length - kEnd.size(); p-- > 0;) {
        if (p + 1 < kStart.size() || length - (p + 1 - kStart.size()) > reach)
            break;
        if (!matchesAt(image, p + 1 - kStart.size(), kStart))
            continue;
        Block found{p + 1 - kStart.size(), p + 1, p + 1};
        while (!matchesAt(image, found.textEnd, kEnd))
            ++found.textEnd;
        return found;
    }
    return std::nullopt;
}

std::string readText(std::string_view image, std::size_t limit, std::size_t reach)
{
    const auto found = block(image, reach);
    if (!found)
        return {};
    std::string text;
    for (std::size_t i = found->textBegin; i < found->textEnd && image[i] != '\0' && text.size() < limit; ++i)
        text.push_back(image[i]);
    return text;
}

std::string afterRemove(std::string_view image, std::size_t reach)
{
    const auto found = block(image, reach);
    return std::string(found ? image.substr(0, found->start) : image);
}

std::string afterErase(std::string_view image)
{
    int seen = 0;
    for (std::size_t i = image.size(); i-- > 0;) {
        if (image[i] == '\x81' && ++seen == 2)
            return std::string(image.substr(0, i));
    }
    return std::string(image);
}

std::optional<std::size_t> lastIndexOf(std::string_view image, std::string_view needle)
{
    for (std::size_t i = image.size(); i-- > 0;)
        if (matchesAt(image, i, needle))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> firstIndexOf(std::string_view image, std::string_view needle)
{
    for (std::size_t i = 0; i < image.size(); ++i)
        if (matchesAt(image, i, needle))
            return i;
    return std::nullopt;
}

} // namespace reference
