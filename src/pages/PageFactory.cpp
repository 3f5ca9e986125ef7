// The property page of each component kind.

#include <algorithm>
#include <iterator>

#include "pages/BarTidePage.h"
#include "pages/DynamicPage.h"
#include "pages/FunctionPage.h"
#include "pages/LampPage.h"
#include "pages/PicturePage.h"
#include "pages/PropertyPage.h"
#include "pages/RegisterPage.h"
#include "pages/TextPage.h"

namespace vanta {

namespace {

template <typename Page>
PropertyPage* make(QWidget* parent) {
    return new Page(parent);
}

// In the order the view creates the pages; bar graph and trend share their page.
const KindPage kKindPages[] = {
    {kKindChars, make<TextPage>},        {kKindRegister, make<RegisterPage>},
    {kKindDynamic, make<DynamicPage>},   {kKindLight, make<LampPage>},
    {kKindFunction, make<FunctionPage>}, {kKindBar, make<BarTidePage>},
    {kKindTide, make<BarTidePage>},      {kKindPicture, make<PicturePage>},
};

}  // namespace

std::span<const KindPage> kindPages() {
    return kKindPages;
}

PageMaker pageMakerOf(uint8_t kind) {
    const auto it = std::find_if(std::begin(kKindPages), std::end(kKindPages),
                                 [kind](const KindPage& page) { return page.kind == kind; });
    return it == std::end(kKindPages) ? nullptr : it->make;
}

PropertyPage* createPropertyPage(uint8_t kind, QWidget* parent) {
    const PageMaker maker = pageMakerOf(kind);
    PropertyPage* page = maker ? maker(parent) : nullptr;
    if (page)
        page->hide();
    return page;
}

}  // namespace vanta
