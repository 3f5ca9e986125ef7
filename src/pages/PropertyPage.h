#pragma once
// A component's property page: a child widget of the editor view shown in its property-page
// area. Filling binds its controls to the component's fields; every change
// is written straight into the component, the rules of the page are applied at once through the
// core functions, and componentChanged() asks the view to redraw the display.

#include <QWidget>
#include <cstdint>

#include "model/CBase.h"
#include "model/PageHost.h"

namespace vanta {

class Project;

class PropertyPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    virtual PageKind kind() const = 0;
    // Binds the controls to the component (the project gives the settings some rules need:
    // the panel station, the alarm list, the protocol).
    virtual void fill(CBase& component, Project& project) = 0;
    // Writes the panel position into the X and Y spins.
    virtual void setCoordinates(int32_t x, int32_t y) = 0;
    // Gives the keyboard to the page's text field, where it has one (a new text is typed at
    // once).
    virtual void focusTextField() {}

  signals:
    // A control changed the component; the view redraws the display.
    void componentChanged();
};

// The page of a component kind (every kind but Screen), created hidden as a child of parent.
PropertyPage* createPropertyPage(PageKind kind, QWidget* parent);

}  // namespace vanta
