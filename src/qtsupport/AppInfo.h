#pragma once
// Names under which the editor keeps its settings (recent files, chosen serial device), and the
// program's version.
namespace vanta::app {
inline constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kApplication = "Vanta";
inline constexpr const char* kVersion = "1.0";
// The translation of the interface, looked for beside the program.
inline constexpr const char* kTranslationFile = "VantaENU.qm";
}  // namespace vanta::app
