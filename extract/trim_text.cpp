// TrimText: a Perl-syntax regular expression search with the Windows locale
// traits over the bytes of the text.
#include "extract/trim_text.h"

#include <boost/regex.hpp>
#include <boost/regex/v5/w32_regex_traits.hpp>

#include <cstring>
#include <exception>

std::string TrimText(const std::string& text) {
    const char* begin = text.c_str();
    const char* end = begin + std::strlen(begin);
    if (begin == end) return std::string();
    try {
        const boost::basic_regex<char, boost::w32_regex_traits<char>> pattern(
            "\\S[\\s\\S]*\\S|\\S", boost::regex_constants::perl);
        boost::match_results<const char*> match;
        if (!boost::regex_search(begin, end, match, pattern)) return std::string();
        return std::string(match[0].first, match[0].second);
    } catch (const std::exception&) {
        // The search gave up (out of memory); report "nothing" like any other
        // failing operation instead of letting it escape into a window procedure.
        return std::string();
    }
}
