#pragma once
// The base of the component pages: the outer group with the page's caption, Enter and Escape
// doing nothing, and the release of every binding when the page is hidden.

#include <QString>

#include "pages/PropertyPage.h"
#include "widgets/BoundControls.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QRadioButton;

namespace vanta {

class ComponentPage : public PropertyPage {
    Q_OBJECT
  public:
    explicit ComponentPage(QWidget* parent = nullptr);

  protected:
    // The group around the whole page, with the page's caption; the page's controls go into it.
    QGroupBox* addOuterGroup(const QString& title);
    // A group box with a grid (labels in column 0, fields in column 1) or a vertical box.
    static QGroupBox* gridGroup(const QString& title, QWidget* parent, QGridLayout*& grid);
    static QGroupBox* boxGroup(const QString& title, QWidget* parent, QBoxLayout*& box);
    static QGridLayout* newGrid();

    // Drops every binding (the component may go away while the page is hidden).
    virtual void release() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

}  // namespace vanta
