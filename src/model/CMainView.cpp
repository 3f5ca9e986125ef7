#include "model/CMainView.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "model/ComponentFactory.h"

namespace vanta {

CMainView::CMainView(const ModelContext& context) : context_(&context) {}

CMainView::~CMainView() = default;

const RuntimeClass& CMainView::GetRuntimeClass() const {
    static const RuntimeClass kClass{"CMainView", 1};
    return kClass;
}

void CMainView::Serialize(Archive& ar) {
    ar.io(m_number);
    ar.ioString(m_description);
    ar.io(m_upScreen);
    ar.io(m_downScreen);
    ar.reserved(kReservedBytes);
    if (ar.isStoring()) {
        ar.writeCount(static_cast<uint32_t>(m_components.size()));
        for (const auto& component : m_components)
            ar.writeObject(component.get());
        return;
    }
    m_components.clear();
    const uint32_t count = ar.readCount();
    // A tagged object takes at least its 2-byte tag.
    if (!ar.canHold(count, 2, "components"))
        return;
    m_components.reserve(count);
    for (uint32_t i = 0; i < count && ar.ok(); ++i) {
        std::unique_ptr<Persistent> object = ar.readObject();
        if (!ar.ok())
            return;
        auto* component = dynamic_cast<CBase*>(object.get());
        if (component == nullptr) {
            ar.fail("a screen's component list holds an object that is not a component");
            return;
        }
        object.release();
        m_components.emplace_back(component);
    }
}

void CMainView::initNewScreen(uint16_t number, const ByteString& description) {
    m_number = number;
    m_description = description;
    m_upScreen = static_cast<uint16_t>(number - 1);
    m_downScreen = static_cast<uint16_t>(number + 1);
    showScreenPage();
    fillScreenPage();
}

CBase* CMainView::addComponent(uint8_t kind, int32_t x, int32_t y) {
    return addComponent(createComponent(kind, *context_, x, y), x, y);
}

CBase* CMainView::addComponent(std::unique_ptr<CBase> component, int32_t x, int32_t y) {
    if (!component)
        return nullptr;
    CBase* added = component.get();
    m_components.insert(m_components.begin(), std::move(component));
    added->PlaceAt(x, y);
    return added;
}

CBase* CMainView::appendComponent(std::unique_ptr<CBase> component) {
    if (!component)
        return nullptr;
    m_components.push_back(std::move(component));
    return m_components.back().get();
}

bool CMainView::hitTest(Point point) {
    for (const auto& component : m_components) {
        if (!component->HitTest(point))
            continue;
        CBase* hit = component.get();
        bringToFront(hit);
        hit->ShowPropertyPage();
        hit->FillPropertyPage();
        return true;
    }
    return false;
}

void CMainView::bringToFront(const CBase* component) {
    auto it = std::find_if(m_components.begin(), m_components.end(),
                           [component](const auto& c) { return c.get() == component; });
    if (it == m_components.end() || it == m_components.begin())
        return;
    std::rotate(m_components.begin(), it, it + 1);
}

Rect CMainView::draw(Canvas& canvas, bool componentSelected) {
    for (auto it = m_components.rbegin(); it != m_components.rend(); ++it)
        (*it)->Draw(canvas);
    if (!componentSelected || m_components.empty())
        return {};
    Rect frame = m_components.front()->m_rect;
    frame.right -= 1;
    frame.bottom -= 1;
    return frame;
}

void CMainView::deleteSelected() {
    if (!m_components.empty())
        m_components.erase(m_components.begin());
    showScreenPage();
    fillScreenPage();
}

void CMainView::deleteAllComponents() {
    const size_t count = m_components.size();
    size_t destroyed = 0;
    while (!m_components.empty()) {
        m_components.pop_back();
        ++destroyed;
    }
    // Every entry must have been destroyed exactly once.
    if (destroyed != count || !m_components.empty()) {
        m_components.clear();
        context_->warning("Components list table error!");
    }
}

void CMainView::copyFrom(const CMainView& source) {
    m_description = source.m_description;
    for (const auto& component : source.m_components) {
        if (std::unique_ptr<CBase> copy = copyComponent(*component))
            m_components.push_back(std::move(copy));
    }
}

void CMainView::showScreenPage() {
    if (PageHost* host = context_->pages) {
        host->showScreenPage();
        host->setScreenCaption("window" + std::to_string(m_number));
    }
}

void CMainView::fillScreenPage() {
    if (PageHost* host = context_->pages)
        host->fillScreenPage(*this);
}

void CMainView::writeScreenTableEntry(Bytes& table, size_t index, uint16_t& runningOffset) const {
    const size_t at = index * kTableEntryBytes;
    if (table.size() < at + kTableEntryBytes)
        table.resize(at + kTableEntryBytes, 0);
    uint8_t* entry = table.data() + at;
    setBE16(entry, m_number);
    entry[2] = static_cast<uint8_t>(m_components.size());
    setBE16(entry + 3, m_upScreen);
    setBE16(entry + 5, m_downScreen);
    setBE16(entry + 7, runningOffset);
    runningOffset = static_cast<uint16_t>(runningOffset + 3 * m_components.size());
}

}  // namespace vanta
