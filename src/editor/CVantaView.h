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
// arrows move the armed outline by 4 panel pixels or nudge the selected components by one panel
// pixel (8 with Shift), and Enter or Space places the armed component; Escape cancels an armed
// placement or clears the selection; Delete deletes; Ctrl+A selects every component.
//
// Selection: a click selects the topmost component under the mouse, Ctrl or Shift with a click
// adds or removes one, a band drawn from an empty place selects every component it touches, and
// Alt with a click takes the next component below the selected one (a component covered by
// others is always reachable). Selecting does not change the stacking order; bringing to front
// and sending to back do.
//
// Every change the view makes goes through its undo history (QUndoStack) as one step holding
// the changed parts in the project's stored form (EditCommand): placing, dragging, nudging,
// deleting, pasting, stacking, each field of a property page or the screen page (the changes of
// one field in a row are one step), the screen commands and the settings the main frame's
// dialogs change. Undoing or redoing a step shows the screen it changed with its components
// selected. The document's modified flag follows the history's clean state.

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

#include "common/Archive.h"
#include "common/Prompter.h"
#include "model/Geometry.h"
#include "model/MonoBitmap.h"
#include "model/PageHost.h"

class QAction;
class QGroupBox;
class QKeyEvent;
class QMenu;
class QScrollArea;
class QTableWidget;
class QMouseEvent;
class QUndoStack;

namespace vanta {

class Canvas;
class CMainView;
struct ComponentReset;
class DisplayWidget;
class Project;
class ProjectDocument;
class ProjectEdit;
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

    // After a new project, an open or an import: forgets the undo history, refills the screen
    // list, selects the current screen, shows its page and repaints.
    void projectReplaced();
    // After the settings changed (the protocol among them): the screen list, the page of the
    // selection and the display are shown again; the undo history stays.
    void settingsReplaced();
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
    // The selected components of the current screen, in list order (the topmost first).
    std::vector<CBase*> selection() const;
    // Positions of the selected components in the current screen's list, ascending.
    std::vector<size_t> selectionIndexes() const;
    // Selects the components at these positions of the current screen (the page of a single one
    // is shown, the screen page otherwise).
    void selectIndexes(const std::vector<size_t>& indexes);

    // --- the undo history ---
    QUndoStack* undoStack() const { return undo_; }
    // Makes one step of the history of an edit already made (nothing when it changed nothing).
    // `selectedBefore` / `selectedAfter`: the selection's positions before and after the edit.
    // A step with a non-empty merge key continues the step before it when that has the same key.
    void pushEdit(ProjectEdit edit, const QString& text, std::vector<size_t> selectedBefore,
                  std::vector<size_t> selectedAfter, const QString& mergeKey = {});
    // Pushes an edit that does not touch the selection (the settings of the main frame's
    // dialogs).
    void pushEdit(ProjectEdit edit, const QString& text);
    // Undoes (`undo`) or redoes an edit of the history, then shows its screen with the
    // components at `selected` selected. Used by EditCommand.
    void applyEdit(const ProjectEdit& edit, bool undo, const std::vector<size_t>& selected);

    // --- the clipboard and the Edit commands ---
    // The clipboard holds components (the editor's own format, or JSON text of a project).
    bool canPaste() const;
    // The name of a component kind ("寄存器"), or of n components, for the history's steps.
    static QString componentsName(const std::vector<const CBase*>& components);
    static QString kindName(uint8_t kind);
    // "Register at (24, 16)" in the interface's language (the problem list and the preview).
    static QString componentName(uint8_t kind, int32_t x, int32_t y);
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
    // it does (its page is shown, the list order stays); false when there is none.
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
    // The Edit commands on the selection of the current screen.
    void cutSelection();
    void copySelection();
    // Pastes the clipboard's components onto the current screen: offset from where they were
    // copied, or at the mouse when given from the context menu; inside the display.
    void paste();
    void duplicateSelection();
    void deleteSelection();
    void selectAll();
    void clearSelection();
    void bringToFront();
    void sendToBack();
    // Shows the page of the component the context menu was opened on and gives it the focus.
    void showProperties();
    // The main frame's actions the context menu of the display offers, in order (null entries
    // are separators).
    void setContextMenuActions(const QList<QAction*>& actions) { contextActions_ = actions; }
    // Zoom within kMinZoom..kMaxZoom; zoomBy goes up or down the zoom steps.
    void setZoom(double zoom);
    void zoomBy(int steps);
    void zoomIn() { zoomBy(1); }
    void zoomOut() { zoomBy(-1); }
    void resetZoom() { setZoom(kDefaultZoom); }
    // Undo and redo of the history (a number being typed is checked first).
    void undo();
    void redo();

  signals:
    void zoomChanged(double zoom);
    // The enabled or checked state of a command may have changed.
    void commandStateChanged();
    // The document's modified flag may have changed (the undo history moved).
    void documentModified();
    // An undone or redone step changed the project's settings (the protocol among them).
    void settingsChanged();
    // The components selected changed.
    void selectionChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class DisplayWidget;

    Project& project() const;
    CMainView* currentScreen() const;
    void cancelPlacement();
    void armPlacement(uint8_t kind, int32_t width, int32_t height);
    // The page of a component kind (null for none); shows one page and hides the others.
    PropertyPage* pageOf(uint8_t kind) const;
    void showOnly(QWidget* shown);
    // The selection becomes these components of the current screen; the page follows.
    void setSelection(std::vector<CBase*> components);
    // Shows the page of a single selected component, or the screen page.
    void showSelectionPage();
    void drawSelectionFrames(Canvas& canvas) const;
    // Components of the current screen under the point (display coordinates), topmost first.
    std::vector<CBase*> componentsAt(Point point) const;
    size_t indexOf(const CBase* component) const;
    // Moves the selection by (dx, dy) panel pixels as far as the display lets the whole
    // selection go; true when something moved.
    bool moveSelectionBy(int32_t dx, int32_t dy);
    // Nudges the selection with an arrow key, one merged step per run of presses.
    void nudge(int dx, int dy);
    // The records of the selection, taken before a drag or a nudge.
    std::vector<std::pair<size_t, Bytes>> selectionRecords() const;
    void pushMove(const std::vector<std::pair<size_t, Bytes>>& before, const QString& mergeKey);
    // Pastes components (already made for this project) at their positions moved by `offset`
    // or to `at` (display coordinates); `text` names the step.
    void insertComponents(std::vector<std::unique_ptr<CBase>> components, const QString& text,
                          std::optional<Point> at, int32_t offset);
    // After a paste from another protocol: which fields of which components were reset.
    void tellResetFields(uint8_t madeFor, const std::vector<ComponentReset>& resets);
    // Removes the selection as one step named `text`.
    void removeSelection(const QString& text);
    void restack(bool toFront);
    // A page edit (a property page or the screen page) became one step.
    void componentPageChanged();
    void screenPageChanged();
    // "Change <field>": the field is the control that has the focus.
    QString fieldStepName(const QString& fallback) const;
    QString fieldMergeKey(const QString& part) const;
    // Starts a new run: the next change of a field or the next nudge is a step of its own.
    void endRun() { ++editRun_; }
    // Hides every page, dropping the bindings to parts of the project an edit replaces.
    void hidePages();
    void historyMoved();
    void commitFocusedEntry();
    // The context menu of the display at a point (view coordinates).
    void displayContextMenu(QPoint at, QPoint global);
    void updateRubberBand(QPoint at);

    // Mouse on the display, in view coordinates.
    void displayPressed(QMouseEvent* event, QPoint at);
    void displayMoved(QPoint at);
    void displayReleased(QMouseEvent* event, QPoint at);
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
    void listContextMenu(QMouseEvent* event);

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

    QUndoStack* undo_ = nullptr;
    QList<QAction*> contextActions_;

    uint8_t pending_ = 0;           // armed placement kind
    Rect outline_;                  // placement outline, display coordinates
    std::vector<CBase*> selected_;  // components of the current screen, in no particular order
    bool dragging_ = false;
    bool dragMoved_ = false;
    std::vector<std::pair<size_t, Bytes>> dragBefore_;  // the selection's records at the press
    Point anchor_;                                      // drag anchor, view coordinates
    // The band of a selection drawn with the mouse (display coordinates), while it is drawn.
    bool banding_ = false;
    bool bandAdds_ = false;  // Ctrl or Shift: the band adds to the selection
    std::vector<CBase*> bandBase_;
    Point bandStart_;
    Rect band_;
    // The page's component as its record stood after the last step, to make the next one.
    CBase* pageComponent_ = nullptr;
    Bytes pageRecord_;
    CMainView* pageScreen_ = nullptr;
    Bytes screenFieldsRecord_;
    int editRun_ = 0;     // changes of one field, or nudges, in one run merge into one step
    int pasteCount_ = 0;  // pastes since the clipboard last changed
    std::optional<Point> pasteAt_;  // where a paste from the context menu goes
    CBase* contextComponent_ = nullptr;
    bool applyingEdit_ = false;
    bool suppressContextMenu_ = false;  // a right press that cancelled a placement
    bool dragCursorShown_ = false;
    bool ctrlHeld_ = false;
    std::optional<MonoBitmap> picture_;  // the bitmap of an armed picture
    bool fillingPage_ = false;           // a page is being bound: its changes are not edits
    bool updatingList_ = false;          // the list is being refilled by the view
};

}  // namespace vanta
