// The property page of each component kind.

#include "pages/BarTidePage.h"
#include "pages/DynamicPage.h"
#include "pages/FunctionPage.h"
#include "pages/LampPage.h"
#include "pages/PicturePage.h"
#include "pages/PropertyPage.h"
#include "pages/RegisterPage.h"
#include "pages/TextPage.h"

namespace vanta {

PropertyPage* createPropertyPage(PageKind kind, QWidget* parent) {
    PropertyPage* page = nullptr;
    switch (kind) {
        case PageKind::Text:
            page = new TextPage(parent);
            break;
        case PageKind::Register:
            page = new RegisterPage(parent);
            break;
        case PageKind::Lamp:
            page = new LampPage(parent);
            break;
        case PageKind::BarTide:
            page = new BarTidePage(parent);
            break;
        case PageKind::Picture:
            page = new PicturePage(parent);
            break;
        case PageKind::DynamicText:
            page = new DynamicPage(parent);
            break;
        case PageKind::FunctionKey:
            page = new FunctionPage(parent);
            break;
        case PageKind::Screen:
            break;
    }
    if (page)
        page->hide();
    return page;
}

}  // namespace vanta
