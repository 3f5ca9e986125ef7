#pragma once
// The editor view: the list of screens, the simulated panel display of the current screen, and
// the property-page area, laid out to grow with the window. It places, selects, drags and
// deletes components with the mouse and the keyboard, runs the screen commands (new, copy,
// delete), and hosts the property pages that the model shows and fills through PageHost.
//
// The display shows the panel at a zoom of 1 to 4 screen pixels per panel pixel (2.25 at
// first). Whatever the zoom, the model works in its own view coordinates: the display at
// kDisplayRect, 2.25 units per panel pixel, so placing, snapping and dragging keep their steps
// in panel pixels.
//
// Keys: Tab goes from the screen list to the display and on to the page; on the display the
// arrows move the armed outline or the selected component by 4 panel pixels and Enter or Space
// places the armed component; Escape cancels an armed placement; Delete deletes.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "model/Geometry.h"
#include "model/MonoBitmap.h"
#include "model/PageHost.h"

class QGroupBox;
class QKeyEvent;
class QMenu;
class QScrollArea;
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
    // The display in the model's view coordinates.
    static constexpr QRect kDisplayRect{260, 40, 432, 144};
    // Screen pixels per panel pixel: the zoom range and the first zoom.
    static constexpr double kMinZoom = 1.0;
    static constexpr double kMaxZoom = 4.0;
    static constexpr double kDefaultZoom = 2.25;

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
    // The simulated display.
    QWidget* displayWidget() const;
    // The component page or screen page shown in the page area, null when none is.
    QWidget* shownPage() const;

    // Screen pixels per panel pixel.
    double zoom() const { return zoom_; }
    // The display's size at the zoom.
    QSize displaySize() const;

    // Makes the screen with that number current and shows its page; false when there is none.
    bool showScreenNumber(uint16_t number);
    // Makes the screen current and selects its component at list position `index` as a click on
    // it does (it comes to the head of the list and its page is shown); false when there is none.
    bool selectComponent(uint16_t screenNumber, size_t index);

    // --- PageHost ---
    void showPage(uint8_t kind) override;
    void fillPage(CBase& component) override;
    void setPageCoordinates(uint8_t kind, int32_t x, int32_t y) override;
    void showScreenPage() override;
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
    // Zoom within kMinZoom..kMaxZoom; zoomBy goes up or down the zoom steps.
    void setZoom(double zoom);
    void zoomBy(int steps);
    void zoomIn() { zoomBy(1); }
    void zoomOut() { zoomBy(-1); }
    void resetZoom() { setZoom(kDefaultZoom); }

  signals:
    void zoomChanged(double zoom);
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
    // The page of a component kind (null for none); shows one page and hides the others.
    PropertyPage* pageOf(uint8_t kind) const;
    void showOnly(QWidget* shown);

    // Mouse on the display, in view coordinates.
    void displayPressed(QMouseEvent* event, QPoint at);
    void displayMoved(QPoint at);
    void displayReleased(QMouseEvent* event);
    // A key on the display; false when the display does not use it.
    bool displayKey(QKeyEvent* event);
    // Places the armed component at the outline; true when one was placed.
    bool placePending();
    // Moves the outline's top-left to `moved`, keeping its size and keeping it on the display.
    void moveOutlineTo(Rect moved);
    // Paints the display at the zoom into a widget of `size`.
    void paintDisplay(QPainter& painter, QSize size);
    // The screen's components, frames and outline in view units.
    void drawScreen(QPainter& painter);
    void updateDisplayArea(const QRect& viewRect);
    void applyZoom();
    // Gives the display's frame the height of the whole display.
    void fitDisplayFrame();
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

    // The empty display, scaled by (sx, sy) from view units.
    static void paintBackground(QPainter& painter, double sx, double sy);
    static QPixmap makeBackground();
    static QCursor makeDragCursor();

    ProjectDocument& document_;
    Prompter& prompter_;

    QTableWidget* list_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QGroupBox* displayFrame_ = nullptr;
    QScrollArea* displayScroll_ = nullptr;
    QWidget* displayHolder_ = nullptr;
    QScrollArea* pageScroll_ = nullptr;
    QWidget* pageHost_ = nullptr;
    DisplayWidget* display_ = nullptr;
    ScreenPage* screenPage_ = nullptr;
    // Every component page once, and the page of each kind (bar and trend share one).
    std::vector<PropertyPage*> pages_;
    std::map<uint8_t, PropertyPage*> pageOfKind_;

    QPixmap background_;
    QPixmap canvas_;
    QPixmap zoomed_;  // the display at the zoom and the screen's pixel density
    double zoom_ = kDefaultZoom;
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
