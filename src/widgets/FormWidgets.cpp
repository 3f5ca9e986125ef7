#include "widgets/FormWidgets.h"

#include <QLabel>

#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

QLabel* placeLabel(const QString& text, QWidget* parent, int x, int y, int width) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, width, 22);
    return l;
}

CNumSpinCtrl* placeNumberPair(QWidget* parent, int x, int y, int width, CNumEdit*& edit,
                              const char* name) {
    edit = new CNumEdit(parent);
    edit->setGeometry(x, y, width - CNumSpinCtrl::kWidth, 22);
    edit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Edit"));
    auto* spin = new CNumSpinCtrl(edit, parent);
    spin->setObjectName(QString::fromLatin1(name) + QStringLiteral("Spin"));
    return spin;
}

}  // namespace vanta
