#include "vendortools/CheckText.h"

#include <algorithm>
#include <cctype>

namespace kestavo::vendortools::checktext {

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Join(const std::vector<std::string>& items) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        joined += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    }
    return joined;
}

std::string JoinQuoted(const std::vector<const char*>& words) {
    std::string joined;
    for (const char* word : words) {
        joined += (joined.empty() ? "" : ", ") + Quote(word);
    }
    return joined;
}

bool StartsWithNumber(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

bool IsWholeNumber(const std::string& text) {
    std::size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (at == text.size()) {
        return false;
    }
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    return true;
}

std::string EscapeIn(const std::string& text) {
    for (std::string::size_type at = text.find('\\');
         at != std::string::npos && at + 1 < text.size(); at = text.find('\\', at + 1)) {
        const char before = at == 0 ? ' ' : text[at - 1];
        const bool path = std::isalnum(static_cast<unsigned char>(before)) || before == ':';
        if (!path && (text[at + 1] == 'n' || text[at + 1] == 'r' || text[at + 1] == 't')) {
            return text.substr(at, 2);
        }
    }
    const std::string::size_type br = Lower(text).find("<br");
    return br == std::string::npos ? "" : text.substr(br, text.find('>', br) + 1 - br);
}

std::string EnvironmentVariableIn(const std::string& text) {
    for (std::string::size_type open = text.find('%'); open != std::string::npos;
         open = text.find('%', open + 1)) {
        const std::string::size_type close = text.find('%', open + 1);
        if (close == std::string::npos) {
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        const bool named = !name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) &&
                           std::all_of(name.begin(), name.end(), [](char c) {
                               return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
                                      c == ' ' || c == '(' || c == ')';
                           });
        if (named) {
            return "%" + name + "%";
        }
    }
    return "";
}

std::string BeforeComment(const std::string& value) {
    for (const char* mark : {" ;", "\t;", " #", "\t#", " //"}) {
        const std::string::size_type at = value.find(mark);
        if (at != std::string::npos) {
            const std::string::size_type end = value.find_last_not_of(" \t", at);
            return end == std::string::npos ? "" : value.substr(0, end + 1);
        }
    }
    return "";
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

}  // namespace kestavo::vendortools::checktext
