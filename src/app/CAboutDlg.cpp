#include "app/CAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/CommandIcons.h"
#include "app/CommandIds.h"
#include "qtsupport/AppInfo.h"

namespace vanta {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于 Vanta"));
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    auto* icon = new QLabel(this);
    icon->setPixmap(commandIcon(cmd::kPanelSettings).pixmap(32, 32));
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto* name =
        new QLabel(tr("Vanta画面设置工具 %1 版").arg(QString::fromLatin1(app::kVersion)), this);
    name->setObjectName(QStringLiteral("name"));
    layout->addWidget(name, 0, 1);
    auto* note = new QLabel(tr("Orbis 操作面板的画面设置与下载"), this);
    layout->addWidget(note, 1, 1);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    layout->addWidget(ok, 2, 1, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace vanta
