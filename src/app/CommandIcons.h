#pragma once
// The pictures of the commands, drawn by the program: the toolbar shows them and the menus show
// the picture of the toolbar button with the same command.

#include <QIcon>

namespace vanta {

// The picture of a command (CommandIds.h); a null icon for a command without a toolbar button.
QIcon commandIcon(int command);

}  // namespace vanta
