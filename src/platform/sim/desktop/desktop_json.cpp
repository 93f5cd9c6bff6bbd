#include "platform/sim/desktop/desktop_json.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/sim/desktop/json_path.h"
#include "support/file_kind.h"

namespace lumetta::sim {

namespace {

JsonProblem cannotRead(const std::string& why) { return {"cannot be read (" + why + ")"}; }

JsonProblem tooLarge(std::string_view kind, std::size_t limit) {
  return {"too large (" + std::string(kind) + " has at most " + std::to_string(limit) + " bytes)"};
}

std::optional<JsonProblem> refuseKind(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return std::nullopt;
  return cannotRead(fileKind(info.st_mode) + ", not a regular file");
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// A NUL byte anywhere, or nesting beyond the limit, found in one pass over the
// bytes before any parser sees them (brackets inside strings do not count).
std::optional<JsonProblem> scanBytes(std::string_view text) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\0') {
      return JsonProblem{"$: expected valid JSON (a NUL byte at " + lineAndColumn(text, i + 1) +
                         ")"};
    }
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxNestingDepth) {
        return JsonProblem{"$: expected at most " + std::to_string(kMaxNestingDepth) +
                           " levels of nested arrays and objects (level " + std::to_string(depth) +
                           " opens at " + lineAndColumn(text, i + 1) + ")"};
      }
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return std::nullopt;
}

// A parse that builds nothing: it finds the first syntax error, or the first
// number no double holds (named by its JSON path).
class Checker final : public Json::json_sax_t {
 public:
  explicit Checker(std::string_view text) : text_(text) {}

  bool null() override { return value(); }
  bool boolean(bool) override { return value(); }
  bool number_integer(number_integer_t) override { return value(); }
  bool number_unsigned(number_unsigned_t) override { return value(); }
  bool number_float(number_float_t, const string_t&) override { return value(); }
  bool string(string_t&) override { return value(); }
  bool binary(binary_t&) override { return value(); }
  bool start_object(std::size_t) override { return open(false); }
  bool key(string_t& key) override {
    levels_.back().key = key;
    return true;
  }
  bool end_object() override { return close(); }
  bool start_array(std::size_t) override { return open(true); }
  bool end_array() override { return close(); }

  bool parse_error(std::size_t position, const std::string& token,
                   const Json::exception& error) override {
    if (error.id == 406) {  // a number beyond the range of a double
      const std::size_t start = position >= token.size() ? position - token.size() : 0;
      problem_ = JsonProblem{path() + ": expected a number a double can hold (" + token + " at " +
                             lineAndColumn(text_, start + 1) + ")"};
    } else {
      const auto* syntax = dynamic_cast<const Json::parse_error*>(&error);
      const std::size_t byte = syntax ? syntax->byte : position;
      problem_ = JsonProblem{"$: expected valid JSON (syntax error at " +
                             lineAndColumn(text_, byte) + ")"};
    }
    return false;
  }

  const std::optional<JsonProblem>& problem() const { return problem_; }

 private:
  struct Level {
    bool array = false;
    std::size_t index = 0;
    std::string key;
  };

  // The path of the value being read: the containers open now.
  std::string path() const {
    std::string text = "$";
    for (const Level& level : levels_) {
      text = level.array ? indexPath(text, level.index) : keyPath(text, level.key);
    }
    return text;
  }

  bool value() {
    if (!levels_.empty() && levels_.back().array) ++levels_.back().index;
    return true;
  }
  bool open(bool array) {
    levels_.push_back({array, 0, {}});
    return true;
  }
  bool close() {
    levels_.pop_back();
    return value();
  }

  std::string_view text_;
  std::vector<Level> levels_;
  std::optional<JsonProblem> problem_;
};

// Builds the document of a text the checker passed, as nlohmann's own parser
// would (a key repeated in one object keeps the first one's place and takes
// the last value), but in time linear in the members: the library's ordered
// objects look a new key up among all the members before it, which made an
// object of 87,000 members take 17 seconds. Here each open object keeps an
// index of its keys, and members are appended.
class Builder final : public Json::json_sax_t {
 public:
  Json root;

  bool null() override { return put(nullptr); }
  bool boolean(bool value) override { return put(value); }
  bool number_integer(number_integer_t value) override { return put(value); }
  bool number_unsigned(number_unsigned_t value) override { return put(value); }
  bool number_float(number_float_t value, const string_t&) override { return put(value); }
  bool string(string_t& value) override { return put(std::move(value)); }
  bool binary(binary_t&) override { return false; }  // JSON text has none
  bool start_object(std::size_t) override {
    open_.push_back(add(Json::object()));
    keys_.emplace_back();
    return true;
  }
  bool key(string_t& key) override {
    key_ = std::move(key);
    return true;
  }
  bool end_object() override {
    open_.pop_back();
    keys_.pop_back();
    return true;
  }
  bool start_array(std::size_t) override {
    open_.push_back(add(Json::array()));
    return true;
  }
  bool end_array() override {
    open_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const Json::exception&) override {
    return false;
  }

 private:
  bool put(Json value) {
    add(std::move(value));
    return true;
  }

  // Places `value` in the container open now (or at the root) and returns it.
  Json* add(Json value) {
    if (open_.empty()) {
      root = std::move(value);
      return &root;
    }
    Json& container = *open_.back();
    if (container.is_array()) {
      auto& array = container.get_ref<Json::array_t&>();
      array.push_back(std::move(value));
      return &array.back();
    }
    auto& members = static_cast<Json::object_t::Container&>(container.get_ref<Json::object_t&>());
    auto [known, fresh] = keys_.back().try_emplace(key_, members.size());
    if (!fresh) {
      members[known->second].second = std::move(value);
      return &members[known->second].second;
    }
    members.emplace_back(std::move(key_), std::move(value));
    return &members.back().second;
  }

  std::vector<Json*> open_;  // the containers open now, outermost first
  std::vector<std::unordered_map<std::string, std::size_t>> keys_;  // of each open object
  std::string key_;
};

}  // namespace

std::variant<std::string, JsonProblem> readJsonFile(const std::string& path, std::string_view kind,
                                                    std::size_t limit) {
  // Look before opening, so that no device is ever opened; open without
  // blocking and look again, in case the name was replaced meanwhile.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return cannotRead(std::strerror(errno));
  if (auto refused = refuseKind(info)) return *refused;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) return cannotRead(std::strerror(errno));
  if (::fstat(file.get(), &info) != 0) return cannotRead(std::strerror(errno));
  if (auto refused = refuseKind(info)) return *refused;
  if (std::uintmax_t(info.st_size) > limit) return tooLarge(kind, limit);

  // The file may grow while it is read: the limit holds for what is read.
  std::string text;
  std::vector<char> buffer(64 * 1024);
  while (true) {
    const ssize_t count = ::read(file.get(), buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return cannotRead(std::strerror(errno));
    if (count == 0) return text;
    if (text.size() + std::size_t(count) > limit) return tooLarge(kind, limit);
    text.append(buffer.data(), std::size_t(count));
  }
}

std::variant<Json, JsonProblem> parseJson(std::string_view text) {
  if (auto problem = scanBytes(text)) return *problem;
  Checker checker(text);
  if (!Json::sax_parse(text.begin(), text.end(), &checker)) {
    return checker.problem().value_or(JsonProblem{"$: expected valid JSON"});
  }
  // The text is known to be sound now; the build cannot fail, and throws nothing.
  Builder builder;
  if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
    return JsonProblem{"$: expected valid JSON"};
  }
  return std::move(builder.root);
}

}  // namespace lumetta::sim
