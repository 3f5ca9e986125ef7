#pragma once
// Components on the system clipboard, so they can be pasted in this editor, in another running
// editor or, as JSON text, in a text editor: the editor's own MIME type carries the JSON form of
// a project holding them (with the protocol they were made for), and plain text carries the same
// JSON.

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace vanta {

class CBase;
class Project;

// "application/x-vanta-components+json".
QString componentMimeType();

// Puts copies of the components (in the order given) of `project` on the clipboard.
void putComponentsOnClipboard(const Project& project, const std::vector<const CBase*>& components);

// The JSON the clipboard holds in the editor's format, else its text when that looks like JSON;
// nothing otherwise.
std::optional<std::string> componentsOnClipboard();

// The clipboard may hold components (its own format, or text that starts like JSON).
bool clipboardMayHoldComponents();

}  // namespace vanta
