#pragma once
// Identifiers of the editor's commands. Menu items and toolbar buttons with the same identifier
// share their command (and their picture).

namespace vanta::cmd {

inline constexpr int kNewProject = 32771;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPlcSelection = 32784;
inline constexpr int kPortSelection = 32782;
inline constexpr int kDownload = 32783;
inline constexpr int kPanelType = 32807;
inline constexpr int kImport = 32806;
inline constexpr int kExit = 57665;
inline constexpr int kCut = 32773;  // also "删除部件" of the Tools menu
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kNewScreen = 32781;
inline constexpr int kCopyScreen = 32798;
inline constexpr int kDeleteScreen = 32799;
inline constexpr int kPanelSettings = 32792;
inline constexpr int kAlarmList = 32796;
inline constexpr int kLamp = 32772;
inline constexpr int kFunctionKey = 32774;
inline constexpr int kText = 32777;
inline constexpr int kDynamicText = 32780;
inline constexpr int kRegister = 32779;
inline constexpr int kBarGraph = 32790;
inline constexpr int kTrend = 32791;
inline constexpr int kPicture = 32793;
inline constexpr int kAbout = 57664;
inline constexpr int kScreenProperties = 32800;  // toolbar only: no handler
// Zoom of the simulated display (View menu).
inline constexpr int kZoomIn = 32901;
inline constexpr int kZoomOut = 32902;
inline constexpr int kZoomReset = 32903;
inline constexpr int kEmulate = 32810;
// The Edit menu's undo history and the commands on the selected components.
inline constexpr int kUndo = 32911;
inline constexpr int kRedo = 32912;
inline constexpr int kDuplicate = 32913;
inline constexpr int kDelete = 32914;
inline constexpr int kSelectAll = 32915;
inline constexpr int kBringToFront = 32916;
inline constexpr int kSendToBack = 32917;
inline constexpr int kProperties = 32918;

}  // namespace vanta::cmd
