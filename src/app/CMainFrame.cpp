#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include "app/CAboutDlg.h"
#include "app/CSplashWnd.h"
#include "app/CVantaDoc.h"
#include "app/CommandIcons.h"
#include "app/CommandIds.h"
#include "app/ProgramData.h"
#include "dialogs/AlarmListDialog.h"
#include "dialogs/DownloadDialog.h"
#include "dialogs/EmulatorWindow.h"
#include "dialogs/PanelSettingsDialog.h"
#include "dialogs/PortDialog.h"
#include "editor/CVantaView.h"
#include "editor/LiveAnalysis.h"
#include "editor/PreviewDock.h"
#include "image/LimitCorrections.h"
#include "model/CBase.h"
#include "project/ProjectEdit.h"
#include "qtsupport/AppInfo.h"
#include "qtsupport/CoreText.h"

namespace vanta {

namespace {

// The menu text (with its mnemonic) and the prompt of each command: the status-bar text, then
// after "\n" the tooltip.
struct CommandText {
    int command;
    const char* text;
    const char* prompt;
    const char* shortcut;
};

const CommandText kCommands[] = {
    {cmd::kNewProject, QT_TRANSLATE_NOOP("vanta::CMainFrame", "新建工程(&N)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "创建新工程文档\n新建工程(Ctrl+N)"), "Ctrl+N"},
    {cmd::kOpen, QT_TRANSLATE_NOOP("vanta::CMainFrame", "打开工程(&O)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "打开一个已有的工程文档\n打开工程(Ctrl+O)"), "Ctrl+O"},
    {cmd::kSave, QT_TRANSLATE_NOOP("vanta::CMainFrame", "保存工程(&S)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "保存当前工程文档\n保存工程(Ctrl+S)"), "Ctrl+S"},
    {cmd::kSaveAs, QT_TRANSLATE_NOOP("vanta::CMainFrame", "工程另存为(&A)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "用新的名字保存当前工程文档\n工程另存为"), nullptr},
    {cmd::kPlcSelection, QT_TRANSLATE_NOOP("vanta::CMainFrame", "PLC选择(&P)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "选择PLC的类型和通信参数\nPLC选择"), nullptr},
    {cmd::kPortSelection, QT_TRANSLATE_NOOP("vanta::CMainFrame", "选择通信口(&C)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "选择下载画面数据用的计算机通信口\n选择通信口"),
     nullptr},
    {cmd::kDownload, QT_TRANSLATE_NOOP("vanta::CMainFrame", "下载数据(&D)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "下载画面数据至Orbis\n下载数据"), nullptr},
    {cmd::kPanelType, QT_TRANSLATE_NOOP("vanta::CMainFrame", "人机类型(&M)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "选择人机界面的类型\n人机类型"), nullptr},
    // The shortcut of the import is Ctrl+L; the tooltip names it so.
    {cmd::kImport, QT_TRANSLATE_NOOP("vanta::CMainFrame", "导入旧工程(&L)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "导入一个旧工程文档\n导入旧工程(Ctrl+L)"), "Ctrl+L"},
    {cmd::kExit, QT_TRANSLATE_NOOP("vanta::CMainFrame", "退出(&X)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "退出应用程序;提示保存文档\n退出"), nullptr},
    {cmd::kCut, QT_TRANSLATE_NOOP("vanta::CMainFrame", "剪切(&T)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "剪切选定内容并放到剪贴板上\n剪切"), "Ctrl+X"},
    {cmd::kCopy, QT_TRANSLATE_NOOP("vanta::CMainFrame", "复制(&C)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "复制选定内容并放到剪贴板上\n复制"), "Ctrl+C"},
    {cmd::kPaste, QT_TRANSLATE_NOOP("vanta::CMainFrame", "粘贴(&P)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "插入剪贴板内容\n粘贴"), "Ctrl+V"},
    {cmd::kUndo, QT_TRANSLATE_NOOP("vanta::CMainFrame", "撤销(&U)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "撤销上一步编辑\n撤销"), nullptr},
    {cmd::kRedo, QT_TRANSLATE_NOOP("vanta::CMainFrame", "重做(&R)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "重做撤销了的编辑\n重做"), nullptr},
    {cmd::kDuplicate, QT_TRANSLATE_NOOP("vanta::CMainFrame", "再制(&D)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在本画面上复制选定的部件\n再制"), "Ctrl+D"},
    {cmd::kDelete, QT_TRANSLATE_NOOP("vanta::CMainFrame", "删除(&L)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "删除选定的部件\n删除"), nullptr},
    {cmd::kSelectAll, QT_TRANSLATE_NOOP("vanta::CMainFrame", "全选(&A)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "选定本画面上的全部部件\n全选"), nullptr},
    {cmd::kBringToFront, QT_TRANSLATE_NOOP("vanta::CMainFrame", "置于顶层(&F)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "把选定的部件放到最上层\n置于顶层"), nullptr},
    {cmd::kSendToBack, QT_TRANSLATE_NOOP("vanta::CMainFrame", "置于底层(&B)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "把选定的部件放到最下层\n置于底层"), nullptr},
    {cmd::kProperties, QT_TRANSLATE_NOOP("vanta::CMainFrame", "属性(&O)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "显示部件的属性页\n属性"), nullptr},
    {cmd::kViewToolbar, QT_TRANSLATE_NOOP("vanta::CMainFrame", "工具栏(&T)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "显示或隐藏工具栏\n显隐工具栏"), nullptr},
    {cmd::kViewStatusBar, QT_TRANSLATE_NOOP("vanta::CMainFrame", "状态栏(&S)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "显示或隐藏状态栏\n显隐状态栏"), nullptr},
    {cmd::kNewScreen, QT_TRANSLATE_NOOP("vanta::CMainFrame", "新建画面(&N)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "创建新画面\n新建画面"), nullptr},
    {cmd::kCopyScreen, QT_TRANSLATE_NOOP("vanta::CMainFrame", "复制画面(&C)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "复制当前画面到新画面\n复制画面"), nullptr},
    {cmd::kDeleteScreen, QT_TRANSLATE_NOOP("vanta::CMainFrame", "删除画面(&D)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "删除当前画面\n删除画面"), nullptr},
    {cmd::kPanelSettings, QT_TRANSLATE_NOOP("vanta::CMainFrame", "设置Orbis(&S)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "设置Orbis初始画面号,口令等\n设置Orbis"), nullptr},
    {cmd::kAlarmList, QT_TRANSLATE_NOOP("vanta::CMainFrame", "报警列表(&L)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "设置报警列表内容\n报警列表"), nullptr},
    {cmd::kEmulate, QT_TRANSLATE_NOOP("vanta::CMainFrame", "仿真运行(&M)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "编译工程并在仿真的Orbis上运行\n仿真运行(F5)"), "F5"},
    {cmd::kLamp, QT_TRANSLATE_NOOP("vanta::CMainFrame", "指示灯(&L)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置指示灯\n指示灯"), nullptr},
    {cmd::kFunctionKey, QT_TRANSLATE_NOOP("vanta::CMainFrame", "功能键(&F)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置功能键\n功能键"), nullptr},
    {cmd::kText, QT_TRANSLATE_NOOP("vanta::CMainFrame", "文本(&T)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置文本\n文本"), nullptr},
    {cmd::kDynamicText, QT_TRANSLATE_NOOP("vanta::CMainFrame", "动态文本(&D)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置动态文本\n动态文本"), nullptr},
    {cmd::kRegister, QT_TRANSLATE_NOOP("vanta::CMainFrame", "寄存器(&R)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置寄存器\n寄存器"), nullptr},
    {cmd::kBarGraph, QT_TRANSLATE_NOOP("vanta::CMainFrame", "棒状图(&B)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置棒状图\n棒状图"), nullptr},
    {cmd::kTrend, QT_TRANSLATE_NOOP("vanta::CMainFrame", "趋势图(&Q)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置趋势图\n趋势图"), nullptr},
    {cmd::kPicture, QT_TRANSLATE_NOOP("vanta::CMainFrame", "图片(&P)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "在画面上放置图片\n图片"), nullptr},
    {cmd::kAbout, QT_TRANSLATE_NOOP("vanta::CMainFrame", "关于 Vanta(&A)..."),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "显示程序信息,版本号和版权\n关于"), nullptr},
    {cmd::kScreenProperties, QT_TRANSLATE_NOOP("vanta::CMainFrame", "画面属性"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "修改当前画面属性\n画面属性"), nullptr},
    {cmd::kZoomIn, QT_TRANSLATE_NOOP("vanta::CMainFrame", "放大显示(&I)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "放大模拟显示屏\n放大显示(Ctrl++)"), nullptr},
    {cmd::kZoomOut, QT_TRANSLATE_NOOP("vanta::CMainFrame", "缩小显示(&O)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "缩小模拟显示屏\n缩小显示(Ctrl+-)"), nullptr},
    {cmd::kZoomReset, QT_TRANSLATE_NOOP("vanta::CMainFrame", "原始大小(&R)"),
     QT_TRANSLATE_NOOP("vanta::CMainFrame", "模拟显示屏恢复原始大小\n原始大小(Ctrl+0)"), "Ctrl+0"},
};

// The placement commands and the component kind each places.
struct Placement {
    int command;
    uint8_t kind;
};
const Placement kPlacements[] = {
    {cmd::kLamp, kKindLight},        {cmd::kFunctionKey, kKindFunction},
    {cmd::kText, kKindChars},        {cmd::kDynamicText, kKindDynamic},
    {cmd::kRegister, kKindRegister}, {cmd::kBarGraph, kKindBar},
    {cmd::kTrend, kKindTide},        {cmd::kPicture, kKindPicture},
};

// Toolbar buttons in order; 0 is a separator.
const int kToolbarButtons[] = {
    cmd::kNewProject,
    cmd::kOpen,
    cmd::kSave,
    0,
    cmd::kCut,
    cmd::kCopy,
    cmd::kPaste,
    0,
    cmd::kAbout,
    0,
    cmd::kLamp,
    cmd::kFunctionKey,
    cmd::kText,
    cmd::kDynamicText,
    cmd::kRegister,
    0,
    cmd::kBarGraph,
    cmd::kTrend,
    cmd::kPicture,
    0,
    cmd::kNewScreen,
    cmd::kCopyScreen,
    cmd::kDeleteScreen,
    0,
    cmd::kPanelSettings,
    cmd::kAlarmList,
    cmd::kDownload,
    0,
    cmd::kScreenProperties,
    cmd::kScreenProperties,
};

// Commands that have no handler: always disabled.
const int kWithoutHandler[] = {cmd::kScreenProperties};

// The commands on the selected components, enabled while some are selected.
const int kSelectionCommands[] = {cmd::kCut,       cmd::kCopy,         cmd::kDuplicate,
                                  cmd::kDelete,    cmd::kBringToFront, cmd::kSendToBack,
                                  cmd::kProperties};

constexpr const char* kRecentGroup = "Recent File List";

const CommandText* commandText(int command) {
    for (const CommandText& c : kCommands)
        if (c.command == command)
            return &c;
    return nullptr;
}

}  // namespace

CMainFrame::CMainFrame(ProgramData& data, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), data_(data), prompter_(prompter) {
    setObjectName(QStringLiteral("CMainFrame"));
}

CMainFrame::~CMainFrame() {
    // The view refers to the document: it goes first.
    delete view_;
    view_ = nullptr;
}

QString CMainFrame::applicationTitle() {
    return tr("Vanta画面设置工具");
}

void CMainFrame::showSplash() {
    if (!splash_)
        splash_ = CSplashWnd::showSplash();
}

CSplashWnd* CMainFrame::splashWindow() const {
    return splash_.data();
}

Project& CMainFrame::project() const {
    return doc_->project();
}

bool CMainFrame::create() {
    // The window opens at its first size, centred; it may be resized and maximised.
    resize(kFrameSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();

    Status fonts = data_.loadFonts();
    if (!fonts) {
        prompter_.inform("Load Font Lib Failure", "", Severity::Error);
        return false;
    }

    doc_ = new CVantaDoc(data_, prompter_, this);
    readCatalogue();
    view_ = new CVantaView(doc_->document(), prompter_, this);
    setCentralWidget(view_);
    createDocks();
    connectCommands();
    setAcceptDrops(true);

    updateRecentFileActions();
    updateTitle();
    updateCommandStates();
    return true;
}

void CMainFrame::readCatalogue() {
    Status read = data_.loadCatalogue();
    if (read)
        return;
    const QString path = QString::fromStdString(data_.cataloguePath());
    if (!QFileInfo::exists(path)) {
        // In Chinese and in English; where the interface is English already, once.
        const QString local = tr("文件%1不存在!").arg(path);
        const std::string english = "File " + path.toStdString() + " does not exist!";
        prompter_.inform(local.toStdString(), "", Severity::Error);
        if (local != translateCoreText(english))
            prompter_.inform(english, "", Severity::Error);
    } else {
        prompter_.inform(read.message(), read.caption(), Severity::Error);
    }
}

QAction* CMainFrame::makeAction(int command) {
    auto* action = new QAction(this);
    if (const CommandText* c = commandText(command)) {
        action->setText(tr(c->text));
        const QString prompt = tr(c->prompt);
        const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
        action->setStatusTip(newline < 0 ? prompt : prompt.left(newline));
        action->setToolTip(newline < 0 ? prompt : prompt.mid(newline + 1));
        if (c->shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(c->shortcut)));
    }
    action->setIcon(commandIcon(command));
    action->setIconVisibleInMenu(true);
    action->setData(command);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    return action;
}

void CMainFrame::createActions() {
    for (const CommandText& c : kCommands)
        actions_.insert(c.command, makeAction(c.command));
    deleteComponent_ = makeAction(cmd::kCut);
    deleteComponent_->setText(tr("删除部件(&P)"));
    deleteComponent_->setShortcut(QKeySequence());
    deleteComponent_->setObjectName(QStringLiteral("deleteComponent"));
    screenProperties2_ = makeAction(cmd::kScreenProperties);
    for (const Placement& p : kPlacements)
        action(p.command)->setCheckable(true);
    action(cmd::kZoomIn)
        ->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    action(cmd::kZoomOut)->setShortcuts(QKeySequence::ZoomOut);
    action(cmd::kViewToolbar)->setCheckable(true);
    action(cmd::kViewStatusBar)->setCheckable(true);
    // Undo and redo by the platform's keys (Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z), the clipboard
    // also by Shift+Delete, Ctrl+Insert and Shift+Insert.
    action(cmd::kUndo)->setShortcuts(QKeySequence::Undo);
    action(cmd::kRedo)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    action(cmd::kCut)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    action(cmd::kCopy)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    action(cmd::kPaste)
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    action(cmd::kSelectAll)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    for (int command : kWithoutHandler)
        action(command)->setEnabled(false);
    screenProperties2_->setEnabled(false);

    for (size_t i = 0; i < recentActions_.size(); ++i) {
        auto* recent = new QAction(this);
        recent->setVisible(false);
        recent->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        connect(recent, &QAction::triggered, this,
                [this, recent] { openDocumentFile(recent->data().toString()); });
        recentActions_[i] = recent;
    }
}

void CMainFrame::createMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(tr("文件(&F)"));
    for (int command : {cmd::kNewProject, cmd::kOpen, cmd::kSave, cmd::kSaveAs})
        fileMenu_->addAction(action(command));
    fileMenu_->addSeparator();
    for (int command :
         {cmd::kPlcSelection, cmd::kPortSelection, cmd::kDownload, cmd::kPanelType, cmd::kImport})
        fileMenu_->addAction(action(command));
    recentSeparator_ = fileMenu_->addSeparator();
    for (QAction* recent : recentActions_)
        fileMenu_->addAction(recent);
    fileMenu_->addSeparator();
    fileMenu_->addAction(action(cmd::kExit));

    QMenu* edit = bar->addMenu(tr("编辑(&E)"));
    edit->addAction(action(cmd::kUndo));
    edit->addAction(action(cmd::kRedo));
    edit->addSeparator();
    for (int command : {cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kDuplicate, cmd::kDelete})
        edit->addAction(action(command));
    edit->addSeparator();
    edit->addAction(action(cmd::kSelectAll));
    edit->addSeparator();
    edit->addAction(action(cmd::kBringToFront));
    edit->addAction(action(cmd::kSendToBack));

    QMenu* view = bar->addMenu(tr("查看(&V)"));
    view->addAction(action(cmd::kViewToolbar));
    view->addAction(action(cmd::kViewStatusBar));
    view->addSeparator();
    for (int command : {cmd::kZoomIn, cmd::kZoomOut, cmd::kZoomReset})
        view->addAction(action(command));
    viewMenu_ = view;

    QMenu* tools = bar->addMenu(tr("工具(&T)"));
    for (int command : {cmd::kNewScreen, cmd::kCopyScreen, cmd::kDeleteScreen})
        tools->addAction(action(command));
    tools->addAction(deleteComponent_);
    tools->addAction(action(cmd::kPanelSettings));
    tools->addAction(action(cmd::kAlarmList));
    tools->addAction(action(cmd::kEmulate));

    QMenu* parts = bar->addMenu(tr("部件(&P)"));
    for (const Placement& p : kPlacements)
        parts->addAction(action(p.command));

    QMenu* help = bar->addMenu(tr("帮助(&H)"));
    help->addAction(action(cmd::kAbout));

    for (QMenu* menu : {fileMenu_, edit, view, tools, parts, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::createToolBar() {
    toolBar_ = new QToolBar(tr("工具栏"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    bool secondScreenProperties = false;
    for (int command : kToolbarButtons) {
        if (command == 0) {
            toolBar_->addSeparator();
        } else if (command == cmd::kScreenProperties && secondScreenProperties) {
            toolBar_->addAction(screenProperties2_);
        } else {
            toolBar_->addAction(action(command));
            secondScreenProperties = secondScreenProperties || command == cmd::kScreenProperties;
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    messagePane_ = new QLabel(tr("就绪"), bar);
    bar->addWidget(messagePane_, 1);
    protocolPane_ = new QLabel(tr("No protocol"), bar);
    protocolPane_->setObjectName(QStringLiteral("protocolPane"));
    // 150 pixels, more when the protocol's name needs it.
    protocolPane_->setMinimumWidth(kProtocolPaneWidth);
    protocolPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(protocolPane_);
}

void CMainFrame::connectCommands() {
    auto on = [this](int command, auto handler) {
        connect(action(command), &QAction::triggered, this, handler);
    };
    on(cmd::kNewProject, [this] { doc_->newProject(); });
    on(cmd::kOpen, [this] { doc_->openWithDialog(); });
    on(cmd::kSave, [this] { doc_->save(); });
    on(cmd::kSaveAs, [this] { doc_->saveAs(); });
    on(cmd::kPlcSelection, [this] { onPlcSelection(); });
    on(cmd::kPortSelection, [this] { onPortSelection(); });
    on(cmd::kDownload, [this] { onDownload(); });
    on(cmd::kPanelType, [] {});  // the panel type is fixed: the command does nothing
    on(cmd::kImport, [this] { doc_->importWithDialog(); });
    on(cmd::kExit, [this] { close(); });
    on(cmd::kViewToolbar, [this](bool shown) { toolBar_->setVisible(shown); });
    on(cmd::kViewStatusBar, [this](bool shown) { statusBar()->setVisible(shown); });
    on(cmd::kNewScreen, [this] { view_->newScreen(); });
    on(cmd::kCopyScreen, [this] { view_->copyScreen(); });
    on(cmd::kDeleteScreen, [this] { view_->deleteScreen(); });
    on(cmd::kPanelSettings, [this] { onPanelSettings(); });
    on(cmd::kAlarmList, [this] { onAlarmList(); });
    on(cmd::kAbout, [this] { onAbout(); });
    on(cmd::kZoomIn, [this] { view_->zoomIn(); });
    on(cmd::kZoomOut, [this] { view_->zoomOut(); });
    on(cmd::kZoomReset, [this] { view_->resetZoom(); });
    on(cmd::kUndo, [this] { view_->undo(); });
    on(cmd::kRedo, [this] { view_->redo(); });
    on(cmd::kCut, [this] { view_->cutSelection(); });
    on(cmd::kCopy, [this] { view_->copySelection(); });
    on(cmd::kPaste, [this] { view_->paste(); });
    on(cmd::kDuplicate, [this] { view_->duplicateSelection(); });
    on(cmd::kDelete, [this] { view_->deleteSelection(); });
    on(cmd::kSelectAll, [this] { view_->selectAll(); });
    on(cmd::kBringToFront, [this] { view_->bringToFront(); });
    on(cmd::kSendToBack, [this] { view_->sendToBack(); });
    on(cmd::kProperties, [this] { view_->showProperties(); });
    connect(deleteComponent_, &QAction::triggered, this, [this] {
        view_->deleteSelection();
        updateCommandStates();
    });
    // The display's context menu: the commands on the component under the mouse.
    view_->setContextMenuActions({action(cmd::kCut), action(cmd::kCopy), action(cmd::kPaste),
                                  action(cmd::kDuplicate), action(cmd::kDelete), nullptr,
                                  action(cmd::kBringToFront), action(cmd::kSendToBack), nullptr,
                                  action(cmd::kProperties)});
    connect(view_, &CVantaView::zoomChanged, this, &CMainFrame::updateCommandStates);
    on(cmd::kEmulate, [this] { onEmulate(); });
    for (const Placement& p : kPlacements) {
        const uint8_t kind = p.kind;
        on(p.command, [this, kind] {
            if (kind == kKindPicture)
                view_->placePicture();
            else
                view_->togglePlacement(kind);
        });
    }
    // Every command may change what the others offer.
    for (QAction* a : actions_)
        connect(a, &QAction::triggered, this, &CMainFrame::updateCommandStates);

    connect(view_, &CVantaView::commandStateChanged, this, &CMainFrame::updateCommandStates);
    connect(view_, &CVantaView::documentModified, this, [this] {
        updateTitle();
        updateCommandStates();
    });
    connect(view_, &CVantaView::selectionChanged, this, &CMainFrame::updateCommandStates);
    // An undone or redone change of the protocol or the settings.
    connect(view_, &CVantaView::settingsChanged, this, [this] {
        updateProtocolPane();
        updateCommandStates();
    });
    connect(doc_, &CVantaDoc::projectReplaced, this, &CMainFrame::projectReplaced);
    connect(doc_, &CVantaDoc::pathChanged, this, &CMainFrame::pathChanged);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::updateCommandStates() {
    if (!doc_ || !view_)
        return;
    const Project& p = project();
    const bool open = p.isOpen;
    const uint8_t pending = view_->pendingKind();
    for (const Placement& placement : kPlacements) {
        QAction* a = action(placement.command);
        a->setEnabled(open);
        a->setChecked(open && pending == placement.kind);
    }
    for (int command : {cmd::kPlcSelection, cmd::kNewScreen, cmd::kCopyScreen, cmd::kDeleteScreen,
                        cmd::kPanelSettings, cmd::kSave, cmd::kSaveAs})
        action(command)->setEnabled(open);
    action(cmd::kDownload)->setEnabled(open);
    action(cmd::kEmulate)->setEnabled(open);
    if (EmulatorWindow* emulator = emulatorWindow())
        emulator->projectChanged();
    action(cmd::kAlarmList)->setEnabled(open && p.vocabulary().alarmAllowed);
    action(cmd::kZoomIn)->setEnabled(view_->zoom() < CVantaView::kMaxZoom);
    action(cmd::kZoomOut)->setEnabled(view_->zoom() > CVantaView::kMinZoom);
    updateEditCommandStates();
    action(cmd::kViewToolbar)->setChecked(!toolBar_->isHidden());
    action(cmd::kViewStatusBar)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::updateEditCommandStates() {
    const bool open = project().isOpen;
    // Undo and redo name the step they take back or make again.
    const QUndoStack* history = view_->undoStack();
    QAction* undo = action(cmd::kUndo);
    QAction* redo = action(cmd::kRedo);
    undo->setEnabled(open && history->canUndo());
    redo->setEnabled(open && history->canRedo());
    undo->setText(history->canUndo() ? tr("撤销%1(&U)").arg(history->undoText())
                                     : tr(commandText(cmd::kUndo)->text));
    redo->setText(history->canRedo() ? tr("重做%1(&R)").arg(history->redoText())
                                     : tr(commandText(cmd::kRedo)->text));
    const bool selected = open && view_->hasSelection();
    for (int command : kSelectionCommands)
        action(command)->setEnabled(selected);
    deleteComponent_->setEnabled(selected);
    action(cmd::kPaste)->setEnabled(open && view_->canPaste());
    action(cmd::kSelectAll)->setEnabled(open);
}

void CMainFrame::updateTitle() {
    // "[*]" shows the modified flag the way the platform does.
    setWindowTitle(doc_->title() + QStringLiteral("[*] - ") + applicationTitle());
    setWindowModified(doc_->document().isModified());
}

void CMainFrame::updateProtocolPane() {
    const Project& p = project();
    if (!p.isOpen) {
        protocolPane_->setText(tr("No protocol"));
        return;
    }
    const std::string text = data_.protocolVersionText(p.protocol());
    protocolPane_->setText(text.empty() ? tr("protocol number error!!!")
                                        : QString::fromStdString(text));
}

void CMainFrame::projectReplaced() {
    view_->projectReplaced();
    // The preview's sample values belong to the project they were set on.
    if (previewDock_)
        previewDock_->resetSamples();
    analysis_->schedule();
    updateProtocolPane();
    updateTitle();
    updateCommandStates();
}

void CMainFrame::pathChanged(const QString& path) {
    if (!path.isEmpty())
        addRecentFile(path);
    updateTitle();
    updateCommandStates();
}

bool CMainFrame::openDocumentFile(const QString& path) {
    const bool ok = doc_->openPath(path);
    if (!ok && !QFileInfo::exists(path))
        removeRecentFile(path);
    return ok;
}

// --- recent files ---

QStringList CMainFrame::recentFiles() const {
    QSettings settings(app::kOrganisation, app::kApplication);
    settings.beginGroup(kRecentGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

namespace {
void storeRecentFiles(const QStringList& files) {
    QSettings settings(app::kOrganisation, app::kApplication);
    settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= CMainFrame::kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= files.size())
            settings.setValue(key, files.at(i - 1));
        else
            settings.remove(key);
    }
}
}  // namespace

void CMainFrame::addRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    storeRecentFiles(files);
    updateRecentFileActions();
}

void CMainFrame::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) == 0)
        return;
    storeRecentFiles(files);
    updateRecentFileActions();
}

void CMainFrame::updateRecentFileActions() {
    const QStringList files = recentFiles();
    for (size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* recent = recentActions_[i];
        const bool used = static_cast<qsizetype>(i) < files.size();
        recent->setVisible(used);
        if (used) {
            const QString file = files.at(static_cast<qsizetype>(i));
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(file));
            recent->setData(file);
            recent->setStatusTip(tr("打开该文档"));
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

// --- commands ---

void CMainFrame::onPlcSelection() {
    if (!project().isOpen)
        return;
    EditRecorder recorder(project());
    recorder.settings();
    if (!doc_->runPlcSelection(project()))
        return;
    // A changed protocol or serial parameter is one step; OK with nothing changed is none.
    view_->pushEdit(recorder.finish(), tr("修改PLC选择"));
    view_->settingsReplaced();
    updateProtocolPane();
    updateCommandStates();
}

void CMainFrame::onPortSelection() {
    PortDialog dialog(data_.selection().portIndex, PortDialog::rememberedDevice(), this);
    if (dialog.exec() == QDialog::Accepted) {
        data_.setPortIndex(dialog.portIndex());
        PortDialog::rememberDevice(dialog.device());
    }
    Status written = data_.writeSelection();
    if (!written)
        prompter_.inform(written.message(), written.caption(), Severity::Error);
}

QString CMainFrame::downloadPortName() const {
    return PortDialog::downloadPortName(data_.selection().portIndex);
}

void CMainFrame::onPanelSettings() {
    if (!project().isOpen)
        return;
    PanelSettingsDialog dialog(project().panel, project().vocabulary(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    EditRecorder recorder(project());
    recorder.settings();
    project().panel = dialog.settings();
    view_->pushEdit(recorder.finish(), tr("修改Orbis设置"));
}

void CMainFrame::onAlarmList() {
    if (!project().isOpen || !project().vocabulary().alarmAllowed)
        return;
    EditRecorder recorder(project());
    recorder.alarms();
    if (AlarmListDialog::run(project(), this))
        view_->pushEdit(recorder.finish(), tr("修改报警列表"));
}

void CMainFrame::onDownload() {
    if (!project().isOpen)
        return;
    // Ctrl held while the command is given sends the protocol driver in any case; it counts for
    // this download only.
    const bool forceDriver = view_->ctrlHeld();
    view_->clearCtrlHeld();
    if (!confirmDownloadProblems())
        return;
    // The compilation corrects limits that are not in order when the user lets it: that
    // correction is one step of the history.
    std::vector<std::pair<LimitCorrection, Bytes>> corrected;
    for (LimitCorrection& c : findLimitCorrections(project()))
        corrected.emplace_back(
            c, componentRecord(*project().screens.at(c.screen).components()[c.index]));
    runDownload(project(), QString::fromStdString(data_.folder()), downloadPortName(), forceDriver,
                prompter_, this);
    EditRecorder recorder(project());
    for (auto& [c, before] : corrected)
        recorder.componentBefore(c.screen, c.index, std::move(before));
    ProjectEdit correction = recorder.finish();
    if (!correction.isEmpty()) {
        view_->pushEdit(std::move(correction), tr("修正上下限"));
        view_->settingsReplaced();
    }
    // The download rewrote the catalogue entry in "In.dat".
    data_.reloadSelection();
}

EmulatorWindow* CMainFrame::emulatorWindow() const {
    return static_cast<EmulatorWindow*>(emulator_.data());
}

void CMainFrame::onEmulate() {
    if (!project().isOpen)
        return;
    if (EmulatorWindow* open = emulatorWindow())
        open->reload();
    else
        emulator_ = EmulatorWindow::open(project(), data_.folder(), data_.fonts(), prompter_, this);
    if (emulator_) {
        emulator_->raise();
        emulator_->activateWindow();
    }
}

void CMainFrame::onAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

// --- window events ---

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (doc_ && !doc_->canClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

namespace {
QString firstLocalFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}
}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!firstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString file = firstLocalFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    openDocumentFile(file);
}

}  // namespace vanta
