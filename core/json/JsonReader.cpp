#include "json/JsonReader.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "text/Utf8.h"

namespace velmora {

namespace {
constexpr int kMaxDepth = 64;

struct Malformed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    JsonValue document() {
        JsonValue value = read(0);
        skipSpace();
        if (m_pos != m_text.size()) fail("unexpected text after the value");
        return value;
    }
    size_t position() const { return m_pos; }

private:
    [[noreturn]] void fail(const std::string& what) { throw Malformed(what); }

    void skipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }
    char peek() {
        skipSpace();
        if (m_pos == m_text.size()) fail("unexpected end of text");
        return m_text[m_pos];
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++m_pos;
    }
    void word(std::string_view w) {
        if (m_text.substr(m_pos, w.size()) != w) fail("unknown word");
        m_pos += w.size();
    }

    JsonValue read(int depth) {
        if (depth > kMaxDepth) fail("nested too deeply");
        JsonValue value;
        const char c = peek();
        if (c == '{') {
            value.kind = JsonValue::Kind::Object;
            ++m_pos;
            if (peek() == '}') {
                ++m_pos;
                return value;
            }
            for (;;) {
                if (peek() != '"') fail("expected a member name");
                std::string name = string();
                expect(':');
                value.members.emplace_back(std::move(name), read(depth + 1));
                if (peek() == '}') break;
                expect(',');
            }
            ++m_pos;
        } else if (c == '[') {
            value.kind = JsonValue::Kind::Array;
            ++m_pos;
            if (peek() == ']') {
                ++m_pos;
                return value;
            }
            for (;;) {
                value.items.push_back(read(depth + 1));
                if (peek() == ']') break;
                expect(',');
            }
            ++m_pos;
        } else if (c == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = string();
        } else if (c == 't' || c == 'f') {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = c == 't';
            word(value.boolean ? "true" : "false");
        } else if (c == 'n') {
            word("null");
        } else {
            value.kind = JsonValue::Kind::Number;
            value.number = number();
        }
        return value;
    }

    double number() {
        const size_t start = m_pos;
        auto digits = [this] {
            const size_t from = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') ++m_pos;
            return m_pos - from;
        };
        if (m_pos < m_text.size() && m_text[m_pos] == '-') ++m_pos;
        const size_t intStart = m_pos;
        const size_t intDigits = digits();
        if (intDigits == 0) fail("expected a value");
        if (intDigits > 1 && m_text[intStart] == '0') fail("leading zero in a number");
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            if (digits() == 0) fail("digits expected after the decimal point");
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) ++m_pos;
            if (digits() == 0) fail("digits expected in the exponent");
        }
        double value = 0.0;
        const auto result = std::from_chars(m_text.data() + start, m_text.data() + m_pos, value);
        if (result.ec != std::errc() || !std::isfinite(value)) fail("number out of range");
        return value;
    }

    unsigned hex4() {
        if (m_text.size() - m_pos < 4) fail("short \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= static_cast<unsigned>(h - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return code;
    }

    std::string string() {
        ++m_pos;  // the opening quote
        std::string out;
        for (;;) {
            if (m_pos == m_text.size()) fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"') return out;
            if (c < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_pos == m_text.size()) fail("unterminated string");
            switch (m_text[m_pos++]) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
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
                        // A high surrogate must be followed by its low half.
                        if (m_text.substr(m_pos, 2) != "\\u") fail("lone surrogate");
                        m_pos += 2;
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
    size_t m_pos = 0;
};
}  // namespace

std::optional<JsonValue> parseJson(std::string_view text, std::string* error) {
    Reader reader(text);
    try {
        return reader.document();
    } catch (const Malformed& malformed) {
        if (error)
            *error =
                std::string(malformed.what()) + " at byte " + std::to_string(reader.position());
        return std::nullopt;
    }
}

const char* kindName(JsonValue::Kind kind) {
    switch (kind) {
        case JsonValue::Kind::Null:
            return "null";
        case JsonValue::Kind::Boolean:
            return "boolean";
        case JsonValue::Kind::Number:
            return "number";
        case JsonValue::Kind::String:
            return "string";
        case JsonValue::Kind::Array:
            return "array";
        case JsonValue::Kind::Object:
            return "object";
    }
    return "value";
}

}  // namespace velmora
