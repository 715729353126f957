#include "link/JsonValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {
constexpr int kMaxDepth = 64;
}

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    JsonValue document() {
        JsonValue value = parseValue(0);
        skipSpace();
        if (m_at != m_text.size()) fail("unexpected text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw JsonError("JSON at byte " + std::to_string(m_at) + ": " + what);
    }
    void skipSpace() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }
    bool take(char c) {
        skipSpace();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail(std::string("expected '") + c + "'");
    }
    bool word(std::string_view w) {
        if (m_text.substr(m_at, w.size()) != w) return false;
        m_at += w.size();
        return true;
    }

    JsonValue parseValue(int depth) {
        if (depth > kMaxDepth) fail("nested too deeply");
        skipSpace();
        if (m_at >= m_text.size()) fail("unexpected end");
        JsonValue value;
        const char c = m_text[m_at];
        if (c == '{') {
            ++m_at;
            value.m_kind = JsonValue::Kind::Object;
            if (take('}')) return value;
            do {
                skipSpace();
                if (m_at >= m_text.size() || m_text[m_at] != '"') fail("expected a member name");
                std::string name = parseString();
                expect(':');
                value.m_members.emplace_back(std::move(name), parseValue(depth + 1));
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++m_at;
            value.m_kind = JsonValue::Kind::Array;
            if (take(']')) return value;
            do {
                value.m_items.push_back(parseValue(depth + 1));
            } while (take(','));
            expect(']');
        } else if (c == '"') {
            value.m_kind = JsonValue::Kind::String;
            value.m_string = parseString();
        } else if (word("true")) {
            value.m_kind = JsonValue::Kind::Boolean;
            value.m_boolean = true;
        } else if (word("false")) {
            value.m_kind = JsonValue::Kind::Boolean;
        } else if (word("null")) {
            value.m_kind = JsonValue::Kind::Null;
        } else {
            value.m_kind = JsonValue::Kind::Number;
            value.m_number = parseNumber();
        }
        return value;
    }

    double parseNumber() {
        const size_t start = m_at;
        auto digits = [this] {
            const size_t from = m_at;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') ++m_at;
            return m_at - from;
        };
        if (m_at < m_text.size() && m_text[m_at] == '-') ++m_at;
        const size_t whole = digits();
        if (whole == 0) fail("expected a value");
        if (whole > 1 && m_text[m_at - whole] == '0') fail("leading zero in a number");
        if (m_at < m_text.size() && m_text[m_at] == '.') {
            ++m_at;
            if (digits() == 0) fail("expected digits after '.'");
        }
        if (m_at < m_text.size() && (m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-')) ++m_at;
            if (digits() == 0) fail("expected an exponent");
        }
        // from_chars ignores the process locale: JSON always uses a point.
        double value = 0.0;
        const auto result = std::from_chars(m_text.data() + start, m_text.data() + m_at, value);
        if (result.ec != std::errc() || !std::isfinite(value)) fail("number out of range");
        return value;
    }

    unsigned hex4() {
        if (m_text.size() - m_at < 4) fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return value;
    }

    static void appendUtf8(std::string& out, unsigned c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    std::string parseString() {
        ++m_at;  // the opening quote
        std::string out;
        while (true) {
            if (m_at >= m_text.size()) fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(m_text[m_at++]);
            if (c == '"') return out;
            if (c < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_at >= m_text.size()) fail("unterminated string");
            const char e = m_text[m_at++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned code = hex4();
                    if (code >= 0xD800 && code <= 0xDBFF) {
                        if (!word("\\u")) fail("lone surrogate");
                        const unsigned low = hex4();
                        if (low < 0xDC00 || low > 0xDFFF) fail("lone surrogate");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code <= 0xDFFF) {
                        fail("lone surrogate");
                    }
                    appendUtf8(out, code);
                    break;
                }
                default:
                    fail("bad escape");
            }
        }
    }

    std::string_view m_text;
    size_t m_at = 0;
};

JsonValue JsonValue::parse(std::string_view text) {
    return JsonParser(text).document();
}

namespace {
[[noreturn]] void wrongKind(const std::string& what, const char* expected) {
    throw JsonError(what + " must be " + expected);
}
}  // namespace

bool JsonValue::boolean(const std::string& what) const {
    if (m_kind != Kind::Boolean) wrongKind(what, "true or false");
    return m_boolean;
}

double JsonValue::number(const std::string& what) const {
    if (m_kind != Kind::Number) wrongKind(what, "a number");
    return m_number;
}

int JsonValue::integer(const std::string& what) const {
    const double value = number(what);
    if (value != std::floor(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        wrongKind(what, "a whole number");
    return static_cast<int>(value);
}

const std::string& JsonValue::string(const std::string& what) const {
    if (m_kind != Kind::String) wrongKind(what, "a string");
    return m_string;
}

const std::vector<JsonValue>& JsonValue::array(const std::string& what) const {
    if (m_kind != Kind::Array) wrongKind(what, "an array");
    return m_items;
}

const std::vector<std::pair<std::string, JsonValue>>& JsonValue::object(
    const std::string& what) const {
    if (m_kind != Kind::Object) wrongKind(what, "an object");
    return m_members;
}

}  // namespace velmora
