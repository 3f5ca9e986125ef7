#pragma once
// The main window of the editor: always 750 x 560, the menus and the toolbar (their commands
// share QActions, so a menu item shows the picture of its toolbar button), the status bar with
// the message pane and the protocol pane, the splash window, the recent-file list, and files
// dropped on the window. The editor view is its central widget; the document commands go to
// CVantaDoc, the placement and screen commands to the view.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>

class QLabel;
class QMenu;
class QToolBar;

namespace vanta {

class CSplashWnd;
class CVantaDoc;
class CVantaView;
class EmulatorWindow;
class ImageBudgetLabel;
class LiveAnalysis;
class PreviewDock;
class ProblemsDock;
struct Problem;
class ProgramData;
class Prompter;
class Project;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr QSize kFrameSize{750, 560};
    static constexpr int kProtocolPaneWidth = 150;
    static constexpr int kRecentFileCount = 4;

    CMainFrame(ProgramData& data, Prompter& prompter, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the window: loads the narrow glyph table (false after "Load Font Lib Failure":
    // the program ends), builds the menus, toolbar and status bar, creates the view, reads the
    // protocol catalogue and "In.dat" (reporting a missing catalogue; the editor then runs
    // without protocols).
    bool create();
    // Shows the start-up picture over the frame (it goes by itself after 1500 ms).
    void showSplash();

    // The program's title ("Vanta画面设置工具"), shown after the document's title.
    static QString applicationTitle();

    CVantaDoc& doc() const { return *doc_; }
    CVantaView* view() const { return view_; }
    ProgramData& data() const { return data_; }
    Project& project() const;

    // The action of a command identifier (CommandIds.h); the first one where two share it.
    QAction* action(int command) const { return actions_.value(command); }
    // The emulator window while it is open.
    EmulatorWindow* emulatorWindow() const;
    // "删除部件(&P)" of the Tools menu (it shares the identifier of cut): deletes the selection.
    QAction* deleteComponentAction() const { return deleteComponent_; }
    QToolBar* toolBar() const { return toolBar_; }
    QLabel* messagePane() const { return messagePane_; }
    QLabel* protocolPane() const { return protocolPane_; }
    // The analysis of the open project behind the preview, the problem list and the budget.
    LiveAnalysis* analysis() const { return analysis_; }
    ProblemsDock* problemsDock() const { return problemsDock_; }
    PreviewDock* previewDock() const { return previewDock_; }
    ImageBudgetLabel* budgetLabel() const { return budget_; }
    CSplashWnd* splashWindow() const;

    // The recent-file list, most recent first (at most four).
    QStringList recentFiles() const;
    // The serial port a download uses: the device chosen in "选择通信口", else "COMn".
    QString downloadPortName() const;

    // Opens a project file named on the command line, dropped on the window or taken from the
    // recent-file list: the save-modified question, the pre-check, then the file.
    bool openDocumentFile(const QString& path);

  public slots:
    // Enables and checks every command for the current state.
    void updateCommandStates();
    // The window title: the document's, the modified marker, the program's.
    void updateTitle();
    // "No protocol" until a project is open; then the protocol's name, "." and the driver
    // version, or "protocol number error!!!" when the catalogue has no entry for it.
    void updateProtocolPane();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QAction* makeAction(int command);
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void connectCommands();
    void readCatalogue();
    // The preview, the problem list and the budget (FrameDocks.cpp), and what they show.
    void createDocks();
    void analysisUpdated();
    // Shows what a problem is about: the component selected, the screen, or the dialog.
    void showProblem(const Problem& problem);
    // Before a download: a fresh analysis; errors refuse it, warnings ask once. True: go on.
    bool confirmDownloadProblems();
    void updateEditCommandStates();

    void projectReplaced();
    void pathChanged(const QString& path);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    void updateRecentFileActions();

    // Command handlers.
    void onPlcSelection();
    void onPortSelection();
    void onPanelSettings();
    void onAlarmList();
    void onDownload();
    void onEmulate();
    void onAbout();

    ProgramData& data_;
    Prompter& prompter_;
    CVantaDoc* doc_ = nullptr;
    CVantaView* view_ = nullptr;
    QHash<int, QAction*> actions_;
    QAction* deleteComponent_ = nullptr;
    QAction* screenProperties2_ = nullptr;  // the toolbar shows that button twice
    std::array<QAction*, kRecentFileCount> recentActions_{};
    QAction* recentSeparator_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* protocolPane_ = nullptr;
    QPointer<CSplashWnd> splash_;
    LiveAnalysis* analysis_ = nullptr;
    ProblemsDock* problemsDock_ = nullptr;
    PreviewDock* previewDock_ = nullptr;
    ImageBudgetLabel* budget_ = nullptr;
    QPointer<QWidget> emulator_;  // the EmulatorWindow
};

}  // namespace vanta
