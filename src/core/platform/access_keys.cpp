#include "core/platform/access_keys.h"

#include <vector>

namespace platine {

namespace {

bool isKey(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The places of a caption's possible keys, best first: the first letters of
// the words, then the other letters, each key once; `used` left out. A byte
// of a UTF-8 sequence is never taken for a letter, and "l'historique"
// starts a word at "h".
std::vector<std::size_t> candidates(std::string_view caption, std::string_view used)
{
    std::vector<std::size_t> out;
    std::string seen(used);
    const auto consider = [&](std::size_t i) {
        if (isKey(caption[i]) && seen.find(lower(caption[i])) == std::string::npos) {
            seen += lower(caption[i]);
            out.push_back(i);
        }
    };
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const bool wordStart = i == 0 || !isKey(caption[i - 1]);
        const bool afterMultibyte = i > 0 && (unsigned char)caption[i - 1] >= 0x80;
        if (wordStart && !afterMultibyte)
            consider(i);
    }
    for (std::size_t i = 0; i < caption.size(); ++i)
        consider(i);
    return out;
}

// Gives caption `i` a key, taking one from an earlier caption when that
// one can take another (a caption whose letters are all taken by the
// captions before it still gets one when the keys can be shared out).
bool assign(std::size_t i, const std::vector<std::string> &captions,
            const std::vector<std::vector<std::size_t>> &places, std::vector<std::size_t> &chosen,
            std::vector<int> &owner, std::vector<bool> &tried)
{
    // A free key first, then one taken from a caption that can change its own.
    for (std::size_t place : places[i]) {
        const auto key = (unsigned char)lower(captions[i][place]);
        if (owner[key] < 0) {
            owner[key] = int(i);
            chosen[i] = place;
            return true;
        }
    }
    for (std::size_t place : places[i]) {
        const auto key = (unsigned char)lower(captions[i][place]);
        if (tried[key])
            continue;
        tried[key] = true;
        if (owner[key] < 0 ||
            assign(std::size_t(owner[key]), captions, places, chosen, owner, tried)) {
            owner[key] = int(i);
            chosen[i] = place;
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> withAccessKeys(const std::vector<std::string> &captions,
                                        std::string_view taken)
{
    std::string used;
    for (char c : taken)
        used += lower(c);
    std::vector<std::vector<std::size_t>> places;
    for (const std::string &caption : captions)
        places.push_back(candidates(caption, used));
    std::vector<std::size_t> chosen(captions.size(), std::string::npos);
    std::vector<int> owner(256, -1);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        std::vector<bool> tried(256, false);
        assign(i, captions, places, chosen, owner, tried);
    }
    std::vector<std::string> out;
    out.reserve(captions.size());
    for (std::size_t c = 0; c < captions.size(); ++c) {
        const std::string &caption = captions[c];
        std::string marked;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (i == chosen[c])
                marked += '&';
            if (caption[i] == '&')
                marked += '&';
            marked += caption[i];
        }
        out.push_back(std::move(marked));
    }
    return out;
}

char accessKeyOf(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return lower(caption[i + 1]);
        ++i; // "&&" is a "&" of the text
    }
    return 0;
}

std::string shownCaption(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

} // namespace platine
