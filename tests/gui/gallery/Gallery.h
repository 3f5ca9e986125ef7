#pragma once
// Every dialog, property page and sub-page of the editor, one scene at a time: the layout tests
// look at each scene's controls, and vanta-gallery saves a picture of each one.
//
// The gallery starts the editor on the demo project and adds a screen with one component of
// every kind. A page scene selects the component of its kind (and the sub-page or state the
// scene names) and shows the main window; a dialog scene opens its dialog without running it
// modally. Scenes with "p31" or "p1" switch the project to that protocol first.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "common/Prompter.h"

namespace vanta {

class Application;
class CMainFrame;
class SerialTransport;

namespace gallery {

// A prompter that answers every question with its first button and keeps the messages.
class QuietPrompter : public Prompter {
  public:
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override;
    std::vector<std::string> messages;
};

struct Options {
    QString dataDir;         // the data files ("Ostra_EN.dat", ...)
    QString translationDir;  // where VantaENU.qm lies
    QString sourceDir;       // the sources (data/samples/demo.osp)
    bool english = true;
};

class Gallery {
  public:
    // Starts the editor. ok() tells whether it started.
    explicit Gallery(const Options& options);
    ~Gallery();
    bool ok() const { return frame_ != nullptr; }

    // Scene names in the order they are shown (file names of the pictures).
    QStringList names() const;
    // Shows a scene and returns the window that holds it (the main window or the dialog). The
    // dialog of the previous scene is closed.
    QWidget* show(const QString& name);
    CMainFrame* mainFrame() const { return frame_; }

  private:
    struct Scene {
        QString name;
        std::function<QWidget*()> make;
    };
    void buildScenes();
    void prepareProject();
    void switchProtocol(uint8_t protocol);
    void placeEverything();
    // Selects the component of `kind` on the gallery screen; the main window.
    QWidget* selectKind(int kind);
    QWidget* dialog(QWidget* made);

    Options options_;
    QuietPrompter prompter_;
    std::unique_ptr<Application> app_;
    CMainFrame* frame_ = nullptr;
    std::vector<Scene> scenes_;
    QWidget* open_ = nullptr;  // the dialog of the current scene
    uint8_t protocol_ = 0;
    QTemporaryDir scratch_;
    std::unique_ptr<SerialTransport> transport_;  // the download dialog's (never opened)
};

}  // namespace gallery
}  // namespace vanta
