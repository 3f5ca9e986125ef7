#include "app/CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/CommandIcons.h"
#include "app/CommandIds.h"
#include "qtsupport/AppInfo.h"

namespace vanta {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于 Rundel"));
    setFixedSize(340, 130);
    auto* icon = new QLabel(this);
    icon->setPixmap(commandIcon(cmd::kPanelSettings).pixmap(32, 32));
    icon->setGeometry(20, 20, 32, 32);
    auto* name =
        new QLabel(tr("Rundel画面设置工具 %1 版").arg(QString::fromLatin1(app::kVersion)), this);
    name->setGeometry(70, 18, 250, 22);
    auto* note = new QLabel(tr("Orbis 操作面板的画面设置与下载"), this);
    note->setGeometry(70, 44, 250, 22);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setGeometry(250, 88, 74, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace vanta
