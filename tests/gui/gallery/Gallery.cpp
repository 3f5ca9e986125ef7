#include "Gallery.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>

#include "app/Application.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVantaDoc.h"
#include "app/CommandIds.h"
#include "app/ProgramData.h"
#include "dialogs/AlarmListDialog.h"
#include "dialogs/DownloadDialog.h"
#include "dialogs/EmulatorWindow.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/PanelSettingsDialog.h"
#include "dialogs/PlcDialog.h"
#include "dialogs/PortDialog.h"
#include "dialogs/ScreenDialogs.h"
#include "editor/CVantaView.h"
#include "model/CBase.h"
#include "model/CMainView.h"
#include "pages/FunctionPage.h"
#include "project/Project.h"
#include "protocols/Catalogue.h"
#include "qtsupport/QtText.h"
#include "qtsupport/SerialTransport.h"

namespace vanta::gallery {

namespace {

constexpr uint16_t kGalleryScreen = 90;

// Where each kind is placed on the gallery screen (display units).
struct Spot {
    int kind;
    QPoint at;
};
const Spot kSpots[] = {
    {kKindChars, {0, 0}},  {kKindRegister, {117, 0}}, {kKindDynamic, {216, 0}},
    {kKindLight, {0, 45}}, {kKindFunction, {45, 45}}, {kKindTide, {90, 36}},
    {kKindBar, {387, 36}}, {kKindPicture, {315, 45}},
};

void click(QWidget* widget, QPoint at) {
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

}  // namespace

Answer QuietPrompter::ask(const std::string& text, const std::string&, Buttons buttons, Severity) {
    messages.push_back(text);
    switch (buttons) {
        case Buttons::Ok:
        case Buttons::OkCancel:
            return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::No;
    }
    return Answer::Ok;
}

Gallery::Gallery(const Options& options) : options_(options) {
    StartupOptions startup;
    startup.dataDir = options.dataDir;
    startup.translationDir = options.translationDir;
    startup.translate = options.english;
    startup.splash = false;
    app_ = std::make_unique<Application>(startup, &prompter_);
    if (!app_->initialise())
        return;
    frame_ = app_->mainFrame();
    prepareProject();
    buildScenes();
}

Gallery::~Gallery() {
    // The download dialog refers to the transport.
    delete open_;
    transport_.reset();
}

void Gallery::prepareProject() {
    frame_->doc().openPath(options_.sourceDir + QStringLiteral("/data/samples/demo.osp"));
    protocol_ = frame_->project().protocol();
    placeEverything();
}

void Gallery::placeEverything() {
    Project& project = frame_->project();
    ScreenList& screens = project.screens;
    if (screens.find(kGalleryScreen) < 0)
        screens.createScreen(kGalleryScreen, fromQString(QStringLiteral("Gallery")).value());
    screens.setCurrentPosition(static_cast<size_t>(screens.find(kGalleryScreen)));
    frame_->view()->projectReplaced();
    // A small picture to place.
    const QString picture = scratch_.filePath(QStringLiteral("picture.bmp"));
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.save(picture);
    CVantaView* view = frame_->view();
    for (const Spot& spot : kSpots) {
        if (spot.kind == kKindPicture)
            view->placePictureFile(picture);
        else
            view->togglePlacement(spot.kind);
        const QPoint at = spot.at + QPoint(4, 4);
        click(view->displayWidget(), at);
    }
    frame_->doc().document().setModified(false);
}

void Gallery::switchProtocol(uint8_t protocol) {
    if (protocol == protocol_)
        return;
    Project& project = frame_->project();
    project.changeProtocol(protocol);
    protocol_ = protocol;
    frame_->view()->projectReplaced();
}

QWidget* Gallery::selectKind(int kind) {
    CVantaView* view = frame_->view();
    CMainView* screen = frame_->project().screens.current();
    if (screen == nullptr)
        return frame_;
    for (const auto& component : screen->components()) {
        if (component->m_kind != kind)
            continue;
        const Rect r = component->m_rect;
        click(view->displayWidget(), QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        break;
    }
    return frame_;
}

QWidget* Gallery::dialog(QWidget* made) {
    open_ = made;
    made->show();
    return made;
}

QStringList Gallery::names() const {
    QStringList list;
    for (const Scene& scene : scenes_)
        list << scene.name;
    return list;
}

QWidget* Gallery::show(const QString& name) {
    delete open_;
    open_ = nullptr;
    for (const Scene& scene : scenes_) {
        if (scene.name != name)
            continue;
        QWidget* window = scene.make();
        window->show();
        QApplication::processEvents();
        return window;
    }
    return nullptr;
}

void Gallery::buildScenes() {
    auto page = [this](const QString& name, int kind, uint8_t protocol,
                       std::function<void(PropertyPage*)> state = {}) {
        scenes_.push_back({name, [this, kind, protocol, state] {
                               switchProtocol(protocol);
                               QWidget* window = selectKind(kind);
                               if (state)
                                   if (auto* shown =
                                           qobject_cast<PropertyPage*>(frame_->view()->shownPage()))
                                       state(shown);
                               return window;
                           }});
    };
    auto keyAction = [](int action) {
        return [action](PropertyPage* page) {
            if (auto* key = qobject_cast<FunctionPage*>(page))
                key->controls().action[action]->click();
        };
    };
    const uint8_t demo = protocol_;

    scenes_.push_back({QStringLiteral("main-window"), [this, demo] {
                           switchProtocol(demo);
                           CVantaView* view = frame_->view();
                           view->resetZoom();
                           // The screen page of the first screen.
                           frame_->project().screens.setCurrentPosition(0);
                           view->projectReplaced();
                           return static_cast<QWidget*>(frame_);
                       }});
    scenes_.push_back({QStringLiteral("main-window-zoom-4x"), [this, demo] {
                           switchProtocol(demo);
                           Project& project = frame_->project();
                           project.screens.setCurrentPosition(
                               static_cast<size_t>(project.screens.find(kGalleryScreen)));
                           frame_->view()->projectReplaced();
                           frame_->view()->setZoom(4.0);
                           frame_->resize(1100, 720);
                           return static_cast<QWidget*>(frame_);
                       }});
    scenes_.push_back({QStringLiteral("page-screen"), [this, demo] {
                           switchProtocol(demo);
                           frame_->resize(CMainFrame::kFrameSize);
                           frame_->view()->resetZoom();
                           Project& project = frame_->project();
                           project.screens.setCurrentPosition(
                               static_cast<size_t>(project.screens.find(kGalleryScreen)));
                           frame_->view()->projectReplaced();
                           return static_cast<QWidget*>(frame_);
                       }});
    page(QStringLiteral("page-text"), kKindChars, demo);
    page(QStringLiteral("page-register"), kKindRegister, demo);
    page(QStringLiteral("page-dynamic-text"), kKindDynamic, demo);
    page(QStringLiteral("page-lamp"), kKindLight, demo);
    page(QStringLiteral("page-function-key-coil"), kKindFunction, demo, keyAction(0));
    page(QStringLiteral("page-function-key-jump"), kKindFunction, demo, keyAction(1));
    page(QStringLiteral("page-function-key-register"), kKindFunction, demo, keyAction(2));
    page(QStringLiteral("page-function-key-recipe"), kKindFunction, demo, [](PropertyPage* p) {
        if (auto* key = qobject_cast<FunctionPage*>(p)) {
            key->controls().action[3]->click();
            key->controls().recipe[2]->click();  // a base step shows the limit
        }
    });
    page(QStringLiteral("page-bar-graph"), kKindBar, demo);
    page(QStringLiteral("page-trend"), kKindTide, demo);
    page(QStringLiteral("page-picture"), kKindPicture, demo);
    // Protocol 31 addresses parameters ("子类型:"); protocol 1 types in hexadecimal.
    page(QStringLiteral("page-register-p31"), kKindRegister, 31);
    page(QStringLiteral("page-lamp-p31"), kKindLight, 31);
    page(QStringLiteral("page-dynamic-text-p31"), kKindDynamic, 31);
    page(QStringLiteral("page-function-key-register-p31"), kKindFunction, 31, keyAction(2));
    page(QStringLiteral("page-bar-graph-p31"), kKindBar, 31);
    page(QStringLiteral("page-lamp-p1"), kKindLight, 1);

    scenes_.push_back({QStringLiteral("dialog-new-screen"), [this, demo] {
                           switchProtocol(demo);
                           return dialog(
                               new NewScreenDialog(frame_->project().screens, prompter_, frame_));
                       }});
    scenes_.push_back({QStringLiteral("dialog-copy-screen"),
                       [this] { return dialog(new CopyScreenDialog(3, prompter_, frame_)); }});
    auto plc = [this](uint8_t protocol) {
        const Catalogue* catalogue = frame_->data().catalogue();
        const int entry = catalogue ? std::max(0, catalogue->find(protocol)) : 0;
        return dialog(new PlcDialog(catalogue, entry, frame_->project().comm, protocol, frame_));
    };
    scenes_.push_back({QStringLiteral("dialog-plc-selection"), [plc] { return plc(2); }});
    scenes_.push_back({QStringLiteral("dialog-plc-selection-station"), [plc] { return plc(14); }});
    scenes_.push_back({QStringLiteral("dialog-port"),
                       [this] { return dialog(new PortDialog(2, QString(), frame_)); }});
    scenes_.push_back({QStringLiteral("dialog-panel-settings"), [this, demo] {
                           switchProtocol(demo);
                           auto* d = new PanelSettingsDialog(
                               frame_->project().panel, frame_->project().vocabulary(), frame_);
                           d->showScreenButton()->click();
                           for (int bit = 0; bit < 3; ++bit)
                               d->controlBox(bit)->click();
                           return dialog(d);
                       }});
    scenes_.push_back({QStringLiteral("dialog-alarm-list"), [this, demo] {
                           switchProtocol(demo);
                           auto* d = new AlarmListDialog(frame_->project(), frame_);
                           d->editRow(1);
                           return dialog(d);
                       }});
    scenes_.push_back(
        {QStringLiteral("dialog-import"), [this] { return dialog(new ImportDialog(frame_)); }});
    scenes_.push_back({QStringLiteral("dialog-download"), [this] {
                           transport_ = std::make_unique<SerialTransport>();
                           LinkJob job;
                           job.image.assign(31759, 0);
                           auto* d = new DownloadDialog(*transport_, std::move(job), prompter_,
                                                        kLinkTickMs, frame_);
                           return dialog(d);
                       }});
    scenes_.push_back(
        {QStringLiteral("dialog-about"), [this] { return dialog(new CAboutDlg(frame_)); }});
    scenes_.push_back({QStringLiteral("window-emulator"), [this, demo] {
                           switchProtocol(demo);
                           frame_->action(cmd::kEmulate)->trigger();
                           return dialog(frame_->emulatorWindow());
                       }});
}

}  // namespace vanta::gallery
