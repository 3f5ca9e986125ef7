#pragma once
// The panel preview: the current screen as the panel shows it, drawn from the compiled image
// (never from the editor's own drawing) at a whole-number zoom, with a window of its own at a
// larger zoom on demand. The frame hands it every new analysis and every change of screen.
//
// Below the picture, the screen's data-bound components (registers, lamps, bar graphs, dynamic
// texts) each take a sample value: a register's or bar's raw value as the register holds it
// (hexadecimal for a HEX/BCD register, with the text the panel shows beside it), a lamp's bit,
// a dynamic text's entry. While no sample is set the picture is the image renderer's (the layout:
// a register as the outline of its cells); once one is, it is the panel emulator's picture of the
// running screen with these values. Samples are preview state: they never reach the project or
// its undo history, outlive every new analysis, and go with "reset" or another project.

#include <QDockWidget>
#include <QPointer>
#include <QStringList>
#include <utility>
#include <vector>

#include "editor/PreviewSamples.h"
#include "model/MonoBitmap.h"

class QDialog;
class QLabel;
class QSpinBox;
class QTableWidget;
class QToolButton;

namespace vanta {

class CMainView;
class FontTables;
class PanelDisplayWidget;
struct ProjectAnalysis;

class PreviewDock : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr int kDockZoom = 2;
    static constexpr int kWindowZoom = 5;
    enum SampleColumn { ComponentColumn, PointColumn, ValueColumn, ShownColumn, SampleColumnCount };

    // `fonts` (the panel's own characters, for the digits of sample values) must outlive the dock.
    explicit PreviewDock(const FontTables& fonts, QWidget* parent = nullptr);

    // Shows the screen of the analysis's image that is `screen` of the project; null: nothing is
    // open.
    void showScreen(const ProjectAnalysis& analysis, const CMainView* screen);

    const MonoBitmap& picture() const;
    PanelDisplayWidget* display() const { return display_; }
    QSpinBox* zoomBox() const { return zoom_; }
    // Opens (or raises) the full-size window; it follows the dock's picture until closed.
    void openWindow();
    PanelDisplayWidget* windowDisplay() const { return windowDisplay_; }

    // One row per data-bound component of the shown screen; the value column holds its editor
    // (a CNumEdit, QCheckBox or QComboBox).
    QTableWidget* sampleTable() const { return table_; }
    QToolButton* resetButton() const { return resetButton_; }
    const PreviewSamples& samples() const { return samples_; }
    // Every sample back to its default (another project was opened).
    void resetSamples();

  private:
    struct Row {
        SampleComponent component;
        QString name;   // "Register at (24, 16)", as the problem list names it
        QString point;  // "D100"
        std::vector<std::pair<uint16_t, QString>> choices;  // dynamic text: value, "1: Run"
    };

    void rebuildRows(const ProjectAnalysis& analysis, const CMainView* screen);
    QWidget* makeEditor(int row);
    void fitValueColumn();
    void refreshEditors();
    void commitNumber(int row);
    void sampleChanged();
    void showPicture();

    PreviewSamples samples_;
    std::vector<Row> rows_;
    QStringList rowKeys_;
    MonoBitmap layout_;
    uint16_t screenNumber_ = 0;
    bool compiled_ = false;
    bool open_ = false;
    bool filling_ = false;

    PanelDisplayWidget* display_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QLabel* caption_ = nullptr;
    QToolButton* windowButton_ = nullptr;
    QToolButton* resetButton_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPointer<QDialog> window_;
    PanelDisplayWidget* windowDisplay_ = nullptr;
};

}  // namespace vanta
