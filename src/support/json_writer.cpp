#include "support/json_writer.h"

#include <cmath>
#include <cstdio>

#include "support/text_format.h"

namespace lumetta {

namespace {

// The length of a well-formed UTF-8 sequence starting at `i`, or 0.
std::size_t utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if (lead == 0xE0 && byte(i + 1) < 0xA0) return 0;
  if (lead == 0xED && byte(i + 1) > 0x9F) return 0;
  if (lead == 0xF0 && byte(i + 1) < 0x90) return 0;
  if (lead == 0xF4 && byte(i + 1) > 0x8F) return 0;
  return length;
}

std::string scalarText(const JsonValue& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::nullptr_t>) {
          return "null";
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? "true" : "false";
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else if constexpr (std::is_same_v<T, double>) {
          return jsonNumber(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          return jsonString(v);
        } else {
          return {};  // containers are written by the writer
        }
      },
      value.storage);
}

// Writes values compactly, without blanks; `lines` is how many levels from
// the top break into one member a line (each indented by two spaces a level).
class Writer {
 public:
  std::string text;

  void write(const JsonValue& value, int lines, std::size_t indent) {
    if (const auto* array = std::get_if<JsonArray>(&value.storage)) {
      container(*array, lines, indent, '[', ']');
    } else if (const auto* object = std::get_if<JsonObject>(&value.storage)) {
      container(*object, lines, indent, '{', '}');
    } else {
      text += scalarText(value);
    }
  }

 private:
  // A member on a line of its own has a blank after its key.
  void member(const JsonValue& value, int lines, std::size_t indent, bool) {
    write(value, lines, indent);
  }
  void member(const JsonMember& entry, int lines, std::size_t indent, bool ownLine) {
    text += jsonString(entry.first);
    text += ownLine ? ": " : ":";
    write(entry.second, lines, indent);
  }

  template <class Container>
  void container(const Container& members, int lines, std::size_t indent, char open, char close) {
    text += open;
    if (lines <= 0 || members.empty()) {
      for (std::size_t i = 0; i < members.size(); ++i) {
        if (i > 0) text += ',';
        member(members[i], 0, indent, false);
      }
      text += close;
      return;
    }
    const std::string inner(indent + 2, ' ');
    for (std::size_t i = 0; i < members.size(); ++i) {
      text += i == 0 ? "\n" : ",\n";
      text += inner;
      member(members[i], lines - 1, indent + 2, true);
    }
    text += "\n" + std::string(indent, ' ') + close;
  }
};

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = utf8Length(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no UTF-8 character
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
  }
  return out + "\"";
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  std::string number = shortestNumber(value);
  if (number.find_first_of(".e") == std::string::npos) number += ".0";
  return number;
}

std::string jsonText(const JsonValue& value) {
  Writer writer;
  writer.write(value, 2, 0);
  return std::move(writer.text) + "\n";
}

}  // namespace lumetta
