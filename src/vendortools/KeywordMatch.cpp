#include "vendortools/KeywordMatch.h"

#include <algorithm>
#include <cctype>

namespace kestavo::vendortools {

namespace {

// A keyword is near when a third of its letters or fewer differ, and at
// most four: "before installation" and "Pictures" are near, "Yes" is near
// nothing.
std::size_t Tolerance(const std::string& keyword) {
    return std::min<std::size_t>(4, keyword.size() / 3);
}

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replace =
                previous[j - 1] + (Fold(a[i - 1]) == Fold(b[j - 1]) ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::string NearestKeyword(const std::string& value, const std::vector<const char*>& keywords) {
    std::string nearest;
    std::size_t best = 0;
    for (const char* keyword : keywords) {
        const std::size_t distance = EditDistance(value, keyword);
        if (distance <= Tolerance(keyword) && (nearest.empty() || distance < best)) {
            nearest = keyword;
            best = distance;
        }
    }
    return nearest;
}

std::string ShortenedKeyword(const std::string& value, const std::vector<const char*>& keywords) {
    constexpr std::size_t kShortest = 4;
    const auto folded = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), Fold);
        return text;
    };
    const std::string lower = folded(value);
    for (const char* keyword : keywords) {
        const std::string candidate = folded(keyword);
        const std::string firstWord = candidate.substr(0, candidate.find(' '));
        const bool begun =
            lower.size() >= kShortest && candidate.compare(0, lower.size(), lower) == 0;
        const bool sameStart = keywords.size() == 1 && firstWord.size() >= kShortest &&
                               lower.compare(0, firstWord.size(), firstWord) == 0;
        if (begun || sameStart) {
            return keyword;
        }
    }
    return "";
}

}  // namespace kestavo::vendortools
