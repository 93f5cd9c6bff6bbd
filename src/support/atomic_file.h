// Writing a whole file so that a failure never leaves half of it: the text
// goes to a new temporary file beside the destination, which replaces the
// destination only once everything is written and flushed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumetta {

// Nothing on success; otherwise why the file could not be written
// ("cannot write out.json: No such file or directory"). The destination is
// then as it was, and no temporary file is left behind.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace lumetta
