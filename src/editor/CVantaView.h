#pragma once
// The editor view: the list of screens, the simulated panel display of the current screen, and
// the property-page area. It places, selects, drags and deletes components with the mouse and
// the keyboard, runs the screen commands (new, copy, delete), and hosts the property pages that
// the model shows and fills through PageHost.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/Prompter.h"
#include "model/Geometry.h"
#include "model/MonoBitmap.h"
#include "model/PageHost.h"

class QGroupBox;
class QMenu;
class QTableWidget;
class QMouseEvent;

namespace vanta {

class CMainView;
class DisplayWidget;
class Project;
class ProjectDocument;
class PropertyPage;
class ScreenPage;

class CVantaView : public QWidget, public PageHost {
    Q_OBJECT
  public:
    // Where the view's controls sit (view coordinates).
    static constexpr QRect kDisplayRect{260, 40, 432, 144};
    static constexpr QRect kDisplayFrameRect{220, 20, 512, 188};
    static constexpr QRect kScreenListRect{10, 20, 200, 428};
    static constexpr QRect kPageRect{220, 218, 512, 230};

    CVantaView(ProjectDocument& document, Prompter& prompter, QWidget* parent = nullptr);
    ~CVantaView() override;

    // After a new project, an open, an import or a PLC change: refills the screen list, selects
    // the current screen, shows its page and repaints.
    void projectReplaced();
    // Repaints the simulated display.
    void refreshDisplay();
    // The kind whose placement is armed (1..8), 0 when none.
    uint8_t pendingKind() const { return pending_; }
    // Ctrl is held down (forces the driver download).
    bool ctrlHeld() const { return ctrlHeld_; }
    // Forgets a held Ctrl once a download has used it (its release may go to another window).
    void clearCtrlHeld() { ctrlHeld_ = false; }
    // A component of the current screen is selected.
    bool hasSelection() const;

    // The outline of the armed placement, in display coordinates.
    QRect placementOutline() const;
    // Paints the display (background, components, frames) into the off-screen picture and
    // returns it (432 x 144).
    const QPixmap& renderDisplay();
    // Loads a picture file and arms its placement ("Open the picture error!!!", "picture size
    // error!!!" on failure). True when armed.
    bool placePictureFile(const QString& path);
    // The screen list control.
    QTableWidget* screenListControl() const { return list_; }

    // --- PageHost ---
    void showPage(PageKind kind) override;
    void fillPage(PageKind kind, CBase& component) override;
    void setPageCoordinates(PageKind kind, int32_t x, int32_t y) override;
    void setScreenCaption(const std::string& caption) override;
    void fillScreenPage(CMainView& screen) override;

  public slots:
    // Arms the placement of a kind (1..8 except 5), or cancels it when that kind is armed.
    void togglePlacement(int kind);
    // Cancels an armed picture, or asks for a picture file and arms its placement.
    void placePicture();
    void newScreen();
    void copyScreen();
    void deleteScreen();

  signals:
    // The enabled or checked state of a command may have changed.
    void commandStateChanged();
    // The view marked the document modified.
    void documentModified();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class DisplayWidget;

    Project& project() const;
    CMainView* currentScreen() const;
    void markModified();
    void cancelPlacement();
    void armPlacement(uint8_t kind, int32_t width, int32_t height);
    void deselectComponent();

    // Mouse on the display, in view coordinates.
    void displayPressed(QMouseEvent* event, QPoint at);
    void displayMoved(QPoint at);
    void displayReleased(QMouseEvent* event);
    void paintDisplay(QPainter& painter);
    void updateDisplayArea(const QRect& viewRect);
    void setDragCursor(bool on);

    // Screen list.
    void fillScreenList();
    void selectCurrentRow();
    void setRowText(int row);
    void screenListClicked(int row);
    void screenListSelectionChanged();
    void activateScreen(size_t position);
    void showCurrentScreenPage();
    void descriptionEdited(const QString& text);
    bool deleteSelectedComponent();

    static QPixmap makeBackground();
    static QCursor makeDragCursor();

    ProjectDocument& document_;
    Prompter& prompter_;

    QTableWidget* list_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QGroupBox* displayFrame_ = nullptr;
    QGroupBox* pageFrame_ = nullptr;
    DisplayWidget* display_ = nullptr;
    ScreenPage* screenPage_ = nullptr;
    // One page per PageKind (bar and trend share one); null where none exists.
    std::array<PropertyPage*, 8> pages_{};

    QPixmap background_;
    QPixmap canvas_;
    QCursor dragCursor_;

    uint8_t pending_ = 0;  // armed placement kind
    Rect outline_;         // placement outline, display coordinates
    bool nothingSelected_ = true;
    bool dragging_ = false;
    Point anchor_;  // drag anchor, view coordinates
    bool dragCursorShown_ = false;
    bool ctrlHeld_ = false;
    std::optional<MonoBitmap> picture_;  // the bitmap of an armed picture
    bool fillingPage_ = false;           // a page is being bound: its changes are not edits
    bool updatingList_ = false;          // the list is being refilled by the view
};

}  // namespace vanta
