#pragma once
// The JSON form of a project: every field the project file stores (header, screens with their
// components, alarm list) under readable names, texts in UTF-8, picture bits as rows of '#'
// and '.'. docs/project-json.md describes every key.
//
// Writing the JSON of a project and building a project file back from it gives the same bytes
// as saving the project: the JSON is read into project objects, which the project's own writer
// then saves. Reading refuses unknown and missing keys, values of the wrong type, numbers
// outside what their field holds and characters the GBK code page cannot hold; every message
// names the JSON path of the value (and its line and column).

#include <span>
#include <string>
#include <string_view>

#include "common/Archive.h"
#include "common/Json.h"
#include "common/Result.h"

namespace vanta {

class Project;

// The project as a JSON value.
JsonValue projectToJsonValue(const Project& project);
// The project as JSON text (two-space indentation, final newline).
std::string projectToJson(const Project& project);

// Reads the JSON form into `project`. The JSON is first built into a project of its own and
// saved; only when that succeeds is `project` loaded from the result, so a failure leaves
// `project` unchanged.
Status projectFromJson(std::string_view json, Project& project);

// The project file (version 12) that the JSON form describes.
Result<Bytes> projectFileFromJson(std::string_view json);
// The JSON form of a project file; fails with the reader's message when the file cannot be read.
Result<std::string> projectFileToJson(std::span<const uint8_t> file);

}  // namespace vanta
