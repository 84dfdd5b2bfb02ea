#include "waktuna/calc/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace waktuna {

int32_t ReadWholeNumber(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= int64_t{1} << 32) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

double ReadDecimal(std::string_view text) {
    // Gather the accepted characters into a plain "-ddd.dddE-dd" text and let
    // from_chars round it correctly, so both platforms read the same value.
    std::string mantissa;
    std::string exponent;
    bool negative = false;
    bool seen_separator = false;
    bool in_exponent = false;
    bool any_digit = false;
    for (char c : text) {
        if (in_exponent) {
            if (c >= '0' && c <= '9') {
                if (exponent.size() < 6) exponent += c;
            } else if ((c == '-' || c == '+') && exponent.empty()) {
                exponent += c;
            } else if (c == '.' || c == ',') {
                break;
            }
            continue;
        }
        if (c >= '0' && c <= '9') {
            if (mantissa.size() < 400) mantissa += c;
            any_digit = true;
        } else if (c == '.' || c == ',') {
            if (seen_separator) break;
            seen_separator = true;
            mantissa += '.';
        } else if (c == 'e' || c == 'E') {
            in_exponent = true;
        } else if (c == '-' && !any_digit && !seen_separator) {
            negative = true;
        }
    }
    if (!any_digit) return 0.0;
    std::string number = mantissa;
    if (number.front() == '.') number.insert(number.begin(), '0');
    if (!exponent.empty() && exponent != "-" && exponent != "+") number += 'e' + exponent;
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow reads as the largest finite value, underflow as 0.
        const bool big = number.find("e-") == std::string::npos;
        value = big ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

bool IsAcceptedDecimal(std::string_view text) { return text == "0" || ReadDecimal(text) != 0.0; }

bool IsAcceptedWholeNumber(std::string_view text) {
    return text == "0" || ReadWholeNumber(text) != 0;
}

std::string DecimalText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0) return "0";
    // 15 significant digits, correctly rounded: "-d.dddddddddddddde+XX".
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<size_t>(r.ptr - buf));
    const bool negative = sci.front() == '-';
    const size_t e_pos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e_pos)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exp10 = 0;
    std::from_chars(sci.data() + e_pos + (sci[e_pos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exp10);

    std::string out = negative ? "-" : "";
    if (exp10 >= -5 && exp10 < 15) {
        if (exp10 < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-exp10 - 1), '0');
            out += digits;
        } else {
            const size_t int_len = static_cast<size_t>(exp10) + 1;
            if (digits.size() <= int_len) {
                out += digits;
                out.append(int_len - digits.size(), '0');
            } else {
                out += digits.substr(0, int_len);
                out += '.';
                out += digits.substr(int_len);
            }
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += exp10 < 0 ? "E-" : "E+";
    out += IntText(exp10 < 0 ? -exp10 : exp10);
    return out;
}

std::string ShortestFloatText(float value) {
    if (!std::isfinite(value)) return {};
    if (value == 0.0f) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string IntText(int64_t value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

}  // namespace waktuna
