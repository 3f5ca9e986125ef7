#pragma once
// The panel preview: the current screen as the panel shows it, drawn from the compiled image
// (never from the editor's own drawing) at a whole-number zoom, with a window of its own at a
// larger zoom on demand. The frame hands it every new analysis and every change of screen.

#include <QDockWidget>
#include <QPointer>

#include "model/MonoBitmap.h"

class QDialog;
class QLabel;
class QSpinBox;
class QToolButton;

namespace vanta {

class PanelDisplayWidget;
struct ProjectAnalysis;

class PreviewDock : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr int kDockZoom = 2;
    static constexpr int kWindowZoom = 5;

    explicit PreviewDock(QWidget* parent = nullptr);

    // Shows the screen with that number of the analysis's image; `open` false: nothing is open.
    void showScreen(const ProjectAnalysis& analysis, uint16_t screenNumber, bool open = true);

    const MonoBitmap& picture() const;
    PanelDisplayWidget* display() const { return display_; }
    QSpinBox* zoomBox() const { return zoom_; }
    // Opens (or raises) the full-size window; it follows the dock's picture until closed.
    void openWindow();
    PanelDisplayWidget* windowDisplay() const { return windowDisplay_; }

  private:
    PanelDisplayWidget* display_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QLabel* caption_ = nullptr;
    QToolButton* windowButton_ = nullptr;
    QPointer<QDialog> window_;
    PanelDisplayWidget* windowDisplay_ = nullptr;
};

}  // namespace vanta
