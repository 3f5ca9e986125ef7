#pragma once
// A component's property page: a child widget of the editor view shown in its property-page
// area. Filling binds its controls to the component's fields; every change
// is written straight into the component, the rules of the page are applied at once through the
// core functions, and componentChanged() asks the view to redraw the display.

#include <QWidget>
#include <cstdint>
#include <span>

#include "model/CBase.h"

namespace vanta {

class Project;

class PropertyPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

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

// The page table: which page serves each component kind. Kinds that share a page (bar graph and
// trend) name the same maker, and the view keeps one page for them.
using PageMaker = PropertyPage* (*)(QWidget* parent);
struct KindPage {
    uint8_t kind;
    PageMaker make;
};
std::span<const KindPage> kindPages();
// The maker of the kind's page; null for a kind without a page.
PageMaker pageMakerOf(uint8_t kind);
// The page of a component kind, created hidden as a child of parent; null for a kind without one.
PropertyPage* createPropertyPage(uint8_t kind, QWidget* parent);

}  // namespace vanta
