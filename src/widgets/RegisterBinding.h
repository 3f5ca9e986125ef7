#pragma once
// The controls that bind a component to a PLC register, shared by every page that has them:
// "局号:" station, "类型:" register type, "地址:" address with the sub-address (bit number)
// beside it, and "子类型:", the parameter that a protocol addressing modules (31) names instead
// of a sub-address.
// They sit in a grid of labels and fields in one of three orders; a page adds its own rows
// (register count, offset) to the same grid so that everything lines up. The pages decide from
// the protocol's profile (its page switches, module addressing) which optional controls show.

#include <QWidget>
#include <cstdint>
#include <type_traits>

#include "model/LightPageRules.h"
#include "widgets/BoundControls.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

class QGridLayout;
class QLabel;

namespace vanta {

class RegisterBinding : public QWidget {
    Q_OBJECT
  public:
    enum class Order {
        TypeFirst,     // station, type, address, sub-type
        AddressFirst,  // station, address, type, sub-type
        SideBySide,    // station beside type, address beside sub-type (where height is short)
    };

    explicit RegisterBinding(Order order, QWidget* parent = nullptr);

    NumberRow station;
    NumberRow address;
    NumberRow subAddress;  // beside the address, without a label of its own
    QLabel* typeLabel = nullptr;
    BoundComboBox* type = nullptr;
    QLabel* subTypeLabel = nullptr;
    BoundComboBox* subType = nullptr;

    // Where a page's own row goes: after the address and type, before "子类型:" (register
    // count, offset) or after it (options below the binding).
    enum class Place { BeforeSubType, AfterSubType };

    // The grid the rows sit in (column 0 labels, column 1 fields; side by side also columns 2
    // and 3). A page's own rows take a label and a field spanning the rest.
    QGridLayout* grid() const { return grid_; }
    void addRow(QLabel* label, QWidget* field, Place place = Place::BeforeSubType);
    void addRow(QLabel* label, QLayout* field, Place place = Place::BeforeSubType);
    void addRow(const NumberRow& row, Place place = Place::BeforeSubType);

    // Protocol 31 addresses a parameter ("子类型:") where other protocols may have a
    // sub-address; which ones show follows the protocol's vocabulary.
    void setSubTypeShown(bool shown);
    void setSubAddressShown(bool shown);

    // Lets go of every bound field (the component may go away).
    void unbind();

    // Binds a spin to a field with the range's entry (hexadecimal or octal). The control the user
    // is typing in (`source`) keeps its text and only takes the new range.
    template <typename T>
    static void bindRow(NumberRow& row, T& field, const SpinRange& range,
                        const QObject* source = nullptr) {
        const auto min = static_cast<double>(range.min);
        const auto max = static_cast<double>(range.max);
        if (source != nullptr && static_cast<const QObject*>(row.edit) == source) {
            row.spin->setRange(min, max);
            return;
        }
        if constexpr (std::is_same_v<T, uint16_t>) {
            if (range.entry == NumberEntry::Octal) {
                row.spin->bindOctal(field, min, max, true);
                return;
            }
        }
        row.spin->bind(field, min, max, range.entry == NumberEntry::Hex);
    }

  private:
    // The grid row of the next row of a page at `place`.
    int takeRow(Place place);

    QGridLayout* grid_ = nullptr;
    int nextBefore_ = 0;
    int nextAfter_ = 0;
    int span_ = 1;  // columns a page's field spans
};

}  // namespace vanta
