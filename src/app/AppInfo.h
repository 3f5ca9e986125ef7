#pragma once
// Names under which the editor keeps its settings (recent files, chosen serial device).
namespace vanta::app {
inline constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kApplication = "Vanta";
}  // namespace vanta::app
